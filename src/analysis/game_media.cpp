#include "analysis/game_media.h"

#include "engine/sound_files.h"
#include "model/archive_reader.h"
#include "model/image_files.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

// The part of an entry name after "<folder>\", or nothing when the entry is
// not directly inside that folder.
bool nameInside(std::string_view entry, std::string_view folder, std::string& name) {
    if (entry.size() <= folder.size() + 1 || entry.substr(0, folder.size()) != folder ||
        entry[folder.size()] != '\\') {
        return false;
    }
    name.assign(entry.substr(folder.size() + 1));
    return name.find('\\') == std::string::npos;
}

}  // namespace

GameMedia GameMedia::inFolder(std::string folder, std::string defaultImages,
                              std::string defaultSounds) {
    GameMedia media;
    media.folder_ = std::move(folder);
    media.defaultImages_ = std::move(defaultImages);
    media.defaultSounds_ = std::move(defaultSounds);
    return media;
}

Status GameMedia::inGameFile(const std::string& path, std::string defaultImages,
                             std::string defaultSounds, GameMedia& out) {
    GameMedia media;
    media.inArchive_ = true;
    media.defaultImages_ = std::move(defaultImages);
    media.defaultSounds_ = std::move(defaultSounds);
    ArchiveReader reader;
    if (Status opened = reader.Open(path); !opened) {
        return opened;
    }
    for (;;) {
        ArchiveEntry entry;
        bool atEnd = false;
        if (Status next = reader.Next(entry, atEnd); !next) {
            return next;
        }
        if (atEnd) {
            break;
        }
        std::string name;
        if (entry.isFolder()) {
            continue;
        }
        if (nameInside(entry.name, kImageFolderName, name)) {
            std::vector<std::uint8_t> data;
            if (Status read = reader.ReadData(data); !read) {
                return read;
            }
            media.pictures_[name] = std::move(data);
        } else if (nameInside(entry.name, kSoundFolderName, name)) {
            media.sounds_.insert(name);
        }
    }
    out = std::move(media);
    return Status::ok();
}

bool GameMedia::readPicture(const GameRecord& record, int image,
                            std::vector<std::uint8_t>& out) const {
    if (inArchive_) {
        const auto found = pictures_.find(fieldText(record.images[image].fileName));
        if (found != pictures_.end()) {
            out = found->second;
            return true;
        }
    }
    // A game file holds no default pictures: they come from the default folder.
    const std::string path =
        FindImageFile(record, inArchive_ ? std::string() : folder_, image, defaultImages_);
    return !path.empty() && ReadWholeFile(path, out).isOk();
}

bool GameMedia::hasSound(const GameRecord& record, int sound) const {
    const SoundDef& def = record.sounds[sound];
    const std::string_view fileName = fieldText(def.fileName);
    if (fileName.empty()) {
        return false;
    }
    if (!inArchive_) {
        return ResolveSoundFile(record, fieldText(def.name), folder_, fileName, defaultSounds_)
                   .index != -1;
    }
    // The same candidates as the sound file resolution, inside the game file
    // first, then in the default sound folder.
    std::string title(fileName.substr(0, fileName.rfind('.')));
    const std::string candidates[] = {std::string(fileName), title + ".mp3", title + ".wav"};
    for (const std::string& candidate : candidates) {
        if (sounds_.contains(candidate)) {
            return true;
        }
    }
    for (const std::string& candidate : candidates) {
        if (FileExists(path::PathJoin(defaultSounds_, sjis::toUtf8Lossy(candidate)))) {
            return true;
        }
    }
    return false;
}

}  // namespace banmen
