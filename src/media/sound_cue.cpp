#include "media/sound_cue.h"

namespace banmen {

SoundCue::~SoundCue() {
    buffer_.Release();
}

bool SoundCue::Load(const std::string& path, std::int32_t defaultRepeat) {
    defaultRepeat_ = defaultRepeat;
    if (buffer_.Load(path)) {
        path_ = path;
    }
    return true;
}

bool SoundCue::Play(std::int32_t count) {
    repeat_ = count == 0 ? defaultRepeat_ : count;
    (void)buffer_.Play(repeat_ == kRepeatLoop);
    return true;
}

bool SoundCue::Stop() {
    return buffer_.Stop();
}

void SoundCue::Unload() {
    (void)buffer_.Stop();
    buffer_.Release();
    path_.clear();
}

}  // namespace banmen
