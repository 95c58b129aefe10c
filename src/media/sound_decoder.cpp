#include "media/sound_decoder.h"

#include <cerrno>
#include <cstdint>
#include <vector>

#include "media/mp3_decoder.h"
#include "media/wav_reader.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace banmen {

bool isMp3Path(std::string_view path) {
    // Only ASCII letters change case, so a multibyte name is left alone.
    return path::sameExtension(path::PathExtension(path), ".mp3");
}

Status DecodeSoundFile(const std::string& path, DecodedSound& out) {
    if (!FileExists(path)) {
        return errnoStatus(ENOENT);
    }
    const std::int64_t size = FileSize(path);
    if (size < 0) {
        return Status::error("not a regular file");
    }
    if (static_cast<std::uint64_t>(size) > kMaxSoundFileBytes) {
        return Status::error("file too large");
    }
    std::vector<std::uint8_t> bytes;
    if (Status read = ReadWholeFile(path, bytes); !read) {
        return read;
    }
    if (bytes.empty()) {
        return Status::error("empty file");
    }
    return isMp3Path(path) ? DecodeMp3(bytes, out) : ReadWav(bytes, out);
}

}  // namespace banmen
