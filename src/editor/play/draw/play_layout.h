#pragma once
// Where the play screen puts things, in pixels of its 980 x 600 frame
// (the upper part of the main window's client area during a run).

#include "media/bitmap_types.h"

namespace banmen::play {

constexpr int kFrameWidth = 980;
constexpr int kFrameHeight = 600;

constexpr Rect kBoardRect{0, 0, 800, 600};
constexpr Rect kSideRect{800, 0, 980, 600};
constexpr Rect kPanelRect{810, 226, 968, 451};
constexpr int kPanelWidth = 158;
constexpr int kPanelHeight = 225;
constexpr Rect kStopRect{874, 580, 906, 595};

// The default board's line of text, and the side area's lines.
constexpr Rect kNoBoardTextRect{0, 570, 800, 600};
constexpr Rect kSideNameRect{800, 462, 980, 474};
constexpr Rect kSideNoticeRect{800, 476, 980, 487};
constexpr Rect kSideTitleRect{800, 497, 980, 508};
constexpr Rect kSideRightsRect{800, 510, 980, 532};
constexpr int kLogoTop = 580;

// Player panel i: (810 + 81 (i mod 2), 97 + 60 (i div 2)), 79 x 58.
constexpr int kPlayerPanelWidth = 79;
constexpr int kPlayerPanelHeight = 58;
constexpr Rect playerPanelRect(int player) {
    const int left = 810 + 81 * (player % 2);
    const int top = 97 + 60 * (player / 2);
    return {left, top, left + kPlayerPanelWidth, top + kPlayerPanelHeight};
}
constexpr int kPanelPieceSize = 13;

// The dice roll in the board's middle.
constexpr Rect kDiceRect{345, 250, 545, 450};
constexpr int kDieWidth = 28;
constexpr int kDieHeight = 33;
constexpr int kSmallDieHeight = 31;
constexpr int kSmallDieRow = 34;

// Buttons: 32 x 29 pictures, toggles 24 x 11.
constexpr int kButtonWidth = 32;
constexpr int kButtonHeight = 29;
constexpr int kToggleWidth = 24;
constexpr int kToggleHeight = 11;

// Rank badges: seven cells of 25 x 23; the no-rank badge at x = 150.
constexpr int kBadgeWidth = 25;
constexpr int kBadgeHeight = 23;
constexpr int kNoRankBadgeX = 150;

// Information windows.
constexpr int kInfoLeft = 750;
constexpr int kInfoTop = 20;
constexpr int kInfoWidth = 210;
constexpr int infoHeight(int lines) {
    return 10 * lines + 44;
}

// The square close-up and picture in the panel.
constexpr int kSquarePictureLeft = 8;
constexpr int kSquarePictureTop = 60;

constexpr Colour kMagentaKey = kMagenta;
constexpr Colour kInk = RgbColour(43, 35, 32);
constexpr Colour kLabelColour = RgbColour(255, 255, 192);
constexpr Colour kInfoBackground = RgbColour(255, 255, 232);
constexpr Colour kInfoNameColour = RgbColour(0, 0, 255);
constexpr Colour kInfoLabelColour = RgbColour(0, 100, 0);

// The face every text of the play screen is written in.
inline constexpr char16_t kPlayFace[] = u"ＭＳ 明朝";

constexpr bool intersects(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
constexpr Rect unite(const Rect& a, const Rect& b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}
constexpr Rect intersect(const Rect& a, const Rect& b) {
    const Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                 a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    return r.empty() ? Rect{} : r;
}
constexpr Rect sized(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace banmen::play
