#pragma once
// The one audio device of the process: an SDL audio device (SDL initialised
// for audio only) that plays the mix of the loaded sounds, 16-bit stereo at
// the rate the system prefers. The user interface thread opens and closes it;
// SDL's audio thread calls the mixer.

#include <cstdint>
#include <memory>

#include "media/sound_mixer.h"

namespace banmen {

// Output of the open device: 16-bit signed samples in native byte order.
struct SoundDeviceFormat {
    int channels = 0;
    int rate = 0;
};

// Opens the default output device and starts it (silent until something
// plays). False when a device is already open or none can be opened; the
// program then runs silent, as every sound load fails.
bool OpenSoundDevice();
// Stops and closes the device. Sounds loaded for it stay loaded but silent,
// and can still be released.
void CloseSoundDevice();
bool SoundDeviceIsOpen();

// The open device's mixer and format; null and zero when closed.
std::shared_ptr<SoundMixer> soundDeviceMixer();
SoundDeviceFormat soundDeviceFormat();
// Frames the device has asked for since it opened (0 when closed): how far
// playback has got, for tests and diagnostics.
std::uint64_t soundDeviceMixedFrames();

}  // namespace banmen
