#pragma once
// Whole-file reads and writes and file status, on native paths.
// Every function normalises its path first and reports failure by its result.
// Reasons are the system's short text ("No such file or directory"); callers
// add the file name with withContext. New files get the default permissions.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disk_io.h"  // the write budget for tests
#include "platform/status.h"

namespace banmen {

struct FileStatusInfo {
    bool isFolder = false;
    bool readOnly = false;  // no write permission bit set
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;  // seconds since the epoch
    std::uint32_t mode = 0;      // st_mode
};

bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
bool FileStatus(const std::string& path, FileStatusInfo& out);
// -1 when the file cannot be opened or is no regular file (a folder, a pipe).
std::int64_t FileSize(const std::string& path);
// Last-write time in seconds since the epoch, -1 when unknown.
std::int64_t FileWriteTime(const std::string& path);
// Local calendar time of a time stamp.
bool LocalTimeOf(std::int64_t time, std::tm& out);

// Reads the whole file. `out` is untouched on failure (never partly filled).
Status ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out);
// Creates or truncates the file and writes the bytes; length 0 makes an empty file.
Status WriteWholeFile(const std::string& path, const void* data, std::size_t length);
Status AppendToFile(const std::string& path, const void* data, std::size_t length);
Status WriteTextFile(const std::string& path, std::string_view text);
// Writes a temporary file (".name.XXXXXX.tmp") in the target's folder,
// flushes it to the disk, renames it over the target and flushes the folder.
// On failure the target is as it was (see ReplaceFile) and the temporary
// file is gone.
Status WriteFileAtomically(const std::string& path, const void* data, std::size_t length);
// Puts the complete file `temporary` in place of `target`, in the same
// folder, by renaming it. When `durable`, the folder is flushed next; if that
// fails, the previous target is put back (or the new one removed when there
// was none) and the failure reported, so that a failure always leaves the
// target as it was. (The previous file's second name for that, a hard link
// ".name.XXXXXX.old", exists only during the call.) `temporary` is gone after
// a success; after a failure removing it is the caller's part.
Status ReplaceFile(const std::string& temporary, const std::string& target, bool durable);
// Copies one file (bytes only) as WriteFileAtomically writes: the
// destination is replaced only by a complete copy that is on the disk, and
// stays as it was on failure. A destination that is the source itself is
// refused.
Status CopyFile(const std::string& source, const std::string& destination);
// Removes a file; a missing file is a failure.
Status DeleteFile(const std::string& path);

// Six random letters or digits, for the name of a temporary file.
std::string randomNameSuffix();
// ".name.XXXXXX": the name of a temporary file beside the file `name` (a
// name, no folder), shortened to 200 bytes at a character boundary so that
// it stays within the 255 bytes of a name, with randomNameSuffix().
std::string temporaryNameFor(std::string_view name);
// A name for a temporary file beside `target` (a normalised path):
// ".name.XXXXXX.tmp" in the same folder, so that a rename stays on one file
// system.
std::string TemporaryNameBeside(const std::string& target);

}  // namespace banmen
