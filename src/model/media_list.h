#pragma once
// Adding, duplicating and deleting images and sounds. Deleting one clears
// every reference to it. These write the record directly (no descriptors, no
// modified flag); callers mark the workspace modified and redraw.

#include <cstdint>
#include <string_view>

namespace banmen {

class RecordOwner;

// A new image in the first free slot: the given name (CP932), or
// "ｲﾒｰｼﾞ(%d)" with its number when the name is empty; the given file name
// (may be empty); transparent colour magenta. -1 when all slots are used.
std::int32_t AddImage(RecordOwner& owner, std::string_view name, std::string_view fileName);
// The same over the sound slots with "ｻｳﾝﾄﾞ(%d)"; a new sound loops (repeat 0).
std::int32_t AddSound(RecordOwner& owner, std::string_view name, std::string_view fileName);

// A new object with the default name and no file, holding the settings of
// the source. -1 when the source is not in use or no slot is free.
std::int32_t DuplicateImage(RecordOwner& owner, std::int32_t image);
std::int32_t DuplicateSound(RecordOwner& owner, std::int32_t sound);

// The game's board and help pictures, player pieces and square pictures that
// show the image become -1, then the slot is freed. Nothing unless the image
// is in use.
void DeleteImage(RecordOwner& owner, std::int32_t image);
void DeleteAllImages(RecordOwner& owner);

// The game's music and the square sounds that play the sound become -1, then
// the slot is freed. Nothing unless the sound is in use.
void DeleteSound(RecordOwner& owner, std::int32_t sound);
void DeleteAllSounds(RecordOwner& owner);

}  // namespace banmen
