#include "platform/settings/settings_file.h"

#include <QLockFile>
#include <QString>
#include <cerrno>
#include <cstdint>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace banmen {
namespace {

// Reads and parses the file; a missing file is an empty document.
bool load(const std::string& path, IniDocument& document) {
    std::vector<std::uint8_t> bytes;
    if (!FileExists(path)) {
        document = IniDocument();
        return true;
    }
    if (!ReadWholeFile(path, bytes)) {
        return false;
    }
    return document.parse({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

QString lockFileName(const std::string& path) {
    return QString::fromStdString(path + ".lock");
}

}  // namespace

SettingsFile::SettingsFile(const std::string& path) : path_(path) {
    intact_ = load(path_, document_);
}

void SettingsFile::setText(std::string_view key, std::string_view value) {
    changes_.push_back({Change::Kind::Set, std::string(key), std::string(value)});
    apply(document_, changes_.back());
}

void SettingsFile::removeValue(std::string_view key) {
    changes_.push_back({Change::Kind::RemoveValue, std::string(key), {}});
    apply(document_, changes_.back());
}

void SettingsFile::removeGroup(std::string_view group) {
    changes_.push_back({Change::Kind::RemoveGroup, std::string(group), {}});
    apply(document_, changes_.back());
}

void SettingsFile::apply(IniDocument& document, const Change& change) const {
    switch (change.kind) {
        case Change::Kind::Set:
            document.setText(change.key, change.value);
            break;
        case Change::Kind::RemoveValue:
            document.removeValue(change.key);
            break;
        case Change::Kind::RemoveGroup:
            document.removeGroup(change.key);
            break;
    }
}

bool SettingsFile::commit() {
    if (!intact_) {
        return false;
    }
    if (changes_.empty()) {
        return true;
    }
    std::string folder;
    if (!path::PathFolder(path_, folder) || !CreateFolderTree(folder)) {
        return false;
    }
    QLockFile lock(lockFileName(path_));
    if (!lock.lock()) {
        return false;
    }
    // Another program may have written the file since it was read here.
    IniDocument current;
    if (!load(path_, current)) {
        return false;
    }
    for (const Change& change : changes_) {
        apply(current, change);
    }
    const std::string text = current.serialize();
    if (!WriteFileAtomically(path_, text.data(), text.size())) {
        return false;
    }
    document_ = std::move(current);
    changes_.clear();
    return true;
}

bool SettingsFile::remove(const std::string& path) {
    QLockFile lock(lockFileName(path));
    if (!lock.lock()) {
        return false;
    }
    return DeleteFile(path).isOk();
}

std::string settingsKey(const std::string& group, const std::string& name) {
    const std::string valueName = name.empty() ? std::string("@") : name;
    return group.empty() ? valueName : group + "/" + valueName;
}

}  // namespace banmen
