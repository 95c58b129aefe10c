#include "model/archive_reader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "model/archive_names.h"
#include "platform/disk_io.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace banmen {
namespace {

std::string entryLabel(const ArchiveEntry& entry) {
    return "entry \"" + displayEntryName(entry.name) + "\" at offset " +
           std::to_string(entry.offset);
}

}  // namespace

Status ArchiveReader::Open(const std::string& path) {
    path_ = path;
    position_ = 0;
    unread_ = 0;
    if (Status opened = file_.openForReading(path); !opened) {
        return opened;
    }
    if (Status sized = file_.size(size_); !sized) {
        return sized;
    }
    std::uint8_t header[kArchiveHeaderSize];
    std::size_t got = 0;
    if (Status read = file_.read(header, sizeof header, got); !read) {
        return read;
    }
    if (got < sizeof header || getArchiveU32(header) != kArchiveSignature) {
        (void)file_.close();
        return Status::error("not an archive (no \"ArCh\" signature)");
    }
    flags_ = getArchiveU32(header + 4);
    position_ = sizeof header;
    return Status::ok();
}

Status ArchiveReader::Next(ArchiveEntry& entry, bool& atEnd) {
    atEnd = false;
    if (!file_.isOpen()) {
        return Status::error("no archive is open");
    }
    if (unread_ > 0) {
        if (Status skipped = file_.skip(unread_); !skipped) {
            return skipped;
        }
        position_ += unread_;
        unread_ = 0;
    }
    std::uint8_t head[kArchiveEntrySize];
    std::size_t got = 0;
    if (Status read = file_.read(head, sizeof head, got); !read) {
        return read;
    }
    if (got < sizeof head) {
        atEnd = true;  // a few trailing bytes are no entry
        return Status::ok();
    }
    ArchiveEntry next;
    next.offset = position_;
    next.attributes = getArchiveU32(head);
    const std::uint32_t nameLength = getArchiveU32(head + 4);
    next.dataSize = getArchiveU32(head + 8);
    position_ += sizeof head;
    const std::string where = "entry at offset " + std::to_string(next.offset);
    if (nameLength == 0) {
        return Status::error(where + ": the name has no terminating NUL");
    }
    if (nameLength > kArchiveMaxNameLength) {
        return Status::error(where + ": the name is " + std::to_string(nameLength) +
                             " bytes long (at most " + std::to_string(kArchiveMaxNameLength) +
                             " are accepted)");
    }
    std::string name(nameLength, '\0');
    if (Status read = file_.read(name.data(), nameLength, got); !read) {
        return read;
    }
    if (got < nameLength) {
        return Status::error(where + ": cut off in its name (the archive is truncated)");
    }
    position_ += nameLength;
    if (name.back() != '\0') {
        return Status::error(where + ": the name has no terminating NUL");
    }
    name.pop_back();
    next.name = std::move(name);
    if (size_ < position_ || size_ - position_ < next.dataSize) {
        return Status::error(entryLabel(next) + ": cut off in its data (" +
                             std::to_string(next.dataSize) + " bytes announced, " +
                             std::to_string(size_ < position_ ? 0 : size_ - position_) +
                             " left; the archive is truncated)");
    }
    unread_ = next.dataSize;
    entry = std::move(next);
    return Status::ok();
}

Status ArchiveReader::ReadData(const DataSink& sink) {
    if (buffer_.empty() && unread_ > 0) {
        buffer_.resize(kArchivePieceSize);
    }
    while (unread_ > 0) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(unread_, kArchivePieceSize));
        std::size_t got = 0;
        if (Status read = file_.read(buffer_.data(), wanted, got); !read) {
            return read;
        }
        position_ += got;
        unread_ -= got;
        if (got < wanted) {
            unread_ = 0;
            return Status::error("short read: the archive ended inside an entry's data");
        }
        if (Status taken = sink(buffer_.data(), wanted); !taken) {
            return taken;
        }
    }
    return Status::ok();
}

