#include "editor/map/map_arming.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "editor/map/map_editor.h"

namespace banmen {

MapArming::MapArming(QWidget& map, MapEditor& editor) : QObject(&map), map_(map), editor_(editor) {
    qApp->installEventFilter(this);
}

MapArming::~MapArming() {
    qApp->removeEventFilter(this);
}

bool MapArming::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonDblClick) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool counts = type == QEvent::MouseMove || mouse->button() == Qt::LeftButton ||
                        mouse->button() == Qt::RightButton;
    if (!counts || watched == &map_) {
        return false;
    }
    if (watched->isWindowType()) {
        // The window system's event reaches the top-level window first; the
        // map's own window passes it on to its widgets, which count then.
        const QWidget* top = map_.window();
        if (top != nullptr && watched == top->windowHandle()) {
            return false;
        }
    } else if (!watched->isWidgetType()) {
        return false;
    }
    editor_.setArmed(false);
    return false;
}

}  // namespace banmen
