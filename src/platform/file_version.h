#pragma once
// Version numbers of the form "10, 0, 0, 1" or "10.0.0.1".

#include <array>
#include <string>
#include <string_view>

namespace banmen {

// This program's own version string, compiled in.
extern const char* const kProgramFileVersion;

// Each run of the characters "0123456789" gives one number; anything else
// separates them. Fails unless at least one number is found (leaving `out`
// alone); missing numbers are 0, numbers beyond the fourth are ignored and a
// number too large for an int becomes INT_MAX.
bool parseVersionString(std::string_view text, std::array<int, 4>& out);

// The version of a program file: major, minor, build, revision. On Linux only
// the running program's own file (ModulePath) carries a version
// (kProgramFileVersion); any other path fails and leaves `out` alone.
bool FileVersion(const std::string& path, std::array<int, 4>& out);

}  // namespace banmen
