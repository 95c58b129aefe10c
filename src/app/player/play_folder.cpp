#include "app/player/play_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace banmen::player {
namespace {

// The owner file is one short line; anything longer is not ours.
constexpr std::size_t kOwnerFileMax = 64;

struct Owner {
    long pid = 0;
    unsigned long long start = 0;
};

bool readNumber(std::string_view text, auto& out) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, out);
    return !text.empty() && error == std::errc() && at == end;
}

// The start time of a running process (field 22 of /proc/PID/stat), or
// nothing when no such process runs.
std::optional<unsigned long long> processStart(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    if (!in) {
        return std::nullopt;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string stat = buffer.str();
    // The command name, in parentheses, may hold blanks and parentheses.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return 0;  // runs, start unknown
    }
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    // Fields after the name start at number 3 (the state); 22 is the start.
    for (int number = 3; number <= 22; ++number) {
        if (!(fields >> field)) {
            return 0;
        }
    }
    unsigned long long start = 0;
    return readNumber(field, start) ? start : 0;
}

std::optional<Owner> readOwner(const std::string& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > static_cast<off_t>(kOwnerFileMax)) {
        return std::nullopt;
    }
    std::ifstream in(file);
    std::string pidText, startText, rest;
    if (!(in >> pidText >> startText) || (in >> rest)) {
        return std::nullopt;
    }
    Owner owner;
    if (!readNumber(pidText, owner.pid) || owner.pid <= 0 || !readNumber(startText, owner.start)) {
        return std::nullopt;
    }
    return owner;
}

// True only when the folder is clearly one a player left behind.
bool isStale(const std::string& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        return false;
    }
    const std::optional<Owner> owner = readOwner(path::PathJoin(folder, kOwnerFileName));
    if (!owner) {
        return false;
    }
    const std::optional<unsigned long long> start = processStart(owner->pid);
    // A start time that cannot be read (0) counts as the same process.
    return !start || (*start != 0 && owner->start != 0 && *start != owner->start);
}

}  // namespace

std::string temporaryParent() {
    const char* folder = std::getenv("TMPDIR");
    if (folder != nullptr && folder[0] == '/') {
        std::string parent(folder);
        while (parent.size() > 1 && parent.back() == '/') {
            parent.pop_back();
        }
        return parent;
    }
    return "/tmp";
}

PlayFolder::~PlayFolder() {
    remove();
}

Status PlayFolder::create(const std::string& parent) {
    remove();
    std::string pattern = path::PathJoin(parent, std::string(kPlayFolderPrefix) + "XXXXXX");
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // mkdtemp makes the folder for its owner only (mode 0700).
    if (::mkdtemp(buffer.data()) == nullptr) {
        return errnoStatus(errno).withContext(parent);
    }
    path_.assign(buffer.data());
    const std::optional<unsigned long long> start = processStart(::getpid());
    const std::string owner =
        std::to_string(::getpid()) + " " + std::to_string(start.value_or(0)) + "\n";
    if (Status written =
            WriteWholeFile(path::PathJoin(path_, kOwnerFileName), owner.data(), owner.size());
        !written) {
        remove();
        return written;
    }
    if (Status made = CreateFolder(gameFolder()); !made) {
        remove();
        return made;
    }
    return Status::ok();
}

void PlayFolder::remove() {
    if (!path_.empty()) {
        (void)DeleteTree(path_);
        path_.clear();
    }
}

std::string PlayFolder::gameFolder() const {
    return path_.empty() ? std::string() : path::PathJoin(path_, kGameFolderName);
}

int removeStalePlayFolders(const std::string& parent) {
    // Without /proc every player would look gone.
    if (!processStart(::getpid())) {
        return 0;
    }
    std::vector<std::string> names;
    if (!ListFolder(parent, names)) {
        return 0;
    }
    int removed = 0;
    const std::string prefix(kPlayFolderPrefix);
    for (const std::string& name : names) {
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size()) {
            continue;
        }
        const std::string folder = path::PathJoin(parent, name);
        if (isStale(folder) && DeleteTree(folder)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace banmen::player
