#include "media/bitmap_dc.h"

#include "media/dib_internals.h"
#include "media/font_faces.h"

namespace banmen {

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(RedOf(colour)), static_cast<int>(GreenOf(colour)),
                  static_cast<int>(BlueOf(colour)));
}

BitmapDC::BitmapDC(DibBitmap& bitmap, const QRect& area) : bitmap_(bitmap) {
    if (bitmap.IsEmpty()) {
        return;
    }
    area_ = area.intersected(QRect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()));
    if (area_.isEmpty()) {
        return;
    }
    const PixelFormat& format = DibInternals::format(bitmap);
    image_ = QImage(area_.size(), QImage::Format_RGB32);
    for (int y = 0; y < area_.height(); ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
        format.readQuads(bitmap.RowBits(area_.top() + y), area_.left(), area_.width(), out);
        for (int x = 0; x < area_.width(); ++x) {
            out[x] |= 0xFF000000u;
        }
    }
    before_ = image_.copy();
    active_ = painter_.begin(&image_);
    if (!active_) {
        return;
    }
    painter_.translate(-area_.left(), -area_.top());
    const DibBitmap::DrawState& state = DibInternals::state(bitmap);
    painter_.setPen(state.pen);
    painter_.setBrush(state.brush);
    painter_.setBrushOrigin(0, 0);
    painter_.setFont(state.fontSelected ? state.font : DefaultFont());
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

BitmapDC::~BitmapDC() {
    if (!active_) {
        return;
    }
    painter_.end();
    const PixelFormat& format = DibInternals::format(bitmap_);
    for (int y = 0; y < area_.height(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        const auto* was = reinterpret_cast<const QRgb*>(before_.constScanLine(y));
        std::uint8_t* row = bitmap_.RowBits(area_.top() + y);
        for (int x = 0; x < area_.width(); ++x) {
            if (now[x] != was[x]) {
                WriteRaw(row, area_.left() + x, format.bits(), format.fromQuad(now[x]));
            }
        }
    }
}

}  // namespace banmen
