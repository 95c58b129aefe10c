#include "editor/map/map_items.h"

#include <cmath>

#include "editor/map/map_sprites.h"

namespace banmen {
namespace {

enum Layer : std::uint64_t { kDots, kArrows, kPieces, kMarkers, kHighlight, kBadges };
enum Picture : std::uint64_t {
    kDotPicture = 1,
    kArrowPicture,
    kPiecePicture,
    kMarkerPicture,
    kBadgePicture
};

// Arrow turns are kept positive in the key.
constexpr std::int64_t kTurnOffset = 720 * 100;

std::uint64_t orderKey(Layer layer, std::uint64_t owner, std::uint64_t part = 0) {
    return (std::uint64_t{layer} << 48) | (owner << 24) | part;
}

std::uint64_t pictureKey(Picture kind, std::uint64_t a, std::uint64_t b = 0) {
    return (std::uint64_t{kind} << 56) | ((a & 0xFFFFFFu) << 24) | (b & 0xFFFFFFu);
}

int centidegrees(double degrees) {
    return static_cast<int>(std::lround(std::remainder(degrees, 360.0) * 100));
}

QRect placed(QPoint topLeft, const QImage& image) {
    return {topLeft, image.size()};
}

}  // namespace

const QImage& pictureOf(std::uint64_t picture, MapSprites& sprites) {
    static const QImage none;
    const auto kind = static_cast<Picture>(picture >> 56);
    const auto a = static_cast<int>((picture >> 24) & 0xFFFFFFu);
    const auto b = static_cast<int>(picture & 0xFFFFFFu);
    switch (kind) {
        case kDotPicture:
            return sprites.dot();
        case kArrowPicture:
            return sprites.arrow(static_cast<int>(a - kTurnOffset));
        case kPiecePicture:
            return a < kPlayerCount ? sprites.piece(a) : none;
        case kMarkerPicture:
            return sprites.marker(static_cast<MarkerGroup>(a), static_cast<MarkerState>(b));
        case kBadgePicture:
            return sprites.badge(a);
    }
    return none;
}

std::vector<MapItem> mapItems(const MapComposition& map, MapSprites& sprites) {
    std::vector<MapItem> items;
    items.reserve(map.routeDots.size() + map.markers.size() + map.arrows.size() +
                  map.pieces.size() + map.routeOrder.size());

    const QImage& dot = sprites.dot();
    int previousOwner = -1;
    std::uint64_t part = 0;
    for (std::size_t k = 0; k < map.routeDots.size(); ++k) {
        const int owner = map.routeDotOwners[k];
        part = owner == previousOwner ? part + 1 : 0;
        previousOwner = owner;
        const QPoint at = map.routeDots[k] - QPoint(kRouteDotOffset, kRouteDotOffset);
        items.push_back({orderKey(kDots, static_cast<std::uint64_t>(owner), part),
                         pictureKey(kDotPicture, 0), placed(at, dot)});
    }
    for (const RouteArrowMark& arrow : map.arrows) {
        const int turn = centidegrees(arrow.degrees);
        const std::uint64_t picture =
            pictureKey(kArrowPicture, static_cast<std::uint64_t>(turn + kTurnOffset));
        const QPoint half(MapSprites::kArrowBox / 2, MapSprites::kArrowBox / 2);
        items.push_back(
            {orderKey(kArrows,
                      static_cast<std::uint64_t>(arrow.square * kNextSquareCount + arrow.slot)),
             picture,
             QRect(arrow.centre - half, QSize(MapSprites::kArrowBox, MapSprites::kArrowBox))});
    }
    for (const PieceMark& piece : map.pieces) {
        items.push_back({orderKey(kPieces, static_cast<std::uint64_t>(piece.player)),
                         pictureKey(kPiecePicture, static_cast<std::uint64_t>(piece.player),
                                    static_cast<std::uint64_t>(sprites.pieceGeneration())),
                         placed(piece.topLeft, sprites.piece(piece.player))});
    }
    for (const SquareMarker& marker : map.markers) {
        const Layer layer = marker.state == MarkerState::Highlighted ? kHighlight : kMarkers;
        items.push_back({orderKey(layer, static_cast<std::uint64_t>(marker.square)),
                         pictureKey(kMarkerPicture, static_cast<std::uint64_t>(marker.group),
                                    static_cast<std::uint64_t>(marker.state)),
                         QRect(marker.topLeft, QSize(kMarkerWidth, kMarkerHeight))});
    }
    for (const RouteOrderMark& mark : map.routeOrder) {
        const QImage& badge = sprites.badge(mark.number);
        // Above the marker's left end, clear of the pieces on its right.
        const QPoint at(mark.anchor.x() - kMarkerWidth / 2 - badge.width() / 2,
                        mark.anchor.y() - kMarkerHeight - badge.height() + 4);
        items.push_back({orderKey(kBadges, static_cast<std::uint64_t>(mark.square)),
                         pictureKey(kBadgePicture, static_cast<std::uint64_t>(mark.number)),
                         placed(at, badge)});
    }
    return items;
}

}  // namespace banmen
