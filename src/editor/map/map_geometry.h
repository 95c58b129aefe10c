#pragma once
// Plain rules of the map's mouse: grid snapping, the quick chaining of
// squares added one after another, and the coordinates text.

#include <QPoint>
#include <QString>
#include <ctime>

namespace banmen {

// The nearest multiple of 10, halves rounding up: (v + 5) / 10 * 10.
int snapCoordinate(int v);
QPoint snapPoint(QPoint p, bool snap);

// Squares added less than 2 seconds (whole seconds of the clock) after the
// last selection or addition are chained to the selected square.
constexpr std::time_t kQuickChainSeconds = 2;
inline bool withinQuickChain(std::time_t now, std::time_t last) {
    return now - last < kQuickChainSeconds;
}

// "座標( %-3d, %-3d )"
QString coordinatesText(QPoint p);

}  // namespace banmen
