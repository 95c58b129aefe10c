#include "editor/map/map_geometry.h"

namespace banmen {

int snapCoordinate(int v) {
    return (v + 5) / 10 * 10;
}

QPoint snapPoint(QPoint p, bool snap) {
    return snap ? QPoint(snapCoordinate(p.x()), snapCoordinate(p.y())) : p;
}

QString coordinatesText(QPoint p) {
    return QString::asprintf("座標( %-3d, %-3d )", p.x(), p.y());
}

}  // namespace banmen
