// DibBitmap: the drawing state, lines and shapes, painted through QPainter.

#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "media/bitmap_dc.h"
#include "media/dib_lock.h"

namespace banmen {
namespace {

QPolygon polygonOf(std::span<const Point> points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points) {
        polygon << QPoint(p.x, p.y);
    }
    return polygon;
}

Qt::FillRule fillRuleOf(int mode) {
    return mode == kWinding ? Qt::WindingFill : Qt::OddEvenFill;
}

// A rectangle with an excluded right and bottom edge as QPainter outlines it
// with a one-pixel pen.
QRect outlineRect(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

// The angle, counter-clockwise from three o'clock in degrees, of the radial
// from the centre of the box through (x, y).
double radialAngle(int left, int top, int right, int bottom, int x, int y) {
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    return std::atan2(cy - y, x - cx) * 180.0 / std::numbers::pi;
}

// Start and span in sixteenths of a degree, counter-clockwise.
std::pair<int, int> arcOf(int left, int top, int right, int bottom, int x3, int y3, int x4,
                          int y4) {
    const double start = radialAngle(left, top, right, bottom, x3, y3);
    double span = radialAngle(left, top, right, bottom, x4, y4) - start;
    while (span <= 0) {
        span += 360;
    }
    return {static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16))};
}

// The rectangle through two corners, both inside it.
QRect spanning(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right), std::max(top, bottom)));
}

QRect boundsOf(std::span<const Point> points) {
    if (points.empty()) {
        return {};
    }
    QRect bounds = spanning(points[0].x, points[0].y, points[0].x, points[0].y);
    for (const Point& p : points) {
        bounds = bounds.united(spanning(p.x, p.y, p.x, p.y));
    }
    return bounds;
}

}  // namespace

DibBitmap::DrawState& DibBitmap::state() {
    return *state_;
}
const DibBitmap::DrawState& DibBitmap::state() const {
    return *state_;
}

bool DibBitmap::paintIn(const QRect& area, const std::function<void(QPainter&)>& paint) {
    LockGuard lock(*this);
    if (IsEmpty()) {
        return false;
    }
    // Room for the pen on every side.
    const int margin = static_cast<int>(std::ceil(state().pen.widthF())) + 2;
    BitmapDC dc(*this, area.adjusted(-margin, -margin, margin, margin));
    if (QPainter* painter = dc.painter(); painter != nullptr) {
        paint(*painter);
    }
    return true;
}

Colour DibBitmap::SetTextColor(Colour colour) {
    return std::exchange(state().textColour, colour);
}
Colour DibBitmap::GetTextColor() const {
    return state().textColour;
}
Colour DibBitmap::SetBkColor(Colour colour) {
    return std::exchange(state().bkColour, colour);
}
Colour DibBitmap::GetBkColor() const {
    return state().bkColour;
}
int DibBitmap::SetBkMode(int mode) {
    return std::exchange(state().bkMode, mode);
}
int DibBitmap::GetBkMode() const {
    return state().bkMode;
}

int DibBitmap::SetMapMode(int mode) {
    // Other mapping modes would need a transform per call; nothing uses them.
    return mode == 1 ? std::exchange(state().mapMode, mode) : 0;
}
int DibBitmap::GetMapMode() const {
    return state().mapMode;
}

int DibBitmap::SetPolyFillMode(int mode) {
    return mode == kAlternate || mode == kWinding ? std::exchange(state().polyFillMode, mode) : 0;
}
int DibBitmap::GetPolyFillMode() const {
    return state().polyFillMode;
}

QPen DibBitmap::SelectPen(const QPen& pen) {
    return std::exchange(state().pen, pen);
}
QBrush DibBitmap::SelectBrush(const QBrush& brush) {
    return std::exchange(state().brush, brush);
}

QFont DibBitmap::SelectFont(const QFont& font) {
    DrawState& s = state();
    QFont old = s.fontSelected ? s.font : QFont();
    s.font = font;
    s.fontSelected = true;
    return old;
}

