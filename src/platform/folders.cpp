#include "platform/folders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/disk_io.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace banmen {

namespace {

Status emptyPath() {
    return Status::error("empty path");
}

struct FolderCloser {
    void operator()(DIR* folder) const { ::closedir(folder); }
};

struct MemoryFreer {
    void operator()(char* block) const { std::free(block); }
};

// A normalised folder path without trailing separators ("/" stays "/").
bool folderRoot(const std::string& path, std::string& out) {
    out = path;
    if (!path::NormalizePath(out)) {
        return false;
    }
    while (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    return true;
}

std::string child(const std::string& folder, const std::string& name) {
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

// `path` relative to `root`, which it lies under ("" for the root itself).
std::string relativeTo(const std::string& root, const std::string& path) {
    std::string rest = path.substr(root.size());
    if (!rest.empty() && rest[0] == '/') {
        rest.erase(0, 1);
    }
    return rest;
}

Status makeFolder(const std::string& path) {
    // Mode 0777 less the umask: the default permissions of a new folder.
    return disk::makeFolder(path, 0777);
}

// Makes sure a folder is at `path`: an existing one is kept, a missing one is
// created, anything else fails.
Status ensureFolder(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode) ? Status() : errnoStatus(ENOTDIR);
    }
    if (errno != ENOENT) {
        return errnoStatus(errno);
    }
    Status made = makeFolder(path);
    // Someone else may have made it meanwhile.
    if (!made && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return {};
    }
    return made;
}

enum class WalkMode {
    Visit,   // files and links to files; links to folders and special files skipped
    Follow,  // as Visit, but links to folders are walked as folders
    Delete,  // every entry that is not a real folder is a file, links unfollowed
};

enum class EntryKind { File, Folder, Skip };

Status classify(const std::string& path, WalkMode mode, EntryKind& kind) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            kind = EntryKind::Skip;  // gone since it was listed
            return {};
        }
        return errnoStatus(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        kind = EntryKind::Folder;
    } else if (mode == WalkMode::Delete || S_ISREG(info.st_mode)) {
        kind = EntryKind::File;
    } else if (S_ISLNK(info.st_mode)) {
        struct stat target {};
        const bool resolved = ::stat(path.c_str(), &target) == 0;
        if (resolved && S_ISREG(target.st_mode)) {
            kind = EntryKind::File;
        } else if (resolved && S_ISDIR(target.st_mode) && mode == WalkMode::Follow) {
            kind = EntryKind::Folder;
        } else {
            kind = EntryKind::Skip;
        }
    } else {
        kind = EntryKind::Skip;
    }
    return {};
}

Status stopped() {
    return Status::error("walk stopped");
}

// The folders being walked, from the root down, by device and inode: a
// followed link that leads back to one of them would never end.
using FolderChain = std::vector<std::pair<dev_t, ino_t>>;

Status enterChain(const std::string& path, FolderChain& chain) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errnoStatus(errno).withContext(path);
    }
    for (const auto& [device, inode] : chain) {
        if (device == info.st_dev && inode == info.st_ino) {
            return Status::error(path + ": the link leads back to a folder that holds it");
        }
    }
    chain.emplace_back(info.st_dev, info.st_ino);
    return {};
}

Status walkContent(const std::string& folder, const TreeWalker& walker, WalkMode mode, bool isRoot,
                   FolderChain& chain) {
    // The names are read first, so that handlers may delete or add entries.
    std::vector<std::string> names;
    if (Status listed = ListFolder(folder, names); !listed) {
        return isRoot ? listed : listed.withContext(folder);
    }
    for (const std::string& name : names) {
        const std::string path = child(folder, name);
        EntryKind kind = EntryKind::Skip;
        if (Status classified = classify(path, mode, kind); !classified) {
            return classified.withContext(path);
        }
        if (kind == EntryKind::File) {
            if (walker.onFile && !walker.onFile(path)) {
                return stopped();
            }
        } else if (kind == EntryKind::Folder) {
            if (mode == WalkMode::Follow) {
                if (Status entered = enterChain(path, chain); !entered) {
                    return entered;
                }
            }
            if (walker.onFolderEnter && !walker.onFolderEnter(path)) {
                return stopped();
            }
            if (Status inner = walkContent(path, walker, mode, false, chain); !inner) {
                return inner;
            }
            if (walker.onFolderLeave && !walker.onFolderLeave(path)) {
                return stopped();
            }
            if (mode == WalkMode::Follow) {
                chain.pop_back();
            }
        }
    }
    return {};
}

Status walk(const std::string& root, const TreeWalker& walker, WalkMode mode) {
    FolderChain chain;
    if (mode == WalkMode::Follow) {
        if (Status entered = enterChain(root, chain); !entered) {
            return entered;
        }
    }
    if (walker.onFolderEnter && !walker.onFolderEnter(root)) {
        return stopped();
    }
    if (Status content = walkContent(root, walker, mode, true, chain); !content) {
        return content;
    }
    if (walker.onFolderLeave && !walker.onFolderLeave(root)) {
        return stopped();
    }
    return {};
}

