#include "platform/settings/registry_key.h"

#include <array>
#include <utility>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/settings/registry_location.h"
#include "platform/settings/settings_file.h"

namespace banmen {

namespace {

// System keys that DeleteKey never takes, whatever the root.
constexpr std::array<std::string_view, 10> kProtectedKeys{
    ".Default", "Security", "System", "Network",       "CLSID",
    "Hardware", "Software", "EUDC",   "Control Panel", "AppEvent",
};

constexpr std::string_view kFileSuffix = ".conf";

bool isProtectedName(std::string_view name) {
    for (const std::string_view protectedName : kProtectedKeys) {
        if (sameRegistryName(name, protectedName)) {
            return true;
        }
    }
    return false;
}

bool isProtected(std::string_view subkey) {
    if (subkey.empty() || subkey == "\\" || isProtectedName(subkey)) {
        return true;
    }
    // The same names with stray separators ("Software\", "\\Software") would
    // otherwise reach the same folders.
    std::vector<std::string> parts;
    return splitRegistrySubkey(subkey, parts) && parts.size() <= 1 &&
           (parts.empty() || isProtectedName(parts.front()));
}

// A value name must be a single settings key: "/" would start a group.
bool isValidValueName(std::string_view name) {
    return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos &&
           isValidUtf8(name);
}

bool isRegularFile(const std::string& path) {
    FileStatusInfo status;
    return FileStatus(path, status) && !status.isFolder;
}

// The settings files directly in `folder` (each one a key).
std::vector<std::string> settingsFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::vector<std::string> files;
    if (!ListFolder(folder, names)) {
        return files;
    }
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        if (name.size() > kFileSuffix.size() && name.ends_with(kFileSuffix) &&
            isRegularFile(path)) {
            files.push_back(path);
        }
    }
    return files;
}

KeyLocation locate(const RegistryPath& parsed, std::string_view subkey) {
    if (parsed.root == RegistryRoot::None) {
        return {};
    }
    return LocateKey(parsed.root, joinRegistrySubkey(parsed.subkey, subkey));
}

bool holdsValues(const KeyLocation& location) {
    return location.valid && !location.file.empty();
}

bool readValue(const KeyLocation& location, std::string_view name, RegistryValue& out) {
    if (!holdsValues(location) || !isValidValueName(name) || !isRegularFile(location.file)) {
        return false;
    }
    SettingsFile file(location.file);
    if (!file.intact()) {
        return false;
    }
    // A list (a hand-written value with unquoted commas) or a value of
    // another type is not one of ours.
    const std::optional<std::string> stored =
        file.text(settingsKey(location.group, std::string(name)));
    return stored && DecodeRegistryValue(*stored, out);
}

bool writeValue(const KeyLocation& location, std::string_view name, const std::string& encoded) {
    if (!holdsValues(location) || !location.writable || !isValidValueName(name)) {
        return false;
    }
    SettingsFile file(location.file);
    if (!file.intact()) {
        return false;
    }
    file.setText(settingsKey(location.group, std::string(name)), encoded);
    return file.commit();
}

bool keyExistsAt(const KeyLocation& location) {
    if (!location.valid) {
        return false;
    }
    if (location.parts.empty()) {
        return true;  // a root is always there
    }
    if (location.parts.size() == 1) {
        return isRegularFile(location.file) ||
               !settingsFilesIn(location.folder + "/" + location.parts[0]).empty();
    }
    if (!isRegularFile(location.file)) {
        return false;
    }
    if (location.group.empty()) {
        return true;
    }
    SettingsFile file(location.file);
    if (!file.intact()) {
        return false;
    }
    return file.hasGroup(location.group);
}

bool deleteValueAt(const KeyLocation& location, std::string_view name) {
    if (!holdsValues(location) || !location.writable || !isValidValueName(name) ||
        !isRegularFile(location.file)) {
        return false;
    }
    SettingsFile file(location.file);
    const std::string key = settingsKey(location.group, std::string(name));
    if (!file.intact() || !file.contains(key)) {
        return false;
    }
    file.removeValue(key);
    return file.commit();
}

