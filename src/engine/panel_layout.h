#pragma once
// Where the engine puts its texts and buttons, in the coordinates of the
// message panel (158 x 225, its top-left corner at (810, 226) of the play
// area) and of the play area for buttons. Colours are 0x00BBGGRR, text sizes
// in tenths of a point.

#include <cstdint>

namespace banmen {

struct PanelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

constexpr std::uint32_t kWhite = rgb(255, 255, 255);
constexpr std::uint32_t kMessageColour = rgb(232, 232, 192);
constexpr std::uint32_t kResultLineColour = rgb(255, 232, 232);
constexpr std::uint32_t kOpeningTitleColour = rgb(232, 192, 192);
constexpr std::uint32_t kResultsTitleColour = rgb(192, 255, 192);
constexpr std::uint32_t kNextLabelColour = rgb(255, 192, 192);

// Titles of the opening and the results.
constexpr PanelRect kOpeningTitleRect{0, 15, 158, 30};
constexpr PanelRect kOpeningBodyRect{4, 45, 154, 170};
constexpr PanelRect kResultsTitleRect{0, 15, 158, 31};
constexpr PanelRect kResultsIntroRect{0, 68, 158, 94};
constexpr PanelRect kResultsNextRect{0, 160, 158, 171};
constexpr PanelRect kResultsSheetRect{4, 45, 154, 150};
constexpr PanelRect kResultsByeRect{0, 150, 158, 161};
constexpr PanelRect kResultsEndRect{0, 170, 158, 181};
constexpr int kTitleSize = 120;
constexpr int kTextSize = 90;

// A square's author message and the result line of an update.
constexpr PanelRect kUpdateMessageRect{8, 30, 158, 130};
constexpr PanelRect kResultLineRect{0, 180, 158, 191};
constexpr PanelRect kDescriptionRect{8, 60, 150, 175};

// The turn: the turn picture's top, the prompt, the die-face jump lines (one
// every 12 pixels), the throw label, the thrown face.
constexpr int kTurnPictureTop = 40;
constexpr int kTurnPictureTopWithJumps = 23;
constexpr PanelRect kTurnPromptRect{0, 100, 158, 124};
constexpr PanelRect kTurnPromptWithJumpsRect{0, 70, 158, 94};
constexpr int kJumpLinesTop = 98;
constexpr int kJumpLineHeight = 12;
constexpr PanelRect kThrowLabelRect{0, 150, 158, 161};
constexpr PanelRect kRestRect{0, 90, 158, 124};
constexpr int kThrownFaceTop = 60;
constexpr PanelRect kThrownFaceTextRect{0, 100, 158, 111};
constexpr PanelRect kSelectionTitleRect{0, 15, 158, 30};
constexpr PanelRect kSelectionDoneRect{0, 150, 158, 161};

// The square's picture in the panel, and the piece of board shown instead.
constexpr PanelRect kSquarePictureRect{8, 60, 150, 175};
constexpr int kCloseUpWidth = 142;
constexpr int kCloseUpHeight = 115;

// The ranking table's rows.
constexpr int kRankRowStep = 24;

// The engine's button (id 100) in play-area coordinates.
constexpr int kButtonId = 100;
constexpr int kButtonLeft = 873;
constexpr int kButtonTop = 392;
constexpr int kLastButtonTop = kButtonTop + 10;

}  // namespace banmen
