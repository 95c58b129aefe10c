#pragma once
// Where the sounds of a game are found on disk: the system sounds in the
// default sound folder, and the game's own sounds by the sound file
// resolution (the game's "Sound Files" folder first, then the default sound
// folder, then the same title as ".mp3" and as ".wav").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/play_screen.h"
#include "model/game_record.h"

namespace banmen {

// "Menu.mp3", "Click.mp3", "Dice.mp3", "Move.mp3", "Hanabi1.mp3" .. "Hanabi3.mp3".
std::string_view systemSoundFileName(SystemSound sound);
// The default repeat of a system sound: 0 (loop) for "Menu.mp3", else 1.
std::int32_t systemSoundRepeat(SystemSound sound);

struct ResolvedSound {
    int index = -1;    // the first sound of that name; -1 = none found
    std::string path;  // native path of the first candidate that exists
};

// `name` and `fileName` as the record stores them (Shift-JIS); `folder` and
// `defaultSoundFolder` native.
ResolvedSound ResolveSoundFile(const GameRecord& record, std::string_view name,
                               const std::string& folder, std::string_view fileName,
                               const std::string& defaultSoundFolder);

struct GameSoundFile {
    int index = 0;
    std::string path;
    std::int32_t repeat = 1;
};

// The cues to load for a game: every sound with a name and a file name whose
// resolution finds a file, with the sound's repeat value.
std::vector<GameSoundFile> GameSoundFiles(const GameRecord& record, const std::string& folder,
                                          const std::string& defaultSoundFolder);

}  // namespace banmen
