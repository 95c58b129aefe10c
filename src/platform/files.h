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
// Writes a temporary file (".name.XXXXXX") in the target's folder, flushes it
// to disk and renames it over the target, then syncs the folder (best effort:
// once renamed, the new content is in place). On failure the target is
// untouched and the temporary file is gone.
Status WriteFileAtomically(const std::string& path, const void* data, std::size_t length);
// Copies one file (bytes only); the destination is created or truncated. A
// destination that is the source itself is refused; on failure a partly
// written destination is removed.
Status CopyFile(const std::string& source, const std::string& destination);
// Removes a file; a missing file is a failure.
Status DeleteFile(const std::string& path);

// Six random letters or digits, for the name of a temporary file.
std::string randomNameSuffix();
// ".name.XXXXXX": the name of a temporary file beside the file `name` (a
// name, no folder), shortened to 200 bytes at a character boundary so that
// it stays within the 255 bytes of a name, with randomNameSuffix().
std::string temporaryNameFor(std::string_view name);

// Test hook: after this many more bytes, every write fails with "No space left
// on device", as on a full disk. -1 (the default) means no limit.
void setWriteBudgetForTesting(std::int64_t bytes);
// Consumes `bytes` of the budget; false (and errno ENOSPC) when fewer were
// left, which are then used up. Every write of this layer takes its bytes here.
bool takeWriteBudget(std::size_t bytes);

}  // namespace banmen
