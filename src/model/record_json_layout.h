#pragma once
// What the record's JSON form needs beyond the field table: the top-level
// fields, the reserved areas (the bytes no field covers, named as the record's
// struct members are), the bytes of a freshly reset slot, and the test that
// decides whether a text field can be written as a plain string.
// Private to record_json*.cpp.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/field_table.h"

namespace banmen::recordjson {

struct ReservedArea {
    std::string name;  // "reserved", or "reserved1", "reserved2", ... when there are several
    std::uint32_t offset;
    std::uint32_t size;
};

// `headerMarker` and `headerText`, as field specs relative to the record.
std::span<const FieldSpec> headerFields();

// The gaps between the fields of one block, or between the top-level fields
// and blocks of the record.
const std::vector<ReservedArea>& blockReserved(ObjectKind kind);
const std::vector<ReservedArea>& recordReserved();

// Squares, images and sounds are slots: listed by index, only when needed.
bool isSlotKind(ObjectKind kind);

// One block of the kind after a reset: numbers at their defaults, everything
// else zero (text widths included).
const std::vector<std::uint8_t>& freshSlot(ObjectKind kind);

// The UTF-8 text of a field whose whole width is "CP932 text of at most the
// limit, converting to Unicode and back unchanged, then zeros"; else nothing.
std::optional<std::string> plainText(const std::uint8_t* field, const FieldSpec& spec);

std::string toHex(const std::uint8_t* bytes, std::size_t size);
// Exactly 2 * out.size() hex digits (either case) into `out`; on failure the
// reason says what is wrong.
bool fromHex(std::string_view hex, std::span<std::uint8_t> out, std::string& reason);

// Where an element of a field lies inside its block.
inline std::size_t elementOffset(const FieldSpec& spec, int element) {
    return spec.offset + static_cast<std::size_t>(element) * spec.stride;
}

}  // namespace banmen::recordjson
