#include "editor/pages/square_picker.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace banmen {
namespace {

// A sight centred 10 pixels right of and below the hot spot (0, 0).
QCursor pickingCursor() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(SquarePicker::kShift + 0.5, SquarePicker::kShift + 0.5);
    for (const auto& [colour, width] :
         {std::pair{QColor(Qt::white), 3.0}, {QColor(Qt::black), 1.0}}) {
        painter.setPen(QPen(colour, width));
        painter.drawEllipse(centre, 6, 6);
        painter.drawLine(centre + QPointF(-9, 0), centre + QPointF(-3, 0));
        painter.drawLine(centre + QPointF(3, 0), centre + QPointF(9, 0));
        painter.drawLine(centre + QPointF(0, -9), centre + QPointF(0, -3));
        painter.drawLine(centre + QPointF(0, 3), centre + QPointF(0, 9));
    }
    painter.setPen(QPen(QColor(214, 69, 42), 2));
    painter.drawPoint(centre);
    // The hot spot itself, so the tip of the pointer is still visible.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(0.5, 0.5), QPointF(3.5, 3.5));
    painter.end();
    return QCursor(pixmap, 0, 0);
}

}  // namespace

SquarePicker::SquarePicker(QWidget& grabber, MapPoint toMap, HitTest hit)
    : grabber_(grabber), toMap_(std::move(toMap)), hit_(std::move(hit)) {}

SquarePicker::~SquarePicker() {
    if (active_) {
        grabber_.releaseMouse();
        grabber_.releaseKeyboard();
    }
}

bool SquarePicker::start(QAbstractButton* button, Picked done) {
    if (active_) {
        return false;
    }
    active_ = true;
    button_ = button;
    done_ = std::move(done);
    grabber_.installEventFilter(this);
    grabber_.grabMouse(pickingCursor());
    grabber_.grabKeyboard();
    return true;
}

void SquarePicker::cancel() {
    if (active_) {
        finish(-1);
    }
}

void SquarePicker::finish(int square) {
    active_ = false;
    grabber_.removeEventFilter(this);
    grabber_.releaseMouse();
    grabber_.releaseKeyboard();
    if (button_ != nullptr) {
        // The button never saw its release: the page had the mouse.
        button_->setDown(false);
        button_ = nullptr;
    }
    Picked done = std::move(done_);
    done_ = {};
    if (done) {
        done(square);
    }
}

bool SquarePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &grabber_ || !active_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                return true;
            }
            const QPoint global = mouse->globalPosition().toPoint();
            if (button_ != nullptr && button_->rect().contains(button_->mapFromGlobal(global))) {
                // The release of the click on LOCKON itself: pick with the next.
                button_->setDown(false);
                button_ = nullptr;
                return true;
            }
            finish(hit_(toMap_(global) + QPoint(kShift, kShift)));
            return true;
        }
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                finish(-1);
            }
            return true;
        case QEvent::Hide:
            finish(-1);
            return false;
        default:
            return false;
    }
}

}  // namespace banmen
