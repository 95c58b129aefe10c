#pragma once
// Writes an archive (archive_format.h) front to back.
//
// Paths and names given here are native (UTF-8, "/"); entry names are
// written in Shift-JIS with "\". Every add is all or nothing: on failure the
// archive is cut back to where it was before the call, so what is already in
// it stays readable, and the status names the file and the reason.
//
// Names of added folders: AddPath (folder "x") writes the folder entry "x",
// then "x\a" for its file "a", the folder entry "x\sub" and "x\sub\b" for the
// files of a nested folder; AddUnder (folder, "Name") does the same with
// "Name" in place of the folder's own name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/archive_file.h"
#include "platform/status.h"

namespace banmen {

class ArchiveWriter {
  public:
    ArchiveWriter() = default;
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Creates or truncates the file and writes the header. The flags are
    // written as given and steer the adds (kArchiveFullPaths and friends).
    Status CreateArchive(const std::string& path, std::uint32_t flags);

    // A folder entry with attributes 0x10 for a relative name ("Image Files").
    Status AddFolderEntry(std::string_view name);

    // A single file as a root entry, or a folder with all its content under
    // the folder's own name. The current folder name becomes that name ("" for
    // a file).
    Status AddPath(const std::string& path);

    // A file as "folderName\file", or a folder's content under folderName
    // (after a folder entry for it). The current folder name becomes
    // folderName.
    Status AddUnder(const std::string& path, std::string_view folderName);

    // A durable archive is on the disk when Close succeeds: its file data
    // starts going to the disk piece by piece while it is written, and Close
    // waits for the rest. Set before the adds.
    void setDurable(bool durable) { durable_ = durable; }

    // Closes the archive. A close error (a delayed write) is a failure.
    Status Close();

    const std::string& path() const { return path_; }
    std::uint32_t flags() const { return flags_; }
    const std::string& currentFolder() const { return currentFolder_; }

  private:
    Status checkOpen() const;
    Status addFolder(const std::string& folder);
    Status addFile(const std::string& path, const std::string& relativeName);
    Status addWalkedFolder(const std::string& path, const std::string& relativeName);
    Status appendEntry(std::uint32_t attributes, const std::string& storedName,
                       std::uint32_t dataSize);
    // The entry name of something at `path`, `relativeName` below the current
    // folder.
    Status entryName(const std::string& path, const std::string& relativeName,
                     std::string& stored) const;
    // Cuts a failed add off the end of the archive.
    void rollBack(std::uint64_t end);

    std::string path_;
    std::uint32_t flags_ = 0;
    std::string currentFolder_;
    ArchiveFile file_;
    std::uint64_t end_ = 0;
    bool damaged_ = false;  // a failed add could not be cut off
    bool durable_ = false;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace banmen
