#pragma once
// Where a registry key lives on disk. Every key maps to a folder of INI files
// (see registry_key.h for the whole mapping):
//  - no names below the folder: the folder itself, which holds no values;
//  - one name A: the file "A.conf" (its top level);
//  - A\B: the file "A/B.conf" (its top level);
//  - A\B\C\...: the group "C/..." in "A/B.conf".

#include <string>
#include <string_view>
#include <vector>

#include "platform/settings/registry_path.h"

namespace banmen {

struct KeyLocation {
    bool valid = false;
    bool writable = false;
    std::string folder;              // the folder the key's files lie under
    std::vector<std::string> parts;  // the key's names below that folder
    std::string file;                // "" when the key holds no values
    std::string group;               // "C/D" inside the file; "" for its top level
};

KeyLocation LocateKey(RegistryRoot root, std::string_view subkey);

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string ConfigHomeFolder();
// The first absolute entry of $XDG_CONFIG_DIRS, else /etc/xdg.
std::string SystemConfigFolder();

}  // namespace banmen
