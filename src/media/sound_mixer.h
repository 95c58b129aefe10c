#pragma once
// The mix of the playing sounds. The audio thread calls `mix`; the user
// interface thread starts and stops voices. What the two share (the list of
// playing voices and each voice's position and flags) is guarded by one
// mutex; the samples never change after a voice is made, so they are read
// without it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace banmen {

// One loaded sound in the device's format.
class SoundVoice {
  public:
    explicit SoundVoice(std::vector<std::int16_t> samples) : samples_(std::move(samples)) {}

    // Interleaved in the device's channels.
    const std::vector<std::int16_t>& samples() const { return samples_; }

  private:
    friend class SoundMixer;
    const std::vector<std::int16_t> samples_;
    // Guarded by the mixer's mutex.
    std::size_t position_ = 0;  // next sample to play
    bool looping_ = false;
    bool playing_ = false;
};

class SoundMixer {
  public:
    // `channels` of the device's output (at least 1).
    explicit SoundMixer(int channels);
    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;

    int channels() const { return channels_; }

    // Plays the voice from its start; a voice already playing restarts.
    void play(const std::shared_ptr<SoundVoice>& voice, bool loop);
    // Stops the voice and rewinds it. Once this returns, `mix` no longer
    // touches the voice, so it may be destroyed.
    void stop(SoundVoice& voice);
    void stopAll();
    bool isPlaying(const SoundVoice& voice) const;

    // Writes `frames` frames of the sum of the playing voices, clipped to
    // 16 bits. A voice that plays once leaves the mix at its end; a looping
    // voice wraps around to its start.
    void mix(std::int16_t* out, std::size_t frames);
    // Frames mixed since the mixer was made.
    std::uint64_t mixedFrames() const;

  private:
    const int channels_;
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<SoundVoice>> playing_;  // guarded by mutex_
    std::uint64_t mixedFrames_ = 0;                     // guarded by mutex_
};

}  // namespace banmen
