#include "media/mp3_decoder.h"

#include <mpg123.h>

#include <array>
#include <bit>
#include <memory>
#include <string>
#include <utility>

namespace banmen {
namespace {

// libmpg123 delivers native-endian samples; the sound layer keeps them
// little-endian.
static_assert(std::endian::native == std::endian::little);

// mpg123_init is needed once per process before the first decoder (a no-op
// in newer versions, but harmless).
bool initialiseLibrary() {
    static const bool ok = mpg123_init() == MPG123_OK;
    return ok;
}

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

std::string errorText(mpg123_handle* handle, int code) {
    return code == MPG123_ERR && handle != nullptr ? mpg123_strerror(handle)
                                                   : mpg123_plain_strerror(code);
}

// A decoder that accepts only 16-bit signed output, mono or stereo, at every
// rate it knows, so that it never converts the stream's own format.
Status openDecoder(Handle& handle) {
    if (!initialiseLibrary()) {
        return Status::error("MP3 decoder unavailable");
    }
    int code = MPG123_OK;
    handle.reset(mpg123_new(nullptr, &code));
    if (!handle) {
        return Status::error(mpg123_plain_strerror(code));
    }
    mpg123_handle* h = handle.get();
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    if (mpg123_format_none(h) != MPG123_OK) {
        return Status::error(errorText(h, MPG123_ERR));
    }
    for (std::size_t n = 0; n < rateCount; ++n) {
        mpg123_format(h, rates[n], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    if (mpg123_open_feed(h) != MPG123_OK) {
        return Status::error(errorText(h, MPG123_ERR));
    }
    return Status::ok();
}

}  // namespace

Status DecodeMp3(std::span<const std::uint8_t> file, DecodedSound& out, std::size_t maxBytes) {
    if (file.empty()) {
        return Status::error("empty file");
    }
    Handle handle;
    if (Status opened = openDecoder(handle); !opened) {
        return opened;
    }
    mpg123_handle* h = handle.get();
    // The whole file goes in at once; the decoder then delivers at most one
    // block of output per call until it needs more input.
    if (const int code = mpg123_feed(h, file.data(), file.size()); code != MPG123_OK) {
        return Status::error(errorText(h, code));
    }
    DecodedSound sound;
    int channels = 0;
    std::array<std::uint8_t, 8192> block{};
    for (;;) {
        std::size_t done = 0;
        const int code = mpg123_read(h, block.data(), block.size(), &done);
        if (code == MPG123_NEW_FORMAT) {
            long rate = 0;
            int streamChannels = 0;
            int encoding = 0;
            mpg123_frameinfo info{};
            if (mpg123_getformat(h, &rate, &streamChannels, &encoding) != MPG123_OK ||
                mpg123_info(h, &info) != MPG123_OK) {
                return Status::error(errorText(h, MPG123_ERR));
            }
            if (info.layer != 3) {
                return Status::error("not MPEG audio Layer III (layer " +
                                     std::to_string(info.layer) + ")");
            }
            if (channels != 0 && (streamChannels != channels || rate != sound.format.rate)) {
                return Status::error("format changes within the stream");
            }
            channels = streamChannels;
            sound.format = {1, static_cast<int>(rate), 16};
            continue;
        }
        if (code != MPG123_OK && code != MPG123_NEED_MORE && code != MPG123_DONE) {
            return Status::error(errorText(h, code));
        }
        if (done > 0) {
            if (channels < 1 || channels > 2 ||
                done % static_cast<std::size_t>(2 * channels) != 0) {
                return Status::error("unexpected decoder output");
            }
            // Keep the first (left) sample of every frame.
            const std::size_t frames = done / static_cast<std::size_t>(2 * channels);
            if (sound.samples.size() + 2 * frames > maxBytes) {
                return Status::error("sound too long");
            }
            const std::size_t stride = static_cast<std::size_t>(2 * channels);
            for (std::size_t n = 0; n < frames; ++n) {
                sound.samples.push_back(block[n * stride]);
                sound.samples.push_back(block[n * stride + 1]);
            }
        }
        if (code != MPG123_OK) {
            break;
        }
    }
    if (sound.samples.empty()) {
        return Status::error("no MPEG audio frames");
    }
    out = std::move(sound);
    return Status::ok();
}

}  // namespace banmen
