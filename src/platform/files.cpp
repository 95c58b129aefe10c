#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>

#include "platform/paths.h"

namespace banmen {

namespace {

// Remaining bytes that writes may still put on disk; -1 for no limit.
std::atomic<std::int64_t> writeBudget{-1};

// How much of `wanted` the budget lets through (all of it when unlimited).
std::size_t grantWriteBudget(std::size_t wanted) {
    std::int64_t current = writeBudget.load();
    while (true) {
        if (current < 0) {
            return wanted;
        }
        const auto available = static_cast<std::uint64_t>(current);
        const std::size_t granted =
            wanted < available ? wanted : static_cast<std::size_t>(available);
        if (writeBudget.compare_exchange_weak(current,
                                              current - static_cast<std::int64_t>(granted))) {
            return granted;
        }
    }
}

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

Status writeAll(int descriptor, const void* data, std::size_t length) {
    if (data == nullptr && length != 0) {
        return errnoStatus(EINVAL);
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::size_t allowed = grantWriteBudget(length);
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t written = ::write(descriptor, bytes + done, allowed - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errnoStatus(errno);
        }
        done += static_cast<std::size_t>(written);
    }
    if (allowed < length) {
        return errnoStatus(ENOSPC);
    }
    return {};
}

Status syncFile(int descriptor) {
    while (::fsync(descriptor) != 0) {
        if (errno != EINTR) {
            return errnoStatus(errno);
        }
    }
    return {};
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
    FileHandle file(openFile(target, O_WRONLY | O_CREAT | flags));
    if (!file.isOpen()) {
        return errnoStatus(errno);
    }
    Status written = writeAll(file.get(), data, length);
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

void setWriteBudgetForTesting(std::int64_t bytes) {
    writeBudget.store(bytes < 0 ? -1 : bytes);
}

bool takeWriteBudget(std::size_t bytes) {
    if (grantWriteBudget(bytes) < bytes) {
        errno = ENOSPC;
        return false;
    }
    return true;
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

Status WriteFileAtomically(const std::string& path, const void* data, std::size_t length) {
    std::string target;
    if (!normalized(path, target)) {
        return emptyPath();
    }
    const std::size_t separator = target.find_last_of('/');
    const std::string prefix =
        separator == std::string::npos ? std::string() : target.substr(0, separator + 1);
    const std::string name = target.substr(prefix.size());
    if (name.empty()) {
        return errnoStatus(EISDIR);
    }
    const std::string folder = prefix.empty() ? std::string(".") : prefix;

    // ".name.XXXXXX" beside the target, so that the rename stays on one file system.
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = prefix + temporaryNameFor(name);
        descriptor = openFile(temporary, O_WRONLY | O_CREAT | O_EXCL);
        if (descriptor < 0 && errno != EEXIST) {
            return errnoStatus(errno);
        }
    }
    if (descriptor < 0) {
        return errnoStatus(EEXIST);
    }
    FileHandle file(descriptor);
    Status status = writeAll(file.get(), data, length);
    if (status) {
        status = syncFile(file.get());
    }
    Status closed = file.close();
    if (status) {
        status = closed;
    }
    if (status && ::rename(temporary.c_str(), target.c_str()) != 0) {
        status = errnoStatus(errno);
    }
    if (!status) {
        ::unlink(temporary.c_str());
        return status;
    }
    // Make the rename itself durable. The new content is already in place, so
    // a folder that cannot be synced (some file systems refuse) is no failure.
    FileHandle folderHandle(openFile(folder, O_RDONLY | O_DIRECTORY));
    if (folderHandle.isOpen()) {
        (void)syncFile(folderHandle.get());
    }
    return {};
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
    // Truncating the destination would destroy a source that is the same file.
    struct stat destinationInfo {};
    if (::stat(to.c_str(), &destinationInfo) == 0 && destinationInfo.st_dev == sourceInfo.st_dev &&
        destinationInfo.st_ino == sourceInfo.st_ino) {
        return Status::error("source and destination are the same file");
    }
    FileHandle output(openFile(to, O_WRONLY | O_CREAT | O_TRUNC));
    if (!output.isOpen()) {
        return errnoStatus(errno);
    }
    std::vector<std::uint8_t> buffer(64 * 1024);
    Status status;
    while (status) {
        const ssize_t count = ::read(input.get(), buffer.data(), buffer.size());
        if (count < 0) {
            if (errno != EINTR) {
                status = errnoStatus(errno);
            }
            continue;
        }
        if (count == 0) {
            break;
        }
        status = writeAll(output.get(), buffer.data(), static_cast<std::size_t>(count));
    }
    Status closed = output.close();
    if (status) {
        status = closed;
    }
    if (!status) {
        ::unlink(to.c_str());  // no half copy left behind
    }
    return status;
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
