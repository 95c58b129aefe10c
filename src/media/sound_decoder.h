#pragma once
// Decoding a sound file into PCM, without any audio device: the path's
// extension chooses the decoder (".mp3" in any case is MP3, everything else
// is read as a RIFF WAVE file).

#include <cstdint>
#include <string>
#include <string_view>

#include "media/sound_format.h"
#include "platform/status.h"

namespace banmen {

// Files larger than this are refused before they are read.
inline constexpr std::uint64_t kMaxSoundFileBytes = std::uint64_t{256} << 20;

bool isMp3Path(std::string_view path);

// `out` is left alone on failure; the reason names what went wrong.
Status DecodeSoundFile(const std::string& path, DecodedSound& out);

}  // namespace banmen
