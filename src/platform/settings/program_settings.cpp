#include "platform/settings/program_settings.h"

#include "platform/base_folder.h"
#include "platform/paths.h"
#include "platform/settings/registry_key.h"

namespace banmen {

namespace {

constexpr char kBuildFolder[] = "BuildFolder";
constexpr char kProjectFolder[] = "ProjectFolder";
constexpr char kOpenFolder[] = "OpenFolder";
constexpr char kMapLock[] = "bMapLock";
constexpr char kMapGrid[] = "bMapGrid";
constexpr char kMyProjects[] = "MyProjects";

RegistryKey programKey() {
    return RegistryKey(kProgramKeyPath);
}

std::string readText(const char* name) {
    std::string value;
    (void)programKey().ReadString("", name, value);
    return value;
}

bool readFlag(const char* name, bool byDefault) {
    std::uint32_t value = byDefault ? 1 : 0;
    (void)programKey().ReadDword("", name, value);
    return value != 0;
}

bool writeFlag(const char* name, bool on) {
    return programKey().WriteDword("", name, on ? 1 : 0);
}

std::string slotName(std::size_t index) {
    return "Project" + std::to_string(index + 1);
}

}  // namespace

std::string readBuildFolder() {
    return readText(kBuildFolder);
}

bool writeBuildFolder(const std::string& folder) {
    return programKey().WriteString("", kBuildFolder, folder);
}

std::string readProjectFolder() {
    std::string folder = readText(kProjectFolder);
    if (folder.empty()) {
        folder = path::PathJoin(WritableBaseFolder(), kMyProjects);
    }
    return folder;
}

bool writeProjectFolder(const std::string& folder) {
    return programKey().WriteString("", kProjectFolder, folder);
}

std::string readOpenFolder() {
    return readText(kOpenFolder);
}

bool writeOpenFolder(const std::string& folder) {
    return programKey().WriteString("", kOpenFolder, folder);
}

RecentWorkspaces readRecentWorkspaces() {
    RecentWorkspaces paths;
    const RegistryKey key = programKey();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        (void)key.ReadString(kRecentWorkspacesKey, slotName(i), paths[i]);
    }
    return paths;
}

bool writeRecentWorkspaces(const RecentWorkspaces& paths) {
    RegistryKey key = programKey();
    bool written = true;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string name = slotName(i);
        if (!paths[i].empty()) {
            written = key.WriteString(kRecentWorkspacesKey, name, paths[i]) && written;
            continue;
        }
        // An empty slot has no value. (A value that does not read as any type
        // reads as an empty slot too, so it may stay.)
        RegistryType type{};
        if (key.ValueType(kRecentWorkspacesKey, name, type)) {
            written = key.DeleteValue(kRecentWorkspacesKey, name) && written;
        }
    }
    return written;
}

bool readMapLock() {
    return readFlag(kMapLock, false);
}

bool writeMapLock(bool locked) {
    return writeFlag(kMapLock, locked);
}

bool readMapGrid() {
    return readFlag(kMapGrid, true);
}

bool writeMapGrid(bool shown) {
    return writeFlag(kMapGrid, shown);
}

}  // namespace banmen
