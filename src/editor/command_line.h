#pragma once
// The editor's command line: everything after the program's own path is one
// file to open at start-up.

#include <QStringList>
#include <string>

namespace banmen {

// The arguments after the program (arguments[0]) joined by blanks, with
// blanks, tabs and double quotes stripped from both ends; empty when nothing
// remains. UTF-8.
std::string startupFilePath(const QStringList& arguments);

}  // namespace banmen
