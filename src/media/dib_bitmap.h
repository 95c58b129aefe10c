#pragma once
// DibBitmap: a picture with its own pixel memory in device-independent
// layout (see dib_info.h), which the editor and the play screen draw with.
//
// Depths 1, 4 and 8 have a colour table (the standard tables of dib_info.h
// when the class makes the bitmap); 16 bits are 5-6-5 bit fields when made
// here (a loaded file keeps its own masks, 5-5-5 for plain 16-bit files);
// 24 and 32 bits are blue, green, red (and an unused byte). Rows are padded
// to 4 bytes and stored bottom row first unless the bitmap is top-down.
//
// Transparency: SetTransparentColor builds, once, a 1-bit mask that is 1
// (white) where the picture has that colour and 0 elsewhere, and turns those
// pixels of the picture black. Draw then ANDs the mask into the destination
// and ORs the picture over it, so the destination shows through. Depths other
// than 4, 8, 16, 24 and 32 get no mask. For 16, 24 and 32 bits only the
// colour bits are compared (the unused byte of a 32-bit pixel is ignored).
//
// Origin: how the bitmap was obtained, words joined by "|", deciding what
// Free releases: "CREATE_BITMAP|ALLOC_INFO" (Create, or Attach of a packed
// DIB, which is copied), "ATTACH_BITMAP|ALLOC_INFO" (Attach of a QImage,
// whose memory stays the caller's), "RESOURCE_BITMAP" (LoadResource) and
// path + "|ALLOC_INFO|LOAD_FILE" (LoadFile). Empty: the object holds nothing.
//
// Where the Windows original had handles there is no counterpart: no HBITMAP,
// HDC, CPalette or BITMAP. Attach takes a QImage (used in place) or a packed
// DIB (copied); Detach gives the pixels back as a QImage; a "DC" destination
// is another DibBitmap, or a QPainter for DrawDib. Palettes are not realised
// (SelectPaletteInto, DrawState, DrawIcon and DrawToScreen are not offered);
// the colour table itself answers NearestColour.
//
// Drawing: copies, masks, stretching, rotation, multiplying, pixels, fills
// and smoothed text work on the pixel memory directly, with the arithmetic
// their comments give. Lines, shapes and plain text go through QPainter: the
// part of the bitmap a call can touch is copied, top row first, into a
// 32-bit QImage, painted there, and the pixels that changed are written back
// as the nearest colour the bitmap holds (the table entry for 8 bits or
// less). So every depth and row order paints alike (QImage cannot paint on
// indexed pixels, nor on rows stored bottom row first), at a cost in
// proportion to the area drawn. Fonts, and so every text operation, need a
// QGuiApplication.
//
// Copies between formats go through colours (the nearest table entry for 8
// bits or less), except that a 1-bit black-and-white source, such as a
// mask, becomes raw 0 and all ones, as a monochrome bitmap becomes the
// destination's black and white: ANDing a mask then keeps or clears the
// destination whatever its table holds. The transparent pixels of a picture
// are raw 0 (black, the first entry of the standard tables), so ORing it
// leaves the destination there.
//
// The drawing state (pen, brush, font, text and background colours, the
// background mode, the fill mode and the current position) belongs to the
// object and lasts from call to call. Pens and brushes are QPen and QBrush;
// Qt's pens draw both end points of a line.
//
// Lock: a recursive lock per bitmap (one thread at a time), taken by every
// drawing operation and held between BeginDraw and EndDraw.

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QString>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "media/bitmap_region.h"
#include "media/bitmap_types.h"
#include "media/dib_info.h"
#include "platform/status.h"

class QPainter;

namespace banmen {

class BitmapDC;
class PixelFormat;
struct DibInternals;

// DrawText formats (combine with |).
constexpr unsigned kDtLeft = 0x0000;
constexpr unsigned kDtCenter = 0x0001;
constexpr unsigned kDtRight = 0x0002;
constexpr unsigned kDtVCenter = 0x0004;
constexpr unsigned kDtBottom = 0x0008;
constexpr unsigned kDtWordBreak = 0x0010;
constexpr unsigned kDtSingleLine = 0x0020;
constexpr unsigned kDtNoClip = 0x0100;
constexpr unsigned kDtCalcRect = 0x0400;

// Stock objects for SelectStockObject.
constexpr int kWhiteBrush = 0;
constexpr int kLightGreyBrush = 1;
constexpr int kGreyBrush = 2;
constexpr int kDarkGreyBrush = 3;
constexpr int kBlackBrush = 4;
constexpr int kNullBrush = 5;
constexpr int kWhitePen = 6;
constexpr int kBlackPen = 7;
constexpr int kNullPen = 8;

// The third form of DrawSmoothText centres on the total advance alone.
enum class SmoothCentring { OnInk, OnAdvance };

class DibBitmap {
  public:
    DibBitmap();
    ~DibBitmap();
    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    // --- Making and loading. Each frees what the object held first and
    // leaves it empty on failure. `why` (when given) receives the reason.

