#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace banmen::sjis {

namespace {

const iconv_t kInvalidDescriptor = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One iconv descriptor per direction and thread: a descriptor carries state
// and must not be shared between threads.
class Converter {
  public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(descriptor_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return descriptor_ != kInvalidDescriptor; }
    void reset() { iconv(descriptor_, nullptr, nullptr, nullptr, nullptr); }

    enum class Stop { Done, Invalid, Incomplete };

    // Converts as much of `in` as it can, appending to `out`; `in` keeps what
    // was not converted.
    Stop run(std::string_view& in, std::string& out) {
        char buffer[1024];
        while (!in.empty()) {
            // iconv takes char** for its input although it never writes there.
            char* inPointer = const_cast<char*>(in.data());
            std::size_t inLeft = in.size();
            char* outPointer = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result =
                iconv(descriptor_, &inPointer, &inLeft, &outPointer, &outLeft);
            const int error = errno;
            out.append(buffer, sizeof buffer - outLeft);
            in.remove_prefix(in.size() - inLeft);
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
            return error == EINVAL ? Stop::Incomplete : Stop::Invalid;
        }
        return Stop::Done;
    }

  private:
    iconv_t descriptor_;
};

Converter& utf8ToCp932() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& cp932ToUtf8() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

std::optional<std::string> convertStrict(Converter& converter, std::string_view in) {
    if (!converter.valid()) {
        return std::nullopt;
    }
    converter.reset();
    std::string out;
    out.reserve(in.size() * 3 / 2);
    if (converter.run(in, out) != Converter::Stop::Done) {
        return std::nullopt;
    }
    return out;
}

// The lead bytes CP932 really assigns, narrower than isLeadByte.
constexpr bool isAssignedLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr bool isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Bytes taken by the (possibly broken) UTF-8 character at the start of `text`.
std::size_t utf8CharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF7) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    std::size_t taken = 1;
    while (taken < length && taken < text.size() &&
           (static_cast<unsigned char>(text[taken]) & 0xC0) == 0x80) {
        ++taken;
    }
    return taken;
}

}  // namespace

std::optional<std::string> fromUtf8(std::string_view utf8) {
    return convertStrict(utf8ToCp932(), utf8);
}

std::optional<std::string> toUtf8(std::string_view cp932) {
    return convertStrict(cp932ToUtf8(), cp932);
}

std::string toUtf8Lossy(std::string_view cp932) {
    Converter& converter = cp932ToUtf8();
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    if (!converter.valid()) {
        for (const char c : cp932) {
            out += static_cast<unsigned char>(c) < 0x80 ? std::string_view(&c, 1) : kReplacement;
        }
        return out;
    }
    std::string_view in = cp932;
    converter.reset();
    while (converter.run(in, out) != Converter::Stop::Done) {
        const auto first = static_cast<unsigned char>(in[0]);
        if (in.size() == 1 && isLeadByte(first)) {
            break;  // the first half of a character cut by a byte limit
        }
        const bool pair = isAssignedLeadByte(first) && in.size() >= 2 &&
                          isTrailByte(static_cast<unsigned char>(in[1]));
        out += kReplacement;
        in.remove_prefix(pair ? 2 : 1);
        converter.reset();
    }
    return out;
}

std::string lit(std::string_view utf8) {
    Converter& converter = utf8ToCp932();
    std::string out;
    out.reserve(utf8.size());
    if (!converter.valid()) {
        while (!utf8.empty()) {
            out += static_cast<unsigned char>(utf8[0]) < 0x80 ? utf8[0] : '?';
            utf8.remove_prefix(utf8CharacterLength(utf8));
        }
        return out;
    }
    converter.reset();
    while (converter.run(utf8, out) != Converter::Stop::Done) {
        out += '?';
        utf8.remove_prefix(utf8CharacterLength(utf8));
        converter.reset();
    }
    return out;
}

std::size_t safeCutLength(std::string_view cp932, std::size_t limit) {
    const std::size_t end = limit < cp932.size() ? limit : cp932.size();
    std::size_t position = 0;
    while (position < end) {
        const std::size_t step = isLeadByte(static_cast<unsigned char>(cp932[position])) ? 2 : 1;
        if (end - position < step) {
            break;
        }
        position += step;
    }
    return position;
}

}  // namespace banmen::sjis
