#pragma once
// The editing map composed off screen. Showing a new list of items compares
// it with the list shown before and redraws only the cells of a 32-pixel grid
// where an item appeared, went or changed: each such cell is drawn again from
// the board up, with every item that reaches into it, in drawing order. So a
// dragged square costs the cells along its routes, not the whole map.

#include <QColor>
#include <QImage>
#include <QRegion>
#include <vector>

#include "editor/map/map_items.h"

namespace banmen {

class MapSprites;

class MapCanvas {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr int kCell = 32;
    static constexpr int kColumns = (kWidth + kCell - 1) / kCell;
    static constexpr int kRows = (kHeight + kCell - 1) / kCell;

    MapCanvas();

    const QImage& image() const { return image_; }
    const std::vector<MapItem>& items() const { return items_; }

    // The board under everything: a picture of the map's size, or a null
    // image for the plain colour. Everything is drawn again on the next show.
    void setBoard(const QImage& board, QColor background);
    // Everything is drawn again on the next show (the pictures changed).
    void invalidate();
    // Shows the items (in drawing order) and gives the part redrawn.
    QRegion show(std::vector<MapItem> items, MapSprites& sprites);

  private:
    void markDirty(const QRect& rect);
    void repaint(MapSprites& sprites);
    QRect cellRect(int column, int row) const;

    QImage image_;
    QImage board_;
    QColor background_;
    std::vector<MapItem> items_;
    std::vector<bool> dirty_;
    std::vector<std::vector<int>> cellItems_;  // per dirty cell, reused
    bool all_ = true;
};

}  // namespace banmen
