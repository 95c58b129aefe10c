#pragma once
// The heat map: each square tinted by its share of the stops of an analysis,
// drawn over the map view by a transparent widget of its own (the mouse goes
// through it to the map), with a legend in the emptiest corner.
//
// The counts belong to the squares as they were when the analysis began;
// the tints are drawn where the squares are now, so squares moved since
// follow, and squares added since are drawn as an untinted dashed ring.

#include <QColor>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "analysis/simulation.h"
#include "model/game_record.h"

namespace banmen {

class EditorDocument;

struct HeatMapData {
    std::vector<std::int64_t> stops;  // per square slot
    std::vector<char> analysed;       // the slots in use when the analysis began (1)
    std::int64_t total = 0;           // stops on all squares
    std::int64_t most = 0;            // stops on the square stopped on most

    static HeatMapData from(const GameRecord& analysedRecord, const SimulationReport& report);
    bool empty() const { return analysed.empty(); }
};

class HeatMapOverlay : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kRadius = 18;
    // The tint of a square stopped on `stops` times when the busiest square
    // was stopped on `most` times (no stop at all has a cold colour of its own).
    static QColor tint(std::int64_t stops, std::int64_t most);

    HeatMapOverlay(EditorDocument& document, QWidget* parent);

    void setData(HeatMapData data);
    const HeatMapData& data() const { return data_; }
    // The legend's place, in this widget's coordinates.
    QRect legendRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintLegend(QPainter& painter, QRect area) const;

    EditorDocument& document_;
    HeatMapData data_;
};

}  // namespace banmen
