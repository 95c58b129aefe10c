#pragma once
// One settings file opened through QSettings (INI format) for one short
// operation, with a guard for files that do not parse.
//
// QSettings keeps what it could parse of a broken file, and its next write
// would replace the file with only that. It also reports a bad line only in
// the object that happens to parse the line's section, and shares one parsed
// copy of each file among all objects of the process until the file changes
// on disk. So this wrapper parses every section at once and remembers, for
// the process, which files were broken at which size and time: a file is
// "intact" only when it parsed cleanly, and nothing is written into a file
// that is not intact.
//
// Writes are atomic (a temporary file renamed over the old one) and made
// under QSettings' lock file "NAME.conf.lock", which re-reads the file when
// another program changed it since, so two programs sharing the file keep
// each other's values. (QSettings tells a change by size and modification
// time: a change of the same size within the same clock tick would go
// unseen. And a file that someone breaks between the open and the commit is
// written with what QSettings could read; commit() then reports failure.)

#include <QSettings>
#include <QString>
#include <QVariant>
#include <string>

namespace banmen {

class SettingsFile {
  public:
    explicit SettingsFile(const std::string& path);
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    // Readable and parsed without error (a missing file is intact and empty).
    bool intact() const { return intact_; }
    QSettings& settings() { return settings_; }

    // Writes the changes made through settings(); true when they are on disk.
    bool commit();

    // Deletes the file under the same lock file that writers take.
    static bool remove(const std::string& path);

  private:
    std::string path_;
    QSettings settings_;
    bool intact_ = false;
};

// The key of a value named `name` in `group` ("" is the top level). The
// registry's unnamed value ("") is kept under the name "@".
QString settingsKey(const std::string& group, const std::string& name);

// Removes exactly one value, or exactly one group with everything below it.
// QSettings::remove("X") takes both the value "X" and the group "X"; the part
// that was not asked for is put back.
void removeValueOnly(QSettings& settings, const QString& key);
void removeGroupOnly(QSettings& settings, const QString& group);

}  // namespace banmen
