#pragma once
// The three status fields under the map: square information, pointer
// coordinates and the map lock state. The labels are children of `parent`
// at fixed places; the parent owns them.

#include <QString>

class QLabel;
class QWidget;

namespace banmen {

class StatusLine {
  public:
    explicit StatusLine(QWidget* parent);

    void setSquareText(const QString& text);
    void setCoordinatesText(const QString& text);
    void setLockText(const QString& text);

    QLabel* squareField() const { return square_; }
    QLabel* coordinatesField() const { return coordinates_; }
    QLabel* lockField() const { return lock_; }

  private:
    QLabel* square_;
    QLabel* coordinates_;
    QLabel* lock_;
};

}  // namespace banmen
