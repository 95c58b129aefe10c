#pragma once
// A whole sound as PCM in memory: what the decoders deliver and what a sound
// buffer converts once for the device.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace banmen {

// Interleaved PCM: 8 bits unsigned or 16 bits signed little-endian.
struct SoundFormat {
    int channels = 0;
    int rate = 0;  // frames per second
    int bits = 0;  // 8 or 16

    int frameBytes() const { return channels * (bits / 8); }
};

struct DecodedSound {
    SoundFormat format;
    std::vector<std::uint8_t> samples;

    // Samples per channel.
    std::size_t frameCount() const {
        const int bytes = format.frameBytes();
        return bytes > 0 ? samples.size() / static_cast<std::size_t>(bytes) : 0;
    }
};

// Sample rates a sound may have. A rate far below any real one would make a
// tiny file last for hours once resampled for the device, and one far above
// is no sound anyone records.
inline constexpr int kMinSampleRate = 1000;
inline constexpr int kMaxSampleRate = 384000;

// No decoder produces more PCM than this (about 12 minutes of 16-bit mono at
// 44.1 kHz); a longer sound fails to load rather than exhaust memory.
inline constexpr std::size_t kMaxDecodedBytes = std::size_t{64} << 20;

}  // namespace banmen
