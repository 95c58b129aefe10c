#include "editor/play/info_window.h"

#include <QPainter>

namespace banmen {

InfoWindow::InfoWindow(int player, QWidget* playWindow) : QWidget(playWindow), player_(player) {
    setObjectName(QStringLiteral("playerInfo%1").arg(player + 1));
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

InfoWindow::~InfoWindow() = default;

void InfoWindow::setCard(QImage card) {
    card_ = std::move(card);
    // Its place and size on the play window: WindowPlayScreen places it.
    resize(card_.size());
    update();
}

void InfoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (devicePixelRatioF() != 1.0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    painter.drawImage(rect(), card_);
}

}  // namespace banmen
