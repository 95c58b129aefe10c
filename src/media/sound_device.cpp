#include "media/sound_device.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace banmen {
namespace {

constexpr int kPreferredRate = 44100;
constexpr int kChannels = 2;
constexpr Uint16 kCallbackFrames = 1024;  // about 23 ms at 44.1 kHz

// Touched by the user interface thread only; the audio thread sees the
// mixer through the callback's user data.
struct Device {
    SDL_AudioDeviceID id = 0;
    SoundDeviceFormat format;
    std::shared_ptr<SoundMixer> mixer;
};

// Never destroyed: a program that ends without closing the device must not
// free the mixer under the still running audio thread.
Device& device() {
    static Device& instance = *new Device;
    return instance;
}

void mixCallback(void* user, Uint8* stream, int length) {
    auto* mixer = static_cast<SoundMixer*>(user);
    const auto frames = static_cast<std::size_t>(length) /
                        (sizeof(std::int16_t) * static_cast<std::size_t>(mixer->channels()));
    mixer->mix(reinterpret_cast<std::int16_t*>(stream), frames);
}

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA writes its own complaints (no card, no default device) to standard
// error, where a program without sound has nothing to say. The library SDL
// uses is the one dlopen finds under its name, so its error handler can be
// set here; without ALSA there is nothing to quieten.
void quietenAlsa() {
    static const bool done = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (alsa == nullptr) {
            return false;
        }
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(Handler);
        if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
            set(&ignoreAlsaError);
        }
        return true;  // kept loaded: the handler lives in this instance
    }();
    (void)done;
}

}  // namespace

bool OpenSoundDevice() {
    Device& d = device();
    if (d.id != 0) {
        return false;
    }
    // The program has its own signal handling; SDL is here for sound only.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "banmen");
    quietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    auto mixer = std::make_shared<SoundMixer>(kChannels);
    SDL_AudioSpec wanted{};
    wanted.freq = kPreferredRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kChannels;
    wanted.samples = kCallbackFrames;
    wanted.callback = mixCallback;
    wanted.userdata = mixer.get();
    SDL_AudioSpec obtained{};
    // The rate may follow the hardware, so sounds are resampled once, when
    // they load, rather than by SDL while they play.
    const SDL_AudioDeviceID id =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (id == 0 || obtained.freq <= 0) {
        if (id != 0) {
            SDL_CloseAudioDevice(id);
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    d.id = id;
    d.format = {kChannels, obtained.freq};
    d.mixer = std::move(mixer);
    SDL_PauseAudioDevice(id, 0);
    return true;
}

void CloseSoundDevice() {
    Device& d = device();
    if (d.id == 0) {
        return;
    }
    // Closing waits for the audio thread, so the mixer is no longer in use.
    SDL_CloseAudioDevice(d.id);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    d.mixer->stopAll();
    d = Device{};
}

bool SoundDeviceIsOpen() {
    return device().id != 0;
}

std::shared_ptr<SoundMixer> soundDeviceMixer() {
    return device().mixer;
}

SoundDeviceFormat soundDeviceFormat() {
    return device().format;
}

std::uint64_t soundDeviceMixedFrames() {
    const Device& d = device();
    return d.mixer ? d.mixer->mixedFrames() : 0;
}

}  // namespace banmen
