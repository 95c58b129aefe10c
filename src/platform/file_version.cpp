#include "platform/file_version.h"

#include <sys/stat.h>

#include <climits>

#include "platform/base_folder.h"
#include "platform/paths.h"

#ifndef BANMEN_VERSION_STRING
#error "BANMEN_VERSION_STRING must be defined by the build"
#endif

namespace banmen {

const char* const kProgramFileVersion = BANMEN_VERSION_STRING;

bool parseVersionString(std::string_view text, std::array<int, 4>& out) {
    std::array<int, 4> numbers{};
    std::size_t found = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        if (text[position] < '0' || text[position] > '9') {
            ++position;
            continue;
        }
        long long value = 0;
        while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
            // Saturate rather than overflow on an absurdly long run of digits.
            value = value * 10 + (text[position] - '0');
            if (value > INT_MAX) {
                value = INT_MAX;
            }
            ++position;
        }
        if (found < numbers.size()) {
            numbers[found] = static_cast<int>(value);
        }
        ++found;
    }
    if (found == 0) {
        return false;
    }
    out = numbers;
    return true;
}

bool FileVersion(const std::string& path, std::array<int, 4>& out) {
    std::string target = path;
    if (!path::NormalizePath(target)) {
        return false;
    }
    const std::string self = ModulePath();
    struct stat targetStatus {};
    struct stat selfStatus {};
    if (self.empty() || stat(target.c_str(), &targetStatus) != 0 ||
        stat(self.c_str(), &selfStatus) != 0 || targetStatus.st_dev != selfStatus.st_dev ||
        targetStatus.st_ino != selfStatus.st_ino) {
        return false;
    }
    return parseVersionString(kProgramFileVersion, out);
}

}  // namespace banmen
