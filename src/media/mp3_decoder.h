#pragma once
// MPEG audio Layer III decoding of a whole file in memory, through libmpg123.
// A leading "Xing" or "Info" header frame is not played (libmpg123 reads it
// and, with its gapless data, also drops the encoder's delay and padding).
// Only the left channel is kept: the result is 16-bit mono at the stream's
// rate.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/sound_format.h"
#include "platform/status.h"

namespace banmen {

// Fails on an empty buffer, a stream of another layer, a change of rate or
// channels within the stream, a decoding error, no samples at all, or more
// than `maxBytes` of output. `out` is left alone on failure.
Status DecodeMp3(std::span<const std::uint8_t> file, DecodedSound& out,
                 std::size_t maxBytes = kMaxDecodedBytes);

}  // namespace banmen
