#include "model/archive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "platform/disk_io.h"
#include "platform/paths.h"

namespace banmen {
namespace {

int openPath(const std::string& path, int flags, mode_t mode) {
    std::string target = path;
    if (!path::NormalizePath(target)) {
        errno = ENOENT;
        return -1;
    }
    int descriptor = -1;
    do {
        descriptor = ::open(target.c_str(), flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

int openForWriting(const std::string& path, int flags, mode_t mode) {
    std::string target = path;
    if (!path::NormalizePath(target)) {
        errno = ENOENT;
        return -1;
    }
    return disk::openForWriting(target, flags, mode);
}

}  // namespace

ArchiveFile::~ArchiveFile() {
    (void)close();
}

Status ArchiveFile::openForReading(const std::string& path) {
    (void)close();
    const int descriptor = openPath(path, O_RDONLY | O_NONBLOCK, 0);
    if (descriptor < 0) {
        return errnoStatus(errno);
    }
    descriptor_ = descriptor;
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) {
        const int error = errno;
        (void)close();
        return errnoStatus(error);
    }
    if (!S_ISREG(info.st_mode)) {
        (void)close();
        return S_ISDIR(info.st_mode) ? errnoStatus(EISDIR) : Status::error("not a regular file");
    }
    // O_NONBLOCK only kept a pipe or device from blocking the open.
    const int flags = ::fcntl(descriptor_, F_GETFL);
    if (flags >= 0) {
        (void)::fcntl(descriptor_, F_SETFL, flags & ~O_NONBLOCK);
    }
    return Status::ok();
}

Status ArchiveFile::create(const std::string& path, mode_t mode) {
    (void)close();
    const int descriptor = openForWriting(path, O_CREAT | O_TRUNC, mode);
    if (descriptor < 0) {
        return errnoStatus(errno);
    }
    descriptor_ = descriptor;
    return Status::ok();
}

Status ArchiveFile::createNew(const std::string& path, mode_t mode) {
    (void)close();
    const int descriptor = openForWriting(path, O_CREAT | O_EXCL | O_NOFOLLOW, mode);
    if (descriptor < 0) {
        return errnoStatus(errno);
    }
    descriptor_ = descriptor;
    return Status::ok();
}

Status ArchiveFile::read(void* data, std::size_t size, std::size_t& got) {
    auto* bytes = static_cast<std::uint8_t*>(data);
    got = 0;
    while (got < size) {
        const ssize_t count = ::read(descriptor_, bytes + got, size - got);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errnoStatus(errno);
        }
        if (count == 0) {
            break;
        }
        got += static_cast<std::size_t>(count);
    }
    return Status::ok();
}

Status ArchiveFile::write(const void* data, std::size_t size) {
    return disk::writeAll(descriptor_, data, size);
}

Status ArchiveFile::copyFrom(ArchiveFile& source, std::size_t size,
                             std::vector<std::uint8_t>& buffer, std::size_t& copied) {
    copied = 0;
    if (buffer.size() < size) {
        buffer.resize(size);
    }
    std::size_t got = 0;
    if (Status read = source.read(buffer.data(), size, got); !read) {
        return read;
    }
    if (Status written = disk::writeAll(descriptor_, buffer.data(), got); !written) {
        return written;
    }
    copied = got;
    return Status::ok();
}

Status ArchiveFile::skip(std::uint64_t bytes) {
    if (bytes > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return errnoStatus(EOVERFLOW);
    }
    if (::lseek(descriptor_, static_cast<off_t>(bytes), SEEK_CUR) < 0) {
        return errnoStatus(errno);
    }
    return Status::ok();
}

Status ArchiveFile::size(std::uint64_t& out) const {
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) {
        return errnoStatus(errno);
    }
    out = static_cast<std::uint64_t>(info.st_size);
    return Status::ok();
}

Status ArchiveFile::truncate(std::uint64_t size) {
    const auto length = static_cast<off_t>(size);
    if (::ftruncate(descriptor_, length) != 0 || ::lseek(descriptor_, length, SEEK_SET) < 0) {
        return errnoStatus(errno);
    }
    return Status::ok();
}

void ArchiveFile::startWriteback(std::uint64_t offset, std::uint64_t length) {
    (void)::sync_file_range(descriptor_, static_cast<off_t>(offset), static_cast<off_t>(length),
                            SYNC_FILE_RANGE_WRITE);
}

Status ArchiveFile::sync() {
    return disk::flush(descriptor_);
}

Status ArchiveFile::close() {
    if (descriptor_ < 0) {
        return Status::ok();
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    // Linux releases the descriptor even when close is interrupted.
    if (::close(descriptor) != 0 && errno != EINTR) {
        return errnoStatus(errno);
    }
    return Status::ok();
}

}  // namespace banmen
