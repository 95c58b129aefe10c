#pragma once
// The pictures the editing map is drawn with: the square markers and the
// route dot of the program's own set ("MARK<group><state>", "DOT"), the route
// arrow ("ARROW") turned to each direction it is needed in, the players'
// pieces and the order badges of route mode. Magenta is transparent in every
// picture; here it becomes alpha, so the pictures draw with QPainter.

#include <QImage>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "editor/map/map_composition.h"
#include "media/dib_bitmap.h"
#include "model/game_record.h"

namespace banmen {

// The picture with every pixel of `key` made transparent (premultiplied ARGB).
QImage keyedImage(const QImage& picture, QRgb key = qRgb(255, 0, 255));

// The resource name of a marker: "MARK" + START / GOAL / RETIRE / OTHER +
// S (selected), C (complete), H (highlighted) or I (incomplete).
std::string markerResourceName(MarkerGroup group, MarkerState state);

class MapSprites {
  public:
    // The arrow is turned inside a box this size, centred on its centre.
    static constexpr int kArrowBox = 32;

    // The program's pictures; false when one is missing (it draws nothing).
    bool load();

    const QImage& marker(MarkerGroup group, MarkerState state) const;
    const QImage& dot() const { return dot_; }
    // The arrow turned by `centidegrees` / 100 degrees counter-clockwise, as
    // the play screen turns it.
    const QImage& arrow(int centidegrees);
    // A small badge with the number, for route mode's order.
    const QImage& badge(int number);

    // The players' pieces, found as the play screen finds them: the image
    // of the player's picture in the workspace, else the program's piece of
    // that player. Read again when a player's picture or its file changes,
    // or with `force`; true when any piece changed.
    bool updatePieces(const GameRecord& record, const std::string& folder, bool force);
    const QImage& piece(int player) const { return pieces_[static_cast<std::size_t>(player)]; }
    std::array<QSize, kPlayerCount> pieceSizes() const;
    // Counts up whenever pieces are read again (drawn pictures are told
    // apart by it).
    int pieceGeneration() const { return pieceGeneration_; }

  private:
    std::array<QImage, 16> markers_;
    QImage dot_;
    // Kept as the play screen keeps it, for turning the same way.
    std::unique_ptr<DibBitmap> arrowSource_ = std::make_unique<DibBitmap>();
    std::map<int, QImage> arrows_;
    std::map<int, QImage> badges_;
    std::array<QImage, kPlayerCount> pieces_;
    std::array<std::string, kPlayerCount> pieceSources_;
    int pieceGeneration_ = 0;
};

}  // namespace banmen
