#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <random>

#include "platform/disk_io.h"
#include "platform/paths.h"

namespace banmen {

namespace {

// Closes its descriptor when it goes out of scope, whichever way that happens.
class FileHandle {
  public:
    explicit FileHandle(int descriptor) : descriptor_(descriptor) {}
    ~FileHandle() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return descriptor_; }
    bool isOpen() const { return descriptor_ >= 0; }

    // Closes now and reports the outcome (a delayed write error shows here).
    // Linux releases the descriptor even when close is interrupted.
    Status close() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        if (::close(descriptor) != 0 && errno != EINTR) {
            return errnoStatus(errno);
        }
        return {};
    }

  private:
    int descriptor_;
};

int openFile(const std::string& path, int flags, mode_t mode = 0666) {
    int descriptor = 0;
    do {
        descriptor = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// Reads until the end of the file into `bytes`, which may hold a size hint.
Status readAll(int descriptor, std::vector<std::uint8_t>& bytes) {
    std::size_t used = 0;
    while (true) {
        if (used == bytes.size()) {
            bytes.resize(bytes.size() < 4096 ? 4096 : bytes.size() * 2);
        }
        const ssize_t count = ::read(descriptor, bytes.data() + used, bytes.size() - used);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errnoStatus(errno);
        }
        if (count == 0) {
            break;
        }
        used += static_cast<std::size_t>(count);
    }
    bytes.resize(used);
    return {};
}

bool normalized(const std::string& path, std::string& out) {
    out = path;
    return path::NormalizePath(out);
}

Status emptyPath() {
    return Status::error("empty path");
}

Status writeWith(const std::string& path, int flags, const void* data, std::size_t length) {
    std::string target;
    if (!normalized(path, target)) {
        return emptyPath();
    }
    FileHandle file(disk::openForWriting(target, O_CREAT | flags));
    if (!file.isOpen()) {
        return errnoStatus(errno);
    }
    Status written = disk::writeAll(file.get(), data, length);
    Status closed = file.close();
    return written.isOk() ? closed : written;
}

// At most `limit` bytes of a UTF-8 name, not cutting a character.
std::string_view shortenedName(std::string_view name, std::size_t limit) {
    if (name.size() <= limit) {
        return name;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) {
        --end;
    }
    return name.substr(0, end);
}

}  // namespace

std::string temporaryNameFor(std::string_view name) {
    return "." + std::string(shortenedName(name, 200)) + "." + randomNameSuffix();
}

std::string randomNameSuffix() {
    static constexpr char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 generator{std::random_device{}() ^ static_cast<unsigned>(::getpid())};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix) {
        c = kAlphabet[pick(generator)];
    }
    return suffix;
}

bool FileExists(const std::string& path) {
    FileStatusInfo status;
    return FileStatus(path, status);
}

bool IsFolder(const std::string& path) {
    FileStatusInfo status;
    return FileStatus(path, status) && status.isFolder;
}

bool FileStatus(const std::string& path, FileStatusInfo& out) {
    std::string target;
    struct stat info {};
    if (!normalized(path, target) || ::stat(target.c_str(), &info) != 0) {
        return false;
    }
    out.isFolder = S_ISDIR(info.st_mode);
    out.readOnly = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    out.size = static_cast<std::uint64_t>(info.st_size);
    out.writeTime = static_cast<std::int64_t>(info.st_mtime);
    out.mode = static_cast<std::uint32_t>(info.st_mode);
    return true;
}

namespace {

// The status of a regular file opened for reading (no blocking on a pipe).
bool openedFileStatus(const std::string& path, struct stat& info) {
    std::string target;
    if (!normalized(path, target)) {
        return false;
    }
    FileHandle file(openFile(target, O_RDONLY | O_NONBLOCK));
    return file.isOpen() && ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::int64_t FileSize(const std::string& path) {
    struct stat info {};
    return openedFileStatus(path, info) ? static_cast<std::int64_t>(info.st_size) : -1;
}

std::int64_t FileWriteTime(const std::string& path) {
    struct stat info {};
    return openedFileStatus(path, info) ? static_cast<std::int64_t>(info.st_mtime) : -1;
}

bool LocalTimeOf(std::int64_t time, std::tm& out) {
    const auto seconds = static_cast<std::time_t>(time);
    return ::localtime_r(&seconds, &out) != nullptr;
}

Status ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    std::string source;
    if (!normalized(path, source)) {
        return emptyPath();
    }
    FileHandle file(openFile(source, O_RDONLY));
    if (!file.isOpen()) {
        return errnoStatus(errno);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return errnoStatus(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return errnoStatus(EISDIR);
    }
    // Room beyond the size, so that the end shows without growing the block
    // (and callers may pad or terminate in place).
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size) + 100);
    if (Status read = readAll(file.get(), bytes); !read) {
        return read;
    }
    out.swap(bytes);
    return {};
}

Status WriteWholeFile(const std::string& path, const void* data, std::size_t length) {
    return writeWith(path, O_TRUNC, data, length);
}

Status AppendToFile(const std::string& path, const void* data, std::size_t length) {
    return writeWith(path, O_APPEND, data, length);
}

Status WriteTextFile(const std::string& path, std::string_view text) {
    return WriteWholeFile(path, text.data(), text.size());
}

