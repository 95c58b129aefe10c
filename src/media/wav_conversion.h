#pragma once
// Conversion of WAVE data in a format other than 8- or 16-bit PCM to 16-bit
// PCM with the same channels and rate, through libsndfile.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/sound_format.h"
#include "platform/status.h"

namespace banmen {

// `format` and `data` are the bodies of the "fmt " and "data" chunks (the
// format at least 16 bytes). Only whole blocks (of the format's block align)
// are converted. Fails when libsndfile does not know the format, reports
// other channels or rate than the format chunk, decodes nothing, or would
// exceed `maxBytes`. `out` is left alone on failure.
Status ConvertWavData(std::span<const std::uint8_t> format, std::span<const std::uint8_t> data,
                      DecodedSound& out, std::size_t maxBytes = kMaxDecodedBytes);

}  // namespace banmen
