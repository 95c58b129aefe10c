#include "editor/map/map_editor.h"

#include <algorithm>

#include "editor/document/editor_document.h"
#include "editor/document/object_captions.h"
#include "editor/map/map_geometry.h"
#include "editor/map/map_host.h"
#include "editor/map/square_status.h"
#include "model/object_list.h"

namespace banmen {
namespace {

constexpr const char* kLockedCaption = "盤面工房（四季彩コレクション）";
constexpr const char* kLockedText =
    "マスを追加できません。マス移動不可の状態になっています。\n"
    "マスを追加する時は、[ﾏｯﾌﾟ]ﾒﾆｭｰ[ﾏｽの移動不可]のチェックを外して下さい。";

// A dragged square stays where the mouse can reach it again.
constexpr int kMapWidth = 800;
constexpr int kMapHeight = 600;

}  // namespace

MapEditor::MapEditor(EditorDocument& document, MapHost& host, QObject* parent)
    : QObject(parent),
      document_(document),
      host_(&host),
      clock_([] { return std::time(nullptr); }) {
    connect(&document_, &EditorDocument::selectionChanged, this, [this] { lastTouch_ = clock_(); });
}

void MapEditor::leftPress(QPoint at) {
    const bool wasArmed = armed_;
    armed_ = true;
    if (!wasArmed) {
        return;
    }
    const int square = HitSquare(document_.record(), at.x(), at.y());
    if (square < 0) {
        if (host_->mapLocked()) {
            document_.notifier().notify(kLockedCaption, kLockedText, NoticeIcon::Information);
            return;
        }
        addSquare(at, kSquareNormal);
        return;
    }
    if (document_.owner().editState().routeMode) {
        document_.edit(QStringLiteral("経路の設定"),
                       [&](RecordOwner& owner) { RouteModeClick(owner, square); });
        selectSquare(square);
        return;
    }
    selectSquare(square);
    // Only the square the click selected is dragged (a page that refused its
    // input keeps its own object).
    if (host_->mapLocked() || document_.selection() != Selection{ObjectKind::Square, square}) {
        return;
    }
    const bool snap = host_->snapToGrid();
    lastPointer_ = snapPoint(at, snap);
    const SquareDef& s = document_.record().squares[square];
    dragOffset_ = snap ? QPoint() : QPoint(s.x, s.y) - lastPointer_;
    dragSquare_ = square;
    ++dragCount_;
}

void MapEditor::pointerMove(QPoint at) {
    const QPoint pointer = snapPoint(at, host_->snapToGrid());
    showStatus(pointer);
    if (dragging() && pointer != lastPointer_) {
        moveDragged(pointer);
        lastPointer_ = pointer;
    }
    armed_ = true;
}

void MapEditor::leftRelease() {
    dragSquare_ = -1;
}

const MapContext& MapEditor::rightPress(QPoint at) {
    armed_ = false;
    context_.square = HitSquare(document_.record(), at.x(), at.y());
    context_.position = at;
    context_.route = NearestRoute(document_.record(), at.x(), at.y());
    return context_;
}

void MapEditor::moveDragged(QPoint pointer) {
    const int square = dragSquare_;
    if (!isSquareRef(document_.record(), square) ||
        document_.selection() != Selection{ObjectKind::Square, square}) {
        dragSquare_ = -1;
        return;
    }
    const QPoint target = pointer + dragOffset_;
    const int x = std::clamp(target.x(), 0, kMapWidth);
    const int y = std::clamp(target.y(), 0, kMapHeight);
    document_.edit(
        objectLabel({ObjectKind::Square, square}) + QStringLiteral("の移動"),
        [&](RecordOwner& owner) {
            owner.SetNumber(*owner.field(ObjectKind::Square, square, kFieldX), x);
            owner.SetNumber(*owner.field(ObjectKind::Square, square, kFieldY), y);
        },
        QStringLiteral("drag:%1").arg(dragCount_));
}

void MapEditor::showStatus(QPoint at) {
    host_->showCoordinates(coordinatesText(at));
    const int square = HitSquare(document_.record(), at.x(), at.y());
    if (square != statusSquare_) {
        statusSquare_ = square;
        host_->showSquareInfo(squareStatusText(document_.record(), square));
    }
}

void MapEditor::selectSquare(int square) {
    // Clicking the selected square again counts as a selection too.
    lastTouch_ = clock_();
    host_->selectSquare(square);
}

int MapEditor::addSquare(std::optional<QPoint> at, std::int32_t kind) {
    if (!host_->readPages()) {
        return -1;
    }
    if (document_.owner().editState().routeMode) {
        host_->endRouteMode();
        return -1;
    }
    const bool quick = withinQuickChain(clock_(), lastTouch_);
    int added = -1;
    document_.edit(QStringLiteral("マスの追加"), [&](RecordOwner& owner) {
        const BoardPoint place = at ? BoardPoint{at->x(), at->y()} : FindFreePlace(owner);
        added = AddSquare(owner, place.x, place.y, kind);
        if (added < 0) {
            return;
        }
        const Selection selected = document_.selection();
        if (quick && selected.isSquare() && owner.record().squares[added].nextSquares[0] == -1) {
            AddRoute(owner, selected.index, added);
        }
        host_->showObject({ObjectKind::Square, added});
    });
    if (added >= 0) {
        lastTouch_ = clock_();
    }
    return added;
}

}  // namespace banmen
