// DibBitmap: copies onto other bitmaps, plain, stretched, tiled and fitted.

#include <QPainter>
#include <algorithm>

#include "media/dib_bitmap.h"
#include "media/dib_blit.h"
#include "media/dib_lock.h"
#include "media/dib_stretch.h"

namespace banmen {

// Sizes of 0 take the bitmap's own. With a mask, each copy is two: the mask
// ANDed into the destination (keeping it where transparent, clearing it
// elsewhere), then the picture, black where transparent, ORed over it.
// Without one, the raster operation is applied once.
// - kDrawStretch: both through StretchInPieces; the picture's stretch
//   averages its opaque pixels only (see StretchRect).
// - kDrawTile: the box is covered with copies of the picture. The first row
//   and column of tiles start at the source offset; the following ones start
//   at (0, 0) and are the picture's full size; all are clipped to the box.
// - otherwise: one block copy of width x height from the source offset.
void DibBitmap::Draw(DibBitmap& destination, int x, int y, int width, int height, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, RasterOp rop,
                     std::uint32_t flags) const {
    if (IsEmpty() || destination.IsEmpty()) {
        return;
    }
    width = width == 0 ? width_ : width;
    height = height == 0 ? height_ : height;
    sourceWidth = sourceWidth == 0 ? width_ : sourceWidth;
    sourceHeight = sourceHeight == 0 ? height_ : sourceHeight;
    const DibBitmap* mask = mask_.get();

    if ((flags & kDrawStretch) != 0) {
        const Rect to{x, y, x + width, y + height};
        const Rect from{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight};
        if (mask != nullptr) {
            StretchInPieces(destination, to, *mask, from, kSrcAnd);
            StretchPieces(destination, to, *this, from, kSrcPaint, mask);
        } else {
            StretchInPieces(destination, to, *this, from, rop);
        }
        return;
    }
    auto copy = [&](int toX, int toY, int w, int h, int fromX, int fromY) {
        if (mask != nullptr) {
            BlitRect(destination, toX, toY, w, h, *mask, fromX, fromY, kSrcAnd);
            BlitRect(destination, toX, toY, w, h, *this, fromX, fromY, kSrcPaint);
        } else {
            BlitRect(destination, toX, toY, w, h, *this, fromX, fromY, rop);
        }
    };
    if ((flags & kDrawTile) == 0) {
        copy(x, y, width, height, sourceX, sourceY);
        return;
    }
    if (width <= 0 || height <= 0) {
        return;
    }
    // An offset outside the picture is taken modulo its size.
    const int offsetX = ((sourceX % width_) + width_) % width_;
    const int offsetY = ((sourceY % height_) + height_) % height_;
    const std::int64_t right = std::int64_t{x} + width;
    const std::int64_t bottom = std::int64_t{y} + height;
    // Only the tiles that reach into the destination matter.
    const std::int64_t visibleRight = std::min<std::int64_t>(right, destination.GetWidth());
    const std::int64_t visibleBottom = std::min<std::int64_t>(bottom, destination.GetHeight());
    for (std::int64_t ty = y; ty < bottom && ty < visibleBottom;) {
        const int fromY = ty == y ? offsetY : 0;
        const auto h = static_cast<int>(std::min<std::int64_t>(height_ - fromY, bottom - ty));
        for (std::int64_t tx = x; tx < right && tx < visibleRight;) {
            const int fromX = tx == x ? offsetX : 0;
            const auto w = static_cast<int>(std::min<std::int64_t>(width_ - fromX, right - tx));
            if (tx + w > 0 && ty + h > 0) {
                copy(static_cast<int>(tx), static_cast<int>(ty), w, h, fromX, fromY);
            }
            tx += w;
            if (tx < 0) {
                tx += (-tx) / width_ * width_;  // whole tiles left of the destination
            }
        }
        ty += h;
        if (ty < 0) {
            ty += (-ty) / height_ * height_;
        }
    }
}

void DibBitmap::DrawTo(DibBitmap& destination, int x, int y, int width, int height, int sourceX,
                       int sourceY, RasterOp rop) {
    LockGuard lock(*this);
    Draw(destination, x, y, width, height, sourceX, sourceY, 0, 0, rop, 0);
}

void DibBitmap::DrawStretched(DibBitmap& destination, int x, int y, int width, int height,
                              int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                              RasterOp rop) {
    LockGuard lock(*this);
    Draw(destination, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, rop,
         kDrawStretch);
}

void DibBitmap::DrawTiled(DibBitmap& destination, int x, int y, int width, int height, int sourceX,
                          int sourceY, int sourceWidth, int sourceHeight, RasterOp rop) {
    LockGuard lock(*this);
    Draw(destination, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, rop,
         kDrawTile);
}

void DibBitmap::StretchInPieces(DibBitmap& destination, const Rect& destinationRect,
                                const DibBitmap& source, const Rect& sourceRect, RasterOp rop) {
    StretchPieces(destination, destinationRect, source, sourceRect, rop);
}

void DibBitmap::CopyFrom(DibBitmap& source, int x, int y, int width, int height, int sourceX,
                         int sourceY, RasterOp rop) {
    LockGuard lock(*this);
    source.DrawTo(*this, x, y, width, height, sourceX, sourceY, rop);
}

void DibBitmap::CopyFromStretched(DibBitmap& source, int x, int y, int width, int height,
                                  int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                  RasterOp rop) {
    LockGuard lock(*this);
    source.DrawStretched(*this, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight,
                         rop);
}

void DibBitmap::CopyFromTiled(DibBitmap& source, int x, int y, int width, int height, int sourceX,
                              int sourceY, int sourceWidth, int sourceHeight, RasterOp rop) {
    LockGuard lock(*this);
    source.DrawTiled(*this, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, rop);
}

// scale = min(box width / source width, box height / source height); the
// drawn size is the source size times the scale, truncated, centred in the
// box with integer halving.
void DibBitmap::CopyFromFit(DibBitmap& source, int x, int y, int width, int height, RasterOp rop) {
    LockGuard lock(*this);
    const int sourceWidth = source.GetWidth();
    const int sourceHeight = source.GetHeight();
    if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) {
        return;
    }
    const double scale = std::min(static_cast<double>(width) / sourceWidth,
                                  static_cast<double>(height) / sourceHeight);
    const auto drawnWidth = static_cast<int>(sourceWidth * scale);
    const auto drawnHeight = static_cast<int>(sourceHeight * scale);
    if (drawnWidth <= 0 || drawnHeight <= 0) {
        return;
    }
    source.DrawStretched(*this, x + (width - drawnWidth) / 2, y + (height - drawnHeight) / 2,
                         drawnWidth, drawnHeight, 0, 0, sourceWidth, sourceHeight, rop);
}

