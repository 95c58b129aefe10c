#pragma once
// The map's mouse while the editor is idle, over the document: arming, a
// left press that adds, selects, drags or extends the route chain, the
// pointer's status, the right press that prepares the context menu, and
// adding a square (also for the context menu and the Insert menu). It holds
// only the interaction state; every change is one edit of the document.
//
// Arming: a left press acts only when the map is armed. A move or left press
// on the map arms it once that event has been handled; the same elsewhere,
// or a right press anywhere, disarms it (MapArming watches the rest of the
// application). So the click that closes a context menu, or the first click
// after working elsewhere, never adds a square.

#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>

#include "model/routes.h"

namespace banmen {

class EditorDocument;
class MapHost;

// What lay under the pointer when the context menu opened.
struct MapContext {
    int square = -1;
    QPoint position;
    std::optional<RouteLink> route;
};

class MapEditor : public QObject {
    Q_OBJECT

  public:
    using Clock = std::function<std::time_t()>;

    MapEditor(EditorDocument& document, MapHost& host, QObject* parent = nullptr);

    void setHost(MapHost& host) { host_ = &host; }
    MapHost& host() const { return *host_; }
    // Seconds of the system clock, for quick chaining.
    void setClock(Clock clock) { clock_ = std::move(clock); }

    bool armed() const { return armed_; }
    void setArmed(bool armed) { armed_ = armed; }

    // The mouse, in map coordinates.
    void leftPress(QPoint at);
    void pointerMove(QPoint at);
    void leftRelease();
    // Disarms, and remembers what lies under the pointer for the menu.
    const MapContext& rightPress(QPoint at);
    const MapContext& context() const { return context_; }

    bool dragging() const { return dragSquare_ >= 0; }
    int draggedSquare() const { return dragSquare_; }
    // The drag ends without a release (the map lost the mouse).
    void cancelDrag() { dragSquare_ = -1; }

    // Adds a square of the kind at the point, or at the automatic insert
    // position when there is none: reads the page, ends route mode instead
    // when it is on, chains the new square to the selected one when it comes
    // quickly, and selects it. The new index, or -1.
    int addSquare(std::optional<QPoint> at, std::int32_t kind);

    // The square under the pointer as the status line last described it.
    int squareUnderPointer() const { return statusSquare_; }
    // The next status rewrites the square field (the record was replaced).
    void forgetStatusSquare() { statusSquare_ = -1; }

  private:
    void showStatus(QPoint at);
    void selectSquare(int square);
    void moveDragged(QPoint pointer);

    EditorDocument& document_;
    MapHost* host_;
    Clock clock_;
    bool armed_ = false;
    int dragSquare_ = -1;
    QPoint dragOffset_;
    QPoint lastPointer_;
    int dragCount_ = 0;
    int statusSquare_ = -1;
    std::time_t lastTouch_ = 0;  // last selection or addition
    MapContext context_;
};

}  // namespace banmen
