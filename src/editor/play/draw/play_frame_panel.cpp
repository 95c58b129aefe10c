// PlayFrame: the message panel's contents and the player panels.

#include <algorithm>

#include "editor/play/draw/play_frame.h"
#include "engine/player_info.h"
#include "media/font_faces.h"
#include "model/text_field.h"

namespace banmen::play {
namespace {

constexpr Colour kWhiteText = RgbColour(255, 255, 255);
constexpr Colour kBlack = RgbColour(0, 0, 0);
constexpr int kPanelPlayerPiece = 20;
constexpr int kSelectionTop = 40;
constexpr int kSelectionStep = 26;

Rect toRect(const PanelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The width a text takes in the play face at `size`.
int textWidth(DibBitmap& target, const QString& text, int size) {
    if (text.isEmpty()) {
        return 0;
    }
    target.SelectFont(MakePointFont(QString::fromUtf16(kPlayFace), size));
    Rect measure{0, 0, 0, 0};
    target.DrawText(text, measure, kDtCalcRect | kDtSingleLine);
    return measure.width();
}

// The size, from `size` down in steps of 10 (to 60 at least), at which the
// widest line of a text fits the width: a long title stays whole.
int fittingSize(DibBitmap& target, const QString& text, int size, int width) {
    const QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (; size > 60; size -= 10) {
        int widest = 0;
        for (const QString& line : lines) {
            widest = std::max(widest, textWidth(target, line, size));
        }
        if (widest <= width) {
            break;
        }
    }
    return size;
}

// A label in the label colour followed by its value in white, on one line.
void labelledLine(DibBitmap& target, const InfoLine& line, Rect rect, int size, Colour labelColour,
                  Colour valueColour) {
    const QString label = TextFromSjis(line.label);
    const QString value = TextFromSjis(line.value);
    constexpr unsigned kFormat = kDtLeft | kDtVCenter | kDtSingleLine;
    drawPlayText(target, label, rect, size, labelColour, kFormat);
    if (!label.isEmpty()) {
        rect.left += textWidth(target, label, size) + 3;
    }
    drawPlayText(target, value, rect, size, valueColour, kFormat);
}

}  // namespace

// A player panel, 79 x 58: the piece (or the finished mark) at the top left
// with the person/computer toggles beside it, then the name, the first
// displayed state and the first displayed data item, a line each.
void PlayFrame::drawPlayerPanel(int player) {
    const Rect r = playerPanelRect(player);
    frame_.BitBlt(r.left, r.top, r.width(), r.height(), side_, r.left - kSideRect.left, r.top);
    if (record_ != nullptr && player < playerCount_) {
        panelsShown_ = true;
        const PlayerDef& def = record_->players[player];
        const bool finished =
            def.finishState == -1 || (def.finishState >= 1 && def.finishState <= 4);
        DibBitmap& mark =
            finished ? pictures_.finishedMarks[static_cast<std::size_t>(player)] : piece(player);
        frame_.CopyFromStretched(mark, r.left + 2, r.top + 2, kPanelPieceSize, kPanelPieceSize, 0,
                                 0, mark.GetWidth(), mark.GetHeight());
        constexpr unsigned kLine = kDtLeft | kDtVCenter | kDtSingleLine;
        drawPlayText(frame_, TextFromSjis(fieldText(def.name)),
                     {r.left + 3, r.top + 17, r.right - 1, r.top + 29}, 80, kWhiteText, kLine);
        const PanelSummary summary = PlayerPanelSummary(*record_, player);
        if (summary.hasState) {
            labelledLine(frame_, summary.state, {r.left + 3, r.top + 30, r.right - 1, r.top + 42},
                         80, kLabelColour, kWhiteText);
        }
        if (summary.hasData) {
            labelledLine(frame_, summary.data, {r.left + 3, r.top + 42, r.right - 1, r.top + 54},
                         80, kLabelColour, kWhiteText);
        }
    }
    drawButtonsIn(r);
    markDirty(r);
}

Point PlayFrame::panelTogglePlace(int player, bool computer) {
    const Rect r = playerPanelRect(player);
    return {r.left + (computer ? 53 : 28), r.top + 3};
}

Point PlayFrame::selectionTogglePlace(int player, bool computer) {
    const int top = kSelectionTop + player * kSelectionStep;
    return {kPanelRect.left + (computer ? 130 : 104), kPanelRect.top + top + 5};
}

void PlayFrame::clearPanel() {
    panel_.BitBlt(0, 0, kPanelWidth, kPanelHeight, pictures_.panel, 0, 0);
}

void PlayFrame::clearPanelRect(const PanelRect& rect) {
    const Rect r = intersect(toRect(rect), sized(0, 0, kPanelWidth, kPanelHeight));
    if (!r.empty()) {
        panel_.BitBlt(r.left, r.top, r.width(), r.height(), pictures_.panel, r.left, r.top);
    }
}

void PlayFrame::panelText(const PanelText& text) {
    const QString shown = TextFromSjis(text.text);
    const Rect r = toRect(text.rect);
    switch (text.style) {
        case TextStyle::Plain:
            drawPlayText(panel_, shown, r, fittingSize(panel_, shown, text.size, r.width()),
                         text.colour, kDtCenter | kDtVCenter | kDtNoClip);
            break;
        case TextStyle::Outlined: {
            constexpr unsigned kFormat = kDtLeft | kDtWordBreak;
            constexpr Point kOffsets[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
            for (const Point& o : kOffsets) {
                drawPlayText(panel_, shown,
                             {r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y}, text.size,
                             kBlack, kFormat);
            }
            drawPlayText(panel_, shown, r, text.size, text.colour, kFormat);
            break;
        }
        case TextStyle::Box:
            drawPlayText(panel_, shown, r, text.size, text.colour, kDtLeft | kDtWordBreak);
            break;
    }
}

void PlayFrame::panelPlayer(int player) {
    if (record_ == nullptr) {
        return;
    }
    DibBitmap& p = piece(player);
    panel_.CopyFromStretched(p, 8, 6, kPanelPlayerPiece, kPanelPlayerPiece, 0, 0, p.GetWidth(),
                             p.GetHeight());
    drawPlayText(panel_, TextFromSjis(fieldText(record_->players[player].name)),
                 {32, 6, kPanelWidth - 4, 6 + kPanelPlayerPiece}, 100, kWhiteText,
                 kDtLeft | kDtVCenter | kDtSingleLine);
}

void PlayFrame::panelTurnPicture(int top) {
    DibBitmap& turn = pictures_.turn;
    panel_.CopyFrom(turn, (kPanelWidth - turn.GetWidth()) / 2, top);
}

void PlayFrame::panelThrownFace(int face, int top) {
    if (face < 1 || face > 6) {
        return;
    }
    panel_.CopyFrom(pictures_.dice, 65, top, kDieWidth, kSmallDieHeight, kDieWidth * (face - 1),
                    kSmallDieRow);
}

void PlayFrame::panelSquarePicture(int player, const SquarePicture& picture) {
    constexpr Rect kArea = sized(kSquarePictureLeft, kSquarePictureTop, 142, 115);
    if (record_ == nullptr) {
        return;
    }
    if (picture.image >= 0 && loadGameImage(squarePicture_, *record_, folder_, picture.image)) {
        panel_.CopyFromStretched(squarePicture_, kArea.left, kArea.top, kArea.width(),
                                 kArea.height(), 0, 0, squarePicture_.GetWidth(),
                                 squarePicture_.GetHeight());
        return;
    }
    // The board round the square, with the player's piece on it.
    panel_.BitBlt(kArea.left, kArea.top, kArea.width(), kArea.height(), clean_, picture.cutLeft,
                  picture.cutTop);
    const Point at = pieceTopLeft(player, picture.square);
    drawPieceClipped(panel_, player,
                     {at.x - picture.cutLeft + kArea.left, at.y - picture.cutTop + kArea.top},
                     kArea, {});
}

void PlayFrame::panelRanking(const std::vector<RankRow>& rows, int firstBaseline, int rowStep) {
    if (record_ == nullptr) {
        return;
    }
    int base = firstBaseline;
    for (const RankRow& row : rows) {
        const int cell =
            row.rank >= 1 && row.rank <= 6 ? (row.rank - 1) * kBadgeWidth : kNoRankBadgeX;
        panel_.CopyFrom(pictures_.badges, 12, base - kBadgeHeight, kBadgeWidth, kBadgeHeight, cell,
                        0);
        DibBitmap& p = piece(row.player);
        panel_.CopyFromStretched(p, 42, base - 21, kPanelPlayerPiece, kPanelPlayerPiece, 0, 0,
                                 p.GetWidth(), p.GetHeight());
        drawPlayText(panel_, TextFromSjis(fieldText(record_->players[row.player].name)),
                     {68, base - kBadgeHeight, kPanelWidth - 4, base}, 90, kWhiteText,
                     kDtLeft | kDtVCenter | kDtSingleLine);
        base += rowStep;
    }
}

void PlayFrame::panelSelectionRows() {
    if (record_ == nullptr) {
        return;
    }
    for (int p = 0; p < playerCount_; ++p) {
        const int top = kSelectionTop + p * kSelectionStep;
        DibBitmap& piece = this->piece(p);
        panel_.CopyFromStretched(piece, 6, top, kPanelPlayerPiece, kPanelPlayerPiece, 0, 0,
                                 piece.GetWidth(), piece.GetHeight());
        drawPlayText(panel_, TextFromSjis(fieldText(record_->players[p].name)),
                     {30, top, 102, top + kPanelPlayerPiece}, 90, kWhiteText,
                     kDtLeft | kDtVCenter | kDtSingleLine);
    }
}

void PlayFrame::showPanel() {
    showPanelRows(panel_, 0, kPanelHeight);
}

void PlayFrame::showPanelRows(const DibBitmap& source, int top, int bottom) {
    top = std::max(top, 0);
    bottom = std::min(bottom, kPanelHeight);
    if (bottom <= top) {
        return;
    }
    const Rect r{kPanelRect.left, kPanelRect.top + top, kPanelRect.right, kPanelRect.top + bottom};
    frame_.BitBlt(r.left, r.top, r.width(), r.height(), source, 0, top);
    drawButtonsIn(r);
    markDirty(r);
}

}  // namespace banmen::play
