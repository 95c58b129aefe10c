#pragma once
// The project's home page, which the welcome and about boxes link to.

class QLabel;
class QString;

namespace banmen {

inline constexpr char kProjectPageUrl[] = "https://banmen-koubou.example.org/";

// A link label as the boxes show it: blue, underlined, 9-point "ＭＳ ゴシック"
// on light yellow; a click opens the project page in the browser.
QLabel* makeProjectLink(const QString& text, int controlId, QLabel* label);

}  // namespace banmen