    // Depth 0 takes the screen's depth, 32. Depths other than 1, 4, 8, 16,
    // 24 and 32, and sizes outside 1..16384, fail.
    bool Create(int bitsPerPixel, int width, int height, Colour transparent = kNoColour);
    // From an info (a negative height makes a top-down bitmap) and, when
    // given, height * stride bytes of initial pixels.
    bool Create(const BitmapInfo& info, const void* initialBits, Colour transparent = kNoColour);
    bool LoadFile(const std::string& path, Colour transparent = kNoColour, Status* why = nullptr);
    // The program's pictures: the BMP at ":/bitmaps/<id>.bmp" or
    // ":/bitmaps/<name>.bmp" of the Qt resources ("#3001" is id 3001).
    bool LoadResource(int id, Colour transparent = kNoColour, Status* why = nullptr);
    bool LoadResource(std::string_view name, Colour transparent = kNoColour, Status* why = nullptr);
    // Works in the image's own memory, which must outlive the attachment
    // (Free leaves it to the caller, valid). The image is detached from any
    // shared copies first. Formats: RGB32, ARGB32 (premultiplied or not) as
    // 32 bits, RGB16 and RGB555 as 16 bits, BGR888 as 24, Indexed8 and Mono
    // with their colour tables; all top-down.
    bool Attach(QImage& image, Colour transparent = kNoColour);
    // A packed DIB (header, masks, table and pixels, as on the clipboard) is
    // copied into a new bitmap.
    bool Attach(std::span<const std::uint8_t> packedDib, Colour transparent = kNoColour);
    // Releases what the origin says (see above) and empties the object.
    void Free();
    // The pixels as a 32-bit image, then Free.
    QImage Detach();

    // --- Queries
    bool IsEmpty() const { return origin_.empty(); }
    const std::string& GetOrigin() const { return origin_; }
    int GetWidth() const { return IsEmpty() ? 0 : width_; }
    int GetHeight() const { return IsEmpty() ? 0 : height_; }
    // Null when the object holds nothing.
    const BitmapInfo* GetInfo() const { return IsEmpty() ? nullptr : &info_; }
    std::uint32_t GetBitsPerPixel() const { return IsEmpty() ? 0 : info_.bitCount; }
    // 2^bits for 8 bits or less (a bitmap created from an info: the info's
    // colour-used count), whatever a loaded file's table holds; 65536 for
    // 16 bits, 16777216 above.
    std::uint32_t GetColourCount() const { return IsEmpty() ? 0 : colourCount_; }
    bool IsTopDown() const { return info_.height < 0; }
    std::size_t GetStride() const { return stride_; }
    std::uint8_t* GetBits() { return bits_; }
    const std::uint8_t* GetBits() const { return bits_; }
    // The memory of row y, counted from the top.
    std::uint8_t* RowBits(int y);
    const std::uint8_t* RowBits(int y) const;

    // --- Transparency. kNoColour removes the mask.
    void SetTransparentColor(Colour colour);
    const DibBitmap* GetMask() const { return mask_.get(); }
    static void FillMaskWhite(DibBitmap& mask);
    static void ClearMaskBit(DibBitmap& mask, int x, int y);

    // --- Lock and drawing bracket
    void Lock();
    // Does nothing unless the calling thread holds the lock.
    void Unlock();
    // Takes the lock and holds it until EndDraw, which releases it once,
    // so that a series of drawing calls is not interleaved with another
    // thread's. False when the object holds nothing.
    bool BeginDraw();
    void EndDraw();

    // --- Copies. Sizes of 0 take the bitmap's own width or height. The
    // destination is another bitmap; only the destination's pixels change.
    // Raster operations combine the source converted to the destination's
    // pixel format, bit by bit, as the ternary codes say (the pattern is the
    // destination's brush colour).

    // The central routine; flags kDrawStretch or kDrawTile (see .cpp).
    void Draw(DibBitmap& destination, int x, int y, int width, int height, int sourceX, int sourceY,
              int sourceWidth, int sourceHeight, RasterOp rop, std::uint32_t flags) const;
    void DrawTo(DibBitmap& destination, int x, int y, int width = 0, int height = 0,
                int sourceX = 0, int sourceY = 0, RasterOp rop = kSrcCopy);
    void DrawStretched(DibBitmap& destination, int x, int y, int width, int height, int sourceX,
                       int sourceY, int sourceWidth, int sourceHeight, RasterOp rop = kSrcCopy);
    // Tiles are the picture's full size (the first row and column start at
    // the source offset); the source size is not used.
    void DrawTiled(DibBitmap& destination, int x, int y, int width, int height, int sourceX = 0,
                   int sourceY = 0, int sourceWidth = 0, int sourceHeight = 0,
                   RasterOp rop = kSrcCopy);
    // A smooth (area-averaging, or bilinear when enlarging) stretch, cut into
    // pieces no larger than the screen (see dib_stretch.h). A 1-bit source,
    // such as a mask, is sampled rather than smoothed so that it stays
    // two-coloured. (DrawStretched of a picture with a mask averages its
    // opaque pixels only, so no black seeps into its edges.)
    static void StretchInPieces(DibBitmap& destination, const Rect& destinationRect,
                                const DibBitmap& source, const Rect& sourceRect, RasterOp rop);

