// ExpandFolderTokens: the folder tokens of paths ("%TEMP%", "%Desktop%", ...)
// mapped to this platform's folders, then environment variables.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace banmen::path {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

enum class FolderKind { System, Temporary, Desktop };

struct FolderToken {
    std::string_view token;
    FolderKind kind;
};

// Recognised exactly as written, in this order.
constexpr FolderToken kFolderTokens[] = {
    {"%SYSTEM%", FolderKind::System},          {"%System%", FolderKind::System},
    {"%SYSTEMROOT%", FolderKind::System},      {"%SystemRoot%", FolderKind::System},
    {"%TEMP%", FolderKind::Temporary},         {"%Temp%", FolderKind::Temporary},
    {"%USERTEMP%", FolderKind::Temporary},     {"%UserTemp%", FolderKind::Temporary},
    {"%DESKTOP%", FolderKind::Desktop},        {"%Desktop%", FolderKind::Desktop},
    {"%USERDESKTOP%", FolderKind::Desktop},    {"%UserDesktop%", FolderKind::Desktop},
    {"%ALLUSERDESKTOP%", FolderKind::Desktop}, {"%AllUserDesktop%", FolderKind::Desktop},
};

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

// The desktop as xdg-user-dir finds it, except that the environment comes
// first: $XDG_DESKTOP_DIR, the XDG_DESKTOP_DIR line of user-dirs.dirs,
// ~/Desktop.
std::string desktopFolder() {
    std::string folder = environmentValue("XDG_DESKTOP_DIR");
    if (!folder.empty()) {
        return folder;
    }
    const std::string home = HomeFolder();
    std::string config = environmentValue("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/') {
        config = home + "/.config";
    }
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(config + "/user-dirs.dirs", bytes).isOk()) {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        std::size_t begin = 0;
        while (begin < text.size()) {
            std::size_t end = text.find('\n', begin);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            std::string_view line = text.substr(begin, end - begin);
            begin = end + 1;
            while (!line.empty() && isBlank(line.front())) {
                line.remove_prefix(1);
            }
            constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
            if (!line.starts_with(kKey)) {
                continue;
            }
            line.remove_prefix(kKey.size());
            // The value is a shell word: "$HOME/..." or an absolute path,
            // usually quoted, with backslash escapes.
            std::string value;
            for (std::size_t i = 0; i < line.size(); ++i) {
                if (line[i] == '"') {
                    continue;
                }
                if (line[i] == '\\' && i + 1 < line.size()) {
                    ++i;
                }
                value += line[i];
            }
            while (!value.empty() && isBlank(value.back())) {
                value.pop_back();
            }
            if (value == "$HOME" || value.starts_with("$HOME/")) {
                value = home + value.substr(5);
            }
            if (!value.empty() && value[0] == '/') {
                folder = value;
            }
        }
    }
    return folder.empty() ? home + "/Desktop" : folder;
}

std::string folderFor(FolderKind kind) {
    switch (kind) {
        case FolderKind::System:
            // The system libraries' folder stands in for the Windows system directory.
            return "/usr/lib";
        case FolderKind::Temporary: {
            const std::string folder = environmentValue("TMPDIR");
            return withoutTrailingSeparators(folder.empty() ? std::string("/tmp") : folder);
        }
        case FolderKind::Desktop:
            return withoutTrailingSeparators(desktopFolder());
    }
    return {};
}

// Exactly one "/" between the folder and what follows it.
std::string joinAround(std::string_view before, std::string_view folder, std::string_view after) {
    std::string out(before);
    out += folder;
    if (after.empty()) {
        return out;
    }
    const bool folderHas = !folder.empty() && folder.back() == '/';
    const bool afterHas = after.front() == '/';
    if (folderHas && afterHas) {
        after.remove_prefix(1);
    } else if (!folderHas && !afterHas) {
        out += '/';
    }
    out += after;
    return out;
}

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9');
}

// "%VAR%", "$VAR" and "${VAR}" from the environment. A reference to a variable
// that is not set stays as written.
std::string expandEnvironment(std::string_view text) {
    std::string out;
    std::size_t position = 0;
    while (position < text.size()) {
        const char c = text[position];
        std::size_t nameBegin = 0;
        std::size_t nameEnd = 0;
        std::size_t next = 0;
        if (c == '%') {
            const std::size_t close = text.find('%', position + 1);
            if (close != std::string_view::npos && close > position + 1) {
                nameBegin = position + 1;
                nameEnd = close;
                next = close + 1;
            }
        } else if (c == '$' && position + 1 < text.size()) {
            if (text[position + 1] == '{') {
                const std::size_t close = text.find('}', position + 2);
                if (close != std::string_view::npos && close > position + 2) {
                    nameBegin = position + 2;
                    nameEnd = close;
                    next = close + 1;
                }
            } else if (isNameStart(text[position + 1])) {
                nameBegin = position + 1;
                nameEnd = nameBegin;
                while (nameEnd < text.size() && isNameChar(text[nameEnd])) {
                    ++nameEnd;
                }
                next = nameEnd;
            }
        }
        if (next != 0) {
            const std::string name(text.substr(nameBegin, nameEnd - nameBegin));
            if (const char* value = std::getenv(name.c_str()); value != nullptr) {
                out += value;
                position = next;
                continue;
            }
        }
        out += c;
        ++position;
    }
    return out;
}

}  // namespace

std::string ExpandFolderTokens(std::string_view path) {
    std::string text(path);
    if (!NormalizePath(text)) {
        return {};
    }
    for (const FolderToken& entry : kFolderTokens) {
        std::size_t position = 0;
        std::string folder;
        bool haveFolder = false;
        while (text.find('%') != std::string::npos &&
               (position = text.find(entry.token, position)) != std::string::npos) {
            if (!haveFolder) {
                folder = folderFor(entry.kind);
                haveFolder = true;
            }
            const std::string before = text.substr(0, position);
            const std::string after = text.substr(position + entry.token.size());
            text = joinAround(before, folder, after);
            // Go on after the folder, which may itself hold a token-like text.
            position = before.size() + folder.size();
        }
    }
    text = expandEnvironment(text);
    return NormalizePath(text) ? text : std::string();
}

}  // namespace banmen::path
