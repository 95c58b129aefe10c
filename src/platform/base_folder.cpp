#include "platform/base_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/folders.h"
#include "platform/paths.h"

namespace banmen {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string withoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

}  // namespace

std::string ModulePath() {
    std::vector<char> buffer(256);
    while (true) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);  // may have been cut: try again larger
    }
}

std::string ModuleFolder() {
    return path::PathFolder(ModulePath());
}

std::string BaseFolder() {
    std::string home = environmentValue("BANMEN_HOME");
    if (path::NormalizePath(home)) {
        return withoutTrailingSeparators(home);
    }
    return ModuleFolder();
}

std::string WritableBaseFolder() {
    const std::string base = BaseFolder();
    if (!base.empty() && access(base.c_str(), W_OK) == 0) {
        return base;
    }
    std::string data = environmentValue("XDG_DATA_HOME");
    if (data.empty() || data[0] != '/') {
        data = HomeFolder() + "/.local/share";  // relative values are ignored, as XDG asks
    }
    const std::string folder = path::PathJoin(withoutTrailingSeparators(data), "banmen");
    // A folder that cannot be made shows up when something is written there.
    (void)CreateFolderTree(folder);
    return folder;
}

std::string HomeFolder() {
    std::string home = environmentValue("HOME");
    if (!home.empty()) {
        return withoutTrailingSeparators(home);
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] != '\0') {
        return withoutTrailingSeparators(found->pw_dir);
    }
    return "/";
}

}  // namespace banmen
