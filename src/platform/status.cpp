#include "platform/status.h"

#include <cstring>

namespace banmen {

Status errnoStatus(int error) {
    if (error == 0) {
        // A failure that left errno unset (a short read, say) still needs a reason.
        return Status::error("Unknown error");
    }
    char buffer[256];
    // GNU strerror_r: returns a pointer that may or may not be `buffer`.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return Status::error(text != nullptr ? text : "Unknown error");
}

}  // namespace banmen
