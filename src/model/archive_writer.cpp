#include "model/archive_writer.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "model/archive_format.h"
#include "model/archive_names.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace banmen {
namespace {

// An absolute, normalised path without a trailing "/", so that names and
// full paths can be taken from it; empty when there is none.
std::string absoluteOf(const std::string& raw) {
    std::string absolute = path::AbsolutePath(raw);
    while (absolute.size() > 1 && absolute.back() == '/') {
        absolute.pop_back();
    }
    return absolute;
}

bool isReadOnly(mode_t mode) {
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// What a walk passes for a path below `root`, relative to it.
std::string relativeTo(const std::string& root, const std::string& path) {
    std::string rest = path.substr(std::min(root.size(), path.size()));
    if (!rest.empty() && rest.front() == '/') {
        rest.erase(0, 1);
    }
    return rest;
}

}  // namespace

Status ArchiveWriter::CreateArchive(const std::string& path, std::uint32_t flags) {
    path_.clear();
    currentFolder_.clear();
    end_ = 0;
    damaged_ = false;
    if (Status created = file_.create(path); !created) {
        return created.withContext(path);
    }
    std::uint8_t header[kArchiveHeaderSize];
    putArchiveU32(header, kArchiveSignature);
    putArchiveU32(header + 4, flags);
    if (Status written = file_.write(header, sizeof header); !written) {
        (void)file_.close();
        return written.withContext(path);
    }
    path_ = path;
    flags_ = flags;
    end_ = sizeof header;
    return Status::ok();
}

Status ArchiveWriter::checkOpen() const {
    if (!file_.isOpen() || path_.empty()) {
        return Status::error("no archive has been created");
    }
    if (damaged_) {
        return Status::error(path_ + ": damaged by an earlier failure");
    }
    return Status::ok();
}

void ArchiveWriter::rollBack(std::uint64_t end) {
    if (end_ != end && !file_.truncate(end)) {
        damaged_ = true;
        return;
    }
    end_ = end;
}

Status ArchiveWriter::appendEntry(std::uint32_t attributes, const std::string& storedName,
                                  std::uint32_t dataSize) {
    std::uint8_t head[kArchiveEntrySize];
    putArchiveU32(head, attributes);
    putArchiveU32(head + 4, static_cast<std::uint32_t>(storedName.size() + 1));
    putArchiveU32(head + 8, dataSize);
    std::vector<std::uint8_t> entry(head, head + sizeof head);
    entry.insert(entry.end(), storedName.begin(), storedName.end());
    entry.push_back(0);
    if (Status written = file_.write(entry.data(), entry.size()); !written) {
        return written.withContext(path_);
    }
    end_ += entry.size();
    return Status::ok();
}

Status ArchiveWriter::entryName(const std::string& path, const std::string& relativeName,
                                std::string& stored) const {
    if ((flags_ & kArchiveFullPaths) != 0) {
        return storedEntryName(path, stored);
    }
    return storedEntryName(
        currentFolder_.empty() ? relativeName : currentFolder_ + "/" + relativeName, stored);
}

Status ArchiveWriter::AddFolderEntry(std::string_view name) {
    if (Status open = checkOpen(); !open) {
        return open;
    }
    std::string stored;
    if (Status named = storedEntryName(name, stored); !named) {
        return named;
    }
    const std::uint64_t start = end_;
    Status added = appendEntry(kAttributeFolder, stored, 0);
    if (!added) {
        rollBack(start);
    }
    return added;
}

Status ArchiveWriter::addFile(const std::string& path, const std::string& relativeName) {
    ArchiveFile source;
    if (Status opened = source.openForReading(path); !opened) {
        return opened.withContext(path);
    }
    struct stat info {};
    if (::fstat(source.descriptor(), &info) != 0) {
        return errnoStatus(errno).withContext(path);
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > kArchiveMaxFileSize) {
        return Status::error(path + ": is 4 GiB or larger; an archive holds files up to 4 GiB - 1");
    }
    std::string stored;
    if (Status named = entryName(path, relativeName, stored); !named) {
        return named.withContext(path);
    }
    std::uint32_t attributes = 0;
    if ((flags_ & kArchivePlainAttributes) == 0) {
        attributes = kAttributeFile | (isReadOnly(info.st_mode) ? kAttributeReadOnly : 0);
    }
    if (Status appended = appendEntry(attributes, stored, static_cast<std::uint32_t>(size));
        !appended) {
        return appended;
    }
    std::uint64_t remaining = size;
    while (remaining > 0) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kArchivePieceSize));
        std::size_t copied = 0;
        if (Status moved = file_.copyFrom(source, wanted, buffer_, copied); !moved) {
            return moved.withContext("adding " + path + " to " + path_);
        }
        if (durable_) {
            file_.startWriteback(end_, copied);
        }
        end_ += copied;
        if (copied < wanted) {
            return Status::error(path + ": short read (the file ended before its " +
                                 std::to_string(size) + " bytes)");
        }
        remaining -= wanted;
    }
    return Status::ok();
}

