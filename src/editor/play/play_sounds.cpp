#include "editor/play/play_sounds.h"

#include "engine/sound_files.h"
#include "model/default_folders.h"
#include "platform/paths.h"

namespace banmen {

PlaySounds::PlaySounds() = default;

PlaySounds::~PlaySounds() {
    stopAll();
}

void PlaySounds::loadSystemSounds() {
    const std::string folder = defaultSoundFolder();
    for (std::size_t i = 0; i < system_.size(); ++i) {
        SoundCue& cue = system_[i];
        if (cue.buffer().isLoaded()) {
            continue;
        }
        const auto sound = static_cast<SystemSound>(i);
        cue.Load(path::PathJoin(folder, systemSoundFileName(sound)), systemSoundRepeat(sound));
    }
}

void PlaySounds::loadGameSounds(const GameRecord& record, const std::string& folder) {
    unloadGameSounds();
    for (const GameSoundFile& file : GameSoundFiles(record, folder, defaultSoundFolder())) {
        if (file.index >= 0 && file.index < kSoundCount) {
            game_[static_cast<std::size_t>(file.index)].Load(file.path, file.repeat);
        }
    }
}

void PlaySounds::unloadGameSounds() {
    for (SoundCue& cue : game_) {
        cue.Unload();
    }
}

void PlaySounds::playGame(int index) {
    if (index >= 0 && index < kSoundCount) {
        game_[static_cast<std::size_t>(index)].Play(0);
    }
}

void PlaySounds::playSystem(SystemSound sound) {
    system_[static_cast<std::size_t>(sound)].Play(0);
}

void PlaySounds::stopSystem(SystemSound sound) {
    system_[static_cast<std::size_t>(sound)].Stop();
}

void PlaySounds::stopAll() {
    for (SoundCue& cue : system_) {
        cue.Stop();
    }
    for (SoundCue& cue : game_) {
        cue.Stop();
    }
}

bool PlaySounds::anyPlaying() const {
    for (const SoundCue& cue : system_) {
        if (cue.buffer().isPlaying()) {
            return true;
        }
    }
    for (const SoundCue& cue : game_) {
        if (cue.buffer().isPlaying()) {
            return true;
        }
    }
    return false;
}

}  // namespace banmen