// Deletes an existing key with everything below it.
bool deleteTreeAt(const KeyLocation& location) {
    if (!location.writable || location.parts.empty()) {
        return false;
    }
    if (!location.group.empty()) {
        SettingsFile file(location.file);
        if (!file.intact()) {
            return false;
        }
        file.removeGroup(location.group);
        return file.commit();
    }
    if (location.parts.size() == 2) {
        return SettingsFile::remove(location.file);
    }
    // One name: its own file and the files of the keys below it. Anything
    // else in its folder belongs to no key and stays.
    if (isRegularFile(location.file) && !SettingsFile::remove(location.file)) {
        return false;
    }
    const std::string folder = location.folder + "/" + location.parts[0];
    for (const std::string& path : settingsFilesIn(folder)) {
        if (!SettingsFile::remove(path)) {
            return false;
        }
    }
    (void)RemoveFolder(folder);  // succeeds only when nothing is left in it
    return true;
}

}  // namespace

RegistryKey::RegistryKey(std::string path, RegistryRoot defaultRoot)
    : path_(std::move(path)),
      defaultRoot_(defaultRoot),
      parsed_(ParseRegistryPath(path_, defaultRoot)) {}

bool RegistryKey::ReadString(std::string_view subkey, std::string_view name,
                             std::string& out) const {
    RegistryValue value;
    if (!readValue(locate(parsed_, subkey), name, value) || value.type != RegistryType::String) {
        return false;
    }
    out = std::move(value.text);
    return true;
}

bool RegistryKey::WriteString(std::string_view subkey, std::string_view name,
                              std::string_view text) {
    return writeValue(locate(parsed_, subkey), name, EncodeRegistryString(text));
}

bool RegistryKey::ReadDword(std::string_view subkey, std::string_view name,
                            std::uint32_t& out) const {
    RegistryValue value;
    if (!readValue(locate(parsed_, subkey), name, value) || value.type != RegistryType::Dword) {
        return false;
    }
    out = value.number;
    return true;
}

bool RegistryKey::WriteDword(std::string_view subkey, std::string_view name, std::uint32_t value) {
    return writeValue(locate(parsed_, subkey), name, EncodeRegistryDword(value));
}

bool RegistryKey::ReadBinary(std::string_view subkey, std::string_view name,
                             std::vector<std::uint8_t>& out) const {
    RegistryValue value;
    if (!readValue(locate(parsed_, subkey), name, value) || value.type != RegistryType::Binary) {
        return false;
    }
    out = std::move(value.bytes);
    return true;
}

bool RegistryKey::ReadBinary(std::string_view subkey, std::string_view name, CBinary& out) const {
    std::vector<std::uint8_t> bytes;
    return !out.isLocked() && ReadBinary(subkey, name, bytes) &&
           out.copyFrom(bytes.data(), bytes.size());
}

bool RegistryKey::WriteBinary(std::string_view subkey, std::string_view name, const void* bytes,
                              std::size_t length) {
    if (bytes == nullptr && length != 0) {
        return false;
    }
    return writeValue(locate(parsed_, subkey), name,
                      EncodeRegistryBinary(static_cast<const std::uint8_t*>(bytes), length));
}

bool RegistryKey::WriteBinary(std::string_view subkey, std::string_view name,
                              const CBinary& bytes) {
    return WriteBinary(subkey, name, bytes.data(), bytes.length());
}

bool RegistryKey::ValueType(std::string_view subkey, std::string_view name,
                            RegistryType& out) const {
    RegistryValue value;
    if (!readValue(locate(parsed_, subkey), name, value)) {
        return false;
    }
    out = value.type;
    return true;
}

bool RegistryKey::KeyExists(std::string_view subkey) const {
    return keyExistsAt(locate(parsed_, subkey));
}

bool RegistryKey::DeleteValue(std::string_view subkey, std::string_view name) {
    return deleteValueAt(locate(parsed_, subkey), name);
}

bool RegistryKey::DeleteKey(std::string_view path) {
    const RegistryPath target = ParseRegistryPath(path, defaultRoot_);
    if (target.root == RegistryRoot::None || isProtected(target.subkey)) {
        return false;
    }
    const KeyLocation location = LocateKey(target.root, target.subkey);
    if (keyExistsAt(location)) {
        return deleteTreeAt(location);
    }
    // Not a key: the last name is a value of the key before it.
    const std::string_view subkey = target.subkey;
    const std::size_t split = subkey.rfind('\\');
    if (split == std::string_view::npos) {
        return deleteValueAt(LocateKey(target.root, ""), subkey);
    }
    return deleteValueAt(LocateKey(target.root, subkey.substr(0, split)), subkey.substr(split + 1));
}

}  // namespace banmen
