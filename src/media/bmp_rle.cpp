#include "media/bmp_rle.h"

namespace banmen {
namespace {

class RleWriter {
  public:
    RleWriter(bool rle4, std::int32_t width, std::int32_t height, std::size_t stride,
              std::uint8_t* out)
        : rle4_(rle4), width_(width), height_(height), stride_(stride), out_(out) {}

    // False when the pixel would land below the last row.
    bool put(std::uint8_t index) {
        if (y_ >= height_) {
            return false;
        }
        if (x_ < width_) {
            std::uint8_t* row = out_ + static_cast<std::size_t>(y_) * stride_;
            const auto x = static_cast<std::size_t>(x_);
            if (rle4_) {
                std::uint8_t& byte = row[x / 2];
                byte = (x % 2 == 0) ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                                    : static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F));
            } else {
                row[x] = index;
            }
        }
        ++x_;
        return true;
    }
    void endLine() {
        x_ = 0;
        ++y_;
    }
    void move(std::uint8_t dx, std::uint8_t dy) {
        x_ += dx;
        y_ += dy;
    }

  private:
    bool rle4_;
    std::int32_t width_;
    std::int32_t height_;
    std::size_t stride_;
    std::uint8_t* out_;
    // Wide enough that no run of deltas overflows: at most 255 per byte pair.
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
};

const Status kRunsOff = Status::error("RLE data runs past the end of the image");

}  // namespace

Status DecodeRle(std::span<const std::uint8_t> data, bool rle4, std::int32_t width,
                 std::int32_t height, std::size_t stride, std::uint8_t* out) {
    RleWriter writer(rle4, width, height, stride, out);
    std::size_t i = 0;
    const std::size_t size = data.size();
    while (i + 2 <= size) {
        const std::uint8_t count = data[i];
        const std::uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned n = 0; n < count; ++n) {
                const std::uint8_t index =
                    rle4 ? static_cast<std::uint8_t>(n % 2 == 0 ? value >> 4 : value & 0x0F)
                         : value;
                if (!writer.put(index)) {
                    return kRunsOff;
                }
            }
            continue;
        }
        if (value == 0) {
            writer.endLine();
        } else if (value == 1) {
            return Status::ok();
        } else if (value == 2) {
            if (i + 2 > size) {
                return Status::ok();  // cut short: keep what was decoded
            }
            writer.move(data[i], data[i + 1]);
            i += 2;
        } else {
            const std::size_t bytes = rle4 ? (value + 1u) / 2 : value;
            for (unsigned n = 0; n < value; ++n) {
                const std::size_t at = i + (rle4 ? n / 2 : n);
                if (at >= size) {
                    return Status::ok();
                }
                const std::uint8_t byte = data[at];
                const std::uint8_t index =
                    rle4 ? static_cast<std::uint8_t>(n % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
                if (!writer.put(index)) {
                    return kRunsOff;
                }
            }
            i += bytes + (bytes % 2);
        }
    }
    return Status::ok();
}

}  // namespace banmen