// The canonical path of an existing folder, empty when it cannot be found.
std::string canonical(const std::string& path) {
    std::unique_ptr<char, MemoryFreer> resolved(::realpath(path.c_str(), nullptr));
    return resolved ? std::string(resolved.get()) : std::string();
}

// An absolute form of a normalised path, without resolving anything.
std::string absolute(const std::string& path) {
    if (path[0] == '/') {
        return path;
    }
    std::unique_ptr<char, MemoryFreer> current(::getcwd(nullptr, 0));
    return current ? child(current.get(), path) : path;
}

bool isSameOrInside(const std::string& inner, const std::string& outer) {
    if (inner.empty() || outer.empty()) {
        return false;
    }
    if (inner == outer) {
        return true;
    }
    const std::string prefix = outer.back() == '/' ? outer : outer + "/";
    return inner.starts_with(prefix);
}

struct FileCloser {
    int descriptor = -1;
    ~FileCloser() {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
};

// Reads up to `size` bytes, fewer only at the end of the file.
ssize_t readFully(int descriptor, std::uint8_t* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t count = ::read(descriptor, buffer + done, size - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return -1;
        }
        if (count == 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    return static_cast<ssize_t>(done);
}

// Success when both files hold the same bytes; both are read through links.
Status sameContent(const std::string& a, const std::string& b) {
    FileCloser first{::open(a.c_str(), O_RDONLY | O_CLOEXEC)};
    if (first.descriptor < 0) {
        return errnoStatus(errno);
    }
    FileCloser second{::open(b.c_str(), O_RDONLY | O_CLOEXEC)};
    if (second.descriptor < 0) {
        return errnoStatus(errno).withContext("the copy");
    }
    constexpr std::size_t kPiece = 64 * 1024;
    std::vector<std::uint8_t> left(kPiece);
    std::vector<std::uint8_t> right(kPiece);
    while (true) {
        const ssize_t n = readFully(first.descriptor, left.data(), kPiece);
        const ssize_t m = readFully(second.descriptor, right.data(), kPiece);
        if (n < 0 || m < 0) {
            return errnoStatus(errno);
        }
        if (n != m || std::memcmp(left.data(), right.data(), static_cast<std::size_t>(n)) != 0) {
            return Status::error("the copy differs from the original");
        }
        if (n == 0) {
            return {};
        }
    }
}

}  // namespace

Status CreateFolder(const std::string& path) {
    std::string target;
    if (!folderRoot(path, target)) {
        return emptyPath();
    }
    return makeFolder(target);
}

Status CreateFolderTree(const std::string& path) {
    std::string target = path;
    if (!path::NormalizePath(target)) {
        return emptyPath();
    }
    // Every prefix that ends before a separator, from the second byte on (a
    // leading "/" is the root, which exists).
    for (std::size_t position = 1; position < target.size(); ++position) {
        if (target[position] != '/') {
            continue;
        }
        const std::string prefix = target.substr(0, position);
        if (Status made = ensureFolder(prefix); !made) {
            return made.withContext(prefix);
        }
    }
    while (target.size() > 1 && target.back() == '/') {
        target.pop_back();
    }
    return ensureFolder(target).withContext(target);
}

Status RemoveFolder(const std::string& path) {
    std::string target;
    if (!folderRoot(path, target)) {
        return emptyPath();
    }
    if (::rmdir(target.c_str()) != 0) {
        return errnoStatus(errno);
    }
    return {};
}

Status ListFolder(const std::string& path, std::vector<std::string>& names) {
    std::string target;
    if (!folderRoot(path, target)) {
        return emptyPath();
    }
    std::unique_ptr<DIR, FolderCloser> folder(::opendir(target.c_str()));
    if (!folder) {
        return errnoStatus(errno);
    }
    std::vector<std::string> found;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(folder.get());
        if (entry == nullptr) {
            if (errno != 0) {
                return errnoStatus(errno);
            }
            break;
        }
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            found.emplace_back(name);
        }
    }
    names.swap(found);
    return {};
}

Status WalkTree(const std::string& folder, const TreeWalker& walker) {
    std::string root;
    if (!folderRoot(folder, root)) {
        return emptyPath();
    }
    if (!IsFolder(root)) {
        return errnoStatus(FileExists(root) ? ENOTDIR : ENOENT);
    }
    return walk(root, walker, walker.followFolderLinks ? WalkMode::Follow : WalkMode::Visit);
}

