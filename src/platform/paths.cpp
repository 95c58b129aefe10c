#include "platform/paths.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace banmen {

namespace {

// What tells the two path syntaxes apart.
struct Syntax {
    char separator;
    bool doubleByte;  // skip the second byte of Shift-JIS characters
};

constexpr Syntax kNative{'/', false};
constexpr Syntax kStored{'\\', true};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Bytes of the character at `position`: 2 for a Shift-JIS double-byte
// character, else 1. A lead byte at the very end stands alone.
std::size_t characterLength(const Syntax& syntax, std::string_view text, std::size_t position) {
    if (syntax.doubleByte && sjis::isLeadByte(static_cast<unsigned char>(text[position])) &&
        position + 1 < text.size()) {
        return 2;
    }
    return 1;
}

void trim(std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    text = text.substr(begin, end - begin);
}

bool normalize(const Syntax& syntax, std::string& path) {
    trim(path);
    std::string_view rest = path;
    std::string out;
    out.reserve(path.size());
    bool afterSeparator = false;
    if (syntax.doubleByte) {
        if (rest.starts_with("\\\\?\\")) {
            rest.remove_prefix(4);
        }
        // A network name keeps its two leading backslashes. There is no
        // network share to look for on this platform, so it is kept as it is.
        if (rest.starts_with("\\\\")) {
            out = "\\\\";
            rest.remove_prefix(2);
            afterSeparator = true;
        }
    }
    std::size_t position = 0;
    while (position < rest.size()) {
        const std::size_t length = characterLength(syntax, rest, position);
        const char c = rest[position];
        if (length == 2) {
            out.append(rest.substr(position, 2));
            afterSeparator = false;
        } else if (c == syntax.separator) {
            if (!afterSeparator) {
                out += c;
            }
            afterSeparator = true;
        } else if (c != '"') {
            out += c;
            afterSeparator = false;
        }
        position += length;
    }
    trim(out);
    path = std::move(out);
    return !path.empty();
}

// Where the last separator and the last dot of the file name are.
struct Marks {
    std::size_t separator = std::string_view::npos;
    std::size_t dot = std::string_view::npos;  // only after `separator`
};

Marks scan(const Syntax& syntax, std::string_view text) {
    Marks marks;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t length = characterLength(syntax, text, position);
        if (length == 1 && text[position] == syntax.separator) {
            marks.separator = position;
            marks.dot = std::string_view::npos;
        } else if (length == 1 && text[position] == '.') {
            marks.dot = position;
        }
        position += length;
    }
    return marks;
}

std::size_t nameStart(const Marks& marks) {
    return marks.separator == std::string_view::npos ? 0 : marks.separator + 1;
}

enum class Part { Folder, FileName, Title, Extension };

bool split(const Syntax& syntax, std::string_view path, Part part, std::string& out) {
    std::string text(path);
    if (!normalize(syntax, text)) {
        return false;
    }
    const Marks marks = scan(syntax, text);
    switch (part) {
        case Part::Folder:
            if (marks.separator == std::string_view::npos) {
                return false;
            }
            // The root folder keeps its separator: the folder of "/x" is "/".
            out = marks.separator == 0 && syntax.separator == '/' ? std::string(1, '/')
                                                                  : text.substr(0, marks.separator);
            return true;
        case Part::FileName:
            if (marks.separator == std::string_view::npos) {
                return false;
            }
            out = text.substr(marks.separator + 1);
            return true;
        case Part::Title:
            if (marks.dot == std::string_view::npos) {
                return false;
            }
            out = text.substr(nameStart(marks), marks.dot - nameStart(marks));
            return true;
        case Part::Extension:
            if (marks.dot == std::string_view::npos) {
                return false;
            }
            out = text.substr(marks.dot);
            return true;
    }
    return false;
}

std::string splitOrEmpty(const Syntax& syntax, std::string_view path, Part part) {
    std::string out;
    return split(syntax, path, part, out) ? out : std::string();
}

std::string join(const Syntax& syntax, std::string_view folder, std::string_view name) {
    // An empty (or blank) folder leaves the name relative instead of rooting it.
    std::string text(folder);
    trim(text);
    if (!text.empty()) {
        text = std::string(folder) + syntax.separator;
    }
    text += name;
    return normalize(syntax, text) ? text : std::string();
}

}  // namespace

namespace path {

bool NormalizePath(std::string& path) {
    return normalize(kNative, path);
}

std::string AbsolutePath(std::string_view path) {
    std::string normalised(path);
    if (!NormalizePath(normalised)) {
        return {};
    }
    std::error_code error;
    std::string absolute = std::filesystem::absolute(normalised, error).lexically_normal().string();
    if (error || !NormalizePath(absolute)) {
        return {};
    }
    return absolute;
}

std::string PathJoin(std::string_view folder, std::string_view name) {
    return join(kNative, folder, name);
}

bool PathFolder(std::string_view path, std::string& out) {
    return split(kNative, path, Part::Folder, out);
}
bool PathFileName(std::string_view path, std::string& out) {
    return split(kNative, path, Part::FileName, out);
}
bool PathTitle(std::string_view path, std::string& out) {
    return split(kNative, path, Part::Title, out);
}
bool PathExtension(std::string_view path, std::string& out) {
    return split(kNative, path, Part::Extension, out);
}

std::string PathFolder(std::string_view path) {
    return splitOrEmpty(kNative, path, Part::Folder);
}
std::string PathFileName(std::string_view path) {
    return splitOrEmpty(kNative, path, Part::FileName);
}
std::string PathTitle(std::string_view path) {
    return splitOrEmpty(kNative, path, Part::Title);
}
std::string PathExtension(std::string_view path) {
    return splitOrEmpty(kNative, path, Part::Extension);
}

bool sameExtension(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace path

namespace sjispath {

bool NormalizePath(std::string& path) {
    return normalize(kStored, path);
}

std::string PathJoin(std::string_view folder, std::string_view name) {
    return join(kStored, folder, name);
}

bool PathFolder(std::string_view path, std::string& out) {
    return split(kStored, path, Part::Folder, out);
}
bool PathFileName(std::string_view path, std::string& out) {
    return split(kStored, path, Part::FileName, out);
}
bool PathTitle(std::string_view path, std::string& out) {
    return split(kStored, path, Part::Title, out);
}
bool PathExtension(std::string_view path, std::string& out) {
    return split(kStored, path, Part::Extension, out);
}

std::string PathFolder(std::string_view path) {
    return splitOrEmpty(kStored, path, Part::Folder);
}
std::string PathFileName(std::string_view path) {
    return splitOrEmpty(kStored, path, Part::FileName);
}
std::string PathTitle(std::string_view path) {
    return splitOrEmpty(kStored, path, Part::Title);
}
std::string PathExtension(std::string_view path) {
    return splitOrEmpty(kStored, path, Part::Extension);
}

std::vector<std::string> splitParts(std::string_view name) {
    std::vector<std::string> parts;
    std::string current;
    std::size_t position = 0;
    while (position < name.size()) {
        const std::size_t length = characterLength(kStored, name, position);
        if (length == 1 && name[position] == '\\') {
            if (!current.empty()) {
                parts.push_back(std::move(current));
                current.clear();
            }
        } else {
            current.append(name.substr(position, length));
        }
        position += length;
    }
    if (!current.empty()) {
        parts.push_back(std::move(current));
    }
    return parts;
}

}  // namespace sjispath

}  // namespace banmen
