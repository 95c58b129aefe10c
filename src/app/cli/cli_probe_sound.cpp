// The sound half of "banmen-cli probe" (see cli_probe_sound.h). The sound is
// decoded exactly as a sound buffer decodes it, but never converted for an
// audio device, so probing works without one.

#include "cli/cli_probe_sound.h"

#include "media/sound_decoder.h"
#include "platform/paths.h"

namespace banmen::cli {

bool isSoundPath(const std::string& path) {
    const std::string extension = path::PathExtension(path);
    return path::sameExtension(extension, ".wav") || path::sameExtension(extension, ".mp3");
}

int probeSound(const std::string& path, bool json, Context& context) {
    DecodedSound sound;
    if (Status decoded = DecodeSoundFile(path, sound); !decoded) {
        return fail(context, path, decoded);
    }
    // `samples` counts samples per channel (frames), as the decoders do.
    return printProbe({{"channels", std::to_string(sound.format.channels)},
                       {"rate", std::to_string(sound.format.rate)},
                       {"bits", std::to_string(sound.format.bits)},
                       {"samples", std::to_string(sound.frameCount())}},
                      json, context);
}

}  // namespace banmen::cli
