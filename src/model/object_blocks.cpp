#include "model/object_blocks.h"

#include <cstring>

#include "model/field_table.h"
#include "model/record_owner.h"
#include "model/route_mode.h"

namespace banmen {
namespace {

bool isListedKind(ObjectKind kind) {
    return kind == ObjectKind::Square || kind == ObjectKind::Image || kind == ObjectKind::Sound;
}

// Players, states and data items are fixed; a square, image or sound block
// is an object only while its slot is in use (the name's first byte).
bool isObject(const GameRecord& record, ObjectKind kind, std::int32_t index) {
    const std::size_t size = objectBlockSize(kind);
    if (size == 0 || index < 0 || index >= objectCount(kind)) {
        return false;
    }
    if (!isListedKind(kind)) {
        return true;
    }
    const auto* bytes = reinterpret_cast<const std::byte*>(&record);
    return bytes[blockSpec(kind).base + static_cast<std::size_t>(index) * size] != std::byte{0};
}

template <typename Block>
Block blockFrom(std::span<const std::byte> buffer) {
    Block block;
    std::memcpy(&block, buffer.data(), sizeof block);
    return block;
}

template <std::size_t N>
void keep(char (&pasted)[N], const char (&target)[N]) {
    std::memcpy(pasted, target, N);
}

}  // namespace

std::size_t objectBlockSize(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Player:
            return sizeof(PlayerDef);
        case ObjectKind::PlayerState:
            return sizeof(PlayerStateDef);
        case ObjectKind::PlayerData:
            return sizeof(PlayerDataDef);
        case ObjectKind::Square:
            return sizeof(SquareDef);
        case ObjectKind::Image:
            return sizeof(ImageDef);
        case ObjectKind::Sound:
            return sizeof(SoundDef);
        case ObjectKind::Game:
            break;
    }
    return 0;
}

bool CopyOut(RecordOwner& owner, ObjectKind kind, std::int32_t index, std::span<std::byte> buffer) {
    EndRouteMode(owner);
    const GameRecord& record = owner.record();
    const std::size_t size = objectBlockSize(kind);
    if (!isObject(record, kind, index) || buffer.size() < size) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const std::byte*>(&record);
    std::memcpy(buffer.data(),
                bytes + blockSpec(kind).base + static_cast<std::size_t>(index) * size, size);
    return true;
}

bool PasteSettings(RecordOwner& owner, ObjectKind kind, std::span<const std::byte> buffer,
                   std::int32_t index) {
    EndRouteMode(owner);
    GameRecord& record = owner.record();
    if (!isObject(record, kind, index) || buffer.size() < objectBlockSize(kind)) {
        return false;
    }
    switch (kind) {
        case ObjectKind::Player: {
            PlayerDef& target = record.players[index];
            auto pasted = blockFrom<PlayerDef>(buffer);
            keep(pasted.name, target.name);
            if (target.picture != -1) {
                pasted.picture = target.picture;
            }
            target = pasted;
            break;
        }
        case ObjectKind::PlayerState: {
            PlayerStateDef& target = record.states[index];
            auto pasted = blockFrom<PlayerStateDef>(buffer);
            keep(pasted.name, target.name);
            target = pasted;
            break;
        }
        case ObjectKind::PlayerData: {
            PlayerDataDef& target = record.dataItems[index];
            auto pasted = blockFrom<PlayerDataDef>(buffer);
            keep(pasted.name, target.name);
            target = pasted;
            break;
        }
        case ObjectKind::Square: {
            SquareDef& target = record.squares[index];
            auto pasted = blockFrom<SquareDef>(buffer);
            keep(pasted.name, target.name);
            pasted.x = target.x;
            pasted.y = target.y;
            std::memcpy(pasted.nextSquares, target.nextSquares, sizeof pasted.nextSquares);
            target = pasted;
            break;
        }
        case ObjectKind::Image: {
            ImageDef& target = record.images[index];
            auto pasted = blockFrom<ImageDef>(buffer);
            keep(pasted.name, target.name);
            keep(pasted.fileName, target.fileName);
            pasted.imageMark = 0;
            target = pasted;
            break;
        }
        case ObjectKind::Sound: {
            SoundDef& target = record.sounds[index];
            auto pasted = blockFrom<SoundDef>(buffer);
            keep(pasted.name, target.name);
            keep(pasted.fileName, target.fileName);
            pasted.soundMark = 0;
            target = pasted;
            break;
        }
        case ObjectKind::Game:
            return false;
    }
    return true;
}

std::int32_t NextUsedIndex(const GameRecord& record, ObjectKind kind, std::int32_t index) {
    if (!isListedKind(kind)) {
        return -1;
    }
    std::int32_t highest = -1;
    for (std::int32_t i = 0; i < objectCount(kind); ++i) {
        if (isObject(record, kind, i)) {
            if (i > index) {
                return i;
            }
            highest = i;
        }
    }
    return highest;
}

}  // namespace banmen
