#include "platform/disk_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/disk_faults.h"

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

}  // namespace

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

namespace disk {

int openForWriting(const std::string& path, int flags, mode_t mode) {
    if (const int error = diskFault(DiskOperation::Create); error != 0) {
        errno = error;
        return -1;
    }
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), flags | O_WRONLY | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

Status writeAll(int descriptor, const void* data, std::size_t length) {
    if (data == nullptr && length != 0) {
        return errnoStatus(EINVAL);
    }
    if (const int error = diskFault(DiskOperation::Write); error != 0) {
        return errnoStatus(error);
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    // Under a write budget, a full disk takes what fits and refuses the rest.
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
    return Status::ok();
}

Status flush(int descriptor) {
    if (const int error = diskFault(DiskOperation::Flush); error != 0) {
        return errnoStatus(error);
    }
    while (::fsync(descriptor) != 0) {
        if (errno != EINTR) {
            return errnoStatus(errno);
        }
    }
    return Status::ok();
}

Status rename(const std::string& from, const std::string& to) {
    if (const int error = diskFault(DiskOperation::Rename); error != 0) {
        return errnoStatus(error);
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return errnoStatus(errno);
    }
    return Status::ok();
}

Status flushFolder(const std::string& folder) {
    if (const int error = diskFault(DiskOperation::FolderFlush); error != 0) {
        return errnoStatus(error);
    }
    int descriptor = -1;
    do {
        descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        return Status::ok();  // a folder we may not read: nothing we can flush
    }
    int result = 0;
    do {
        result = ::fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    const int error = result != 0 ? errno : 0;
    ::close(descriptor);
    return error == 0 || error == EINVAL ? Status::ok() : errnoStatus(error);
}

Status makeFolder(const std::string& path, mode_t mode) {
    if (const int error = diskFault(DiskOperation::MakeFolder); error != 0) {
        return errnoStatus(error);
    }
    if (::mkdir(path.c_str(), mode) != 0) {
        return errnoStatus(errno);
    }
    return Status::ok();
}

}  // namespace disk
}  // namespace banmen
