#include "platform/settings/file_type_registration.h"

#include <QFile>

#include "platform/settings/registry_key.h"

namespace banmen {
namespace {

constexpr char kClassesRoot[] = "HKEY_CLASSES_ROOT";

RegistryKey classesRoot() {
    return RegistryKey(kClassesRoot);
}

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace

bool RegisterFileType(const FileTypeRegistration& type) {
    RegistryKey root = classesRoot();
    const std::string extensionKey = "." + type.extension;
    const bool written = root.WriteString(type.typeName, "", type.description) &&
                         root.WriteString(type.typeName + "\\DefaultIcon", "",
                                          type.program + "," + std::to_string(type.iconIndex)) &&
                         root.WriteString(type.typeName + "\\shell\\open\\command", "",
                                          "\"" + type.program + "\" %1") &&
                         root.WriteString(extensionKey, "", type.typeName) &&
                         root.WriteString(extensionKey, "Content Type", type.contentType);
    if (!written) {
        return false;
    }
    DesktopFileType desktop;
    desktop.extension = type.extension;
    desktop.contentType = type.contentType;
    desktop.description = type.description;
    desktop.program = type.program;
    desktop.programName = type.programName;
    desktop.icons = type.icons;
    return InstallDesktopFileType(desktop).isOk();
}

bool UnregisterFileType(std::string_view extension) {
    RegistryKey root = classesRoot();
    const std::string extensionKey = "." + std::string(extension);
    if (!root.KeyExists(extensionKey)) {
        return false;
    }
    std::string typeName;
    if (root.ReadString(extensionKey, "", typeName) && !typeName.empty()) {
        (void)root.DeleteKey(std::string(kClassesRoot) + "\\" + typeName);
    }
    (void)root.DeleteKey(std::string(kClassesRoot) + "\\" + extensionKey);
    RemoveDesktopFileType(std::string(extension));
    return true;
}

std::vector<DesktopIcon> ProgramIcons() {
    std::vector<DesktopIcon> icons;
    for (const int size : kIconSizes) {
        QFile file(QStringLiteral(":/icons/banmen-%1.png").arg(size));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray bytes = file.readAll();
        icons.push_back({size, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
    }
    return icons;
}

}  // namespace banmen
