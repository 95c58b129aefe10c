// BMP files and packed DIBs. An image that reads is normalised (bottom-up,
// a depth the bitmap library draws, pixels that fill its rows) and comes back
// unchanged through the writer.

#include <vector>

#include "fuzz_support.h"
#include "media/bmp_reader.h"
#include "media/bmp_writer.h"

using namespace banmen;

namespace {

void checkNormalised(const DibImage& image) {
    const BitmapInfo& info = image.info;
    FUZZ_CHECK(info.width > 0 && info.height > 0);
    FUZZ_CHECK(info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 ||
               info.bitCount == 16 || info.bitCount == 24 || info.bitCount == 32);
    FUZZ_CHECK(image.bits.size() ==
               DibStride(info.width, info.bitCount) * static_cast<std::size_t>(info.height));
    FUZZ_CHECK(image.bits.size() <= kMaxDibPixelBytes);
    FUZZ_CHECK(info.colorsUsed <= 256);
}

void checkRoundTrip(const DibImage& image) {
    const std::vector<std::uint8_t> packed = PackDib(image.info, image.bits.data());
    DibImage again;
    FUZZ_CHECK(ReadPackedDib(packed, again).isOk());
    FUZZ_CHECK(again.info.width == image.info.width && again.info.height == image.info.height);
    FUZZ_CHECK(again.info.bitCount == image.info.bitCount);
    if (image.info.bitCount == 16) {
        FUZZ_CHECK(again.info.masks == image.info.masks);
    }
    FUZZ_CHECK(again.bits.size() == image.bits.size());
    for (std::size_t i = 0; i < image.bits.size(); ++i) {
        // The writer stores the fourth byte of 32-bit pixels as 0.
        if (image.info.bitCount != 32 || i % 4 != 3) {
            FUZZ_CHECK(again.bits[i] == image.bits[i]);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    DibImage image;
    if (ReadBmp(bytes, image)) {
        checkNormalised(image);
        checkRoundTrip(image);
    }
    DibImage packed;
    if (ReadPackedDib(bytes, packed)) {
        checkNormalised(packed);
    }
    return 0;
}
