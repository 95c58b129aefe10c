#include "platform/settings/registry_location.h"

#include <cstdlib>

#include "platform/base_folder.h"

namespace banmen {

namespace {

constexpr std::string_view kSoftware = "Software";
constexpr std::string_view kOwnTreeFolder = "banmen-registry";

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string withoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

// Keys outside the shared software branch live in a tree of our own, one
// folder per root, so they never land among other programs' files.
std::string ownTree(std::string_view rootName) {
    return ConfigHomeFolder() + "/" + std::string(kOwnTreeFolder) + "/" + std::string(rootName);
}

}  // namespace

std::string ConfigHomeFolder() {
    const std::string home = environmentValue("XDG_CONFIG_HOME");
    if (!home.empty() && home[0] == '/') {
        return withoutTrailingSlashes(home);
    }
    return HomeFolder() == "/" ? "/.config" : HomeFolder() + "/.config";
}

std::string SystemConfigFolder() {
    const std::string dirs = environmentValue("XDG_CONFIG_DIRS");
    std::size_t start = 0;
    while (start < dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        const std::string entry = dirs.substr(start, end - start);
        if (!entry.empty() && entry[0] == '/') {
            return withoutTrailingSlashes(entry);
        }
        start = end + 1;
    }
    return "/etc/xdg";
}

KeyLocation LocateKey(RegistryRoot root, std::string_view subkey) {
    KeyLocation location;
    std::vector<std::string> parts;
    if (!splitRegistrySubkey(subkey, parts)) {
        return location;
    }
    const bool software = !parts.empty() && sameRegistryName(parts.front(), kSoftware);
    switch (root) {
        case RegistryRoot::CurrentUser:
            location.writable = true;
            if (software) {
                location.folder = ConfigHomeFolder();
                parts.erase(parts.begin());
            } else {
                location.folder = ownTree("HKEY_CURRENT_USER");
            }
            break;
        case RegistryRoot::ClassesRoot:
            location.writable = true;
            location.folder = ownTree("HKEY_CLASSES_ROOT");
            break;
        case RegistryRoot::LocalMachine:
            // The machine's software branch is the system configuration,
            // which a user's program reads but never writes.
            if (!software) {
                return location;
            }
            location.folder = SystemConfigFolder();
            parts.erase(parts.begin());
            break;
        case RegistryRoot::Users:
        case RegistryRoot::None:
            return location;
    }
    location.valid = true;
    if (parts.size() == 1) {
        location.file = location.folder + "/" + parts[0] + ".conf";
    } else if (parts.size() >= 2) {
        location.file = location.folder + "/" + parts[0] + "/" + parts[1] + ".conf";
        for (std::size_t i = 2; i < parts.size(); ++i) {
            if (!location.group.empty()) {
                location.group += '/';
            }
            location.group += parts[i];
        }
    }
    location.parts = std::move(parts);
    return location;
}

}  // namespace banmen
