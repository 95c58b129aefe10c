#include "engine/sound_files.h"

#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {

std::string_view systemSoundFileName(SystemSound sound) {
    switch (sound) {
        case SystemSound::Menu:
            return "Menu.mp3";
        case SystemSound::Click:
            return "Click.mp3";
        case SystemSound::Dice:
            return "Dice.mp3";
        case SystemSound::Move:
            return "Move.mp3";
        case SystemSound::Hanabi1:
            return "Hanabi1.mp3";
        case SystemSound::Hanabi2:
            return "Hanabi2.mp3";
        case SystemSound::Hanabi3:
            return "Hanabi3.mp3";
    }
    return {};
}

std::int32_t systemSoundRepeat(SystemSound sound) {
    return sound == SystemSound::Menu ? kRepeatLoop : kRepeatOnce;
}

ResolvedSound ResolveSoundFile(const GameRecord& record, std::string_view name,
                               const std::string& folder, std::string_view fileName,
                               const std::string& defaultSoundFolder) {
    ResolvedSound result;
    int index = -1;
    for (int n = 0; n < kSoundCount; ++n) {
        if (inUse(record.sounds[n]) && fieldText(record.sounds[n].name) == name) {
            index = n;
            break;
        }
    }
    if (index == -1) {
        return result;
    }
    const std::string file = sjis::toUtf8Lossy(fileName);
    const std::string gameSounds = path::PathJoin(folder, kSoundFolderName);
    std::string title = path::PathTitle(file);
    if (title.empty()) {
        title = file;  // a name without an extension is its own title
    }
    const std::string candidates[] = {
        path::PathJoin(gameSounds, file),
        path::PathJoin(defaultSoundFolder, file),
        path::PathJoin(gameSounds, title + ".mp3"),
        path::PathJoin(defaultSoundFolder, title + ".mp3"),
        path::PathJoin(gameSounds, title + ".wav"),
        path::PathJoin(defaultSoundFolder, title + ".wav"),
    };
    for (const std::string& candidate : candidates) {
        if (!candidate.empty() && FileExists(candidate)) {
            result.index = index;
            result.path = candidate;
            return result;
        }
    }
    return result;
}

std::vector<GameSoundFile> GameSoundFiles(const GameRecord& record, const std::string& folder,
                                          const std::string& defaultSoundFolder) {
    std::vector<GameSoundFile> files;
    for (int n = 0; n < kSoundCount; ++n) {
        const SoundDef& sound = record.sounds[n];
        if (!inUse(sound) || sound.fileName[0] == 0) {
            continue;
        }
        const ResolvedSound found = ResolveSoundFile(record, fieldText(sound.name), folder,
                                                     fieldText(sound.fileName), defaultSoundFolder);
        if (found.index != -1) {
            files.push_back({found.index, found.path, sound.repeat});
        }
    }
    return files;
}

}  // namespace banmen