    // The source, with its transparency, drawn into this bitmap.
    void CopyFrom(DibBitmap& source, int x, int y, int width = 0, int height = 0, int sourceX = 0,
                  int sourceY = 0, RasterOp rop = kSrcCopy);
    void CopyFromStretched(DibBitmap& source, int x, int y, int width, int height, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight, RasterOp rop = kSrcCopy);
    void CopyFromTiled(DibBitmap& source, int x, int y, int width, int height, int sourceX = 0,
                       int sourceY = 0, int sourceWidth = 0, int sourceHeight = 0,
                       RasterOp rop = kSrcCopy);
    // Fits the whole source into the box keeping its aspect ratio, centred.
    void CopyFromFit(DibBitmap& source, int x, int y, int width, int height,
                     RasterOp rop = kSrcCopy);
    // The same from an image or a packed DIB, without transparency.
    void CopyFromHandle(const QImage& image, int x, int y, int width = 0, int height = 0,
                        int sourceX = 0, int sourceY = 0, RasterOp rop = kSrcCopy);
    void CopyFromHandle(std::span<const std::uint8_t> packedDib, int x, int y, int width = 0,
                        int height = 0, int sourceX = 0, int sourceY = 0, RasterOp rop = kSrcCopy);
    void CopyFromHandleStretched(const QImage& image, int x, int y, int width, int height,
                                 int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                 RasterOp rop = kSrcCopy);
    void CopyFromHandleTiled(const QImage& image, int x, int y, int width, int height,
                             int sourceX = 0, int sourceY = 0, RasterOp rop = kSrcCopy);
    // A plain block copy of the source's pixels (no transparency).
    void BitBlt(int x, int y, int width, int height, const DibBitmap& source, int sourceX,
                int sourceY, RasterOp rop = kSrcCopy);

    // Draws the source's box (sourceX, sourceY, width, height) turned by
    // `degrees` about its centre, centred on the box (x, y, width, height) of
    // this bitmap. Each pixel blends the source pixel with its right and
    // lower neighbours by the fractional position (weights 0..255). Where the
    // source has a mask, its transparent pixels are left out.
    void DrawRotated(const DibBitmap& source, int x, int y, int width, int height, int sourceX,
                     int sourceY, double degrees);
    // Darkens this bitmap by a grey map: each channel becomes channel * v /
    // 255, v being the red channel of the map's pixel (a map pixel of 255
    // leaves the pixel as it is).
    void MultiplyByMap(const DibBitmap& map, int x, int y, int width, int height, int mapX,
                       int mapY);
    // The pixels whose colour differs from `transparent`.
    BitmapRegion MakeRegion(Colour transparent) const;

    // Paints the bitmap onto a Qt paint device (a window). Without the
    // stretch flag the source size is the destination size; sizes of 0 take
    // the bitmap's own size.
    void DrawDib(bool stretch, QPainter& painter, int x, int y, int width = 0, int height = 0,
                 int sourceX = 0, int sourceY = 0, int sourceWidth = 0, int sourceHeight = 0) const;
    // A copy as QImage::Format_RGB32, top row first.
    QImage ToImage() const;
    // Writes a BMP file (see bmp_writer.h).
    bool SaveFile(const std::string& path, Status* why = nullptr) const;

    // --- Pixels. Coordinates count from the top-left corner.
    Colour GetPixel(int x, int y) const;
    Colour GetPixel(Point p) const { return GetPixel(p.x, p.y); }
    // Returns the colour actually set (the nearest the format holds), or
    // kNoColour outside the bitmap.
    Colour SetPixel(int x, int y, Colour colour);
    Colour SetPixel(Point p, Colour colour) { return SetPixel(p.x, p.y, colour); }
    bool SetPixelV(int x, int y, Colour colour);
    bool SetPixelV(Point p, Colour colour) { return SetPixelV(p.x, p.y, colour); }
    void FillSolidRect(const Rect& rect, Colour colour);
    void FillSolidRect(int x, int y, int width, int height, Colour colour);
    // The nearest colour the bitmap can hold, and for 8 bits or less the
    // table index of it (-1 above 8 bits).
    Colour NearestColour(Colour colour) const;
    int NearestIndex(Colour colour) const;

