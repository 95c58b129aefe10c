#include "platform/desktop_entries.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

extern char** environ;

namespace banmen {
namespace {

std::string hicolorFolder() {
    return path::PathJoin(DataHomeFolder(), "icons/hicolor");
}

std::string packagePath(const std::string& extension) {
    return path::PathJoin(DataHomeFolder(), "mime/packages/" + DesktopId(extension) + ".xml");
}

std::string entryPath(const std::string& extension) {
    return path::PathJoin(DataHomeFolder(), "applications/" + DesktopId(extension) + ".desktop");
}

std::string iconPath(const std::string& extension, int size) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    return path::PathJoin(hicolorFolder(), folder + "/apps/" + DesktopId(extension) + ".png");
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A value of a desktop entry's string keys: one line, backslash escaped.
std::string entryValue(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string mimePackage(const DesktopFileType& type) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           xmlEscaped(type.contentType) +
           "\">\n"
           "    <comment>" +
           xmlEscaped(type.description) +
           "</comment>\n"
           "    <icon name=\"" +
           DesktopId(type.extension) +
           "\"/>\n"
           "    <glob pattern=\"*." +
           xmlEscaped(type.extension) +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string desktopEntry(const DesktopFileType& type) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           entryValue(type.programName) + "\nComment=" + entryValue(type.description) +
           "\nExec=" + entryValue(DesktopExecLine(type.program)) +
           "\nIcon=" + DesktopId(type.extension) + "\nMimeType=" + entryValue(type.contentType) +
           ";\nTerminal=false\nCategories=Game;BoardGame;\n";
}

Status writeText(const std::string& path, const std::string& text) {
    if (Status made = CreateFolderTree(path::PathFolder(path)); !made) {
        return made.withContext(path::PathFolder(path));
    }
    return WriteFileAtomically(path, text.data(), text.size()).withContext(path);
}

// The executable `name` on $PATH, or empty.
std::string findOnPath(const std::string& name) {
    const char* value = std::getenv("PATH");
    const std::string list = value != nullptr ? value : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string folder = list.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = path::PathJoin(folder, name);
            if (access(candidate.c_str(), X_OK) == 0 && !IsFolder(candidate)) {
                return candidate;
            }
        }
        start = end + 1;
    }
    return {};
}

void runQuietly(const std::string& program, const std::string& argument) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string arg0 = program;
    std::string arg1 = argument;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

std::string DataHomeFolder() {
    const char* value = std::getenv("XDG_DATA_HOME");
    std::string data = value != nullptr ? value : "";
    if (data.empty() || data[0] != '/') {
        data = path::PathJoin(HomeFolder(), ".local/share");
    }
    while (data.size() > 1 && data.back() == '/') {
        data.pop_back();
    }
    return data;
}

std::string DesktopId(const std::string& extension) {
    return "banmen-" + extension;
}

std::vector<std::string> DesktopFilesOf(const std::string& extension,
                                        const std::vector<int>& iconSizes) {
    std::vector<std::string> files{packagePath(extension), entryPath(extension)};
    for (const int size : iconSizes) {
        files.push_back(iconPath(extension, size));
    }
    return files;
}

Status InstallDesktopFileType(const DesktopFileType& type) {
    if (Status written = writeText(packagePath(type.extension), mimePackage(type)); !written) {
        return written;
    }
    if (Status written = writeText(entryPath(type.extension), desktopEntry(type)); !written) {
        return written;
    }
    for (const DesktopIcon& icon : type.icons) {
        const std::string path = iconPath(type.extension, icon.size);
        if (Status made = CreateFolderTree(path::PathFolder(path)); !made) {
            return made;
        }
        if (Status written = WriteFileAtomically(path, icon.png.data(), icon.png.size());
            !written) {
            return written.withContext(path);
        }
    }
    return Status::ok();
}

void RemoveDesktopFileType(const std::string& extension) {
    (void)DeleteFile(packagePath(extension));
    (void)DeleteFile(entryPath(extension));
    std::vector<std::string> sizes;
    if (ListFolder(hicolorFolder(), sizes)) {
        for (const std::string& size : sizes) {
            const std::string icon =
                path::PathJoin(hicolorFolder(), size + "/apps/" + DesktopId(extension) + ".png");
            if (FileExists(icon)) {
                (void)DeleteFile(icon);
            }
        }
    }
}

void RefreshDesktopDatabases() {
    const std::string data = DataHomeFolder();
    if (const std::string tool = findOnPath("update-mime-database"); !tool.empty()) {
        runQuietly(tool, path::PathJoin(data, "mime"));
    }
    if (const std::string tool = findOnPath("update-desktop-database"); !tool.empty()) {
        runQuietly(tool, path::PathJoin(data, "applications"));
    }
}

std::string DesktopExecLine(const std::string& program) {
    // Inside double quotes the entry format wants ", `, $ and \ escaped; a
    // literal % is written %%.
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    return quoted + "\" %f";
}

}  // namespace banmen
