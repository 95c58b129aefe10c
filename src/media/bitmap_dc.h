#pragma once
// The painting side of DibBitmap (internal): the drawing state, and the
// QPainter that lines, shapes and plain text go through.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "media/dib_bitmap.h"

namespace banmen {

struct DibBitmap::DrawState {
    QPen pen{QColor(0, 0, 0), 1};
    QBrush brush{QColor(255, 255, 255)};
    QFont font;
    bool fontSelected = false;  // otherwise DefaultFont()
    Colour textColour = RgbColour(0, 0, 0);
    Colour bkColour = RgbColour(255, 255, 255);
    int bkMode = kOpaqueMode;
    int mapMode = 1;
    int polyFillMode = kAlternate;
    Point position;
};

// A painter for one drawing call on the part of a bitmap the call can touch.
// The part is copied, top row first, into a 32-bit image; the painter works
// in the bitmap's coordinates on it; when the context ends, the pixels that
// painting changed go back to the bitmap as the nearest colour its format
// holds. So painting is the same at every depth and row order, and costs
// in proportion to the area drawn. The painter comes with the bitmap's pen,
// brush and font, no anti-aliasing for shapes, anti-aliased text.
class BitmapDC {
  public:
    BitmapDC(DibBitmap& bitmap, const QRect& area);
    ~BitmapDC();
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;

    // Null when the bitmap holds nothing or the area misses it.
    QPainter* painter() { return active_ ? &painter_ : nullptr; }

  private:
    DibBitmap& bitmap_;
    QRect area_;
    QImage image_;
    QImage before_;
    QPainter painter_;
    bool active_ = false;
};

QColor ToQColor(Colour colour);

}  // namespace banmen
