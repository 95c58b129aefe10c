#include "editor/play/draw/play_frame.h"

#include <algorithm>

#include "media/font_faces.h"
#include "model/text_field.h"

namespace banmen::play {
namespace {

constexpr int kMaxDirty = 16;

const QString& playFace() {
    static const QString face = QString::fromUtf16(kPlayFace);
    return face;
}

}  // namespace

void drawPlayText(DibBitmap& target, const QString& text, Rect rect, int size, Colour colour,
                  unsigned format, int weight) {
    if (text.isEmpty()) {
        return;
    }
    target.SelectFont(MakePointFont(playFace(), size, weight));
    target.SetTextColor(colour);
    target.SetBkMode(kTransparentMode);
    target.DrawText(text, rect, format);
}

Point squarePlace(const SquareDef& square) {
    constexpr std::int32_t kReach = 1 << 20;
    return {std::clamp(square.x, -kReach, kReach), std::clamp(square.y, -kReach, kReach)};
}

PlayFrame::PlayFrame() : image_(kFrameWidth, kFrameHeight, QImage::Format_RGB32) {
    image_.fill(Qt::black);
    frame_.Attach(image_);
    board_.Create(32, kBoardRect.width(), kBoardRect.height());
    clean_.Create(32, kBoardRect.width(), kBoardRect.height());
    side_.Create(32, kSideRect.width(), kSideRect.height());
    panel_.Create(32, kPanelWidth, kPanelHeight);
}

PlayFrame::~PlayFrame() = default;

bool PlayFrame::loadPictures() {
    const bool all = pictures_.load();
    drawSideBackground();
    clearPanel();
    return all;
}

void PlayFrame::setGame(const GameRecord& record, const std::string& folder, int playerCount) {
    record_ = &record;
    folder_ = folder;
    playerCount_ = std::clamp(playerCount, 1, kPlayerCount);
    hopping_ = -1;
    panelsShown_ = false;
    supplementShown_ = false;
    supplement_.Free();
    buttons_.removeAll();
    loadPieces();
    drawBoardBackground();
    drawSideBackground();
    for (std::size_t p = 0; p < drawnAt_.size(); ++p) {
        drawnAt_[p] = {};
        drawnSquare_[p] = -1;
    }
    board_.BitBlt(0, 0, kBoardRect.width(), kBoardRect.height(), clean_, 0, 0);
    syncPieces();
    redrawBoard(kBoardRect);
    clearPanel();
    redrawSide(kSideRect);
}

void PlayFrame::loadPieces() {
    for (int p = 0; p < kPlayerCount; ++p) {
        DibBitmap& piece = pieces_[static_cast<std::size_t>(p)];
        if (!loadGameImage(piece, *record_, folder_, record_->players[p].picture, kMagentaKey)) {
            piece.LoadResource(3001 + p, kMagentaKey);
        }
    }
}

void PlayFrame::drawBoardBackground() {
    DibBitmap picture;
    if (record_ != nullptr &&
        loadGameImage(picture, *record_, folder_, record_->settings.gamePicture)) {
        clean_.CopyFromStretched(picture, 0, 0, kBoardRect.width(), kBoardRect.height(), 0, 0,
                                 picture.GetWidth(), picture.GetHeight());
        return;
    }
    clean_.FillSolidRect(0, 0, kBoardRect.width(), kBoardRect.height(), RgbColour(246, 238, 220));
    clean_.BitBlt(0, 0, kBoardRect.width(), kBoardRect.height(), pictures_.defaultBoard, 0, 0);
    drawPlayText(clean_, QStringLiteral("雙六の絵柄を設定して下さい"), kNoBoardTextRect, 180, kInk,
                 kDtCenter | kDtVCenter | kDtSingleLine);
}

void PlayFrame::drawSideBackground() {
    side_.BitBlt(0, 0, kSideRect.width(), kSideRect.height(), pictures_.side, 0, 0);
    const int logoLeft = (kSideRect.width() - pictures_.logo.GetWidth()) / 2;
    side_.CopyFrom(pictures_.logo, logoLeft, kLogoTop);
    auto sideText = [this](const QString& text, Rect rect, int size) {
        rect.left -= kSideRect.left;
        rect.right -= kSideRect.left;
        drawPlayText(side_, text, rect, size, RgbColour(255, 255, 255),
                     kDtCenter | kDtVCenter | kDtWordBreak | kDtNoClip);
    };
    sideText(QStringLiteral("雙六(四季彩コレクション)"), kSideNameRect, 100);
    sideText(notice_, kSideNoticeRect, 90);
    if (record_ != nullptr) {
        sideText(TextFromSjis(fieldText(record_->settings.title)), kSideTitleRect, 90);
        sideText(TextFromSjis(fieldText(record_->settings.rightsNotice)), kSideRightsRect, 80);
    }
}

// --- Dirty rectangles

void PlayFrame::markDirty(const Rect& rect) {
    Rect r = intersect(rect, sized(0, 0, kFrameWidth, kFrameHeight));
    if (r.empty()) {
        return;
    }
    // Overlapping rectangles merge, so that one copy covers them.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = dirty_.begin(); it != dirty_.end(); ++it) {
            if (intersects(*it, r)) {
                r = unite(r, *it);
                dirty_.erase(it);
                merged = true;
                break;
            }
        }
    }
    dirty_.push_back(r);
    if (static_cast<int>(dirty_.size()) > kMaxDirty) {
        Rect all;
        for (const Rect& d : dirty_) {
            all = unite(all, d);
        }
        dirty_.assign(1, all);
    }
}

