#pragma once
// One settings file (INI, see ini_document.h) opened for one short
// operation: read and parsed at once, changed in memory, written back by
// commit().
//
// A file that does not parse is not "intact": its values read as missing
// and nothing is ever written into it (a rewrite would keep only what could
// be read). A missing file is intact and empty.
//
// commit() takes the lock file "NAME.conf.lock" (the one QSettings takes, so
// programs using either share the file safely), reads the file anew, applies
// the changes made through this object, and writes the result through the
// platform's file layer: a temporary file renamed over the old one and
// flushed, so that a failure leaves the file as it was. Values that another
// program wrote since this object read the file are kept.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings/ini_document.h"

namespace banmen {

class SettingsFile {
  public:
    explicit SettingsFile(const std::string& path);
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    bool intact() const { return intact_; }

    // Keys as in IniDocument: "group/name", "name" at the top level.
    std::optional<std::string> text(std::string_view key) const { return document_.text(key); }
    bool contains(std::string_view key) const { return document_.contains(key); }
    bool hasGroup(std::string_view group) const { return document_.hasGroup(group); }

    void setText(std::string_view key, std::string_view value);
    void removeValue(std::string_view key);
    void removeGroup(std::string_view group);

    // Writes the changes; true when they are on the disk.
    bool commit();

    // Deletes the file under the same lock file that writers take.
    static bool remove(const std::string& path);

  private:
    struct Change {
        enum class Kind { Set, RemoveValue, RemoveGroup } kind;
        std::string key;
        std::string value;
    };
    void apply(IniDocument& document, const Change& change) const;

    std::string path_;
    IniDocument document_;
    std::vector<Change> changes_;
    bool intact_ = false;
};

// The key of a value named `name` in `group` ("" is the top level). The
// registry's unnamed value ("") is kept under the name "@".
std::string settingsKey(const std::string& group, const std::string& name);

}  // namespace banmen
