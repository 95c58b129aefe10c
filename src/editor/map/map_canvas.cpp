#include "editor/map/map_canvas.h"

#include <QPainter>
#include <algorithm>

#include "editor/map/map_sprites.h"

namespace banmen {
namespace {

constexpr std::size_t kCellCount = static_cast<std::size_t>(MapCanvas::kColumns * MapCanvas::kRows);

// The cells a rectangle reaches, clipped to the grid; false when none.
bool cellSpan(const QRect& rect, int& left, int& top, int& right, int& bottom) {
    const QRect clipped = rect.intersected(QRect(0, 0, MapCanvas::kWidth, MapCanvas::kHeight));
    if (clipped.isEmpty()) {
        return false;
    }
    left = clipped.left() / MapCanvas::kCell;
    top = clipped.top() / MapCanvas::kCell;
    right = clipped.right() / MapCanvas::kCell;
    bottom = clipped.bottom() / MapCanvas::kCell;
    return true;
}

}  // namespace

MapCanvas::MapCanvas()
    : image_(kWidth, kHeight, QImage::Format_RGB32),
      dirty_(kCellCount, false),
      cellItems_(kCellCount) {
    image_.fill(Qt::white);
}

void MapCanvas::setBoard(const QImage& board, QColor background) {
    board_ = board.isNull()
                 ? QImage()
                 : board.convertToFormat(QImage::Format_RGB32)
                       .scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    background_ = background;
    all_ = true;
}

void MapCanvas::invalidate() {
    all_ = true;
}

QRect MapCanvas::cellRect(int column, int row) const {
    return QRect(column * kCell, row * kCell, kCell, kCell).intersected(image_.rect());
}

void MapCanvas::markDirty(const QRect& rect) {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    if (!cellSpan(rect, left, top, right, bottom)) {
        return;
    }
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            dirty_[static_cast<std::size_t>(row * kColumns + column)] = true;
        }
    }
}

QRegion MapCanvas::show(std::vector<MapItem> items, MapSprites& sprites) {
    if (all_) {
        std::fill(dirty_.begin(), dirty_.end(), true);
    } else {
        // Both lists are in drawing order: walk them side by side.
        std::size_t i = 0;
        std::size_t j = 0;
        while (i < items_.size() || j < items.size()) {
            if (j == items.size() || (i < items_.size() && items_[i].order < items[j].order)) {
                markDirty(items_[i++].rect);
            } else if (i == items_.size() || items[j].order < items_[i].order) {
                markDirty(items[j++].rect);
            } else {
                if (!(items_[i] == items[j])) {
                    markDirty(items_[i].rect);
                    markDirty(items[j].rect);
                }
                ++i;
                ++j;
            }
        }
    }
    items_ = std::move(items);
    all_ = false;

    QRegion region;
    std::vector<QRect> runs;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (!dirty_[static_cast<std::size_t>(row * kColumns + column)]) {
                continue;
            }
            QRect cell = cellRect(column, row);
            if (!runs.empty() && runs.back().top() == cell.top() &&
                runs.back().right() + 1 == cell.left()) {
                runs.back().setRight(cell.right());
            } else {
                runs.push_back(cell);
            }
        }
    }
    if (runs.empty()) {
        return region;
    }
    repaint(sprites);
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

void MapCanvas::repaint(MapSprites& sprites) {
    // Which items reach into each dirty cell, in drawing order.
    for (std::size_t k = 0; k < items_.size(); ++k) {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        if (!cellSpan(items_[k].rect, left, top, right, bottom)) {
            continue;
        }
        for (int row = top; row <= bottom; ++row) {
            for (int column = left; column <= right; ++column) {
                const auto cell = static_cast<std::size_t>(row * kColumns + column);
                if (dirty_[cell]) {
                    cellItems_[cell].push_back(static_cast<int>(k));
                }
            }
        }
    }

    QPainter painter(&image_);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const auto cell = static_cast<std::size_t>(row * kColumns + column);
            if (!dirty_[cell]) {
                continue;
            }
            const QRect rect = cellRect(column, row);
            painter.setClipRect(rect);
            if (board_.isNull()) {
                painter.fillRect(rect, background_);
            } else {
                painter.drawImage(rect.topLeft(), board_, rect);
            }
            for (const int k : cellItems_[cell]) {
                const QImage& picture =
                    pictureOf(items_[static_cast<std::size_t>(k)].picture, sprites);
                if (!picture.isNull()) {
                    painter.drawImage(items_[static_cast<std::size_t>(k)].rect.topLeft(), picture);
                }
            }
            cellItems_[cell].clear();
            dirty_[cell] = false;
        }
    }
}

}  // namespace banmen
