#include "editor/play/draw/hop_animation.h"

#include <algorithm>
#include <cmath>

namespace banmen::play {

HopPlan planHop(Point from, Point to) {
    HopPlan plan;
    plan.from = from;
    plan.to = to;
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    plan.distance = std::sqrt(dx * dx + dy * dy);
    plan.height = std::clamp(plan.distance / 3.0, 1.0, 100.0);
    plan.frames = std::min(static_cast<int>(std::floor(plan.distance)) / 8, 24);
    plan.delayMs = plan.frames > 0 ? std::max(400 / plan.frames, 30) : 0;
    return plan;
}

double HopPlan::lift(int frame) const {
    if (frames <= 0) {
        return 0;
    }
    const double travelled = distance * frame / frames;
    const double fromEnd = std::min(travelled, distance - travelled);
    if (fromEnd >= height) {
        return height;
    }
    const double cosine = std::clamp((height - std::max(fromEnd, 0.0)) / height, -1.0, 1.0);
    return height * std::sin(std::acos(cosine));
}

Point HopPlan::at(int frame) const {
    if (frames <= 0) {
        return to;
    }
    const double t = static_cast<double>(frame) / frames;
    const double up = lift(frame);
    const double x = from.x + (to.x - from.x) * t - 0.1 * up;
    const double y = from.y + (to.y - from.y) * t - up;
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

bool animateHop(PlayFrame& frame, FramePacer& pacer, int player, Point from, Point to) {
    const HopPlan plan = planHop(from, to);
    if (plan.frames == 0) {
        return true;
    }
    frame.setHopping(player);
    Rect shown = frame.pieceRectAt(player, from);
    frame.drawPieceOnFrame(player, from);
    for (int i = 1; i <= plan.frames; ++i) {
        const Point at = plan.at(i);
        frame.showBoard(shown);
        frame.drawPieceOnFrame(player, at);
        shown = frame.pieceRectAt(player, at);
        if (!pacer.frame(plan.delayMs)) {
            frame.showBoard(shown);
            frame.setHopping(-1);
            return false;
        }
    }
    frame.showBoard(shown);
    frame.drawPieceOnFrame(player, to);
    // The piece joins the board when the record says where it stands.
    frame.setHopping(-1);
    frame.drawPieceOnFrame(player, to);
    return true;
}

}  // namespace banmen::play
