#include "bell_sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace banmen::sample {
namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 2.4;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

}  // namespace

std::vector<std::uint8_t> bellWav() {
    // A low hum, the strike tone and its bright, quickly fading overtones,
    // with a slow beat between two close partials.
    struct Partial {
        double frequency;
        double amplitude;
        double decay;  // per second
    };
    const Partial partials[] = {{98.0, 0.30, 0.6},  {146.5, 0.22, 0.9}, {196.0, 0.35, 1.1},
                                {198.4, 0.25, 1.1}, {311.0, 0.16, 2.2}, {466.0, 0.10, 3.5},
                                {742.0, 0.06, 6.0}};
    const auto samples = static_cast<std::uint32_t>(kRate * kSeconds);
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 36 + samples * 2);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    putTag(out, "data");
    put32(out, samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double value = 0;
        for (const Partial& partial : partials) {
            value += partial.amplitude * std::exp(-partial.decay * t) *
                     std::sin(2 * std::numbers::pi * partial.frequency * t);
        }
        // The strike: a few milliseconds of attack.
        value *= std::min(1.0, t / 0.004) * 0.9;
        const auto sample =
            static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32000));
        put16(out, static_cast<std::uint16_t>(sample));
    }
    return out;
}

}  // namespace banmen::sample
