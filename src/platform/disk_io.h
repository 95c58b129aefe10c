#pragma once
// The system calls by which the file layer puts data on the disk, each
// passing the fault seam of disk_faults.h first. Paths are native and used
// as given (callers normalise them). Failures are the system's errno.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/status.h"

namespace banmen::disk {

// open() with O_WRONLY | O_CLOEXEC added to `flags`, retried when
// interrupted. -1 with errno set on failure.
int openForWriting(const std::string& path, int flags, mode_t mode = 0666);
// Writes all bytes, or fails (a full disk, the write budget used up).
Status writeAll(int descriptor, const void* data, std::size_t length);
// Flushes the file's data and size to the disk.
Status flush(int descriptor);
Status rename(const std::string& from, const std::string& to);
// Flushes a folder's entries (a rename or a new name in it) to the disk. A
// file system that cannot do this (EINVAL), or a folder we may not open,
// counts as done: only a failing flush is a failure.
Status flushFolder(const std::string& folder);
// mkdir with `mode` less the umask.
Status makeFolder(const std::string& path, mode_t mode = 0777);

}  // namespace banmen::disk

namespace banmen {

// Test hook: after this many more bytes, every write fails with "No space left
// on device", as on a full disk. -1 (the default) means no limit.
void setWriteBudgetForTesting(std::int64_t bytes);
// Consumes `bytes` of the budget; false (and errno ENOSPC) when fewer were
// left, which are then used up. Every write of this layer takes its bytes here.
bool takeWriteBudget(std::size_t bytes);

}  // namespace banmen
