#pragma once
// Packed block: the run scheme that shrinks a game record into a project file
// (.sgp). A unit is stored only where it differs from the unit before it.
//
// Byte layout. A packed block is a 16-byte header, a flag area and a data
// area. The header holds four little-endian 32-bit numbers: at offset 0 the
// magic 0x04040806; at 4 `dataOffset`, the offset of the data area, which is
// always 16 + the number of flag bytes; at 8 `unpackedSize`, the size of the
// unpacked data in bytes; at 12 `unitSize`, 1, 2 or 4, the width in bytes of
// the units being compared. The unpacked data is a sequence of
// ceil(unpackedSize / unitSize) units; a final partial unit is its bytes
// followed by zero bytes. The flag area at offset 16 holds one bit per unit,
// ceil(units / 8) bytes, the most significant bit of each byte first, unused
// bits of the last byte 0. A unit's bit is 1 when the unit differs from the
// unit before it (the unit before the first is 0); the data area at
// `dataOffset` then holds the whole unit, in order of the units. A bit of 0
// means the unit repeats the unit before it and takes no data.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/status.h"

namespace banmen {

constexpr std::uint32_t kPackedMagic = 0x04040806;
constexpr std::size_t kPackedHeaderSize = 16;
// Unpack refuses blocks that claim more than this: a game record is 273,760
// bytes, and a hostile header must not make us allocate gigabytes.
constexpr std::size_t kMaxUnpackedSize = std::size_t{64} << 20;

// Packs `size` bytes of `data` in units of `unitSize` (1, 2 or 4) bytes.
// With `output` null, returns the space packing needs at most: 16 + flag bytes
// + the data rounded up to whole units. Otherwise `output` must hold that
// many bytes; writes the block and returns its size. Returns 0 for another
// unit size or for a size that the 32-bit header cannot hold.
std::size_t Pack(int unitSize, const void* data, std::size_t size, std::uint8_t* output);

// Unpacks the `size` bytes at `block`. On success `out` holds exactly
// `unpackedSize` bytes; on failure `out` is unchanged and the status says what
// is wrong with the block. Bytes after the data that the flags ask for are
// ignored. `block` must not point into `out`.
Status Unpack(const std::uint8_t* block, std::size_t size, std::vector<std::uint8_t>& out);

}  // namespace banmen
