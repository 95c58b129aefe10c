#include "editor/pages/kind_sound.h"

#include <string>

#include "model/enum_texts.h"
#include "model/text_field.h"

namespace banmen {
namespace {

bool named(const GameRecord& record, std::int32_t sound, const std::string& name) {
    return !name.empty() && isSoundRef(record, sound) &&
           fieldText(record.sounds[static_cast<std::size_t>(sound)].name) == name;
}

}  // namespace

std::optional<std::int32_t> soundAfterKindChange(const GameRecord& record, int square,
                                                 std::int32_t oldKind, std::int32_t newKind) {
    if (!isSquareRef(record, square) || oldKind == newKind) {
        return std::nullopt;
    }
    const std::int32_t sound = record.squares[static_cast<std::size_t>(square)].sound;
    if (!named(record, sound, KindSoundName(oldKind))) {
        return std::nullopt;
    }
    const std::string wanted = KindSoundName(newKind);
    if (named(record, newKind + 3, wanted)) {
        return newKind + 3;
    }
    for (std::int32_t n = 0; n < kSoundCount; ++n) {
        if (named(record, n, wanted)) {
            return n;
        }
    }
    return std::nullopt;
}

}  // namespace banmen