std::vector<Rect> PlayFrame::takeDirty() {
    std::vector<Rect> taken;
    taken.swap(dirty_);
    return taken;
}

// --- Board and pieces

Point PlayFrame::pieceTopLeft(int player, int square) const {
    if (record_ == nullptr || !isSquareRef(*record_, square)) {
        return {};
    }
    const Point s = squarePlace(record_->squares[square]);
    const DibBitmap& piece = pieces_[static_cast<std::size_t>(player & 3)];
    const int w = piece.GetWidth();
    const int h = piece.GetHeight();
    switch (player) {
        case 0:
            return {s.x - 2 * w / 3, s.y - h};
        case 1:
            return {s.x - w / 2, s.y - h - 6};
        case 2:
            return {s.x - w / 3, s.y - h};
        default:
            return {s.x - w / 2, s.y - h + 6};
    }
}

Rect PlayFrame::pieceRectAt(int player, Point topLeft) {
    const DibBitmap& piece = this->piece(player);
    return sized(topLeft.x, topLeft.y, piece.GetWidth(), piece.GetHeight());
}

void PlayFrame::setHopping(int player) {
    hopping_ = player;
    syncPieces();
}

void PlayFrame::syncPieces() {
    if (record_ == nullptr) {
        return;
    }
    for (int p = 0; p < kPlayerCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const std::int32_t square = record_->players[p].currentSquare;
        Rect wanted;
        if (p < playerCount_ && p != hopping_ && isSquareRef(*record_, square)) {
            wanted = pieceRectAt(p, pieceTopLeft(p, square));
        }
        if (wanted == drawnAt_[i] && square == drawnSquare_[i]) {
            continue;
        }
        const Rect old = drawnAt_[i];
        drawnAt_[i] = wanted;
        drawnSquare_[i] = square;
        redrawBoard(old);
        redrawBoard(wanted);
    }
}

void PlayFrame::drawPieceClipped(DibBitmap& target, int player, Point topLeft, const Rect& clip,
                                 Point offset) {
    const Rect whole = pieceRectAt(player, topLeft);
    const Rect part = intersect(whole, clip);
    if (part.empty()) {
        return;
    }
    target.CopyFrom(piece(player), part.left - offset.x, part.top - offset.y, part.width(),
                    part.height(), part.left - whole.left, part.top - whole.top);
}

