#pragma once
// Where the program lives and where it may write.

#include <string>

namespace banmen {

// The full path of the running program (/proc/self/exe).
std::string ModulePath();
// Its folder.
std::string ModuleFolder();
// The base folder: $BANMEN_HOME when set and not empty, else ModuleFolder().
// Read-only resources ("Image Files", "Sound Files", help) are found here.
std::string BaseFolder();
// Where the program writes its own folders and files ("MyProjects",
// "startup.ini"): the base folder when it is writable, else
// $XDG_DATA_HOME/banmen (default ~/.local/share/banmen), created on demand.
std::string WritableBaseFolder();
// The user's home folder: $HOME, else the password database's entry, else "/".
std::string HomeFolder();

}  // namespace banmen
