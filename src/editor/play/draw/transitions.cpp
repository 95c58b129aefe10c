#include "editor/play/draw/transitions.h"

#include <numeric>
#include <utility>

namespace banmen::play {

bool curtains(PlayFrame& frame, FramePacer& pacer) {
    const Rect r = frame.supplementRect();
    const int strip = r.width() / 100 + 1;
    for (int j = 0; j < 50; ++j) {
        frame.showSupplement({r.left + j * strip, r.top, r.left + (j + 1) * strip, r.bottom});
        frame.showSupplement(
            {r.left + (99 - j) * strip, r.top, r.left + (100 - j) * strip, r.bottom});
        if (!pacer.frame(kTransitionStepMs)) {
            return false;
        }
    }
    frame.fixSupplement();
    return true;
}

std::array<int, 100> dissolveOrder(FramePacer& pacer) {
    std::array<int, 100> order{};
    std::iota(order.begin(), order.end(), 0);
    for (int i = 0; i < 1000; ++i) {
        const int a = pacer.random() % 100;
        const int b = pacer.random() % 100;
        std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
    }
    return order;
}

bool dissolve(PlayFrame& frame, FramePacer& pacer) {
    const Rect r = frame.supplementRect();
    const int cellWidth = r.width() / 10 + 1;
    const int cellHeight = r.height() / 10 + 1;
    for (const int cell : dissolveOrder(pacer)) {
        const int left = r.left + cell % 10 * cellWidth;
        const int top = r.top + cell / 10 * cellHeight;
        frame.showSupplement(sized(left, top, cellWidth, cellHeight));
        if (!pacer.frame(kTransitionStepMs)) {
            return false;
        }
    }
    frame.fixSupplement();
    return true;
}

}  // namespace banmen::play
