#include "media/sound_conversion.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>

namespace banmen {
namespace {

struct StreamDeleter {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

}  // namespace

Status ConvertForDevice(const DecodedSound& sound, SoundDeviceFormat device,
                        std::vector<std::int16_t>& out) {
    const SoundFormat& from = sound.format;
    if ((from.bits != 8 && from.bits != 16) || from.channels < 1 || from.channels > 255 ||
        from.rate < 1 || device.channels < 1 || device.channels > 255 || device.rate < 1) {
        return Status::error("unsupported sound format");
    }
    const std::size_t frames = sound.frameCount();
    if (frames == 0) {
        return Status::error("no samples");
    }
    const auto fromRate = static_cast<std::uint64_t>(from.rate);
    const auto toRate = static_cast<std::uint64_t>(device.rate);
    const std::uint64_t outFrames = (frames * toRate + fromRate / 2) / fromRate;
    const std::size_t frameBytes = sizeof(std::int16_t) * static_cast<std::size_t>(device.channels);
    if (outFrames == 0 || outFrames > kMaxDeviceSoundBytes / frameBytes) {
        return Status::error(outFrames == 0 ? "sound too short" : "sound too long");
    }
    const std::unique_ptr<SDL_AudioStream, StreamDeleter> stream(SDL_NewAudioStream(
        from.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(from.channels), from.rate,
        AUDIO_S16SYS, static_cast<Uint8>(device.channels), device.rate));
    if (!stream) {
        return Status::error(std::string("cannot convert: ") + SDL_GetError());
    }
    const std::size_t inBytes = frames * static_cast<std::size_t>(from.frameBytes());
    if (inBytes > static_cast<std::size_t>(std::numeric_limits<int>::max() / 2)) {
        return Status::error("sound too long");
    }
    if (SDL_AudioStreamPut(stream.get(), sound.samples.data(), static_cast<int>(inBytes)) != 0) {
        return Status::error(std::string("cannot convert: ") + SDL_GetError());
    }
    // SDL's resampler keeps back the last few hundred frames even when the
    // stream is flushed: push silence after the sound so that all of it
    // comes out, then cut the result to the sound's own length.
    if (fromRate != toRate) {
        const std::size_t padFrames = 1024 + 1024 * fromRate / toRate;
        const std::vector<std::uint8_t> silence(
            padFrames * static_cast<std::size_t>(from.frameBytes()), from.bits == 8 ? 0x80 : 0);
        if (SDL_AudioStreamPut(stream.get(), silence.data(), static_cast<int>(silence.size())) !=
            0) {
            return Status::error(std::string("cannot convert: ") + SDL_GetError());
        }
    }
    if (SDL_AudioStreamFlush(stream.get()) != 0) {
        return Status::error(std::string("cannot convert: ") + SDL_GetError());
    }
    const auto available = static_cast<std::size_t>(SDL_AudioStreamAvailable(stream.get()));
    const std::size_t keptFrames = std::min<std::size_t>(outFrames, available / frameBytes);
    if (keptFrames == 0) {
        return Status::error("no samples after conversion");
    }
    std::vector<std::int16_t> converted(keptFrames * static_cast<std::size_t>(device.channels));
    const int got = SDL_AudioStreamGet(stream.get(), converted.data(),
                                       static_cast<int>(keptFrames * frameBytes));
    if (got < 0 || static_cast<std::size_t>(got) != keptFrames * frameBytes) {
        return Status::error(std::string("cannot convert: ") + SDL_GetError());
    }
    out = std::move(converted);
    return Status::ok();
}

}  // namespace banmen
