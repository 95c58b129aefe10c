#pragma once
// The editor's command line: everything after the program's own path is one
// file to open at start-up; or "--debug-square N FILE", which opens the file
// and starts a square debug run from square N (1-based); or "--help" or
// "--version" alone, which print and end.

#include <QStringList>
#include <string>

namespace banmen {

// The arguments after the program (arguments[0]) joined by blanks, with
// blanks, tabs and double quotes stripped from both ends; empty when nothing
// remains. UTF-8.
std::string startupFilePath(const QStringList& arguments);

struct StartupCommand {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    std::string file;      // UTF-8; empty: none
    int debugSquare = -1;  // 0-based square of a square debug run; -1: none
    bool valid = true;     // false: "--debug-square" without a number >= 1 and a file
};

StartupCommand parseStartupCommand(const QStringList& arguments);

inline constexpr char kDebugSquareOption[] = "--debug-square";

// What "--help" prints.
std::string startupUsage();

}  // namespace banmen