Status ArchiveReader::CopyData(ArchiveFile& output) {
    while (unread_ > 0) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(unread_, kArchivePieceSize));
        std::size_t copied = 0;
        Status moved = output.copyFrom(file_, wanted, buffer_, copied);
        position_ += copied;
        unread_ -= copied;
        if (!moved) {
            return moved;
        }
        if (copied < wanted) {
            unread_ = 0;
            return Status::error("short read: the archive ended inside an entry's data");
        }
    }
    return Status::ok();
}

Status ArchiveReader::ReadData(std::vector<std::uint8_t>& out) {
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(unread_));
    Status read = ReadData([&](const std::uint8_t* bytes, std::size_t size) {
        data.insert(data.end(), bytes, bytes + size);
        return Status::ok();
    });
    if (read) {
        out.swap(data);
    }
    return read;
}

Status ListArchive(const std::string& path, ArchiveListing& out) {
    out = {};
    ArchiveReader reader;
    if (Status opened = reader.Open(path); !opened) {
        return opened;
    }
    out.flags = reader.flags();
    while (true) {
        ArchiveEntry entry;
        bool atEnd = false;
        if (Status next = reader.Next(entry, atEnd); !next) {
            return next;
        }
        if (atEnd) {
            return Status::ok();
        }
        out.entries.push_back(std::move(entry));
    }
}

namespace {

std::string joinUnder(const std::string& folder, const std::string& name) {
    return folder == "/" ? folder + name : folder + "/" + name;
}

enum class Place { Missing, Folder, Link, Other };

Status placeAt(const std::string& path, Place& out) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            out = Place::Missing;
            return Status::ok();
        }
        return errnoStatus(errno).withContext(path);
    }
    out = S_ISDIR(info.st_mode)   ? Place::Folder
          : S_ISLNK(info.st_mode) ? Place::Link
                                  : Place::Other;
    return Status::ok();
}

// Makes sure a real folder (no link) stands at `path`.
Status folderAt(const std::string& path, bool linksAllowed) {
    Place place = Place::Missing;
    if (Status looked = placeAt(path, place); !looked) {
        return looked;
    }
    if (place == Place::Link && linksAllowed && IsFolder(path)) {
        return Status::ok();
    }
    switch (place) {
        case Place::Folder:
            return Status::ok();
        case Place::Missing:
            if (Status made = disk::makeFolder(path); !made && !IsFolder(path)) {
                return made.withContext(path);
            }
            return Status::ok();
        case Place::Link:
            return Status::error(path + ": is a link; extraction does not follow links");
        case Place::Other:
            break;
    }
    return Status::error(path + ": a file is in the way of a folder");
}

// The parts of an entry's name on disk (see ExtractOptions).
Status namedParts(std::uint32_t flags, bool fullPaths, const std::string& name,
                  std::vector<std::string>& parts) {
    if ((flags & kArchiveFullPaths) == 0) {
        return entryNameParts(name, parts);
    }
    if (fullPaths && (name.empty() || name.front() != '\\')) {
        return Status::error("not a full path on this system");
    }
    return fullPathNameParts(name, parts);
}

class Extractor {
  public:
    Extractor(ArchiveReader& reader, std::string destination, bool fullPaths)
        : reader_(reader), destination_(std::move(destination)), fullPaths_(fullPaths) {}

