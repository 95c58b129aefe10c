#include "media/sound_buffer.h"

#include <utility>
#include <vector>

#include "media/sound_conversion.h"
#include "media/sound_decoder.h"
#include "media/sound_device.h"

namespace banmen {

SoundBuffer::~SoundBuffer() {
    Release();
}

bool SoundBuffer::Load(const std::string& path) {
    std::shared_ptr<SoundMixer> mixer = soundDeviceMixer();
    if (!mixer || isLoaded()) {
        return false;
    }
    // Decoding and conversion take no lock: the sound is not shared with the
    // audio thread until it plays.
    DecodedSound sound;
    std::vector<std::int16_t> samples;
    if (!DecodeSoundFile(path, sound) || !ConvertForDevice(sound, soundDeviceFormat(), samples)) {
        return false;
    }
    mixer_ = std::move(mixer);
    voice_ = std::make_shared<SoundVoice>(std::move(samples));
    format_ = sound.format;
    size_ = static_cast<std::uint32_t>(sound.samples.size());
    looping_ = false;
    return true;
}

bool SoundBuffer::deviceReady() const {
    return voice_ != nullptr && mixer_ != nullptr && mixer_ == soundDeviceMixer();
}

bool SoundBuffer::Play(bool loop) {
    if (!deviceReady()) {
        return false;
    }
    looping_ = loop;
    mixer_->play(voice_, loop);
    return true;
}

bool SoundBuffer::Stop() {
    if (!deviceReady()) {
        return false;
    }
    mixer_->stop(*voice_);
    return true;
}

void SoundBuffer::Release() {
    if (!voice_) {
        return;
    }
    // Out of the mix first: after that the audio thread no longer sees it.
    mixer_->stop(*voice_);
    voice_.reset();
    mixer_.reset();
    format_ = SoundFormat{};
    size_ = 0;
    looping_ = false;
}

bool SoundBuffer::isPlaying() const {
    return voice_ != nullptr && mixer_->isPlaying(*voice_);
}

}  // namespace banmen
