#pragma once
// The operations by which saving puts data on the disk, and a seam through
// which a test makes one of them fail the way a full or failing disk would.
//
// Every such call of the file layer (disk_io.h) asks diskFault first. While
// a ScopedDiskFault lives, the operations are counted and the chosen one
// fails with the chosen error; otherwise nothing is counted and nothing
// fails. Tests walk N = 1, 2, ... through a save until it no longer reaches
// the N-th operation, checking after each failure that the save reported it
// and lost nothing. A writer that reaches the disk any other way escapes the
// walk: whatever saves must go through disk_io.h.

#include <cstdint>

namespace banmen {

enum class DiskOperation : std::uint8_t {
    Create,       // opening a file for writing (created or truncated)
    Write,        // writing bytes to a file
    Flush,        // flushing a file's data to the disk
    Rename,       // renaming a file, over another or not
    FolderFlush,  // flushing a folder's entries to the disk
    MakeFolder,   // creating a folder
};

const char* diskOperationName(DiskOperation operation);

// 0 when the operation may go ahead, else the errno it must fail with.
int diskFault(DiskOperation operation);

// A test's fault plan: the `nth` operation from now on (1 for the next one)
// fails with `error`; the ones before and after it go ahead. One plan at a
// time.
class ScopedDiskFault {
  public:
    explicit ScopedDiskFault(std::uint64_t nth, int error);
    ~ScopedDiskFault();
    ScopedDiskFault(const ScopedDiskFault&) = delete;
    ScopedDiskFault& operator=(const ScopedDiskFault&) = delete;

    // Whether the operation to fail was reached, and which it was.
    bool fired() const;
    DiskOperation failed() const;
    // Operations counted so far.
    std::uint64_t counted() const;
};

}  // namespace banmen