void DibBitmap::SelectStockObject(int object) {
    DrawState& s = state();
    switch (object) {
        case kWhiteBrush:
            s.brush = QBrush(QColor(255, 255, 255));
            break;
        case kLightGreyBrush:
            s.brush = QBrush(QColor(192, 192, 192));
            break;
        case kGreyBrush:
            s.brush = QBrush(QColor(128, 128, 128));
            break;
        case kDarkGreyBrush:
            s.brush = QBrush(QColor(64, 64, 64));
            break;
        case kBlackBrush:
            s.brush = QBrush(QColor(0, 0, 0));
            break;
        case kNullBrush:
            s.brush = QBrush(Qt::NoBrush);
            break;
        case kWhitePen:
            s.pen = QPen(QColor(255, 255, 255), 1);
            break;
        case kBlackPen:
            s.pen = QPen(QColor(0, 0, 0), 1);
            break;
        case kNullPen:
            s.pen = QPen(Qt::NoPen);
            break;
        default:
            break;
    }
}

Point DibBitmap::MoveTo(int x, int y) {
    return std::exchange(state().position, Point{x, y});
}

bool DibBitmap::LineTo(int x, int y) {
    const Point from = state().position;
    state().position = {x, y};
    return paintIn(spanning(from.x, from.y, x, y),
                   [&](QPainter& p) { p.drawLine(from.x, from.y, x, y); });
}

bool DibBitmap::Polygon(std::span<const Point> points) {
    return paintIn(boundsOf(points), [&](QPainter& p) {
        p.drawPolygon(polygonOf(points), fillRuleOf(state().polyFillMode));
    });
}

bool DibBitmap::Polyline(std::span<const Point> points) {
    return paintIn(boundsOf(points), [&](QPainter& p) { p.drawPolyline(polygonOf(points)); });
}

bool DibBitmap::PolyPolygon(std::span<const Point> points, std::span<const int> counts) {
    QPainterPath path;
    path.setFillRule(fillRuleOf(state().polyFillMode));
    std::size_t at = 0;
    for (int count : counts) {
        if (count < 0 || static_cast<std::size_t>(count) > points.size() - at) {
            return false;
        }
        path.addPolygon(polygonOf(points.subspan(at, static_cast<std::size_t>(count))));
        path.closeSubpath();
        at += static_cast<std::size_t>(count);
    }
    return paintIn(boundsOf(points.first(at)), [&](QPainter& p) { p.drawPath(path); });
}

bool DibBitmap::Ellipse(int left, int top, int right, int bottom) {
    return paintIn(spanning(left, top, right, bottom),
                   [&](QPainter& p) { p.drawEllipse(outlineRect(left, top, right, bottom)); });
}

bool DibBitmap::Chord(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    // Not a structured binding: clang before 16 cannot capture one in a lambda.
    const auto arc = arcOf(left, top, right, bottom, x3, y3, x4, y4);
    return paintIn(spanning(left, top, right, bottom), [&](QPainter& p) {
        p.drawChord(outlineRect(left, top, right, bottom), arc.first, arc.second);
    });
}

bool DibBitmap::Chord(const Rect& rect, Point start, Point end) {
    return Chord(rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
}

bool DibBitmap::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    // Not a structured binding: clang before 16 cannot capture one in a lambda.
    const auto arc = arcOf(left, top, right, bottom, x3, y3, x4, y4);
    return paintIn(spanning(left, top, right, bottom), [&](QPainter& p) {
        p.drawPie(outlineRect(left, top, right, bottom), arc.first, arc.second);
    });
}

bool DibBitmap::Pie(const Rect& rect, Point start, Point end) {
    return Pie(rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
}

bool DibBitmap::Rectangle(int left, int top, int right, int bottom) {
    return paintIn(spanning(left, top, right, bottom),
                   [&](QPainter& p) { p.drawRect(outlineRect(left, top, right, bottom)); });
}

bool DibBitmap::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                          int cornerHeight) {
    return paintIn(spanning(left, top, right, bottom), [&](QPainter& p) {
        p.drawRoundedRect(outlineRect(left, top, right, bottom), cornerWidth / 2.0,
                          cornerHeight / 2.0);
    });
}

bool DibBitmap::RoundRect(const Rect& rect, Point corner) {
    return RoundRect(rect.left, rect.top, rect.right, rect.bottom, corner.x, corner.y);
}

}  // namespace banmen
