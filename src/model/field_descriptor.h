#pragma once
// A field descriptor: one editable field of one object in a RecordOwner's
// record, with its identifier "OBJ%03d%03d%03d%03d" (kind, index, field, sub).
// Descriptors are built once with their owner and never move.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/field_table.h"

namespace banmen {

class RecordOwner;

struct FieldDescriptor {
    std::int32_t kind = 0;  // ObjectKind as a number
    std::int32_t index = 0;
    std::int32_t fieldId = 0;
    std::int32_t sub = 0;
    char identifier[16] = {};  // "OBJ005012002000"
    std::size_t offset = 0;    // from the start of the record
    const FieldSpec* spec = nullptr;
    RecordOwner* owner = nullptr;

    ObjectKind objectKind() const { return static_cast<ObjectKind>(kind); }
    bool isText() const { return spec->type == FieldType::Text; }
    bool isMark() const { return spec->type == FieldType::Mark; }
    std::size_t limit() const { return spec->limit; }
    std::int32_t defaultValue() const { return spec->defaultValue; }
    bool redraws() const { return spec->redraw; }
    std::string_view identifierText() const { return {identifier, 15}; }
};

// Through the descriptor's owner; see RecordOwner.
void SetText(const FieldDescriptor& field, std::string_view cp932);
void SetNumber(const FieldDescriptor& field, std::int32_t value);

}  // namespace banmen
