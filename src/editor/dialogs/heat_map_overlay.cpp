#include "editor/dialogs/heat_map_overlay.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>

#include "editor/document/editor_document.h"

namespace banmen {
namespace {

constexpr int kTintAlpha = 130;
constexpr QSize kLegendSize(232, 82);
constexpr int kLegendMargin = 8;
// The marker's centre lies 8 pixels above the square's position.
constexpr int kCentreLift = 8;

const QColor kCold(40, 110, 230);
const QColor kUntinted(90, 90, 90);
// From a few stops to the most: yellow, orange, red.
const std::array<QColor, 3> kRamp = {QColor(255, 235, 60), QColor(255, 140, 0),
                                     QColor(215, 20, 20)};

QColor mix(const QColor& a, const QColor& b, double t) {
    auto channel = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return {channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue())};
}

QColor ramp(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t < 0.5 ? mix(kRamp[0], kRamp[1], t * 2) : mix(kRamp[1], kRamp[2], t * 2 - 1);
}

QPoint centreOf(const SquareDef& square) {
    return {square.x, square.y - kCentreLift};
}

QString percentText(std::int64_t part, std::int64_t whole) {
    const double share =
        whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
    return QString::number(share, 'f', 1) + QLatin1Char('%');
}

}  // namespace

HeatMapData HeatMapData::from(const GameRecord& analysedRecord, const SimulationReport& report) {
    HeatMapData data;
    data.stops.assign(kSquareCount, 0);
    data.analysed.assign(kSquareCount, 0);
    for (int s = 0; s < kSquareCount; ++s) {
        if (!inUse(analysedRecord.squares[s])) {
            continue;
        }
        data.analysed[static_cast<std::size_t>(s)] = 1;
        const std::int64_t stops = static_cast<std::size_t>(s) < report.squares.size()
                                       ? report.squares[static_cast<std::size_t>(s)].stops
                                       : 0;
        data.stops[static_cast<std::size_t>(s)] = stops;
        data.total += stops;
        data.most = std::max(data.most, stops);
    }
    return data;
}

QColor HeatMapOverlay::tint(std::int64_t stops, std::int64_t most) {
    if (stops <= 0 || most <= 0) {
        return kCold;
    }
    return ramp(static_cast<double>(stops) / static_cast<double>(most));
}

HeatMapOverlay::HeatMapOverlay(EditorDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName("heatMapOverlay");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // Squares drawn where they are now: every change of the record may move one.
    connect(&document_, &EditorDocument::changed, this, [this] {
        if (isVisible()) {
            update();
        }
    });
}

void HeatMapOverlay::setData(HeatMapData data) {
    data_ = std::move(data);
    update();
}

QRect HeatMapOverlay::legendRect() const {
    // The corner with the fewest squares under it, bottom right first.
    const QRect area =
        rect().adjusted(kLegendMargin, kLegendMargin, -kLegendMargin, -kLegendMargin);
    const std::array<QRect, 4> corners = {
        QRect(QPoint(area.right() - kLegendSize.width() + 1,
                     area.bottom() - kLegendSize.height() + 1),
              kLegendSize),
        QRect(QPoint(area.left(), area.bottom() - kLegendSize.height() + 1), kLegendSize),
        QRect(QPoint(area.right() - kLegendSize.width() + 1, area.top()), kLegendSize),
        QRect(area.topLeft(), kLegendSize)};
    const GameRecord& record = document_.record();
    const QRect* best = &corners[0];
    int fewest = kSquareCount + 1;
    for (const QRect& corner : corners) {
        const QRect reach = corner.adjusted(-kRadius, -kRadius, kRadius, kRadius);
        int count = 0;
        for (const SquareDef& square : record.squares) {
            count += inUse(square) && reach.contains(centreOf(square)) ? 1 : 0;
        }
        if (count < fewest) {
            fewest = count;
            best = &corner;
        }
    }
    return *best;
}

void HeatMapOverlay::paintEvent(QPaintEvent*) {
    if (data_.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const GameRecord& record = document_.record();
    for (int s = 0; s < kSquareCount; ++s) {
        const SquareDef& square = record.squares[s];
        if (!inUse(square)) {
            continue;
        }
        const QPoint centre = centreOf(square);
        if (data_.analysed[static_cast<std::size_t>(s)] == 0) {
            // Added since the analysis: nothing is known of it.
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(kUntinted, 2, Qt::DashLine));
            painter.drawEllipse(centre, kRadius, kRadius);
            continue;
        }
        const QColor colour = tint(data_.stops[static_cast<std::size_t>(s)], data_.most);
        QColor fill = colour;
        fill.setAlpha(kTintAlpha);
        painter.setBrush(fill);
        painter.setPen(QPen(colour, 3));
        painter.drawEllipse(centre, kRadius, kRadius);
    }
    paintLegend(painter, legendRect());
}

void HeatMapOverlay::paintLegend(QPainter& painter, QRect area) const {
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect inner = area.adjusted(8, 5, -8, -5);
    painter.drawText(QRect(inner.left(), inner.top(), inner.width(), 14),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("止まった割合（全 %1 回）").arg(data_.total));

    const QRect bar(inner.left(), inner.top() + 18, inner.width(), 12);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, kRamp[0]);
    gradient.setColorAt(0.5, kRamp[1]);
    gradient.setColorAt(1, kRamp[2]);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(gradient);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(Qt::black);
    const QRect scale(inner.left(), bar.bottom() + 2, inner.width(), 13);
    painter.drawText(scale, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("少"));
    painter.drawText(scale, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("最多 %1").arg(percentText(data_.most, data_.total)));

    // The two kinds of square outside the scale.
    const int y = scale.bottom() + 10;
    const int half = inner.width() / 2;
    painter.setPen(QPen(kCold, 2));
    painter.setBrush(QColor(kCold.red(), kCold.green(), kCold.blue(), kTintAlpha));
    painter.drawEllipse(QPoint(inner.left() + 6, y), 5, 5);
    painter.setPen(QPen(kUntinted, 1.5, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(inner.left() + half + 6, y), 5, 5);
    painter.setPen(Qt::black);
    painter.drawText(QRect(inner.left() + 15, y - 7, half - 15, 14),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("止まらない"));
    painter.drawText(QRect(inner.left() + half + 15, y - 7, half - 15, 14),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("解析後に追加"));
}

}  // namespace banmen