namespace {

// A temporary bitmap over a copy of any image.
bool attachCopy(DibBitmap& bitmap, QImage& copy, const QImage& image) {
    copy = image;
    if (bitmap.Attach(copy)) {
        return true;
    }
    copy = image.convertToFormat(QImage::Format_RGB32);
    return bitmap.Attach(copy);
}

}  // namespace

void DibBitmap::CopyFromHandle(const QImage& image, int x, int y, int width, int height,
                               int sourceX, int sourceY, RasterOp rop) {
    LockGuard lock(*this);
    QImage copy;
    DibBitmap temporary;
    if (attachCopy(temporary, copy, image)) {
        temporary.DrawTo(*this, x, y, width, height, sourceX, sourceY, rop);
    }
}

void DibBitmap::CopyFromHandle(std::span<const std::uint8_t> packedDib, int x, int y, int width,
                               int height, int sourceX, int sourceY, RasterOp rop) {
    LockGuard lock(*this);
    DibBitmap temporary;
    if (temporary.Attach(packedDib)) {
        temporary.DrawTo(*this, x, y, width, height, sourceX, sourceY, rop);
    }
}

void DibBitmap::CopyFromHandleStretched(const QImage& image, int x, int y, int width, int height,
                                        int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                        RasterOp rop) {
    LockGuard lock(*this);
    QImage copy;
    DibBitmap temporary;
    if (attachCopy(temporary, copy, image)) {
        temporary.DrawStretched(*this, x, y, width, height, sourceX, sourceY, sourceWidth,
                                sourceHeight, rop);
    }
}

void DibBitmap::CopyFromHandleTiled(const QImage& image, int x, int y, int width, int height,
                                    int sourceX, int sourceY, RasterOp rop) {
    LockGuard lock(*this);
    QImage copy;
    DibBitmap temporary;
    if (attachCopy(temporary, copy, image)) {
        temporary.DrawTiled(*this, x, y, width, height, sourceX, sourceY, 0, 0, rop);
    }
}

void DibBitmap::BitBlt(int x, int y, int width, int height, const DibBitmap& source, int sourceX,
                       int sourceY, RasterOp rop) {
    LockGuard lock(*this);
    BlitRect(*this, x, y, width, height, source, sourceX, sourceY, rop);
}

void DibBitmap::DrawDib(bool stretch, QPainter& painter, int x, int y, int width, int height,
                        int sourceX, int sourceY, int sourceWidth, int sourceHeight) const {
    if (IsEmpty()) {
        return;
    }
    width = width == 0 ? width_ : width;
    height = height == 0 ? height_ : height;
    if (stretch) {
        sourceWidth = sourceWidth == 0 ? width_ : sourceWidth;
        sourceHeight = sourceHeight == 0 ? height_ : sourceHeight;
    } else {
        sourceWidth = width;
        sourceHeight = height;
    }
    painter.drawImage(QRect(x, y, width, height), ToImage(),
                      QRect(sourceX, sourceY, sourceWidth, sourceHeight));
}

}  // namespace banmen
