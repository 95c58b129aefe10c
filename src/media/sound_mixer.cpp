#include "media/sound_mixer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace banmen {
namespace {

// Samples summed per pass; the sum of any number of voices fits in 32 bits
// long before it matters, as the result is clipped anyway.
constexpr std::size_t kPassSamples = 4096;

// Adds up to `count` samples of the voice to `sum`, wrapping or ending at the
// voice's end. Returns false when the voice has ended.
bool addVoice(const std::vector<std::int16_t>& samples, std::size_t& position, bool looping,
              std::int32_t* sum, std::size_t count) {
    while (count > 0) {
        const std::size_t run = std::min(count, samples.size() - position);
        const std::int16_t* from = samples.data() + position;
        for (std::size_t n = 0; n < run; ++n) {
            sum[n] += from[n];
        }
        sum += run;
        count -= run;
        position += run;
        if (position == samples.size()) {
            position = 0;
            if (!looping) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

SoundMixer::SoundMixer(int channels) : channels_(std::max(channels, 1)) {}

void SoundMixer::play(const std::shared_ptr<SoundVoice>& voice, bool loop) {
    if (!voice || voice->samples_.empty()) {
        return;
    }
    const std::lock_guard lock(mutex_);
    voice->position_ = 0;
    voice->looping_ = loop;
    if (!voice->playing_) {
        voice->playing_ = true;
        playing_.push_back(voice);
    }
}

void SoundMixer::stop(SoundVoice& voice) {
    std::shared_ptr<SoundVoice> removed;
    {
        const std::lock_guard lock(mutex_);
        voice.position_ = 0;
        voice.playing_ = false;
        const auto found = std::find_if(playing_.begin(), playing_.end(),
                                        [&voice](const auto& p) { return p.get() == &voice; });
        if (found != playing_.end()) {
            removed = std::move(*found);
            playing_.erase(found);
        }
    }
    // `removed` may hold the last reference: let it go outside the lock.
}

void SoundMixer::stopAll() {
    std::vector<std::shared_ptr<SoundVoice>> removed;
    {
        const std::lock_guard lock(mutex_);
        for (const auto& voice : playing_) {
            voice->position_ = 0;
            voice->playing_ = false;
        }
        removed.swap(playing_);
    }
}

bool SoundMixer::isPlaying(const SoundVoice& voice) const {
    const std::lock_guard lock(mutex_);
    return voice.playing_;
}

void SoundMixer::mix(std::int16_t* out, std::size_t frames) {
    std::array<std::int32_t, kPassSamples> sum;
    const auto channels = static_cast<std::size_t>(channels_);
    const std::size_t passFrames = kPassSamples / channels;
    const std::lock_guard lock(mutex_);
    mixedFrames_ += frames;
    while (frames > 0) {
        const std::size_t count = std::min(frames, passFrames) * channels;
        std::fill_n(sum.begin(), count, 0);
        for (const auto& voice : playing_) {
            if (voice->playing_) {
                voice->playing_ =
                    addVoice(voice->samples_, voice->position_, voice->looping_, sum.data(), count);
            }
        }
        for (std::size_t n = 0; n < count; ++n) {
            out[n] = static_cast<std::int16_t>(
                std::clamp<std::int32_t>(sum[n], std::numeric_limits<std::int16_t>::min(),
                                         std::numeric_limits<std::int16_t>::max()));
        }
        out += count;
        frames -= count / channels;
    }
    // Voices that ended stay alive elsewhere (their buffers hold them), so no
    // sound is freed on this thread.
    std::erase_if(playing_, [](const auto& voice) { return !voice->playing_; });
}

std::uint64_t SoundMixer::mixedFrames() const {
    const std::lock_guard lock(mutex_);
    return mixedFrames_;
}

}  // namespace banmen
