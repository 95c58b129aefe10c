#pragma once
// The texts the editor and the engine show for the record's enumerations,
// in UTF-8. Out-of-range values give an empty text.

#include <cstdint>
#include <string>
#include <string_view>

namespace banmen {

std::string_view squareKindText(std::int32_t kind);
std::string_view victoryConditionText(std::int32_t condition);
std::string_view endConditionText(std::int32_t condition);
std::string_view dataKindText(std::int32_t kind);
std::string_view repeatModeText(std::int32_t mode);

// The full-width digit of n (1..9: "１".."９"); empty outside that range.
std::string_view fullWidthDigit(int n);

// The standard sound of a square kind: the kind's text + "サウンド", in CP932;
// empty outside 0..6.
std::string KindSoundName(std::int32_t kind);

}  // namespace banmen
