#pragma once
// Whole object blocks in and out of the record: copying an object's settings
// out, pasting them into another object while it keeps its identity, and
// stepping to the next object in use. Blocks are the record's own bytes
// (player 556, state 196, data item 206, square 1,008, image 208, sound 200).

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/game_record.h"
#include "model/object_kind.h"

namespace banmen {

class RecordOwner;

// The byte size of one block of a kind; 0 for the game settings and for
// anything that is no kind.
std::size_t objectBlockSize(ObjectKind kind);

// Copies the object's whole block into the buffer. False (and nothing
// copied) for the game settings, an index out of range, a buffer smaller than
// the block, and a free square, image or sound slot. Ends route mode first.
bool CopyOut(RecordOwner& owner, ObjectKind kind, std::int32_t index, std::span<std::byte> buffer);

// The block in the buffer replaces the object's, except what the target
// keeps: a player its name, and its picture unless that is -1; a state or
// data item its name; a square its name, x, y and four next squares; an image
// or sound its name and file name (its mark becomes 0). False, with nothing
// changed, where CopyOut would fail. Ends route mode first.
bool PasteSettings(RecordOwner& owner, ObjectKind kind, std::span<const std::byte> buffer,
                   std::int32_t index);

// For squares, images and sounds: the first index above `index` in use; if
// none, the highest index in use; -1 when none is in use (or for any other
// kind). Any `index` is accepted as a starting point (-1 finds the first).
std::int32_t NextUsedIndex(const GameRecord& record, ObjectKind kind, std::int32_t index);

}  // namespace banmen
