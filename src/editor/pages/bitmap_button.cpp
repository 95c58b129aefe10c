#include "editor/pages/bitmap_button.h"

#include <QHash>
#include <QImage>
#include <QPainter>

namespace banmen {
namespace {

constexpr QRgb kKey = 0xFFFF00FF;  // magenta

QPixmap loadKeyed(const QString& name) {
    QImage image(QStringLiteral(":/bitmaps/") + name + QStringLiteral(".bmp"));
    if (image.isNull()) {
        return {};
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == kKey) {
                line[x] = 0;
            }
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace

BitmapButton::BitmapButton(const QString& stem, QWidget* parent)
    : QAbstractButton(parent), stem_(stem) {
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
}

void BitmapButton::setStem(const QString& stem) {
    if (stem != stem_) {
        stem_ = stem;
        update();
    }
}

QSize BitmapButton::sizeHint() const {
    const QPixmap normal = picture(stem_, 'U');
    return normal.isNull() ? QSize(16, 16) : normal.size();
}

QPixmap BitmapButton::picture(const QString& stem, char state) {
    static QHash<QString, QPixmap> cache;
    const QString name = stem + QLatin1Char(state);
    auto it = cache.find(name);
    if (it == cache.end()) {
        it = cache.insert(name, loadKeyed(name));
    }
    return *it;
}

void BitmapButton::paintEvent(QPaintEvent*) {
    const char state = !isEnabled() ? 'X' : isDown() ? 'D' : hasFocus() ? 'F' : 'U';
    QPainter painter(this);
    const QPixmap pixmap = picture(stem_, state);
    if (!pixmap.isNull()) {
        painter.drawPixmap(0, 0, pixmap);
    }
}

}  // namespace banmen
