#pragma once
// One loaded sound: the whole file decoded and converted once to the
// device's format when it loads (no streaming), then played from memory.
//
// States: empty → loaded (Load) → playing or stopped (Play, Stop) → empty
// (Release). Play always starts from the beginning; Stop rewinds. A sound
// that plays once simply stops at its end; nothing reports it.
//
// Used from the user interface thread only. Nothing here shows a message:
// every failure is a false result, and the sound stays silent.

#include <cstdint>
#include <memory>
#include <string>

#include "media/sound_format.h"
#include "media/sound_mixer.h"

namespace banmen {

class SoundBuffer {
  public:
    SoundBuffer() = default;
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Fails when no device is open, when a sound is already loaded (it stays
    // in place), or when the file cannot be read, decoded or converted.
    // ".mp3" in any case is decoded as MP3, anything else read as WAVE.
    bool Load(const std::string& path);
    // Plays from the start, looping until stopped or once. Needs an open
    // device and a loaded sound.
    bool Play(bool loop);
    // Stops and rewinds. Needs an open device and a loaded sound.
    bool Stop();
    // Stops and frees the sound, whether or not the device is still open;
    // then the object can load again. Nothing happens when it is empty.
    void Release();

    bool isLoaded() const { return voice_ != nullptr; }
    // Whether the sound is sounding now (a sound played once ends by itself).
    bool isPlaying() const;
    // The sound as decoded, before the conversion for the device: its PCM
    // format and the number of sample bytes. Zero when empty.
    const SoundFormat& format() const { return format_; }
    std::uint32_t size() const { return size_; }
    // The looping flag of the last play request.
    bool looping() const { return looping_; }

  private:
    // Whether this sound belongs to the device that is open now.
    bool deviceReady() const;

    std::shared_ptr<SoundMixer> mixer_;  // the device it was loaded for
    std::shared_ptr<SoundVoice> voice_;
    SoundFormat format_;
    std::uint32_t size_ = 0;
    bool looping_ = false;
};

}  // namespace banmen
