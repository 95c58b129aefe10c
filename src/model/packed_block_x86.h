#pragma once
// The x86-64 fast path of the packed block: packing, unpacking and the count
// of set flags with AVX2, BMI2 and POPCNT, when the processor has them. Only
// packed_block.cpp and its tests use this header; see packed_block.h for the
// layout.

#include <cstddef>
#include <cstdint>

namespace banmen::packed_x86 {

// True when the processor runs the fast path (checked once) and tests have
// not switched it off. Always false off x86-64.
bool fastPathEnabled();

// For tests: false makes Pack and Unpack take the portable path, so that both
// paths can be compared on the same input.
void setFastPathEnabled(bool enabled);

// The functions below may be called only when fastPathEnabled().

// The number of set flags among the first `units` flag bits.
std::size_t countFlags(const std::uint8_t* flags, std::size_t units);

// Packs `size` bytes at `in` in units of `unitSize` (1, 2 or 4) bytes. Writes
// every one of the flag bytes (they need not start zeroed) and the changed
// units to `data`, which must have room for all units. Returns the number of
// data bytes.
std::size_t packUnits(int unitSize, const std::uint8_t* in, std::size_t size, std::uint8_t* flags,
                      std::uint8_t* data);

// Unpacks `size` bytes in units of `unitSize` into `out`. The caller has
// checked that [data, dataEnd) holds a whole unit for every set flag.
void unpackUnits(int unitSize, const std::uint8_t* flags, const std::uint8_t* data,
                 const std::uint8_t* dataEnd, std::uint8_t* out, std::size_t size);

}  // namespace banmen::packed_x86