void PlayFrame::redrawBoard(const Rect& rect) {
    const Rect r = intersect(rect, kBoardRect);
    if (r.empty()) {
        return;
    }
    board_.BitBlt(r.left, r.top, r.width(), r.height(), clean_, r.left, r.top);
    for (int p = 0; p < playerCount_; ++p) {
        const Rect& at = drawnAt_[static_cast<std::size_t>(p)];
        if (!at.empty() && intersects(at, r)) {
            drawPieceClipped(board_, p, {at.left, at.top}, r, {});
        }
    }
    if (supplementShown_) {
        const Rect part = intersect(r, supplementRect_);
        if (!part.empty()) {
            board_.BitBlt(part.left, part.top, part.width(), part.height(), supplement_,
                          part.left - supplementOrigin_.x, part.top - supplementOrigin_.y);
        }
    }
    showBoard(r);
}

void PlayFrame::showBoard(const Rect& rect) {
    const Rect r = intersect(rect, kBoardRect);
    if (r.empty()) {
        return;
    }
    frame_.BitBlt(r.left, r.top, r.width(), r.height(), board_, r.left, r.top);
    markDirty(r);
}

void PlayFrame::drawPieceOnFrame(int player, Point topLeft) {
    drawPieceClipped(frame_, player, topLeft, kBoardRect, {});
    markDirty(intersect(pieceRectAt(player, topLeft), kBoardRect));
}

// --- Supplementary picture

bool PlayFrame::loadSupplement(int image) {
    supplementShown_ = false;
    if (record_ == nullptr || !loadGameImage(supplement_, *record_, folder_, image)) {
        supplementRect_ = {};
        return false;
    }
    const int w = supplement_.GetWidth();
    const int h = supplement_.GetHeight();
    supplementOrigin_ = {(kBoardRect.width() - w) / 2, (kBoardRect.height() - h) / 2};
    supplementRect_ = intersect(sized(supplementOrigin_.x, supplementOrigin_.y, w, h), kBoardRect);
    return !supplementRect_.empty();
}

void PlayFrame::showSupplement(const Rect& rect) {
    const Rect r = intersect(rect, supplementRect_);
    if (r.empty()) {
        return;
    }
    frame_.BitBlt(r.left, r.top, r.width(), r.height(), supplement_, r.left - supplementOrigin_.x,
                  r.top - supplementOrigin_.y);
    markDirty(r);
}

void PlayFrame::fixSupplement() {
    supplementShown_ = true;
    const Rect& r = supplementRect_;
    board_.BitBlt(r.left, r.top, r.width(), r.height(), supplement_, r.left - supplementOrigin_.x,
                  r.top - supplementOrigin_.y);
    showBoard(r);
}

void PlayFrame::removeSupplement() {
    if (!supplementShown_) {
        return;
    }
    supplementShown_ = false;
    redrawBoard(supplementRect_);
}

// --- Side area

void PlayFrame::redrawSide(const Rect& rect) {
    Rect r = intersect(rect, kSideRect);
    if (r.empty()) {
        return;
    }
    for (int p = 0; p < kPlayerCount; ++p) {
        if (intersects(r, playerPanelRect(p))) {
            r = unite(r, playerPanelRect(p));
        }
    }
    if (intersects(r, kPanelRect)) {
        r = unite(r, kPanelRect);
    }
    frame_.BitBlt(r.left, r.top, r.width(), r.height(), side_, r.left - kSideRect.left, r.top);
    if (record_ != nullptr && panelsShown_) {
        for (int p = 0; p < playerCount_; ++p) {
            if (intersects(r, playerPanelRect(p))) {
                drawPlayerPanel(p);
            }
        }
    }
    if (intersects(r, kPanelRect)) {
        frame_.BitBlt(kPanelRect.left, kPanelRect.top, kPanelWidth, kPanelHeight, panel_, 0, 0);
    }
    drawButtonsIn(r);
    markDirty(r);
}

void PlayFrame::drawButtonsIn(const Rect& rect) {
    for (int i = 0; i < ButtonTable::kSlots; ++i) {
        const ButtonSlot& s = buttons_.slot(i);
        if (s.id == 0 || !s.drawn || !intersects(s.rect, rect) || s.look < 0 || s.look > 9) {
            continue;
        }
        frame_.CopyFrom(pictures_.looks[static_cast<std::size_t>(s.look)], s.rect.left, s.rect.top);
    }
}

void PlayFrame::refreshButtons(const std::vector<Rect>& rects) {
    for (const Rect& r : rects) {
        redrawSide(r);
    }
}

}  // namespace banmen::play