Status ArchiveWriter::addWalkedFolder(const std::string& path, const std::string& relativeName) {
    if ((flags_ & kArchiveNoWalkedFolders) != 0) {
        return Status::ok();
    }
    FileStatusInfo info;
    if (!FileStatus(path, info)) {
        return errnoStatus(errno).withContext(path);
    }
    std::string stored;
    if (Status named = entryName(path, relativeName, stored); !named) {
        return named.withContext(path);
    }
    // Under plain attributes a folder still needs its 0x10, or a reader would
    // make a file of it.
    std::uint32_t attributes = kAttributeFolder;
    if ((flags_ & kArchivePlainAttributes) == 0 && info.readOnly) {
        attributes |= kAttributeReadOnly;
    }
    return appendEntry(attributes, stored, 0);
}

// The content of `folder` below the current folder name.
Status ArchiveWriter::addFolder(const std::string& folder) {
    Status failure;
    TreeWalker walker;
    walker.onFolderEnter = [&](const std::string& path) {
        if (path == folder) {
            return true;
        }
        failure = addWalkedFolder(path, relativeTo(folder, path));
        return failure.isOk();
    };
    walker.onFile = [&](const std::string& path) {
        failure = addFile(path, relativeTo(folder, path));
        return failure.isOk();
    };
    Status walked = WalkTree(folder, walker);
    if (!failure) {
        return failure;
    }
    return walked.withContext(folder);
}

Status ArchiveWriter::AddPath(const std::string& rawPath) {
    if (Status open = checkOpen(); !open) {
        return open;
    }
    const std::string path = absoluteOf(rawPath);
    FileStatusInfo info;
    if (path.empty() || !FileStatus(path, info)) {
        return errnoStatus(ENOENT).withContext(rawPath);
    }
    const std::uint64_t start = end_;
    Status added;
    if (info.isFolder) {
        currentFolder_ = path::PathFileName(path);
        if (currentFolder_.empty()) {
            return Status::error(rawPath + ": the folder has no name to store it under");
        }
        if ((flags_ & kArchiveFullPaths) == 0) {
            std::string stored;
            added = storedEntryName(currentFolder_, stored).withContext(rawPath);
            if (added) {
                std::uint32_t attributes = kAttributeFolder;
                if ((flags_ & kArchivePlainAttributes) == 0 && info.readOnly) {
                    attributes |= kAttributeReadOnly;
                }
                added = appendEntry(attributes, stored, 0);
            }
        }
        if (added) {
            added = addFolder(path);
        }
    } else {
        currentFolder_.clear();
        added = addFile(path, path::PathFileName(path));
    }
    if (!added) {
        rollBack(start);
    }
    return added;
}

Status ArchiveWriter::AddUnder(const std::string& rawPath, std::string_view folderName) {
    if (Status open = checkOpen(); !open) {
        return open;
    }
    const std::string path = absoluteOf(rawPath);
    FileStatusInfo info;
    if (path.empty() || !FileStatus(path, info)) {
        return errnoStatus(ENOENT).withContext(rawPath);
    }
    currentFolder_ = std::string(folderName);
    const std::uint64_t start = end_;
    Status added;
    if (info.isFolder) {
        if ((flags_ & kArchiveFullPaths) == 0) {
            std::string stored;
            added = storedEntryName(currentFolder_, stored);
            if (added) {
                added = appendEntry(kAttributeFolder, stored, 0);
            }
        }
        if (added) {
            added = addFolder(path);
        }
    } else {
        added = addFile(path, path::PathFileName(path));
    }
    if (!added) {
        rollBack(start);
    }
    return added;
}

Status ArchiveWriter::Close() {
    if (!file_.isOpen()) {
        return Status::ok();
    }
    Status status;
    if (durable_) {
        status = file_.sync();
    }
    Status closed = file_.close();
    if (status) {
        status = closed;
    }
    return status.withContext(path_);
}

}  // namespace banmen
