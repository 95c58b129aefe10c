#include "media/wav_reader.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "media/wav_conversion.h"

namespace banmen {
namespace {

// A RIFF file: "RIFF", u32 size, form type "WAVE", then chunks of a four-byte
// id, a u32 little-endian body size and the body, padded to an even length.
// "fmt " body: u16 format tag, u16 channels, u32 rate, u32 bytes per second,
// u16 block align, u16 bits per sample, and (not for PCM) u16 extra size.
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kMinFormatBytes = 16;
constexpr std::size_t kMinCompressedFormatBytes = 18;

std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) |
           (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

bool idAt(std::span<const std::uint8_t> bytes, std::size_t at, const char (&id)[5]) {
    for (std::size_t n = 0; n < 4; ++n) {
        if (bytes[at + n] != static_cast<std::uint8_t>(id[n])) {
            return false;
        }
    }
    return true;
}

struct Chunks {
    std::optional<std::span<const std::uint8_t>> format;
    std::optional<std::span<const std::uint8_t>> data;
    bool truncated = false;  // a chunk we need ends past the form
};

// Walks the chunks of the form body; a chunk we skip that runs past the end
// ends the walk.
Chunks findChunks(std::span<const std::uint8_t> body) {
    Chunks chunks;
    std::size_t at = 0;
    while (body.size() - at >= kChunkHeaderBytes && !(chunks.format && chunks.data)) {
        const std::size_t size = u32At(body, at + 4);
        const std::size_t start = at + kChunkHeaderBytes;
        const bool fits = size <= body.size() - start;
        const bool isFormat = idAt(body, at, "fmt ");
        const bool isData = idAt(body, at, "data");
        if ((isFormat && !chunks.format) || (isData && !chunks.data)) {
            if (!fits) {
                chunks.truncated = true;
                break;
            }
            (isFormat ? chunks.format : chunks.data) = body.subspan(start, size);
        } else if (!fits) {
            break;
        }
        at = start + size + (size & 1);
        if (at > body.size()) {
            break;
        }
    }
    return chunks;
}

}  // namespace

Status ReadWav(std::span<const std::uint8_t> file, DecodedSound& out) {
    if (file.size() < 12 || !idAt(file, 0, "RIFF") || !idAt(file, 8, "WAVE")) {
        return Status::error("not a RIFF WAVE file");
    }
    // The declared form size bounds the walk; files written while streaming
    // declare more than they hold, so the file's end bounds it too.
    const std::size_t declared = u32At(file, 4);
    if (declared < 4) {
        return Status::error("not a RIFF WAVE file (empty form)");
    }
    const std::size_t formEnd = declared - 4 < file.size() - 12 ? 12 + (declared - 4) : file.size();
    const Chunks chunks = findChunks(file.subspan(12, formEnd - 12));
    if (!chunks.format) {
        return Status::error(chunks.truncated ? "format chunk truncated" : "no format chunk");
    }
    const std::span<const std::uint8_t> format = *chunks.format;
    if (format.size() < kMinFormatBytes) {
        return Status::error("format chunk too short (" + std::to_string(format.size()) +
                             " bytes)");
    }
    if (!chunks.data) {
        return Status::error(chunks.truncated ? "data chunk truncated" : "no data chunk");
    }
    const std::span<const std::uint8_t> data = *chunks.data;
    if (data.empty()) {
        return Status::error("empty data chunk");
    }

    const std::uint16_t tag = u16At(format, 0);
    const std::uint16_t channels = u16At(format, 2);
    const std::uint32_t rate = u32At(format, 4);
    const std::uint16_t bits = u16At(format, 14);
    if (channels == 0) {
        return Status::error("unsupported format (0 channels)");
    }
    if (rate < static_cast<std::uint32_t>(kMinSampleRate) ||
        rate > static_cast<std::uint32_t>(kMaxSampleRate)) {
        return Status::error("unsupported sample rate " + std::to_string(rate) + " Hz (" +
                             std::to_string(kMinSampleRate) + " to " +
                             std::to_string(kMaxSampleRate) + " Hz are played)");
    }
    if (tag != kWaveFormatPcm && format.size() < kMinCompressedFormatBytes) {
        return Status::error("format chunk too short for format " + std::to_string(tag) + " (" +
                             std::to_string(format.size()) + " bytes)");
    }
    if (tag == kWaveFormatPcm && (bits == 8 || bits == 16)) {
        DecodedSound sound;
        sound.format = {channels, static_cast<int>(rate), bits};
        const auto frameBytes = static_cast<std::size_t>(sound.format.frameBytes());
        const std::size_t usable = data.size() - data.size() % frameBytes;
        if (usable == 0) {
            return Status::error("data chunk shorter than one frame");
        }
        if (usable > kMaxDecodedBytes) {
            return Status::error("sound too long");
        }
        sound.samples.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(usable));
        out = std::move(sound);
        return Status::ok();
    }
    return ConvertWavData(format, data, out)
        .withContext("converting format " + std::to_string(tag));
}

}  // namespace banmen
