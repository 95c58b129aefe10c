#pragma once
// Entry names: Shift-JIS with "\" separators inside an archive, native
// (UTF-8, "/") on disk. The reader's side is also the safety check that keeps
// an extraction inside its destination.

#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace banmen {

// A native path ("Image Files/a.bmp", or "/home/x/a.bmp" for a full path) as
// an entry name ("Image Files\a.bmp", "\home\x\a.bmp"). Empty parts are
// dropped. Fails when a part cannot be written in Shift-JIS or holds a "\"
// (which would split it in two when read back), or when the name grows
// beyond what a reader accepts.
Status storedEntryName(std::string_view native, std::string& stored);

// The native parts of an entry name, checked so that joining them under a
// folder never leaves it. Refused: an empty name; a name that is absolute
// ("\x", "/x"), holds a drive letter or any ":" ("C:x"), or holds "/"; a
// part made only of dots and blanks ("..", ".", ". .", which some systems
// read as ".."); a part that cannot be converted from Shift-JIS. Runs of "\"
// count as one. `name` is the name without its terminating NUL.
Status entryNameParts(std::string_view name, std::vector<std::string>& parts);

// A full-path name (archives written with kArchiveFullPaths): its root
// ("\", "\\", "C:\", "C:") is removed and the rest is checked as above, so
// that it can be placed under a destination.
Status fullPathNameParts(std::string_view name, std::vector<std::string>& parts);

// The entry name in UTF-8 for showing; invalid bytes become U+FFFD.
std::string displayEntryName(std::string_view stored);

}  // namespace banmen