namespace {

// The folder part of a normalised path ("." for a bare name) and its name.
bool splitTarget(const std::string& target, std::string& folder, std::string& name) {
    const std::size_t separator = target.find_last_of('/');
    folder = separator == std::string::npos ? std::string(".")
             : separator == 0               ? std::string("/")
                                            : target.substr(0, separator);
    name = separator == std::string::npos ? target : target.substr(separator + 1);
    return !name.empty();
}

// A name beside `target` that nobody uses: ".name.XXXXXX" + `suffix`.
std::string besideName(const std::string& folder, const std::string& name, const char* suffix) {
    const std::string prefix = folder == "/" ? folder : folder + "/";
    return prefix + temporaryNameFor(name) + suffix;
}

// Removes a temporary file when it goes out of scope, unless it was kept.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    ~TemporaryFile() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void set(std::string path) { path_ = std::move(path); }
    void keep() { path_.clear(); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// Makes a new temporary file beside the target and has `fill` write it;
// flushed to the disk when `durable`. `temporary` names it, and removes it
// unless the caller keeps it.
Status writeBeside(const std::string& folder, const std::string& name,
                   const std::function<Status(int)>& fill, bool durable, TemporaryFile& temporary) {
    int descriptor = -1;
    std::string path;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        path = besideName(folder, name, ".tmp");
        descriptor = disk::openForWriting(path, O_CREAT | O_EXCL);
        if (descriptor < 0 && errno != EEXIST) {
            return errnoStatus(errno);
        }
    }
    if (descriptor < 0) {
        return errnoStatus(EEXIST);
    }
    temporary.set(path);
    FileHandle file(descriptor);
    Status status = fill(file.get());
    if (status && durable) {
        status = disk::flush(file.get());
    }
    Status closed = file.close();
    return status ? closed : status;
}

}  // namespace

std::string TemporaryNameBeside(const std::string& target) {
    std::string folder;
    std::string name;
    splitTarget(target, folder, name);
    return besideName(folder, name, ".tmp");
}

Status ReplaceFile(const std::string& temporary, const std::string& target, bool durable) {
    std::string folder;
    std::string name;
    if (!splitTarget(target, folder, name)) {
        return errnoStatus(EISDIR);
    }
    // A second name for the previous file, so that it can be put back when
    // the folder cannot be flushed. Without hard links (some file systems)
    // there is no way back, and a new file is all there is.
    TemporaryFile previous;
    bool hadPrevious = false;
    if (durable) {
        struct stat info {};
        hadPrevious = ::lstat(target.c_str(), &info) == 0;
        const std::string backup = besideName(folder, name, ".old");
        if (hadPrevious && !S_ISDIR(info.st_mode) && ::link(target.c_str(), backup.c_str()) == 0) {
            previous.set(backup);
        }
    }
    if (Status renamed = disk::rename(temporary, target); !renamed) {
        return renamed;
    }
    if (!durable) {
        return Status::ok();
    }
    if (Status flushed = disk::flushFolder(folder); !flushed) {
        // Not known to be on the disk: put things back as they were.
        if (!previous.path().empty()) {
            if (::rename(previous.path().c_str(), target.c_str()) == 0) {
                previous.keep();
            }
        } else if (!hadPrevious) {
            ::unlink(target.c_str());
        }
        return flushed;
    }
    return Status::ok();
}

Status WriteFileAtomically(const std::string& path, const void* data, std::size_t length) {
    std::string target;
    if (!normalized(path, target)) {
        return emptyPath();
    }
    std::string folder;
    std::string name;
    if (!splitTarget(target, folder, name)) {
        return errnoStatus(EISDIR);
    }
    TemporaryFile temporary;
    const auto fill = [&](int descriptor) { return disk::writeAll(descriptor, data, length); };
    if (Status written = writeBeside(folder, name, fill, true, temporary); !written) {
        return written;
    }
    if (Status replaced = ReplaceFile(temporary.path(), target, true); !replaced) {
        return replaced;
    }
    temporary.keep();
    return Status::ok();
}

Status CopyFile(const std::string& source, const std::string& destination) {
    std::string from;
    std::string to;
    if (!normalized(source, from) || !normalized(destination, to)) {
        return emptyPath();
    }
    FileHandle input(openFile(from, O_RDONLY));
    if (!input.isOpen()) {
        return errnoStatus(errno);
    }
    struct stat sourceInfo {};
    if (::fstat(input.get(), &sourceInfo) != 0) {
        return errnoStatus(errno);
    }
    if (S_ISDIR(sourceInfo.st_mode)) {
        return errnoStatus(EISDIR);
    }
    // Replacing the destination would destroy a source that is the same file.
    struct stat destinationInfo {};
    if (::stat(to.c_str(), &destinationInfo) == 0 && destinationInfo.st_dev == sourceInfo.st_dev &&
        destinationInfo.st_ino == sourceInfo.st_ino) {
        return Status::error("source and destination are the same file");
    }
    std::string folder;
    std::string name;
    if (!splitTarget(to, folder, name)) {
        return errnoStatus(EISDIR);
    }
    const auto fill = [&](int descriptor) {
        std::vector<std::uint8_t> buffer(64 * 1024);
        while (true) {
            const ssize_t count = ::read(input.get(), buffer.data(), buffer.size());
            if (count < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errnoStatus(errno);
            }
            if (count == 0) {
                return Status::ok();
            }
            if (Status written =
                    disk::writeAll(descriptor, buffer.data(), static_cast<std::size_t>(count));
                !written) {
                return written;
            }
        }
    };
    // A copy is often all that is left of a file once it is made (a moved
    // workspace's old folder is deleted next): it is on the disk before it
    // counts as made, and never half there in place of an earlier file.
    TemporaryFile temporary;
    if (Status written = writeBeside(folder, name, fill, true, temporary); !written) {
        return written;
    }
    if (Status replaced = ReplaceFile(temporary.path(), to, true); !replaced) {
        return replaced;
    }
    temporary.keep();
    return Status::ok();
}

Status DeleteFile(const std::string& path) {
    std::string target;
    if (!normalized(path, target)) {
        return emptyPath();
    }
    if (::unlink(target.c_str()) != 0) {
        return errnoStatus(errno);
    }
    return {};
}

}  // namespace banmen
