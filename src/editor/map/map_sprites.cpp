#include "editor/map/map_sprites.h"

#include <QPainter>

#include "editor/play/draw/play_pictures.h"
#include "media/dib_bitmap.h"
#include "media/font_faces.h"
#include "model/text_field.h"

namespace banmen {
namespace {

constexpr int kBadgeHeight = 15;

std::size_t markerSlot(MarkerGroup group, MarkerState state) {
    return static_cast<std::size_t>(group) * 4 + static_cast<std::size_t>(state);
}

// A program picture as it is stored, magenta and all; null when missing.
QImage resourcePicture(std::string_view name) {
    DibBitmap bitmap;
    return bitmap.LoadResource(name) ? bitmap.ToImage() : QImage();
}

}  // namespace

QImage keyedImage(const QImage& picture, QRgb key) {
    if (picture.isNull()) {
        return {};
    }
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    key |= 0xFF000000u;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((row[x] | 0xFF000000u) == key) {
                row[x] = 0;
            }
        }
    }
    return keyed;
}

std::string markerResourceName(MarkerGroup group, MarkerState state) {
    static constexpr const char* kGroups[] = {"START", "GOAL", "RETIRE", "OTHER"};
    static constexpr char kStates[] = {'S', 'C', 'I', 'H'};
    return std::string("MARK") + kGroups[static_cast<int>(group)] +
           kStates[static_cast<int>(state)];
}

bool MapSprites::load() {
    bool all = true;
    for (MarkerGroup group :
         {MarkerGroup::Start, MarkerGroup::Goal, MarkerGroup::Retire, MarkerGroup::Other}) {
        for (MarkerState state : {MarkerState::Selected, MarkerState::Complete,
                                  MarkerState::Incomplete, MarkerState::Highlighted}) {
            QImage& marker = markers_[markerSlot(group, state)];
            marker = keyedImage(resourcePicture(markerResourceName(group, state)));
            all = all && !marker.isNull();
        }
    }
    dot_ = keyedImage(resourcePicture("DOT"));
    const bool arrow = arrowSource_->LoadResource("ARROW", kMagenta);
    arrows_.clear();
    return all && !dot_.isNull() && arrow;
}

const QImage& MapSprites::marker(MarkerGroup group, MarkerState state) const {
    return markers_[markerSlot(group, state)];
}

const QImage& MapSprites::arrow(int centidegrees) {
    auto found = arrows_.find(centidegrees);
    if (found != arrows_.end()) {
        return found->second;
    }
    // Only the arrows of one square are on the map at a time; a drag turns
    // them step by step, so old turns are dropped now and then.
    if (arrows_.size() > 64) {
        arrows_.clear();
    }
    QImage turned;
    const DibBitmap& source = *arrowSource_;
    DibBitmap box;
    if (!source.IsEmpty() && box.Create(32, kArrowBox, kArrowBox)) {
        box.FillSolidRect(0, 0, kArrowBox, kArrowBox, kMagenta);
        const int w = source.GetWidth();
        const int h = source.GetHeight();
        box.DrawRotated(source, (kArrowBox - w) / 2, (kArrowBox - h) / 2, w, h, 0, 0,
                        centidegrees / 100.0);
        turned = keyedImage(box.ToImage());
    }
    return arrows_.emplace(centidegrees, std::move(turned)).first->second;
}

const QImage& MapSprites::badge(int number) {
    auto found = badges_.find(number);
    if (found != badges_.end()) {
        return found->second;
    }
    QFont font(FontFamiliesFor(QStringLiteral("ＭＳ ゴシック")));
    font.setPixelSize(12);
    font.setBold(true);
    const QString text = QString::number(number);
    const int width = std::max(kBadgeHeight, QFontMetrics(font).horizontalAdvance(text) + 6);
    QImage badge(width, kBadgeHeight, QImage::Format_ARGB32_Premultiplied);
    badge.fill(Qt::transparent);
    QPainter painter(&badge);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(43, 35, 32), 1));
    painter.setBrush(QColor(214, 69, 42));
    painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, kBadgeHeight - 1), 5, 5);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, width, kBadgeHeight), Qt::AlignCenter, text);
    painter.end();
    return badges_.emplace(number, std::move(badge)).first->second;
}

bool MapSprites::updatePieces(const GameRecord& record, const std::string& folder, bool force) {
    bool changed = false;
    for (int p = 0; p < kPlayerCount; ++p) {
        const auto slot = static_cast<std::size_t>(p);
        const std::int32_t picture = record.players[p].picture;
        // What names the piece; finding its file looks at the disk, so that
        // is done only when this changes.
        std::string source = std::to_string(picture) + "\n" + folder;
        if (isImageRef(record, picture)) {
            source += "\n" + std::string(fieldText(record.images[picture].fileName));
        }
        if (!force && source == pieceSources_[slot] && !pieces_[slot].isNull()) {
            continue;
        }
        DibBitmap bitmap;
        if (!play::loadGameImage(bitmap, record, folder, picture)) {
            bitmap.LoadResource(3001 + p);
        }
        pieces_[slot] = keyedImage(bitmap.ToImage());
        pieceSources_[slot] = std::move(source);
        changed = true;
    }
    if (changed) {
        ++pieceGeneration_;
    }
    return changed;
}

std::array<QSize, kPlayerCount> MapSprites::pieceSizes() const {
    std::array<QSize, kPlayerCount> sizes{};
    for (std::size_t p = 0; p < sizes.size(); ++p) {
        sizes[p] = pieces_[p].size();
    }
    return sizes;
}

}  // namespace banmen