    Status extract(const ArchiveEntry& entry) {
        std::vector<std::string> parts;
        if (Status named = namedParts(reader_.flags(), fullPaths_, entry.name, parts); !named) {
            return named;
        }
        // Every folder on the way must be a real one: a link planted in the
        // destination would lead the write elsewhere.
        std::string target = fullPaths_ ? std::string("/") : destination_;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            target = joinUnder(target, parts[i]);
            if (Status made = folderAt(target, fullPaths_); !made) {
                return made;
            }
        }
        target = joinUnder(target, parts.back());
        if (entry.isFolder()) {
            return folderAt(target, fullPaths_);
        }
        return writeFile(entry, target);
    }

  private:
    // The file is written under a temporary name beside the target and
    // renamed over it when complete: a file already there (an earlier entry
    // of the same name, a read-only one, a link, which is replaced rather
    // than followed) stays as it was until then.
    Status writeFile(const ArchiveEntry& entry, const std::string& target) {
        Place place = Place::Missing;
        if (Status looked = placeAt(target, place); !looked) {
            return looked;
        }
        if (place == Place::Folder) {
            return Status::error(target + ": a folder is in the way of a file");
        }
        const std::size_t slash = target.find_last_of('/');
        const std::string prefix = target.substr(0, slash + 1);
        ArchiveFile output;
        std::string temporary;
        Status created = Status::error("no free temporary name");
        for (int attempt = 0; attempt < 100 && !created; ++attempt) {
            temporary = prefix + temporaryNameFor(target.substr(slash + 1));
            created = output.createNew(temporary);
            if (!created && errno != EEXIST) {
                break;
            }
        }
        if (!created) {
            return created.withContext(target);
        }
        Status status = reader_.CopyData(output).withContext(target);
        const bool plain = (reader_.flags() & kArchivePlainAttributes) != 0;
        if (status && !plain && (entry.attributes & kAttributeReadOnly) != 0) {
            status = makeReadOnly(output.descriptor()).withContext(target);
        }
        Status closed = output.close();
        if (status) {
            status = closed.withContext(target);
        }
        if (status) {
            status = ReplaceFile(temporary, target, false).withContext(target);
        }
        if (!status) {
            ::unlink(temporary.c_str());
        }
        return status;
    }

    static Status makeReadOnly(int descriptor) {
        struct stat info {};
        if (::fstat(descriptor, &info) != 0 ||
            ::fchmod(descriptor, info.st_mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH) &
                                     07777) != 0) {
            return errnoStatus(errno);
        }
        return Status::ok();
    }

    ArchiveReader& reader_;
    std::string destination_;
    bool fullPaths_;
};

}  // namespace

Status ExtractArchive(const std::string& archivePath, const std::string& destination,
                      const ExtractOptions& options) {
    FileStatusInfo info;
    if (!FileStatus(archivePath, info)) {
        return Status::error("file not found");
    }
    if (info.isFolder) {
        return Status::error("is a folder");
    }
    std::string target = destination;
    if (target.empty() || !path::NormalizePath(target)) {
        std::error_code error;
        target = std::filesystem::absolute(archivePath, error).parent_path().string();
        if (error || target.empty()) {
            return Status::error("the archive's folder cannot be found");
        }
    }
    while (target.size() > 1 && target.back() == '/') {
        target.pop_back();
    }
    ArchiveReader reader;
    if (Status opened = reader.Open(archivePath); !opened) {
        return opened;
    }
    if (Status made = CreateFolderTree(target); !made) {
        return made;
    }
    const bool fullPaths = options.allowFullPaths && (reader.flags() & kArchiveFullPaths) != 0;
    Extractor extractor(reader, target, fullPaths);
    while (true) {
        ArchiveEntry entry;
        bool atEnd = false;
        if (Status next = reader.Next(entry, atEnd); !next) {
            return next;
        }
        if (atEnd) {
            return Status::ok();
        }
        if (Status extracted = extractor.extract(entry); !extracted) {
            return extracted.withContext(entryLabel(entry));
        }
    }
}

Status ExtractionTargets(const std::string& archivePath, const std::string& destination,
                         std::vector<std::string>& files) {
    std::string folder = destination;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    ArchiveReader reader;
    if (Status opened = reader.Open(archivePath); !opened) {
        return opened;
    }
    std::vector<std::string> found;
    while (true) {
        ArchiveEntry entry;
        bool atEnd = false;
        if (Status next = reader.Next(entry, atEnd); !next) {
            return next;
        }
        if (atEnd) {
            break;
        }
        std::vector<std::string> parts;
        if (Status named = namedParts(reader.flags(), false, entry.name, parts); !named) {
            return named.withContext(entryLabel(entry));
        }
        if (!entry.isFolder()) {
            std::string target = folder;
            for (const std::string& part : parts) {
                target = joinUnder(target, part);
            }
            found.push_back(std::move(target));
        }
    }
    files.swap(found);
    return Status::ok();
}

}  // namespace banmen
