#pragma once
// A sound buffer with a default repeat value, as the game engine keeps its
// system sounds and the game's own sounds. A repeat of 0 (kRepeatLoop) loops
// until the sound is stopped; any other value plays it once.

#include <cstdint>
#include <string>

#include "media/sound_buffer.h"
#include "model/game_record.h"

namespace banmen {

class SoundCue {
  public:
    SoundCue() = default;
    virtual ~SoundCue();
    SoundCue(const SoundCue&) = delete;
    SoundCue& operator=(const SoundCue&) = delete;

    // Keeps the default repeat and loads the file; always true, since a cue
    // whose file does not load simply plays nothing.
    bool Load(const std::string& path, std::int32_t defaultRepeat);
    // Count 0 stands for the default repeat; the sound loops exactly when the
    // resulting count is 0. Always true.
    bool Play(std::int32_t count = 0);
    // The buffer's Stop.
    bool Stop();
    // Stop, then Release.
    void Unload();

    const SoundBuffer& buffer() const { return buffer_; }
    // The file of the loaded sound; empty while none is loaded.
    const std::string& path() const { return path_; }
    // The count of the last play request.
    std::int32_t repeat() const { return repeat_; }
    std::int32_t defaultRepeat() const { return defaultRepeat_; }

  private:
    SoundBuffer buffer_;
    std::string path_;
    std::int32_t repeat_ = 0;
    std::int32_t defaultRepeat_ = 0;
};

}  // namespace banmen
