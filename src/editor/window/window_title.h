#pragma once
// The main window's title: program name, version and the game's title.

#include <string>
#include <string_view>

namespace banmen {

constexpr std::string_view kProgramName = "盤面工房";

// " 盤面工房 (四季彩コレクション)）version 10.0 - <title>", with " *" at the
// end while the workspace is modified. The version is the first two numbers
// of the program's own file version. `gameTitle` is UTF-8.
std::string editorWindowTitle(std::string_view gameTitle, bool modified);

}  // namespace banmen
