// Workspace files of the previous format (346,720 bytes): the same fields at
// the same places inside each block, but larger blocks:
//
//   offset   size           contents
//   0        264            headerMarker, headerText
//   264      2,412          game settings (no endCondition), rest reserved
//   2,676    4 x 1,324      players
//   7,972    3 x 1,156      player states
//   11,440   5 x 1,166      player data items
//   17,270   6              reserved
//   17,276   200 x 1,008    squares
//   218,876  300 x 400      images
//   338,876  4              reserved
//   338,880  20 x 392       sounds

#include <cstring>
#include <memory>
#include <string>

#include "model/field_table.h"
#include "model/text_field.h"
#include "model/workspace.h"

namespace banmen {
namespace {

struct PreviousBlock {
    ObjectKind kind;
    std::size_t base;
    std::size_t size;
};

constexpr PreviousBlock kPreviousBlocks[] = {
    {ObjectKind::Game, 264, 2412},         {ObjectKind::Player, 2676, 1324},
    {ObjectKind::PlayerState, 7972, 1156}, {ObjectKind::PlayerData, 11440, 1166},
    {ObjectKind::Square, 17276, 1008},     {ObjectKind::Image, 218876, 400},
    {ObjectKind::Sound, 338880, 392},
};

static_assert(338880 + 20 * 392 == kPreviousWorkspaceSize);

// A text is copied up to its terminator; one that has none within its limit
// is cut at the limit, as every text of the current format is.
void copyText(char* target, const char* source, std::size_t width, std::size_t limit) {
    std::memset(target, 0, width);
    std::size_t n = strnlen(source, width);
    std::memcpy(target, source, n < limit ? n : limit);
}

}  // namespace

Status convertPreviousFormat(const std::uint8_t* bytes, std::size_t size, GameRecord& destination) {
    if (size != kPreviousWorkspaceSize) {
        return Status::error("not a previous-format workspace (size " + std::to_string(size) + ")");
    }
    // A scratch record on the heap: it is too large for small thread stacks.
    auto scratch = std::make_unique<GameRecord>();
    GameRecord& converted = *scratch;
    std::memset(&converted, 0, sizeof converted);
    auto* out = reinterpret_cast<std::uint8_t*>(&converted);

    std::memcpy(&converted.headerMarker, bytes, sizeof converted.headerMarker);
    copyText(converted.headerText, reinterpret_cast<const char*>(bytes + 4),
             sizeof converted.headerText, kHeaderTextMax);

    for (const PreviousBlock& old : kPreviousBlocks) {
        const BlockSpec& block = blockSpec(old.kind);
        for (int index = 0; index < block.count; ++index) {
            const std::uint8_t* from =
                bytes + old.base + old.size * static_cast<std::size_t>(index);
            std::uint8_t* to = out + block.base + block.size * static_cast<std::size_t>(index);
            for (const FieldSpec& field : fieldSpecs(old.kind)) {
                // The previous format has no end condition: it stays 0.
                if (old.kind == ObjectKind::Game && field.fieldId == kFieldEndCondition) {
                    continue;
                }
                for (int sub = 0; sub < field.count; ++sub) {
                    std::size_t at = field.offset + field.stride * static_cast<std::size_t>(sub);
                    if (field.type == FieldType::Text) {
                        copyText(reinterpret_cast<char*>(to + at),
                                 reinterpret_cast<const char*>(from + at), field.width,
                                 field.limit);
                    } else {
                        std::memcpy(to + at, from + at, field.width);
                    }
                }
            }
        }
    }
    std::memcpy(&destination, &converted, sizeof converted);
    return Status::ok();
}

}  // namespace banmen
