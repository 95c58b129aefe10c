#pragma once
// Registry path texts: "ROOT\Sub\Key". The root name is one of the four below,
// compared without regard to ASCII case and followed by "\" or the end of the
// text; a path that starts with no root name takes the caller's default root
// and is the subkey as a whole.

#include <string>
#include <string_view>
#include <vector>

namespace banmen {

enum class RegistryRoot {
    None,  // no root: the path is invalid and every operation on it fails
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
};

struct RegistryPath {
    RegistryRoot root = RegistryRoot::None;
    std::string subkey;  // "" for the root itself
};

RegistryPath ParseRegistryPath(std::string_view path, RegistryRoot defaultRoot);

// Key and value names compare as the registry compares them: ASCII letters
// without regard to case, every other byte exactly.
bool sameRegistryName(std::string_view a, std::string_view b);

// Splits a subkey at "\" into its names, skipping empty ones ("A\\B\" is
// "A", "B"). Fails on a name that cannot become a file or group name: ".",
// "..", or one holding "/", a NUL or bytes that are not UTF-8.
bool splitRegistrySubkey(std::string_view subkey, std::vector<std::string>& parts);

// "a\b" from "a" and "b"; either side may be empty.
std::string joinRegistrySubkey(std::string_view a, std::string_view b);

// True for UTF-8 without overlong forms, surrogates or values past U+10FFFF.
bool isValidUtf8(std::string_view text);

}  // namespace banmen
