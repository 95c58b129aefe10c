#pragma once
// The editing map as a list of pictures at places, in drawing order. Every
// item has an order key, unique and increasing in drawing order, made of its
// layer, its owner (a link, a player or a square) and its part, so that two
// lists of the same map can be compared item by item to find what changed.

#include <QRect>
#include <cstdint>
#include <vector>

#include "editor/map/map_composition.h"

class QImage;

namespace banmen {

class MapSprites;

struct MapItem {
    std::uint64_t order = 0;
    std::uint64_t picture = 0;  // which picture (see pictureOf)
    QRect rect;                 // where, at the picture's size
    friend bool operator==(const MapItem&, const MapItem&) = default;
};

// The items of a composition, with the sizes of the sprites' pictures.
std::vector<MapItem> mapItems(const MapComposition& map, MapSprites& sprites);

// The picture an item draws (a null image draws nothing).
const QImage& pictureOf(std::uint64_t picture, MapSprites& sprites);

}  // namespace banmen
