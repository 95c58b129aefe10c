#include "model/route_mode.h"

#include "model/record_owner.h"
#include "model/routes.h"

namespace banmen {

void StartRouteMode(RecordOwner& owner, std::int32_t square) {
    if (!isSquareRef(owner.record(), square)) {
        return;
    }
    EditState& edit = owner.editState();
    edit.routeMode = true;
    edit.routeOrder.fill(-1);
    edit.routeOrder[static_cast<std::size_t>(square)] = 0;
    edit.routeCounter = 1;
    edit.routeLast = square;
    owner.notifyRouteRedraw();
}

std::int32_t RouteModeClick(RecordOwner& owner, std::int32_t square) {
    EditState& edit = owner.editState();
    if (!edit.routeMode) {
        return 0;
    }
    if (!isSquareRef(owner.record(), square)) {
        return -1;
    }
    std::int32_t& order = edit.routeOrder[static_cast<std::size_t>(square)];
    if (order != -1) {
        // Back on a numbered square: close the route here and finish.
        AddRoute(owner, square, edit.routeLast);
        EndRouteMode(owner);
        return square;
    }
    order = edit.routeCounter;
    edit.routeLast = square;
    ++edit.routeCounter;
    owner.notifyRouteRedraw();
    return square;
}

void EndRouteMode(RecordOwner& owner) {
    EditState& edit = owner.editState();
    if (!edit.routeMode) {
        return;
    }
    edit.routeMode = false;
    const GameRecord& record = owner.record();
    for (std::int32_t i = 0; i < kSquareCount; ++i) {
        const std::int32_t n = edit.routeOrder[static_cast<std::size_t>(i)];
        if (n == -1 || !inUse(record.squares[i])) {
            continue;
        }
        const std::int64_t following = std::int64_t{n} + 1;
        for (std::int32_t j = 0; j < kSquareCount; ++j) {
            if (edit.routeOrder[static_cast<std::size_t>(j)] == following) {
                AddRoute(owner, i, j);
            }
        }
    }
    owner.notifyRouteRedraw();
}

}  // namespace banmen
