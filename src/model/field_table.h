#pragma once
// The static description of every editable field of the game record: where it
// lies inside its block, its field number, its byte limit or default, and
// whether a change redraws. Descriptors (field_descriptor.h) are built from it,
// and the JSON form of a record names fields by it.

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/object_kind.h"

namespace banmen {

// Field numbers. The same number means the same sort of field in every kind.
enum FieldId : std::int32_t {
    kFieldTitle = 1,
    kFieldName = 2,
    kFieldPicture = 3,  // also the game's `gamePicture`
    kFieldImageMark = 4,
    kFieldTransparentColor = 5,
    kFieldSound = 6,  // also the game's `music`
    kFieldRepeat = 7,
    kFieldSoundMark = 8,
    kFieldFileName = 9,
    kFieldBankName = 10,
    kFieldRightsNotice = 11,
    kFieldHelpText = 12,
    kFieldHelpPicture = 13,
    kFieldDescription = 14,
    kFieldSupplementPicture = 15,
    kFieldPlayerCount = 17,
    kFieldVictoryCondition = 18,
    kFieldEndCondition = 19,
    kFieldIsComputer = 20,
    kFieldRestFlag = 21,
    kFieldFinishState = 22,
    kFieldStateTexts = 23,  // player state texts, square state changes
    kFieldValues = 24,      // player data values, square update values
    kFieldUpdateCodes = 25,
    kFieldUpdateTexts = 26,
    kFieldUnit = 27,
    kFieldVisible = 28,
    kFieldArrivalJump = 29,
    kFieldPassJump = 30,
    kFieldDieJumps = 31,
    kFieldStartSquare = 32,
    kFieldCurrentSquare = 33,
    kFieldNextSquares = 34,
    kFieldX = 35,
    kFieldY = 36,
    kFieldWidth = 37,
    kFieldHeight = 38,
    kFieldKind = 39,
};

enum class FieldType : std::uint8_t {
    Text,
    Number,
    Mark,  // a number written directly, without change notification
};

// What a number refers to, for the JSON form and for reference checks.
enum class RefKind : std::uint8_t { None, Square, Image, Sound };

struct FieldSpec {
    const char* name;  // the field's name in the record ("nextSquares")
    std::int32_t fieldId;
    std::int32_t count;    // elements of an array field; 1 for a single field
    std::uint32_t offset;  // of element 0, from the start of the block
    std::uint32_t stride;  // bytes between elements
    std::uint32_t width;   // bytes of one element (a text's whole width)
    FieldType type;
    std::uint32_t limit;        // text byte limit
    std::int32_t defaultValue;  // number default
    bool redraw;                // a change calls FieldRedraw
    RefKind refers;
};

struct BlockSpec {
    ObjectKind kind;
    const char* name;    // "settings", "players", ...
    std::uint32_t base;  // offset of block 0 in the record
    std::uint32_t size;  // bytes of one block
    std::int32_t count;  // blocks in the record
};

std::span<const FieldSpec> fieldSpecs(ObjectKind kind);
const BlockSpec& blockSpec(ObjectKind kind);

// All seven kinds in descriptor-table order.
std::span<const ObjectKind> allKinds();

}  // namespace banmen
