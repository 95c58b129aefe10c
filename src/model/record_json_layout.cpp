#include "model/record_json_layout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "model/game_record.h"
#include "platform/sjis.h"

namespace banmen::recordjson {
namespace {

constexpr FieldSpec kHeaderFields[] = {
    {"headerMarker", 0, 1, static_cast<std::uint32_t>(offsetof(GameRecord, headerMarker)), 4, 4,
     FieldType::Number, 0, 1, false, RefKind::None},
    {"headerText", 0, 1, static_cast<std::uint32_t>(offsetof(GameRecord, headerText)), 260, 260,
     FieldType::Text, static_cast<std::uint32_t>(kHeaderTextMax), 0, false, RefKind::None},
};

using Span = std::pair<std::uint32_t, std::uint32_t>;  // [begin, end)

Span coverage(const FieldSpec& spec) {
    return {spec.offset,
            spec.offset + spec.stride * static_cast<std::uint32_t>(spec.count - 1) + spec.width};
}

// The parts of [0, size) that no span covers, named reserved / reservedN.
std::vector<ReservedArea> gaps(std::vector<Span> covered, std::uint32_t size) {
    std::sort(covered.begin(), covered.end());
    std::vector<ReservedArea> areas;
    std::uint32_t at = 0;
    for (const Span& span : covered) {
        if (span.first > at) {
            areas.push_back({{}, at, span.first - at});
        }
        at = std::max(at, span.second);
    }
    if (size > at) {
        areas.push_back({{}, at, size - at});
    }
    for (std::size_t i = 0; i < areas.size(); ++i) {
        areas[i].name = areas.size() == 1 ? "reserved" : "reserved" + std::to_string(i + 1);
    }
    return areas;
}

std::size_t kindSlot(ObjectKind kind) {
    return static_cast<std::size_t>(toInt(kind) - 1);
}

}  // namespace

std::span<const FieldSpec> headerFields() {
    return kHeaderFields;
}

const std::vector<ReservedArea>& blockReserved(ObjectKind kind) {
    static const std::array<std::vector<ReservedArea>, 7> areas = [] {
        std::array<std::vector<ReservedArea>, 7> all;
        for (ObjectKind k : allKinds()) {
            std::vector<Span> covered;
            for (const FieldSpec& spec : fieldSpecs(k)) {
                covered.push_back(coverage(spec));
            }
            all[kindSlot(k)] = gaps(std::move(covered), blockSpec(k).size);
        }
        return all;
    }();
    return areas[kindSlot(kind)];
}

const std::vector<ReservedArea>& recordReserved() {
    static const std::vector<ReservedArea> areas = [] {
        std::vector<Span> covered;
        for (const FieldSpec& spec : kHeaderFields) {
            covered.push_back(coverage(spec));
        }
        for (ObjectKind k : allKinds()) {
            const BlockSpec& block = blockSpec(k);
            covered.emplace_back(block.base,
                                 block.base + block.size * static_cast<std::uint32_t>(block.count));
        }
        return gaps(std::move(covered), static_cast<std::uint32_t>(kGameRecordSize));
    }();
    return areas;
}

bool isSlotKind(ObjectKind kind) {
    return kind == ObjectKind::Square || kind == ObjectKind::Image || kind == ObjectKind::Sound;
}

const std::vector<std::uint8_t>& freshSlot(ObjectKind kind) {
    static const std::array<std::vector<std::uint8_t>, 7> slots = [] {
        std::array<std::vector<std::uint8_t>, 7> all;
        for (ObjectKind k : allKinds()) {
            std::vector<std::uint8_t> bytes(blockSpec(k).size, 0);
            for (const FieldSpec& spec : fieldSpecs(k)) {
                if (spec.type != FieldType::Number) {
                    continue;
                }
                for (int i = 0; i < spec.count; ++i) {
                    std::memcpy(bytes.data() + elementOffset(spec, i), &spec.defaultValue, 4);
                }
            }
            all[kindSlot(k)] = std::move(bytes);
        }
        return all;
    }();
    return slots[kindSlot(kind)];
}

std::optional<std::string> plainText(const std::uint8_t* field, const FieldSpec& spec) {
    const char* chars = reinterpret_cast<const char*>(field);
    const std::size_t length = strnlen(chars, spec.width);
    if (length > spec.limit) {
        return std::nullopt;
    }
    for (std::size_t i = length; i < spec.width; ++i) {
        if (field[i] != 0) {
            return std::nullopt;
        }
    }
    const std::string_view text(chars, length);
    std::optional<std::string> utf8 = sjis::toUtf8(text);
    if (!utf8) {
        return std::nullopt;
    }
    // Some CP932 characters have two codes; only a text that comes back as
    // the same bytes may be written as a string.
    const std::optional<std::string> back = sjis::fromUtf8(*utf8);
    if (!back || *back != text) {
        return std::nullopt;
    }
    return utf8;
}

std::string toHex(const std::uint8_t* bytes, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0x0F];
    }
    return out;
}

bool fromHex(std::string_view hex, std::span<std::uint8_t> out, std::string& reason) {
    if (hex.size() != out.size() * 2) {
        reason = "expected " + std::to_string(out.size() * 2) + " hex digits (" +
                 std::to_string(out.size()) + " bytes), got " + std::to_string(hex.size());
        return false;
    }
    const auto digit = [](char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int high = digit(hex[2 * i]);
        const int low = digit(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            const std::size_t bad = high < 0 ? 2 * i : 2 * i + 1;
            reason = "character " + std::to_string(bad + 1) + " is not a hex digit";
            return false;
        }
        out[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

}  // namespace banmen::recordjson
