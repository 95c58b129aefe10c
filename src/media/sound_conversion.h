#pragma once
// The one conversion of a decoded sound into the device's output format
// (16-bit signed, native order, the device's channels and rate), done when
// the sound loads so that playing costs nothing but the mix.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/sound_device.h"
#include "media/sound_format.h"
#include "platform/status.h"

namespace banmen {

// Converted sounds larger than this are refused.
inline constexpr std::size_t kMaxDeviceSoundBytes = std::size_t{256} << 20;

// `out` holds whole frames; it is left alone on failure.
Status ConvertForDevice(const DecodedSound& sound, SoundDeviceFormat device,
                        std::vector<std::int16_t>& out);

}  // namespace banmen
