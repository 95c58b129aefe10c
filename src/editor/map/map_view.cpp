#include "editor/map/map_view.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "editor/document/editor_document.h"
#include "editor/map/map_arming.h"
#include "editor/window/menu_rules.h"
#include "editor/window/menu_table.h"

namespace banmen {

MapView::MapView(EditorDocument& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      ownHost_(document),
      editor_(std::make_unique<MapEditor>(document, ownHost_)) {
    setObjectName("mapView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(kWidth, kHeight);
    sprites_.load();
    arming_ = new MapArming(*this, *editor_);

    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName("mapContextMenu");
    for (const MenuItemSpec& item : contextMenuSpec()) {
        if (item.id == 0) {
            contextMenu_->addSeparator();
            continue;
        }
        QAction* action = contextMenu_->addAction(item.caption);
        action->setObjectName(QStringLiteral("context%1").arg(item.id));
        action->setData(item.id);
        action->setCheckable(item.checkable);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { editor_->host().runCommand(id); });
    }

    connect(&document_, &EditorDocument::changed, this, &MapView::onDocumentChanged);
    connect(&document_, &EditorDocument::selectionChanged, this, &MapView::onSelectionChanged);
}

MapView::~MapView() {
    delete arming_;
    arming_ = nullptr;
}

void MapView::setHost(MapHost& host) {
    editor_->setHost(host);
}

void MapView::setSelection(int square, int highlightSlot) {
    if (square != selectedSquare_ || highlightSlot != highlightSlot_) {
        selectedSquare_ = square;
        highlightSlot_ = highlightSlot;
        refresh();
    }
}

void MapView::onSelectionChanged(Selection selection) {
    setSelection(selection.isSquare() ? selection.index : -1);
}

void MapView::reloadPictures() {
    board_.invalidate();
    reloadPieces_ = true;
    refresh();
}

void MapView::onDocumentChanged(const DocumentChange& change) {
    switch (change.what) {
        case DocumentChange::What::Record:
            board_.invalidate();
            reloadPieces_ = true;
            editor_->cancelDrag();
            editor_->forgetStatusSquare();
            refresh();
            break;
        case DocumentChange::What::Edit:
        case DocumentChange::What::Route:
            refresh();
            break;
        case DocumentChange::What::Field:
        case DocumentChange::What::Redraw:
            // The edit's end follows and redraws; this is only in case none does.
            stale_ = true;
            if (!refreshPosted_) {
                refreshPosted_ = true;
                QTimer::singleShot(0, this, [this] {
                    refreshPosted_ = false;
                    if (stale_) {
                        refresh();
                    }
                });
            }
            break;
    }
}

void MapView::refresh() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    const QRegion changed = refreshCanvas();
    if (!changed.isEmpty()) {
        update(changed);
    }
}

QRegion MapView::refreshCanvas() {
    stale_ = false;
    const GameRecord& record = document_.record();
    const QImage& board = board_.image(record, document_.folder());
    if (!boardShown_ || board.cacheKey() != boardKey_) {
        canvas_.setBoard(board, backgroundColor());
        boardKey_ = board.cacheKey();
        boardShown_ = true;
    }
    sprites_.updatePieces(record, document_.folder(), reloadPieces_);
    reloadPieces_ = false;

    MapScene scene;
    scene.selectedSquare = selectedSquare_;
    scene.highlightSlot = highlightSlot_;
    scene.pieceSizes = sprites_.pieceSizes();
    scene.routes = &document_.owner().editState();
    return canvas_.show(mapItems(composeMap(record, scene), sprites_), sprites_);
}

const QImage& MapView::composedMap() {
    refreshCanvas();
    return canvas_.image();
}

void MapView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) {
        refreshCanvas();
    }
}

void MapView::paintEvent(QPaintEvent* event) {
    if (stale_) {
        refreshCanvas();
    }
    QPainter painter(this);
    const QRect map(0, 0, kWidth, kHeight);
    for (const QRect& rect : event->region()) {
        const QRect inside = rect.intersected(map);
        if (!inside.isEmpty()) {
            painter.drawImage(inside.topLeft(), canvas_.image(), inside);
        }
    }
    // Outside the map proper (the view widens during a run) stays plain.
    const QRegion outside = event->region().subtracted(map);
    for (const QRect& rect : outside) {
        painter.fillRect(rect, backgroundColor());
    }
}

// --- The mouse

void MapView::mousePressEvent(QMouseEvent* event) {
    // Accepted always: a press on the map never reaches the widgets behind.
    event->accept();
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        editor_->leftPress(at);
    } else if (event->button() == Qt::RightButton) {
        openContextMenu(at, event->globalPosition().toPoint());
    }
    updateCursor();
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    editor_->pointerMove(event->position().toPoint());
    updateCursor();
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        editor_->leftRelease();
        updateCursor();
    }
}

void MapView::updateCursor() {
    const Qt::CursorShape shape = editor_->dragging()                  ? Qt::ClosedHandCursor
                                  : editor_->squareUnderPointer() >= 0 ? Qt::PointingHandCursor
                                                                       : Qt::ArrowCursor;
    if (cursor().shape() != shape) {
        setCursor(shape);
    }
}

void MapView::openContextMenu(QPoint at, QPoint global) {
    editor_->cancelDrag();
    const MapContext& context = editor_->rightPress(at);
    ContextMenuContext rules;
    rules.onSquare = context.square >= 0;
    rules.onRoute = context.route.has_value();
    rules.squareSlotFull = document_.clipboard().full(ObjectKind::Square);
    rules.mapLocked = editor_->host().mapLocked();
    for (QAction* action : contextMenu_->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        const MenuItemState state = contextMenuItemState(action->data().toInt(), rules);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) {
            action->setChecked(state.checked);
        }
    }
    // Right-aligned to the pointer.
    contextMenu_->popup(global - QPoint(contextMenu_->sizeHint().width(), 0));
}

}  // namespace banmen
