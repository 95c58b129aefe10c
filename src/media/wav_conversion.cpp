#include "media/wav_conversion.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace banmen {
namespace {

constexpr unsigned kWaveFormatMsAdpcm = 0x0002;
constexpr unsigned kWaveFormatImaAdpcm = 0x0011;
constexpr unsigned kWaveFormatGsm610 = 0x0031;

unsigned u16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<unsigned>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) |
           (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// libsndfile reads a file, not two chunk bodies: give it a minimal WAVE file
// of just these two chunks, read through its virtual I/O from memory.
std::vector<std::uint8_t> minimalWave(std::span<const std::uint8_t> format,
                                      std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> file;
    const auto put32 = [&file](std::size_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            file.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    };
    const auto putChunk = [&](const char* id, std::span<const std::uint8_t> body) {
        file.insert(file.end(), id, id + 4);
        put32(body.size());
        file.insert(file.end(), body.begin(), body.end());
        if (body.size() % 2 != 0) {
            file.push_back(0);
        }
    };
    file.reserve(12 + 8 + format.size() + 1 + 8 + data.size() + 1);
    file.insert(file.end(), {'R', 'I', 'F', 'F'});
    put32(0);  // filled in below
    file.insert(file.end(), {'W', 'A', 'V', 'E'});
    putChunk("fmt ", format);
    putChunk("data", data);
    const std::size_t formSize = file.size() - 8;
    for (std::size_t n = 0; n < 4; ++n) {
        file[4 + n] = static_cast<std::uint8_t>(formSize >> (8 * n));
    }
    return file;
}

struct MemoryFile {
    const std::vector<std::uint8_t>* bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user) {
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes->size());
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto length = static_cast<sf_count_t>(file->bytes->size());
    sf_count_t base = 0;
    if (whence == SEEK_CUR) {
        base = file->position;
    } else if (whence == SEEK_END) {
        base = length;
    }
    const sf_count_t target = base + offset;
    if (target < 0 || target > length) {
        return -1;
    }
    file->position = target;
    return target;
}

sf_count_t memoryRead(void* ptr, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto length = static_cast<sf_count_t>(file->bytes->size());
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, length - file->position);
    std::memcpy(ptr, file->bytes->data() + file->position, static_cast<std::size_t>(n));
    file->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t memoryTell(void* user) {
    return static_cast<MemoryFile*>(user)->position;
}

// libsndfile maps 16-bit data to floats by dividing by 32768, so this
// restores such data exactly. A float file may hold NaN, which has no
// sample value: it plays as silence.
std::int16_t toSample16(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    const float scaled = std::nearbyint(value * 32768.0f);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

Status ConvertWavData(std::span<const std::uint8_t> format, std::span<const std::uint8_t> data,
                      DecodedSound& out, std::size_t maxBytes) {
    const unsigned tag = u16At(format, 0);
    const auto channels = static_cast<int>(u16At(format, 2));
    const auto rate = static_cast<int>(u32At(format, 4));
    const std::size_t blockAlign = u16At(format, 12);
    // Only whole blocks convert; a partial last block would decode as noise.
    if (blockAlign > 1) {
        data = data.first(data.size() - data.size() % blockAlign);
        if (data.empty()) {
            return Status::error("data chunk shorter than one block");
        }
    }
    DecodedSound sound;
    sound.format = {channels, rate, 16};
    const auto frameBytes = static_cast<std::size_t>(sound.format.frameBytes());
    const std::size_t maxFrames = maxBytes / frameBytes;
    // The ADPCM and GSM formats give their samples per block after the extra
    // size. libsndfile may decode one block more than the data holds (GSM
    // with an odd data size), so reading stops after the whole blocks.
    std::size_t lastFrame = maxFrames + 1;
    if ((tag == kWaveFormatMsAdpcm || tag == kWaveFormatImaAdpcm || tag == kWaveFormatGsm610) &&
        format.size() >= 20 && blockAlign > 0) {
        lastFrame = std::min(lastFrame, data.size() / blockAlign * u16At(format, 18));
    }

    const std::vector<std::uint8_t> wave = minimalWave(format, data);
    MemoryFile memory{&wave};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, SndfileCloser> file(
        sf_open_virtual(&io, SFM_READ, &info, &memory));
    if (!file) {
        return Status::error(sf_strerror(nullptr));
    }
    if (info.channels != channels || info.samplerate != rate) {
        return Status::error("decoder reports " + std::to_string(info.channels) + " channels at " +
                             std::to_string(info.samplerate) + " Hz");
    }
    if (info.frames > 0 && static_cast<std::uint64_t>(info.frames) > maxFrames &&
        lastFrame > maxFrames) {
        return Status::error("sound too long");
    }
    // Read as floats in -1..1 whatever the format (libsndfile scales short
    // reads of float data by the file's peak, or not at all), then scale to
    // 16 bits, clipping what lies outside.
    // A block of 64 Ki samples whatever the channel count (up to 65,535).
    constexpr std::size_t kBlockSamples = 65536;
    const std::size_t blockFrames =
        std::max<std::size_t>(1, kBlockSamples / static_cast<std::size_t>(channels));
    std::vector<float> block(blockFrames * static_cast<std::size_t>(channels));
    std::size_t frames = 0;
    while (frames < lastFrame) {
        const std::size_t wanted = std::min(blockFrames, lastFrame - frames);
        const sf_count_t got =
            sf_readf_float(file.get(), block.data(), static_cast<sf_count_t>(wanted));
        if (got <= 0) {
            break;
        }
        frames += static_cast<std::size_t>(got);
        if (frames > maxFrames) {
            return Status::error("sound too long");
        }
        const std::size_t count =
            static_cast<std::size_t>(got) * static_cast<std::size_t>(channels);
        const std::size_t at = sound.samples.size();
        sound.samples.resize(at + 2 * count);
        for (std::size_t n = 0; n < count; ++n) {
            const auto value = static_cast<std::uint16_t>(toSample16(block[n]));
            sound.samples[at + 2 * n] = static_cast<std::uint8_t>(value);
            sound.samples[at + 2 * n + 1] = static_cast<std::uint8_t>(value >> 8);
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        return Status::error(sf_strerror(file.get()));
    }
    if (sound.samples.empty()) {
        return Status::error("no samples decoded");
    }
    out = std::move(sound);
    return Status::ok();
}

}  // namespace banmen
