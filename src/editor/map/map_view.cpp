#include "editor/map/map_view.h"

#include <QPainter>

#include "editor/document/editor_document.h"
#include "editor/map/painted_sprites.h"

namespace banmen {

MapView::MapView(const EditorDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), sprites_(std::make_unique<PaintedSprites>()) {
    setObjectName("mapView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kWidth, kHeight);
    connect(&document_, &EditorDocument::changed, this, &MapView::onDocumentChanged);
}

MapView::~MapView() = default;

void MapView::setSelection(int square, int highlightSlot) {
    if (square != selectedSquare_ || highlightSlot != highlightSlot_) {
        selectedSquare_ = square;
        highlightSlot_ = highlightSlot;
        update();
    }
}

void MapView::reloadPictures() {
    board_.invalidate();
    update();
}

void MapView::setSprites(std::unique_ptr<MapSprites> sprites) {
    if (sprites) {
        sprites_ = std::move(sprites);
        update();
    }
}

void MapView::onDocumentChanged(const DocumentChange& change) {
    if (change.what == DocumentChange::What::Record) {
        board_.invalidate();
    }
    update();
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect map(0, 0, kWidth, kHeight);
    // Outside the map proper (the view widens during a run) stays plain.
    painter.fillRect(rect(), backgroundColor());
    const QImage& board = board_.image(document_.record(), document_.folder());
    if (!board.isNull()) {
        painter.drawImage(map, board);
    }

    const MapComposition composition =
        composeMap(document_.record(), selectedSquare_, highlightSlot_);
    for (const QPoint& dot : composition.routeDots) {
        sprites_->drawRouteDot(painter, dot);
    }
    for (const SquareMarker& marker : composition.markers) {
        sprites_->drawMarker(painter, marker.topLeft, marker.group, marker.state);
    }
}

}  // namespace banmen
