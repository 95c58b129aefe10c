#pragma once
// Picking a square with the mouse for a square reference (LOCKON): the page
// takes the mouse and the keyboard and shows the picking cursor; the next
// left-button release decides. Its point, moved 10 pixels right and 10
// down, is taken into the map's coordinates and hit-tested; a square there
// goes to the field. A release away from every square, or Escape, ends the
// picking without a change.
//
// The cursor's sight is drawn 10 pixels right of and below its hot spot, so
// the square under the sight is the square picked. A release over the
// LOCKON button that started the picking (a plain click on it) does not
// end it: the next release does.

#include <QObject>
#include <functional>

class QAbstractButton;
class QPoint;
class QWidget;

namespace banmen {

class SquarePicker : public QObject {
    Q_OBJECT

  public:
    using Picked = std::function<void(int square)>;

    // The square a release at a point of the map picks, -1 for none.
    using HitTest = std::function<int(const QPoint& mapPoint)>;
    // The map's coordinates of a global position.
    using MapPoint = std::function<QPoint(const QPoint& global)>;

    // `grabber` takes the mouse and keyboard while picking.
    SquarePicker(QWidget& grabber, MapPoint toMap, HitTest hit);
    ~SquarePicker() override;

    // False when already picking. `button` is the LOCKON that was pressed,
    // null when picking starts from elsewhere. `done` runs when the picking
    // ends, with the square hit or -1.
    bool start(QAbstractButton* button, Picked done);
    void cancel();
    bool active() const { return active_; }

    // How far right and down of the release point the square is looked for.
    static constexpr int kShift = 10;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finish(int square);

    QWidget& grabber_;
    MapPoint toMap_;
    HitTest hit_;
    // A child of the page, as long-lived as the picker.
    QAbstractButton* button_ = nullptr;
    Picked done_;
    bool active_ = false;
};

}  // namespace banmen
