#pragma once
// One problem of a game found by the linter (lint.h): what kind of problem,
// a message for the author, and the object it is about.

#include <cstdint>
#include <string>
#include <string_view>

namespace banmen {

enum class FindingCode : std::uint8_t {
    NoStart,        // a player without a start square
    NoGoal,         // a player whose start square leads to no goal square
    Unreachable,    // a square in use that no start square leads to
    DeadEnd,        // a square in use, not a goal or retire square, without a next square
    JumpLoop,       // arrival jumps that lead round in a circle
    FreeReference,  // a reference to a square, image or sound slot not in use
    MissingMedia,   // an image or sound whose file is not found
    BadPicture,     // a picture that does not load, or a board picture not 800 x 600
    NoDescription,  // a square in use without a description
};

// "noStart", "noGoal", "unreachable", "deadEnd", "jumpLoop", "freeReference",
// "missingMedia", "badPicture", "noDescription".
std::string_view findingCodeName(FindingCode code);

struct Finding {
    FindingCode code = FindingCode::NoDescription;
    std::string message;  // Japanese, Shift-JIS as the record's texts
    // The object the finding is about (0-based), -1 where it does not apply.
    // A finding about the game's own settings has none of them.
    std::int32_t square = -1;
    std::int32_t player = -1;
    std::int32_t image = -1;
    std::int32_t sound = -1;
};

}  // namespace banmen
