#include "editor/document/record_difference.h"

#include <cstring>

#include "model/field_table.h"
#include "model/object_blocks.h"

namespace banmen {
namespace {

const std::byte* bytesOf(const GameRecord& record) {
    return reinterpret_cast<const std::byte*>(&record);
}

// Every block's name is its first 64 bytes.
constexpr std::size_t kNameWidth = 64;

}  // namespace

bool RecordDifference::any() const {
    for (bool kind : kinds) {
        if (kind) {
            return true;
        }
    }
    return headerText;
}

RecordDifference differenceBetween(const GameRecord& before, const GameRecord& after) {
    RecordDifference difference;
    if (std::memcmp(&before, &after, sizeof(GameRecord)) == 0) {
        return difference;
    }
    difference.headerText =
        std::memcmp(before.headerText, after.headerText, sizeof before.headerText) != 0 ||
        before.headerMarker != after.headerMarker;
    if (std::memcmp(&before.settings, &after.settings, sizeof(GameSettings)) != 0) {
        difference.kinds[static_cast<std::size_t>(ObjectKind::Game)] = true;
        // The game's title is the window's title, not a caption; treat it
        // like a name so the title follows.
        difference.names |= std::memcmp(before.settings.title, after.settings.title,
                                        sizeof before.settings.title) != 0;
    }
    for (ObjectKind kind : allKinds()) {
        const std::size_t size = objectBlockSize(kind);
        if (size == 0) {
            continue;
        }
        const BlockSpec& block = blockSpec(kind);
        const std::byte* a = bytesOf(before) + block.base;
        const std::byte* b = bytesOf(after) + block.base;
        if (std::memcmp(a, b, size * static_cast<std::size_t>(block.count)) == 0) {
            continue;
        }
        difference.kinds[static_cast<std::size_t>(kind)] = true;
        for (int i = 0; i < block.count && !difference.names; ++i) {
            const std::size_t at = static_cast<std::size_t>(i) * size;
            difference.names = std::memcmp(a + at, b + at, kNameWidth) != 0;
        }
    }
    return difference;
}

}  // namespace banmen
