#pragma once
// The on-screen buttons of the play screen: a table of 100 slots. A slot is
// free while its id is 0. Its type is a look (0..9, drawn from picture 6000
// + look) plus flags; looks 4 to 7 are 24 x 11 toggles, all others 32 x 29
// pictures. On every play timer tick each used slot without kNoBlink
// toggles between drawn and erased.

#include <array>
#include <functional>
#include <vector>

#include "media/bitmap_types.h"

namespace banmen::play {

constexpr unsigned kNoBlink = 0x100;
constexpr unsigned kNotClickable = 0x200;
constexpr unsigned kWaitButton = 0x400;       // the buttons the engine waits on
constexpr unsigned kSelectionButton = 0x800;  // toggles, the opening's and results' buttons

// A callback's result: 0 lets a wait go on (toggles), anything else ends it.
using ButtonCallback = std::function<int()>;

struct ButtonSlot {
    int id = 0;
    int look = 0;
    unsigned flags = 0;
    Rect rect;
    int inset = 0;
    ButtonCallback callback;
    bool drawn = true;  // the blink state
};

constexpr bool isToggleLook(int look) {
    return look >= 4 && look <= 7;
}

class ButtonTable {
  public:
    static constexpr int kSlots = 100;

    // Takes the first free slot; -1 when the table is full. The picture's
    // top-left corner is `at`.
    int add(int id, int look, unsigned flags, Point at, ButtonCallback callback = {});
    // Frees every slot with this id; the rectangles they covered.
    std::vector<Rect> remove(int id);
    std::vector<Rect> removeAll();
    // Changes the look of every slot with this id; the rectangles to redraw.
    std::vector<Rect> setLook(int id, int look);
    // One blink; the rectangles that changed.
    std::vector<Rect> blink();

    // The first used, clickable slot holding the point whose id is `id` or
    // whose flags have one of `flags`; -1 for none.
    int hit(Point p, int id, unsigned flags) const;
    bool has(int id) const;

    const ButtonSlot& slot(int index) const { return slots_[static_cast<std::size_t>(index)]; }
    ButtonSlot& slot(int index) { return slots_[static_cast<std::size_t>(index)]; }
    int count() const;

  private:
    std::array<ButtonSlot, kSlots> slots_{};
};

}  // namespace banmen::play
