#pragma once
// The sounds of a run: the seven system sounds (from the default sound
// folder, loaded once; "Menu.mp3" loops) and the game's 20 sounds (loaded
// for each run through the sound file resolution, unloaded when it ends).

#include <array>
#include <string>

#include "engine/play_screen.h"
#include "media/sound_cue.h"
#include "model/game_record.h"

namespace banmen {

class PlaySounds {
  public:
    PlaySounds();
    ~PlaySounds();
    PlaySounds(const PlaySounds&) = delete;
    PlaySounds& operator=(const PlaySounds&) = delete;

    // Loads the system sounds if they are not yet loaded (they need an open
    // sound device; without one they stay silent and are tried again).
    void loadSystemSounds();
    void loadGameSounds(const GameRecord& record, const std::string& folder);
    void unloadGameSounds();

    void playGame(int index);
    void playSystem(SystemSound sound);
    void stopSystem(SystemSound sound);
    void stopAll();

    bool anyPlaying() const;
    const SoundCue& game(int index) const { return game_[static_cast<std::size_t>(index)]; }
    const SoundCue& system(SystemSound sound) const {
        return system_[static_cast<std::size_t>(sound)];
    }

  private:
    std::array<SoundCue, 7> system_;
    std::array<SoundCue, kSoundCount> game_;
};

}  // namespace banmen
