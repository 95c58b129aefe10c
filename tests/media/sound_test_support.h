#pragma once
// Helpers for the sound tests: WAVE files built byte by byte, test tones,
// the command-line encoders (sox, lame) when installed, and measures of
// mixed output.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace banmen::test {

inline void putU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

struct WaveChunk {
    std::string id;  // four characters
    std::vector<std::uint8_t> body;
    std::uint32_t declaredSize = 0xFFFFFFFF;  // the body's size unless set
};

// "RIFF" + form size + "WAVE" + the chunks, each padded to an even length.
inline std::vector<std::uint8_t> waveFile(const std::vector<WaveChunk>& chunks) {
    std::vector<std::uint8_t> file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const WaveChunk& chunk : chunks) {
        file.insert(file.end(), chunk.id.begin(), chunk.id.end());
        putU32(file, chunk.declaredSize != 0xFFFFFFFF
                         ? chunk.declaredSize
                         : static_cast<std::uint32_t>(chunk.body.size()));
        file.insert(file.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2 != 0) {
            file.push_back(0);
        }
    }
    const auto formSize = static_cast<std::uint32_t>(file.size() - 8);
    for (std::size_t n = 0; n < 4; ++n) {
        file[4 + n] = static_cast<std::uint8_t>(formSize >> (8 * n));
    }
    return file;
}

// A format chunk body: the 16 common bytes, then `extra` as it is (for a
// compressed format, the extra size field and what it counts).
inline std::vector<std::uint8_t> formatBody(unsigned tag, unsigned channels, std::uint32_t rate,
                                            unsigned bits, unsigned blockAlign,
                                            const std::vector<std::uint8_t>& extra = {}) {
    std::vector<std::uint8_t> body;
    putU16(body, tag);
    putU16(body, channels);
    putU32(body, rate);
    putU32(body, rate * blockAlign);
    putU16(body, blockAlign);
    putU16(body, bits);
    body.insert(body.end(), extra.begin(), extra.end());
    return body;
}

// A sine tone, the same in every channel, `amplitude` of full scale.
inline std::vector<std::int16_t> tone(std::size_t frames, int channels, double rate,
                                      double frequency, double amplitude) {
    std::vector<std::int16_t> samples;
    samples.reserve(frames * static_cast<std::size_t>(channels));
    for (std::size_t n = 0; n < frames; ++n) {
        const double value =
            amplitude * 32767.0 *
            std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(n) / rate);
        for (int c = 0; c < channels; ++c) {
            samples.push_back(static_cast<std::int16_t>(std::lround(value)));
        }
    }
    return samples;
}

inline std::vector<std::uint8_t> bytesOf(std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (const std::int16_t sample : samples) {
        putU16(bytes, static_cast<std::uint16_t>(sample));
    }
    return bytes;
}

inline std::vector<std::int16_t> samplesOf(std::span<const std::uint8_t> bytes) {
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t n = 0; n < samples.size(); ++n) {
        samples[n] = static_cast<std::int16_t>(bytes[2 * n] | (bytes[2 * n + 1] << 8));
    }
    return samples;
}

// A 16-bit PCM WAVE file of the samples.
inline std::vector<std::uint8_t> pcm16Wave(std::span<const std::int16_t> samples, int channels,
                                           std::uint32_t rate) {
    const auto ch = static_cast<unsigned>(channels);
    return waveFile({{"fmt ", formatBody(1, ch, rate, 16, 2 * ch)}, {"data", bytesOf(samples)}});
}

// Every `channels`-th sample from `first`.
inline std::vector<std::int16_t> channelOf(std::span<const std::int16_t> samples, int channels,
                                           int first) {
    std::vector<std::int16_t> out;
    for (std::size_t n = static_cast<std::size_t>(first); n < samples.size();
         n += static_cast<std::size_t>(channels)) {
        out.push_back(samples[n]);
    }
    return out;
}

inline int peakOf(std::span<const std::int16_t> samples) {
    int peak = 0;
    for (const std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

// First and one past the last frame louder than `threshold`; {0, 0} when
// there is none.
struct Extent {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t length() const { return end - begin; }
};

inline Extent loudExtent(std::span<const std::int16_t> samples, int channels, int threshold) {
    Extent extent;
    bool found = false;
    const auto ch = static_cast<std::size_t>(channels);
    for (std::size_t frame = 0; frame < samples.size() / ch; ++frame) {
        for (std::size_t c = 0; c < ch; ++c) {
            if (std::abs(static_cast<int>(samples[frame * ch + c])) > threshold) {
                if (!found) {
                    extent.begin = frame;
                    found = true;
                }
                extent.end = frame + 1;
            }
        }
    }
    return extent;
}

// The longest run of frames in [begin, end) that are all at or below the
// threshold: a gap in what should sound.
inline std::size_t longestQuietRun(std::span<const std::int16_t> samples, int channels,
                                   int threshold, Extent within) {
    std::size_t longest = 0;
    std::size_t run = 0;
    const auto ch = static_cast<std::size_t>(channels);
    for (std::size_t frame = within.begin; frame < within.end; ++frame) {
        bool quiet = true;
        for (std::size_t c = 0; c < ch; ++c) {
            quiet = quiet && std::abs(static_cast<int>(samples[frame * ch + c])) <= threshold;
        }
        run = quiet ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

inline std::string shellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

inline bool haveTool(const std::string& name) {
    const std::string command = "command -v " + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Runs a shell command quietly; true when it succeeded.
inline bool runQuietly(const std::string& command) {
    const std::string quiet = command + " >/dev/null 2>&1";
    return std::system(quiet.c_str()) == 0;
}

}  // namespace banmen::test
