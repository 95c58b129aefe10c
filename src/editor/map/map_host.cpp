#include "editor/map/map_host.h"

#include "editor/document/editor_document.h"
#include "model/route_mode.h"

namespace banmen {

bool DocumentMapHost::readPages() {
    return document_.commitPendingEdits();
}

void DocumentMapHost::selectSquare(int square) {
    document_.select({ObjectKind::Square, square});
}

void DocumentMapHost::showObject(Selection object) {
    document_.select(object, true);
}

void DocumentMapHost::endRouteMode() {
    document_.edit(QStringLiteral("経路の設定"), [](RecordOwner& owner) { EndRouteMode(owner); });
}

}  // namespace banmen