    // --- Drawing state ("attribute pairs"); each setter returns the old value.
    Colour SetTextColor(Colour colour);
    Colour GetTextColor() const;
    Colour SetBkColor(Colour colour);
    Colour GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    // Only the text mapping mode (1: one unit is one pixel, y down) exists.
    int SetMapMode(int mode);
    int GetMapMode() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    QPen SelectPen(const QPen& pen);
    QBrush SelectBrush(const QBrush& brush);
    QFont SelectFont(const QFont& font);
    void SelectStockObject(int object);

    // --- Lines and shapes (rectangles exclude their right and bottom edge).
    Point MoveTo(int x, int y);
    bool LineTo(int x, int y);
    bool Polygon(std::span<const Point> points);
    bool Polyline(std::span<const Point> points);
    bool PolyPolygon(std::span<const Point> points, std::span<const int> counts);
    bool Ellipse(int left, int top, int right, int bottom);
    bool Ellipse(const Rect& rect) { return Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    // Chord and Pie run counter-clockwise from the radial through (x3, y3)
    // to the one through (x4, y4).
    bool Chord(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    bool Chord(const Rect& rect, Point start, Point end);
    bool Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    bool Pie(const Rect& rect, Point start, Point end);
    bool Rectangle(int left, int top, int right, int bottom);
    bool Rectangle(const Rect& rect) {
        return Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    }
    bool RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    bool RoundRect(const Rect& rect, Point corner);

    // --- Text in the selected font, text colour and background mode.
    // (x, y) is the top-left corner of the text's cell.
    bool TextOut(int x, int y, const QString& text);
    // Returns the height of the text; kDtCalcRect only measures, widening
    // or lowering `rect` to the text's extent.
    int DrawText(const QString& text, Rect& rect, unsigned format);

    // Smoothed text (see dib_smooth_text.cpp): centred in the box, blended
    // pixel by pixel from the glyphs' coverage; a shadow colour other than
    // kNoColour adds a shadow one pixel right and down. `height` is a font
    // height as the platform's CreateFont takes it (positive: cell height,
    // negative: character height), `face` a face name of font_faces.h.
    void DrawSmoothText(const QString& text, int x, int y, int boxWidth, int boxHeight,
                        const QString& face, int height, int weight, Colour textColour,
                        Colour shadowColour);
    // Weight 600.
    void DrawSmoothText(const QString& text, int x, int y, int boxWidth, int boxHeight,
                        const QString& face, int height, Colour textColour, Colour shadowColour);
    // Weight 600, centred as `centring` says.
    void DrawSmoothText(SmoothCentring centring, const QString& text, int x, int y, int boxWidth,
                        int boxHeight, const QString& face, int height, Colour textColour,
                        Colour shadowColour);

  private:
    friend class BitmapDC;
    friend struct DibInternals;
    struct DrawState;
    class LockGuard;

    bool adopt(const BitmapInfo& info, std::vector<std::uint8_t> ownBits,
               std::uint8_t* externalBits, Colour transparent, std::string origin, Status* why);
    bool createMask(Colour colour);
    void maskPacked(std::uint32_t key, std::uint32_t black, DibBitmap& mask);
    std::uint32_t probeKey(Colour colour);
    void MakeMask32(Colour colour, DibBitmap& mask);
    void MakeMask24(Colour colour, DibBitmap& mask);
    void MakeMask16(Colour colour, DibBitmap& mask);
    void MakeMask8(Colour colour, DibBitmap& mask);
    void MakeMask4(Colour colour, DibBitmap& mask);
    void drawSmooth(const QString& text, int x, int y, int boxWidth, int boxHeight,
                    const QString& face, int height, int weight, Colour textColour,
                    Colour shadowColour, SmoothCentring centring);
    const PixelFormat& format() const { return *format_; }
    // SetPixel for callers that hold the lock.
    void putPixel(int x, int y, Colour colour);
    DrawState& state();
    const DrawState& state() const;
    // Paints through a BitmapDC on the given area (bitmap coordinates).
    bool paintIn(const QRect& area, const std::function<void(QPainter&)>& paint);

    std::uint32_t colourCount_ = 0;
    std::int32_t height_ = 0;
    std::int32_t width_ = 0;
    std::recursive_mutex lock_;
    std::atomic<std::thread::id> lockOwner_;
    int lockDepth_ = 0;
    int drawBrackets_ = 0;
    BitmapInfo info_;
    std::uint8_t* bits_ = nullptr;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> ownBits_;
    QImage* attached_ = nullptr;
    std::string origin_;
    std::unique_ptr<PixelFormat> format_;
    std::unique_ptr<DibBitmap> mask_;
    std::unique_ptr<DrawState> state_;
};

}  // namespace banmen
