#include "platform/settings/registry_path.h"

#include <array>

namespace banmen {

namespace {

struct RootName {
    std::string_view name;
    RegistryRoot root;
};

constexpr std::array<RootName, 4> kRootNames{{
    {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
    {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {"HKEY_USERS", RegistryRoot::Users},
}};

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of the UTF-8 sequence starting at text[i], or 0 when it is invalid.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

RegistryPath ParseRegistryPath(std::string_view path, RegistryRoot defaultRoot) {
    for (const RootName& root : kRootNames) {
        const std::size_t length = root.name.size();
        if (path.size() >= length && sameRegistryName(path.substr(0, length), root.name) &&
            (path.size() == length || path[length] == '\\')) {
            const std::size_t rest = path.size() == length ? length : length + 1;
            return {root.root, std::string(path.substr(rest))};
        }
    }
    return {defaultRoot, std::string(path)};
}

bool sameRegistryName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool splitRegistrySubkey(std::string_view subkey, std::vector<std::string>& parts) {
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start <= subkey.size()) {
        std::size_t end = subkey.find('\\', start);
        if (end == std::string_view::npos) {
            end = subkey.size();
        }
        const std::string_view name = subkey.substr(start, end - start);
        if (!name.empty()) {
            if (name == "." || name == ".." || name.find('/') != std::string_view::npos ||
                name.find('\0') != std::string_view::npos || !isValidUtf8(name)) {
                return false;
            }
            found.emplace_back(name);
        }
        start = end + 1;
    }
    parts = std::move(found);
    return true;
}

std::string joinRegistrySubkey(std::string_view a, std::string_view b) {
    if (a.empty()) {
        return std::string(b);
    }
    if (b.empty()) {
        return std::string(a);
    }
    std::string joined(a);
    joined += '\\';
    joined += b;
    return joined;
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace banmen
