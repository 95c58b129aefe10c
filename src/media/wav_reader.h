#pragma once
// RIFF WAVE files read from memory. The chunk walker finds the first "fmt "
// and the first "data" chunk of the "WAVE" form, skipping other chunks
// (with their pad byte after an odd size). PCM of 8 or 16 bits is kept as
// stored, with any channel count; every other format (ADPCM, u-law, A-law,
// GSM 6.10, float, PCM of other widths) becomes 16-bit PCM with the same
// channels and rate.
//
// Refused: no RIFF "WAVE" form, a format chunk under 16 bytes (under 18 for
// a format that is not PCM), a missing, truncated or empty data chunk, and a
// failed conversion.

#include <cstdint>
#include <span>

#include "media/sound_format.h"
#include "platform/status.h"

namespace banmen {

// Format tags of the WAVE format chunk.
inline constexpr std::uint16_t kWaveFormatPcm = 1;

// `out` is left alone on failure.
Status ReadWav(std::span<const std::uint8_t> file, DecodedSound& out);

}  // namespace banmen
