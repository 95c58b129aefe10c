#include "model/archive_names.h"

#include <optional>

#include "model/archive_format.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

// "." and ".." and what some systems trim down to them ("...", ". .").
bool onlyDotsAndBlanks(std::string_view part) {
    return part.find_first_not_of(". ") == std::string_view::npos;
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

Status storedEntryName(std::string_view native, std::string& stored) {
    std::string out;
    if (!native.empty() && native.front() == '/') {
        out = "\\";
    }
    std::size_t start = 0;
    bool first = true;
    while (start <= native.size()) {
        std::size_t end = native.find('/', start);
        if (end == std::string_view::npos) {
            end = native.size();
        }
        const std::string_view part = native.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            continue;
        }
        if (part.find('\\') != std::string_view::npos) {
            return Status::error("the name \"" + std::string(native) +
                                 "\" holds \"\\\", which separates folders in an archive");
        }
        std::optional<std::string> converted = sjis::fromUtf8(part);
        if (!converted) {
            return Status::error("the name \"" + std::string(native) +
                                 "\" cannot be written in Shift-JIS");
        }
        if (!first) {
            out += '\\';
        }
        out += *converted;
        first = false;
    }
    if (first) {
        return Status::error("empty name");
    }
    if (out.size() + 1 > kArchiveMaxNameLength) {
        return Status::error("the name \"" + std::string(native) + "\" is longer than " +
                             std::to_string(kArchiveMaxNameLength - 1) + " bytes");
    }
    stored = std::move(out);
    return Status::ok();
}

Status entryNameParts(std::string_view name, std::vector<std::string>& parts) {
    if (name.empty()) {
        return Status::error("empty name");
    }
    if (name.front() == '\\' || name.front() == '/') {
        return Status::error("absolute name");
    }
    // Neither byte can be the second half of a Shift-JIS character, so a
    // plain scan finds exactly the real ones.
    for (char c : name) {
        if (c == '\0') {
            return Status::error("NUL inside the name");
        }
        if (c == '/') {
            return Status::error("\"/\" inside a part of the name");
        }
        if (c == ':') {
            return Status::error("drive letter or \":\" in the name");
        }
    }
    std::vector<std::string> out;
    for (const std::string& part : sjispath::splitParts(name)) {
        if (onlyDotsAndBlanks(part)) {
            return Status::error("the name climbs out of the destination (\"" + part + "\")");
        }
        std::optional<std::string> converted = sjis::toUtf8(part);
        if (!converted) {
            return Status::error("the name cannot be converted from Shift-JIS");
        }
        // Conversion cannot make these, but the join below relies on it.
        if (converted->find('/') != std::string::npos || onlyDotsAndBlanks(*converted)) {
            return Status::error("the name climbs out of the destination");
        }
        out.push_back(std::move(*converted));
    }
    if (out.empty()) {
        return Status::error("empty name");
    }
    parts = std::move(out);
    return Status::ok();
}

Status fullPathNameParts(std::string_view name, std::vector<std::string>& parts) {
    if (name.size() >= 2 && isDriveLetter(name[0]) && name[1] == ':') {
        name.remove_prefix(2);
    }
    while (!name.empty() && name.front() == '\\') {
        name.remove_prefix(1);
    }
    return entryNameParts(name, parts);
}

std::string displayEntryName(std::string_view stored) {
    return sjis::toUtf8Lossy(stored);
}

}  // namespace banmen
