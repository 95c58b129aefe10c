#pragma once
// The JSON form of a game record: readable, diffable and exact. Loading the
// JSON of any record whatsoever gives back the same 273,760 bytes, so the
// form can stand in for a workspace file (banmen-cli dump / load-json).
//
// Shape. The top level holds `headerMarker`, `headerText`, `settings` (an
// object), `players`, `states` and `dataItems` (arrays of all 4, 3 and 5
// blocks), and `squares`, `images` and `sounds` (arrays of slots, each with
// its `index`). Every block names its fields as the record does; array
// fields (`dieJumps`, `stateTexts`, ...) are JSON arrays; numbers, references
// (-1 for none) and colours are plain integers.
//
// Texts are UTF-8 strings when the field holds exactly "CP932 text that
// converts both ways, a NUL, zeros to the end of the width". Any other bytes
// (garbage after the terminator, a cut double-byte character, bytes with no
// Unicode counterpart) appear as {"bytes": "<hex of the whole width>"}.
// Reserved areas appear, as a hex string under `reserved` (or `reserved1`,
// `reserved2` where a block has two), only when they are not all zero.
//
// Slots. Without `allSlots`, a square, image or sound appears when it is in
// use, or when it is free but differs from a freshly reset slot (every number
// its default, texts, marks and reserved bytes zero). A slot the JSON leaves
// out is loaded as such a freshly reset slot.

#include <string>
#include <string_view>

#include "model/game_record.h"
#include "platform/status.h"

namespace banmen {

// The record as JSON (UTF-8, 2-space indentation, one field per line, a final
// newline). Deterministic: the same record always gives the same text.
std::string recordToJson(const GameRecord& record, bool allSlots = false);

// Reads the JSON form. Every field of the settings, players, states and data
// items, and of every listed slot, must be given; reserved areas default to
// zero. Unknown keys, wrong types, numbers outside the 32-bit range, texts
// that cannot be written in Shift-JIS or exceed their field's byte limit,
// indices out of range and repeated indices are refused with a reason that
// names the place, e.g. "squares[3].name: text is 70 bytes in Shift-JIS, the
// limit is 62" (inside `squares`, `images` and `sounds` the number in
// brackets is the slot's `index`). `out` changes only on success.
Status recordFromJson(std::string_view json, GameRecord& out);

}  // namespace banmen
