#pragma once
// Smooth stretching between bitmaps, and the screen-sized pieces it is cut
// into.

#include <vector>

#include "media/bitmap_types.h"

namespace banmen {

class DibBitmap;

// One piece along one axis: source and destination start and length.
struct StretchPiece {
    int sourceStart = 0;
    int sourceLength = 0;
    int destinationStart = 0;
    int destinationLength = 0;
};

// Cuts a source length into ceil(source / screen) pieces: each of
// (source / count) + 1 source pixels drawn to (destination / count) + 1
// destination pixels, the last taking what is left. Pieces that come out
// empty (a destination shorter than the count) are dropped, so the pieces
// always cover the source and the destination exactly once.
std::vector<StretchPiece> SplitIntoPieces(int sourceLength, int destinationLength,
                                          int screenLength);

// The screen size the pieces follow: the primary screen of a running
// QGuiApplication, otherwise 1024 x 768.
Point ScreenSize();
// Tests set a size of their own; (0, 0) goes back to the real one.
void SetScreenSizeForTesting(Point size);

// One smooth stretch of the source box onto the destination box, clipped to
// the destination. Source pixels outside the source bitmap repeat its edge.
// Shrinking averages the covered area; enlarging is bilinear between pixel
// centres; equal sizes copy. A 1-bit source is sampled at pixel centres.
// With a source mask (the picture's own, white where transparent), a
// destination pixel whose sampled source pixel is transparent gets black,
// the others average the opaque source pixels only, so that neither black
// nor background bleeds into the edges of a transparent picture.
void StretchRect(DibBitmap& destination, const Rect& destinationRect, const DibBitmap& source,
                 const Rect& sourceRect, RasterOp rop, const DibBitmap* sourceMask = nullptr);

// StretchRect in screen-sized pieces: a source no larger than the screen is
// one stretch; a larger one is cut into columns and rows by SplitIntoPieces,
// drawn left to right, then top to bottom.
void StretchPieces(DibBitmap& destination, const Rect& destinationRect, const DibBitmap& source,
                   const Rect& sourceRect, RasterOp rop, const DibBitmap* sourceMask = nullptr);

}  // namespace banmen