Status CopyTree(const std::string& source, const std::string& destination) {
    std::string from;
    std::string to;
    if (!folderRoot(source, from) || !folderRoot(destination, to)) {
        return emptyPath();
    }
    if (!IsFolder(from)) {
        return errnoStatus(FileExists(from) ? ENOTDIR : ENOENT).withContext(from);
    }
    // A copy into the source itself would never end. The written form is
    // checked before anything is made, the resolved one (links) after, and
    // again for every folder a link leads to.
    const Status inside = Status::error("destination is inside the source");
    if (isSameOrInside(absolute(to), absolute(from))) {
        return inside;
    }
    if (Status made = CreateFolderTree(to); !made) {
        return made;
    }
    const std::string resolvedTo = canonical(to);
    if (isSameOrInside(resolvedTo, canonical(from))) {
        return inside;
    }
    Status failure;
    TreeWalker copier;
    copier.onFolderEnter = [&](const std::string& path) {
        if (path == from) {
            return true;
        }
        if (isSameOrInside(resolvedTo, canonical(path))) {
            failure = inside.withContext(path);
            return false;
        }
        const std::string target = child(to, relativeTo(from, path));
        failure = ensureFolder(target).withContext(target);
        return failure.isOk();
    };
    copier.onFile = [&](const std::string& path) {
        failure = CopyFile(path, child(to, relativeTo(from, path))).withContext(path);
        return failure.isOk();
    };
    Status walked = walk(from, copier, WalkMode::Follow);
    return failure.isOk() ? walked : failure;
}

Status DeleteTree(const std::string& folder) {
    std::string root;
    if (!folderRoot(folder, root)) {
        return emptyPath();
    }
    if (root == "/") {
        return Status::error("refusing to delete the root folder");
    }
    // The root must be a real folder: deleting through a link would empty a
    // folder elsewhere.
    struct stat info {};
    if (::lstat(root.c_str(), &info) != 0) {
        return errnoStatus(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return errnoStatus(ENOTDIR);
    }
    Status failure;
    TreeWalker remover;
    remover.onFile = [&](const std::string& path) {
        if (::unlink(path.c_str()) != 0) {
            failure = errnoStatus(errno).withContext(path);
        }
        return failure.isOk();
    };
    remover.onFolderLeave = [&](const std::string& path) {
        if (::rmdir(path.c_str()) != 0) {
            failure = errnoStatus(errno).withContext(path);
        }
        return failure.isOk();
    };
    Status walked = walk(root, remover, WalkMode::Delete);
    return failure.isOk() ? walked : failure;
}

Status CountTree(const std::string& folder, TreeCount& out) {
    std::string root;
    if (!folderRoot(folder, root)) {
        return emptyPath();
    }
    TreeCount count;
    TreeWalker counter;
    counter.onFile = [&](const std::string&) {
        ++count.files;
        return true;
    };
    counter.onFolderEnter = [&](const std::string& path) {
        if (path != root) {
            ++count.folders;
        }
        return true;
    };
    if (Status walked = WalkTree(root, counter); !walked) {
        return walked;
    }
    out = count;
    return {};
}

Status SizeTree(const std::string& folder, std::uint64_t unit, std::uint64_t& out) {
    if (unit == 0) {
        unit = 1;
    }
    std::uint64_t total = 0;
    Status failure;
    TreeWalker sizer;
    sizer.onFile = [&](const std::string& path) {
        FileStatusInfo info;
        if (!FileStatus(path, info)) {
            failure = errnoStatus(errno).withContext(path);
            return false;
        }
        const std::uint64_t rest = info.size % unit;
        total += rest == 0 ? info.size : info.size + (unit - rest);
        return true;
    };
    Status walked = WalkTree(folder, sizer);
    if (!failure) {
        return failure;
    }
    if (!walked) {
        return walked;
    }
    out = total;
    return {};
}

Status CompareTreeCopy(const std::string& source, const std::string& copy) {
    std::string from;
    std::string to;
    if (!folderRoot(source, from) || !folderRoot(copy, to)) {
        return emptyPath();
    }
    const std::string resolvedFrom = canonical(from);
    Status difference;
    TreeWalker checker;
    checker.followFolderLinks = true;
    checker.onFolderEnter = [&](const std::string& path) {
        const std::string relative = relativeTo(from, path);
        if (!IsFolder(child(to, relative))) {
            difference = Status::error(relative + ": missing in the copy");
        }
        return difference.isOk();
    };
    checker.onFile = [&](const std::string& path) {
        const std::string relative = relativeTo(from, path);
        const std::string copied = child(to, relative);
        // A "copy" that resolves into the source is the original: it would
        // go with the source.
        const std::string resolved = canonical(copied);
        if (resolved.empty()) {
            difference = Status::error(relative + ": missing in the copy");
        } else if (isSameOrInside(resolved, resolvedFrom)) {
            difference = Status::error(relative + ": the copy lies inside the source");
        } else if (Status same = sameContent(path, copied); !same) {
            difference = same.withContext(relative);
        }
        return difference.isOk();
    };
    Status walked = WalkTree(from, checker);
    return difference.isOk() ? walked : difference;
}

}  // namespace banmen
