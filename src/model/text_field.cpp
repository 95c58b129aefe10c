#include "model/text_field.h"

#include <algorithm>

namespace banmen {

bool fieldHolds(const char* field, std::size_t limit, std::string_view text) {
    std::string_view current = fieldText(field, limit);
    std::string_view wanted = text.substr(0, std::min(limit, text.size()));
    // A NUL inside the new text ends it, as it would in the field.
    wanted = wanted.substr(0, wanted.find('\0'));
    return current == wanted;
}

void storeFieldText(char* field, std::size_t limit, std::string_view text) {
    std::size_t n = std::min(limit, text.size());
    n = std::min(n, text.find('\0'));
    if (n > 0) {
        std::memcpy(field, text.data(), n);
    }
    std::memset(field + n, 0, limit + 1 - n);
}

}  // namespace banmen
