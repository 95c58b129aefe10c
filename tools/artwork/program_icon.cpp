// The program icon: a lacquered tile with a little board and a die, drawn
// afresh at every size so that the small ones stay sharp.

#include <QLinearGradient>
#include <QPainterPath>
#include <string>
#include <vector>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p;
    beginPainting(p, image);
    const double s = size;
    const bool small = size <= 24;
    const QRectF tile(0.5, 0.5, s - 1, s - 1);

    QLinearGradient lacquer(0, 0, 0, s);
    lacquer.setColorAt(0, colour::kVermilion.lighter(118));
    lacquer.setColorAt(1, colour::kVermilion.darker(135));
    p.setPen(QPen(colour::kInk.lighter(110), std::max(1.0, s / 64)));
    p.setBrush(lacquer);
    p.drawRoundedRect(tile, s * 0.18, s * 0.18);

    if (!small) {
        // The board: paper with a track of squares round its edge and the
        // four players' pieces on it.
        const QRectF board = tile.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1);
        p.setPen(QPen(colour::kGold, std::max(1.0, s / 48)));
        p.setBrush(colour::kPaper);
        p.drawRoundedRect(board, s * 0.06, s * 0.06);
        const int perSide = size >= 48 ? 5 : 4;
        const QRectF track = board.adjusted(s * 0.05, s * 0.05, -s * 0.05, -s * 0.05);
        const double cell = track.width() / perSide;
        std::vector<QRectF> cells;
        for (int i = 0; i < perSide; ++i) {
            cells.emplace_back(track.left() + cell * i, track.top(), cell, cell);
        }
        for (int i = 1; i < perSide; ++i) {
            cells.emplace_back(track.right() - cell, track.top() + cell * i, cell, cell);
        }
        for (int i = perSide - 2; i >= 0; --i) {
            cells.emplace_back(track.left() + cell * i, track.bottom() - cell, cell, cell);
        }
        for (int i = perSide - 2; i >= 1; --i) {
            cells.emplace_back(track.left(), track.top() + cell * i, cell, cell);
        }
        const double gap = std::max(0.5, cell * 0.08);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            p.setPen(QPen(colour::kInkSoft, std::max(0.6, s / 128)));
            p.setBrush(i == 0 ? QColor(120, 180, 110)
                              : (i % 3 == 0 ? colour::kSakura : colour::kPaperDark));
            p.drawRoundedRect(cells[i].adjusted(gap, gap, -gap, -gap), cell * 0.15, cell * 0.15);
        }
        const std::size_t spots[] = {1, 4, 7, 10};
        for (int i = 0; i < 4; ++i) {
            const QRectF at = cells[spots[i] % cells.size()];
            p.setPen(QPen(colour::kInk, std::max(0.7, s / 96)));
            p.setBrush(playerColour(i));
            p.drawEllipse(at.center(), cell * 0.3, cell * 0.3);
        }
    }

    // The die.
    // Small sizes: the die alone, on whole pixels.
    const double d = size <= 16 ? 10 : (small ? 14 : s * 0.3);
    const QPointF centre(s * 0.5, s * 0.5);
    p.save();
    p.translate(centre);
    p.rotate(small ? 0 : -14);
    p.setPen(QPen(colour::kInk, std::max(1.0, s / 64)));
    p.setBrush(QColor(254, 252, 246));
    p.drawRoundedRect(QRectF(-d / 2, -d / 2, d, d), d * 0.2, d * 0.2);
    drawPips(p, QPointF(-d / 2, -d / 2), d, size == 24 ? 5 : 1, colour::kInk, QColor(206, 36, 40));
    p.restore();
    p.end();
    return image;
}

}  // namespace

void paintProgramIcon(ArtworkSet& set) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        set.addPng("icons/banmen-" + std::to_string(size) + ".png", icon(size));
    }
    set.addPng("icons/banmen.png", icon(256));
}

}  // namespace banmen::art
