// DibBitmap: plain text in the selected font, painted through QPainter.

#include <QFontMetrics>

#include "media/bitmap_dc.h"
#include "media/dib_lock.h"
#include "media/font_faces.h"

namespace banmen {
namespace {

// Where a measured text sits in its box does not change its size.
constexpr int kPlacement = static_cast<int>(Qt::AlignHCenter) | static_cast<int>(Qt::AlignRight) |
                           static_cast<int>(Qt::AlignVCenter) | static_cast<int>(Qt::AlignBottom);

int alignmentOf(unsigned format) {
    int flags = (format & kDtCenter) != 0  ? Qt::AlignHCenter
                : (format & kDtRight) != 0 ? Qt::AlignRight
                                           : Qt::AlignLeft;
    flags |= (format & kDtVCenter) != 0  ? Qt::AlignVCenter
             : (format & kDtBottom) != 0 ? Qt::AlignBottom
                                         : Qt::AlignTop;
    if ((format & kDtSingleLine) != 0) {
        flags |= Qt::TextSingleLine;
    } else if ((format & kDtWordBreak) != 0) {
        flags |= Qt::TextWordWrap;
    }
    if ((format & kDtNoClip) != 0) {
        flags |= Qt::TextDontClip;
    }
    return flags;
}

// Line breaks as the platform writes them ("\r\n") count once.
QString withoutCarriageReturns(const QString& text) {
    QString copy = text;
    copy.remove(QLatin1Char('\r'));
    return copy;
}

}  // namespace

bool DibBitmap::TextOut(int x, int y, const QString& text) {
    LockGuard lock(*this);
    const QFontMetrics metrics(state().fontSelected ? state().font : DefaultFont());
    const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    // Glyphs may reach out of their cell (italics, accents): leave them room.
    const int room = metrics.height();
    return paintIn(cell.adjusted(-room, -room, room, room), [&](QPainter& painter) {
        if (state().bkMode == kOpaqueMode) {
            painter.fillRect(cell, ToQColor(state().bkColour));
        }
        painter.setPen(ToQColor(state().textColour));
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    });
}

int DibBitmap::DrawText(const QString& text, Rect& rect, unsigned format) {
    LockGuard lock(*this);
    const QString shown = withoutCarriageReturns(text);
    const int flags = alignmentOf(format);
    const QRect box(rect.left, rect.top, rect.width(), rect.height());
    const QFontMetrics metrics(state().fontSelected ? state().font : DefaultFont());
    if ((format & kDtCalcRect) != 0) {
        // Measuring keeps the box's width for word breaks, nothing else.
        const QRect extent = metrics.boundingRect(
            QRect(rect.left, rect.top, (format & kDtWordBreak) != 0 ? rect.width() : 0, 0),
            flags & ~kPlacement, shown);
        rect.right = rect.left + extent.width();
        rect.bottom = rect.top + extent.height();
        return extent.height();
    }
    const QRect extent = metrics.boundingRect(box, flags, shown);
    const bool clip = (format & kDtNoClip) == 0;
    const int room = metrics.height();
    const QRect area = clip ? box : extent.united(box).adjusted(-room, -room, room, room);
    paintIn(area, [&](QPainter& painter) {
        if (clip) {
            painter.setClipRect(box);
        }
        if (state().bkMode == kOpaqueMode) {
            painter.fillRect(extent, ToQColor(state().bkColour));
        }
        painter.setPen(ToQColor(state().textColour));
        painter.drawText(box, flags, shown);
    });
    return extent.height();
}

}  // namespace banmen
