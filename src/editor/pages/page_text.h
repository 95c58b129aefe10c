#pragma once
// Texts between the page's controls and the record: the record holds
// Shift-JIS with "\r\n" line ends, the controls hold Qt strings with "\n".

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

namespace banmen {

// A record text for a control (invalid bytes become U+FFFD; "\r\n" → "\n").
QString pageTextFromRecord(std::string_view cp932);
// A control's text for the record: "\n" → "\r\n"; a character Shift-JIS
// cannot hold becomes "?".
std::string pageTextToRecord(const QString& text);
// True when every character of the text has a Shift-JIS form.
bool fitsShiftJis(const QString& text);

// Keeps characters out of a line edit that the record could not hold.
class ShiftJisValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

}  // namespace banmen
