#pragma once
// A file read or written front to back in pieces: what the archive writer
// and reader stream through. Writes go through platform/disk_io.h, so tests
// can fill the disk or fail a write on request.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/status.h"

namespace banmen {

class ArchiveFile {
  public:
    ArchiveFile() = default;
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // Reading: a regular file only (a folder or pipe is refused).
    Status openForReading(const std::string& path);
    // Creates or truncates the file. `mode` is masked by the umask.
    Status create(const std::string& path, mode_t mode = 0666);
    // Creates a file that must not exist yet; a link in its place is refused
    // rather than followed.
    Status createNew(const std::string& path, mode_t mode = 0666);

    bool isOpen() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }

    // Reads until `size` bytes came or the file ended; `got` says how many.
    Status read(void* data, std::size_t size, std::size_t& got);
    // Writes all bytes or fails (a full disk, the budget used up).
    Status write(const void* data, std::size_t size);
    // Copies up to `size` bytes from `source`'s position to this file's
    // through `buffer` (grown to `size` when smaller), in one read and one
    // write. `copied` < `size` means the source ended first. (copy_file_range
    // was tried: on ext4 it is slower than this for pieces of 5 MB.)
    Status copyFrom(ArchiveFile& source, std::size_t size, std::vector<std::uint8_t>& buffer,
                    std::size_t& copied);
    Status skip(std::uint64_t bytes);
    Status size(std::uint64_t& out) const;
    // Cuts the file back to `size` bytes and continues writing there.
    Status truncate(std::uint64_t size);
    // Starts writing the given range to the disk without waiting for it, so
    // that a later sync() has little left to wait for. Best effort.
    void startWriteback(std::uint64_t offset, std::uint64_t length);
    Status sync();
    // Closes and reports a delayed write error; closing twice is harmless.
    Status close();

  private:
    int descriptor_ = -1;
};

}  // namespace banmen
