#include "editor/play/draw/info_card.h"

#include "engine/player_info.h"
#include "media/font_faces.h"
#include "model/text_field.h"

namespace banmen::play {
namespace {

constexpr int kBorder = 8;
constexpr int kFirstLine = 24;
constexpr int kLineStep = 10;
constexpr int kDataGap = 3;

int textWidth(DibBitmap& target, const QString& text, int size) {
    target.SelectFont(MakePointFont(QString::fromUtf16(kPlayFace), size));
    Rect measure{0, 0, 0, 0};
    target.DrawText(text, measure, kDtCalcRect | kDtSingleLine);
    return measure.width();
}

}  // namespace

int infoCardHeight(const GameRecord& record, int player) {
    return infoHeight(static_cast<int>(PlayerInfoLines(record, player).size()));
}

void drawInfoCard(DibBitmap& card, PlayFrame& frame, int player) {
    const GameRecord& record = frame.record();
    const std::vector<InfoLine> lines = PlayerInfoLines(record, player);
    const int height = infoHeight(static_cast<int>(lines.size()));
    if (card.GetWidth() != kInfoWidth || card.GetHeight() != height) {
        card.Create(32, kInfoWidth, height);
    }
    // The frame picture: its top and bottom rows as they are, the middle
    // stretched.
    DibBitmap& border = frame.pictures().infoFrame;
    const int bh = border.GetHeight();
    card.FillSolidRect(0, 0, kInfoWidth, height, kInfoBackground);
    if (bh > 2 * kBorder) {
        card.BitBlt(0, 0, kInfoWidth, kBorder, border, 0, 0);
        card.CopyFromStretched(border, 0, kBorder, kInfoWidth, height - 2 * kBorder, 0, kBorder,
                               kInfoWidth, bh - 2 * kBorder);
        card.BitBlt(0, height - kBorder, kInfoWidth, kBorder, border, 0, bh - kBorder);
    }

    DibBitmap& piece = frame.piece(player);
    card.CopyFromStretched(piece, 8, 3, 20, 20, 0, 0, piece.GetWidth(), piece.GetHeight());
    drawPlayText(card, TextFromSjis(fieldText(record.players[player].name)), {32, 3, 202, 23}, 90,
                 kInfoNameColour, kDtLeft | kDtVCenter | kDtSingleLine);

    constexpr unsigned kFormat = kDtLeft | kDtSingleLine | kDtNoClip;
    int y = kFirstLine;
    bool inData = false;
    for (const InfoLine& line : lines) {
        if (!line.isState && !inData) {
            inData = true;
            y += kDataGap;
        }
        Rect rect{10, y, kInfoWidth - 8, y + kLineStep};
        const QString label = TextFromSjis(line.label);
        if (!label.isEmpty()) {
            drawPlayText(card, label, rect, 80, kInfoLabelColour, kFormat);
            rect.left += textWidth(card, label, 80) + 4;
        }
        drawPlayText(card, TextFromSjis(line.value), rect, 80, kInk, kFormat);
        y += kLineStep;
    }
}

}  // namespace banmen::play
