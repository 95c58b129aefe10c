#include "model/media_list.h"

#include <cstring>
#include <span>
#include <string>

#include "model/object_blocks.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

template <typename Block, std::size_t N>
std::int32_t firstFree(const Block (&slots)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (!inUse(slots[i])) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

// Zeroes the slot and names it; an empty name (or one that stores as empty)
// gives "<prefix>(<number>)", so the new slot is always in use.
template <typename Block>
void startSlot(Block& slot, std::int32_t index, std::string_view name, std::string_view fileName,
               std::string_view defaultPrefix) {
    std::memset(&slot, 0, sizeof slot);
    // The slot is zero already: only texts with bytes are stored.
    if (!name.empty()) {
        storeFieldText(slot.name, kNameMax, name);
    }
    if (!inUse(slot)) {
        storeFieldText(
            slot.name, kNameMax,
            sjis::lit(std::string(defaultPrefix) + "(" + std::to_string(index + 1) + ")"));
    }
    if (!fileName.empty()) {
        storeFieldText(slot.fileName, kNameMax, fileName);
    }
}

template <typename Block>
std::int32_t duplicate(RecordOwner& owner, ObjectKind kind, std::int32_t source,
                       std::int32_t (*add)(RecordOwner&, std::string_view, std::string_view)) {
    Block copy;
    const auto buffer = std::as_writable_bytes(std::span(&copy, 1));
    if (!CopyOut(owner, kind, source, buffer)) {
        return -1;
    }
    const std::int32_t created = add(owner, {}, {});
    if (created >= 0) {
        PasteSettings(owner, kind, buffer, created);
    }
    return created;
}

}  // namespace

std::int32_t AddImage(RecordOwner& owner, std::string_view name, std::string_view fileName) {
    GameRecord& record = owner.record();
    const std::int32_t slot = firstFree(record.images);
    if (slot < 0) {
        return -1;
    }
    ImageDef& image = record.images[slot];
    startSlot(image, slot, name, fileName, "ｲﾒｰｼﾞ");
    image.transparentColor = static_cast<std::int32_t>(kTransparentMagenta);
    return slot;
}

std::int32_t AddSound(RecordOwner& owner, std::string_view name, std::string_view fileName) {
    GameRecord& record = owner.record();
    const std::int32_t slot = firstFree(record.sounds);
    if (slot < 0) {
        return -1;
    }
    startSlot(record.sounds[slot], slot, name, fileName, "ｻｳﾝﾄﾞ");
    return slot;
}

std::int32_t DuplicateImage(RecordOwner& owner, std::int32_t image) {
    return duplicate<ImageDef>(owner, ObjectKind::Image, image, AddImage);
}

std::int32_t DuplicateSound(RecordOwner& owner, std::int32_t sound) {
    return duplicate<SoundDef>(owner, ObjectKind::Sound, sound, AddSound);
}

void DeleteImage(RecordOwner& owner, std::int32_t image) {
    GameRecord& record = owner.record();
    if (!isImageRef(record, image)) {
        return;
    }
    GameSettings& settings = record.settings;
    if (settings.gamePicture == image) {
        settings.gamePicture = -1;
    }
    // The help picture too: left pointing at the freed slot, it would show
    // whatever image takes that slot next.
    if (settings.helpPicture == image) {
        settings.helpPicture = -1;
    }
    for (PlayerDef& player : record.players) {
        if (inUse(player) && player.picture == image) {
            player.picture = -1;
        }
    }
    for (SquareDef& square : record.squares) {
        if (!inUse(square)) {
            continue;
        }
        if (square.picture == image) {
            square.picture = -1;
        }
        if (square.supplementPicture == image) {
            square.supplementPicture = -1;
        }
    }
    record.images[image].name[0] = 0;
}

void DeleteAllImages(RecordOwner& owner) {
    for (std::int32_t i = 0; i < kImageCount; ++i) {
        DeleteImage(owner, i);
    }
}

void DeleteSound(RecordOwner& owner, std::int32_t sound) {
    GameRecord& record = owner.record();
    if (!isSoundRef(record, sound)) {
        return;
    }
    if (record.settings.music == sound) {
        record.settings.music = -1;
    }
    for (SquareDef& square : record.squares) {
        if (inUse(square) && square.sound == sound) {
            square.sound = -1;
        }
    }
    record.sounds[sound].name[0] = 0;
}

void DeleteAllSounds(RecordOwner& owner) {
    for (std::int32_t i = 0; i < kSoundCount; ++i) {
        DeleteSound(owner, i);
    }
}

}  // namespace banmen
