#pragma once
// Arming, for the rest of the application: an application-wide event filter
// that disarms the map on a pointer move or left press anywhere but on the
// map, and on a right press anywhere. The map's own events are left to the
// map, which arms itself once it has handled them.

#include <QObject>

class QWidget;

namespace banmen {

class MapEditor;

class MapArming : public QObject {
    Q_OBJECT

  public:
    MapArming(QWidget& map, MapEditor& editor);
    ~MapArming() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& map_;
    MapEditor& editor_;
};

}  // namespace banmen
