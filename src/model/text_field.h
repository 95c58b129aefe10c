#pragma once
// Text fields of the game record: Shift-JIS bytes, NUL-terminated within a
// fixed width, never longer than their byte limit.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace banmen {

// The text up to its NUL, or at most `width` bytes when there is none.
inline std::string_view fieldText(const char* field, std::size_t width) {
    return {field, strnlen(field, width)};
}
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) {
    return fieldText(field, N);
}

// True when the first `limit` bytes of the field already hold `text` (texts
// longer than the limit compare by their first `limit` bytes).
bool fieldHolds(const char* field, std::size_t limit, std::string_view text);

// Copies at most `limit` bytes of the text, zero-fills the rest up to and
// including byte `limit`. Bytes beyond the limit (up to the width) are left
// alone. The cut may split a double-byte character; displays drop the half.
void storeFieldText(char* field, std::size_t limit, std::string_view text);

}  // namespace banmen
