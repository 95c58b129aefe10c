#include "platform/settings/settings_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <map>
#include <utility>

namespace banmen {

namespace {

// What QSettings compares to tell whether a file changed on disk.
struct FileStamp {
    qint64 size = -1;
    qint64 modified = 0;  // milliseconds since the epoch
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {};
    }
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

// Files found broken in this process, with the stamp they had then. While a
// file keeps that stamp, QSettings serves its cached partial parse without
// parsing again, and reports no error.
std::map<std::string, FileStamp>& brokenFiles() {
    static std::map<std::string, FileStamp> files;
    return files;
}

QString lockFileName(const QString& path) {
    return path + QStringLiteral(".lock");
}

}  // namespace

SettingsFile::SettingsFile(const std::string& path)
    : path_(path), settings_(QString::fromStdString(path), QSettings::IniFormat) {
    // QSettings parses a section when it is first used: use them all now, so
    // that a bad line anywhere shows in status().
    (void)settings_.allKeys();
    auto& broken = brokenFiles();
    const auto known = broken.find(path_);
    switch (settings_.status()) {
        case QSettings::NoError:
            if (known != broken.end() && known->second == stampOf(settings_.fileName())) {
                intact_ = false;
            } else {
                if (known != broken.end()) {
                    broken.erase(known);
                }
                intact_ = true;
            }
            break;
        case QSettings::FormatError:
            broken[path_] = stampOf(settings_.fileName());
            intact_ = false;
            break;
        case QSettings::AccessError:
            intact_ = false;
            break;
    }
}

bool SettingsFile::commit() {
    if (!intact_) {
        return false;
    }
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

bool SettingsFile::remove(const std::string& path) {
    const QString name = QString::fromStdString(path);
    QLockFile lock(lockFileName(name));
    if (!lock.lock()) {
        return false;
    }
    return QFile::remove(name);
}

QString settingsKey(const std::string& group, const std::string& name) {
    const QString valueName = name.empty() ? QStringLiteral("@") : QString::fromStdString(name);
    if (group.empty()) {
        return valueName;
    }
    return QString::fromStdString(group) + u'/' + valueName;
}

void removeValueOnly(QSettings& settings, const QString& key) {
    // The group of the same name and everything in it.
    std::vector<std::pair<QString, QVariant>> keep;
    settings.beginGroup(key);
    const QStringList below = settings.allKeys();
    for (const QString& name : below) {
        keep.emplace_back(key + u'/' + name, settings.value(name));
    }
    settings.endGroup();
    settings.remove(key);
    for (const auto& [name, value] : keep) {
        settings.setValue(name, value);
    }
}

void removeGroupOnly(QSettings& settings, const QString& group) {
    const bool hasValue = settings.contains(group);
    const QVariant value = settings.value(group);
    settings.remove(group);
    if (hasValue) {
        settings.setValue(group, value);
    }
}

}  // namespace banmen
