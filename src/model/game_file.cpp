#include "model/game_file.h"

#include <cstring>
#include <vector>

#include "model/archive_reader.h"
#include "model/packed_block.h"
#include "platform/paths.h"

namespace banmen {
namespace {

// A packed game record is far smaller; a hostile entry must not make us
// read gigabytes into memory.
constexpr std::uint32_t kMaxProjectSize = 16u << 20;

bool isProjectEntry(const ArchiveEntry& entry) {
    if (entry.isFolder()) {
        return false;
    }
    const std::vector<std::string> parts = sjispath::splitParts(entry.name);
    return parts.size() == 1 && entry.name.front() != '\\' &&
           path::sameExtension(sjispath::PathExtension(parts.front()), ".sgp");
}

}  // namespace

Status ReadGameFile(GameRecord& destination, const std::string& path) {
    ArchiveReader reader;
    if (Status opened = reader.Open(path); !opened) {
        return opened;
    }
    while (true) {
        ArchiveEntry entry;
        bool atEnd = false;
        if (Status next = reader.Next(entry, atEnd); !next) {
            return next;
        }
        if (atEnd) {
            return Status::error("the game file holds no project file (.sgp)");
        }
        if (!isProjectEntry(entry)) {
            continue;
        }
        if (entry.dataSize > kMaxProjectSize) {
            return Status::error("the project file inside is " + std::to_string(entry.dataSize) +
                                 " bytes, too large for a packed game record");
        }
        std::vector<std::uint8_t> packed;
        if (Status read = reader.ReadData(packed); !read) {
            return read;
        }
        std::vector<std::uint8_t> bytes;
        if (Status unpacked = Unpack(packed.data(), packed.size(), bytes); !unpacked) {
            return unpacked.withContext("the project file inside");
        }
        if (bytes.size() != kGameRecordSize) {
            return Status::error("the packed record has " + std::to_string(bytes.size()) +
                                 " bytes instead of " + std::to_string(kGameRecordSize));
        }
        std::memcpy(&destination, bytes.data(), kGameRecordSize);
        return Status::ok();
    }
}

}  // namespace banmen
