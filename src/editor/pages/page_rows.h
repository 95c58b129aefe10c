#pragma once
// The rows of the seven property pages as data: each row names its label,
// its control id, the kind of field widget, the record field it edits, its
// byte limit and its help text. A page is built from its table; a new row is
// one more line in a table (page_rows.cpp).
//
// Texts are UTF-8 literals; the record's own texts are Shift-JIS.

#include <cstdint>
#include <span>

#include "model/object_kind.h"

namespace banmen {

enum class RowType : std::uint8_t {
    Text,               // one-line text
    TwoLines,           // text of up to two lines
    Number,             // signed integer
    Count,              // integer within [min, max] with a spin that counts up
    Choice,             // a fixed list of texts stepped through with a spin
    Picture,            // image reference: SELECT, EDIT, DELETE
    Sound,              // sound reference: SELECT, DELETE
    Square,             // square reference written as an index: LOCKON, DELETE
    NextSquare,         // square reference written through the route link
    Update,             // a data update: operator, operand, counterpart, amount
    HelpText,           // the game's help shown in one line: EDIT opens the editor
    ImageFile,          // an image's file name: SELECT, EDIT, DELETE
    SoundFile,          // a sound's file name: SELECT, DELETE
    TransparentColour,  // an image's transparent colour: SELECT, DELETE
    DataValue,          // a player's data value with the data item's unit beside it
};

enum class ChoiceList : std::uint8_t {
    None,
    VictoryCondition,
    EndCondition,
    Visibility,
    DataKind,
    SquareKind,
    Repeat,
};

// What EDIT creates for an empty picture reference.
struct PaintDefaults {
    const char* nameFormat = nullptr;  // "ﾏｽ%d"; "%s" takes a full-width digit
    const char* fileFormat = nullptr;  // "Map%d.bmp"
    int width = 0;
    int height = 0;
    std::int32_t colour = -1;  // -1 white
    bool piece = false;        // a player's piece: starts as the built-in piece
};

struct RowSpec {
    const char* label;  // " 名称"; also the undo caption's field word
    int control;        // the field's control id
    RowType type;
    std::int32_t fieldId = 0;
    int sub = 0;
    int limit = 0;  // bytes of a text field (capped by the record field's own)
    const char* help = "";
    // Picture / sound / file / colour / help: SELECT (or LOCKON), EDIT, DELETE;
    // 0 where the row has no such button. Update rows: operator, operand,
    // counterpart and amount controls.
    int buttons[4] = {0, 0, 0, 0};
    const char* pickingHelp = nullptr;  // square references while picking
    ChoiceList choices = ChoiceList::None;
    int spin = 0;  // the spin control of a choice or count
    int min = 0;   // the range of a count
    int max = 0;
    PaintDefaults paint{};
    // Data values: the unit beside the value.
    int unitControl = 0;
    const char* unitHelp = nullptr;
};

// Button slots of `RowSpec::buttons`.
constexpr int kSelectButton = 0;  // also LOCKON of square references
constexpr int kEditButton = 1;
constexpr int kDeleteButton = 2;
// Update rows.
constexpr int kOperatorButton = 0;
constexpr int kOperandButton = 1;
constexpr int kTargetButton = 2;
constexpr int kAmountControl = 3;

// The rows of a kind's page, top to bottom.
std::span<const RowSpec> pageRows(ObjectKind kind);

// The help area of every page.
constexpr int kHelpAreaControl = 1059;

}  // namespace banmen
