#include "media/sound_conversion.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
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
        from.rate < kMinSampleRate || from.rate > kMaxSampleRate || device.channels < 1 ||
        device.channels > 255 || device.rate < kMinSampleRate || device.rate > kMaxSampleRate) {
        return Status::error("unsupported sound format");
    }
    const std::size_t frames = sound.frameCount();
    if (frames == 0) {
        return Status::error("no samples");
    }
    // The result is the sound's own length at the device's rate: with the
    // source rate bounded, what it may take follows from the real length.
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
    const auto failed = [] {
        return Status::error(std::string("cannot convert: ") + SDL_GetError());
    };

    // The sound goes through in pieces and what comes out is taken at once,
    // so that the stream never holds more than a piece: the result is the
    // only large block.
    const std::size_t wanted = static_cast<std::size_t>(outFrames) * frameBytes;
    std::vector<std::int16_t> converted;
    converted.reserve(wanted / sizeof(std::int16_t));
    const auto drain = [&]() -> bool {
        while (converted.size() * sizeof(std::int16_t) < wanted) {
            const int available = SDL_AudioStreamAvailable(stream.get());
            const std::size_t room = wanted - converted.size() * sizeof(std::int16_t);
            const std::size_t take =
                std::min(static_cast<std::size_t>(std::max(available, 0)), room) / frameBytes *
                frameBytes;
            if (take == 0) {
                return true;
            }
            const std::size_t at = converted.size();
            converted.resize(at + take / sizeof(std::int16_t));
            const int got =
                SDL_AudioStreamGet(stream.get(), converted.data() + at, static_cast<int>(take));
            if (got < 0) {
                return false;
            }
            converted.resize(at + static_cast<std::size_t>(got) / sizeof(std::int16_t));
        }
        return true;
    };
    const auto inFrameBytes = static_cast<std::size_t>(from.frameBytes());
    constexpr std::size_t kPieceFrames = 32768;
    for (std::size_t done = 0; done < frames;) {
        const std::size_t piece = std::min(kPieceFrames, frames - done);
        if (SDL_AudioStreamPut(stream.get(), sound.samples.data() + done * inFrameBytes,
                               static_cast<int>(piece * inFrameBytes)) != 0 ||
            !drain()) {
            return failed();
        }
        done += piece;
    }
    // SDL's resampler keeps back the last few hundred frames even when the
    // stream is flushed: push silence after the sound so that all of it
    // comes out, then cut the result to the sound's own length.
    if (fromRate != toRate) {
        const std::size_t padFrames = 1024 + 1024 * fromRate / toRate;
        const std::vector<std::uint8_t> silence(padFrames * inFrameBytes,
                                                from.bits == 8 ? 0x80 : 0);
        if (SDL_AudioStreamPut(stream.get(), silence.data(), static_cast<int>(silence.size())) !=
            0) {
            return failed();
        }
    }
    if (SDL_AudioStreamFlush(stream.get()) != 0 || !drain()) {
        return failed();
    }
    if (converted.empty()) {
        return Status::error("no samples after conversion");
    }
    out = std::move(converted);
    return Status::ok();
}

}  // namespace banmen
