#pragma once
// Reads an archive (archive_format.h) front to back: entry by entry for
// listing and for taking one entry's data, and ExtractArchive, which writes
// the whole tree into a folder.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/archive_file.h"
#include "model/archive_format.h"
#include "platform/status.h"

namespace banmen {

struct ArchiveEntry {
    std::uint32_t attributes = 0;
    std::string name;  // Shift-JIS as stored, "\" separators, without the NUL
    std::uint32_t dataSize = 0;
    std::uint64_t offset = 0;  // of the entry's 12-byte head in the archive

    bool isFolder() const { return (attributes & kAttributeFolder) != 0; }
};

class ArchiveReader {
  public:
    // Opens the archive and checks its header: at least 8 bytes, "ArCh".
    Status Open(const std::string& path);
    std::uint32_t flags() const { return flags_; }

    // The next entry's head and name. `atEnd` is set, with success, when
    // fewer than 12 bytes are left. Fails on a name that is empty, too long,
    // not NUL-terminated or cut off, and on data that runs past the end of the
    // archive. Data of the previous entry that was not read is skipped (a
    // folder's too, should it have any).
    Status Next(ArchiveEntry& entry, bool& atEnd);

    // The data of the entry Next gave, in pieces of at most 5 MB. A sink
    // that fails stops the reading with its status.
    using DataSink = std::function<Status(const std::uint8_t* data, std::size_t size)>;
    Status ReadData(const DataSink& sink);
    Status ReadData(std::vector<std::uint8_t>& out);
    // The same data appended to `output` at its position.
    Status CopyData(ArchiveFile& output);

  private:
    ArchiveFile file_;
    std::string path_;
    std::uint32_t flags_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t unread_ = 0;  // data of the current entry not yet read
    std::vector<std::uint8_t> buffer_;
};

struct ArchiveListing {
    std::uint32_t flags = 0;
    std::vector<ArchiveEntry> entries;
};
// Every entry, in order. On failure `out` holds the entries read until then.
Status ListArchive(const std::string& path, ArchiveListing& out);

struct ExtractOptions {
    // Archives written with kArchiveFullPaths name every entry by a full
    // path. By default such a name is placed under the destination with its
    // root removed (as tar does); only when this is set is it used as the
    // target path itself, as the format intends.
    bool allowFullPaths = false;
};

// Writes every entry under `destination` (empty: the archive's own folder),
// which is created when missing. A folder entry makes its folder; a file
// entry makes its file, with any missing parent folders, and replaces a file
// of the same name (a later entry of the same name wins) by renaming the
// complete new file over it. Unless the archive
// has kArchivePlainAttributes, a file whose entry has the read-only bit loses
// its write permissions; other bits, and the read-only bit of folders (whose
// content must still be written), are ignored.
//
// Safety: a name that is absolute, holds a drive letter or climbs out of the
// destination (see entryNameParts), or that would be written through a link
// inside the destination, stops the extraction with failure before anything
// of that entry is written. A cut-off archive fails the same way. Entries
// written before a failure stay on disk; a partly written file is removed.
// Reasons name the entry and the path on disk, not the archive.
Status ExtractArchive(const std::string& archivePath, const std::string& destination,
                      const ExtractOptions& options = {});

// Where ExtractArchive (default options) would write each file entry under
// `destination`, in archive order, so that a caller can look before it
// extracts. Fails as the extraction would on a broken archive or name.
Status ExtractionTargets(const std::string& archivePath, const std::string& destination,
                         std::vector<std::string>& files);

}  // namespace banmen
