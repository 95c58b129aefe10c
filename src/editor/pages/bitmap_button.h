#pragma once
// A small button drawn from four pictures of the program's resources: the
// stem with "U" (normal), "D" (pressed), "F" (focused) and "X" (disabled),
// e.g. "SELECTU" .. "SELECTX". Magenta pixels are transparent.

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

namespace banmen {

class BitmapButton : public QAbstractButton {
    Q_OBJECT

  public:
    BitmapButton(const QString& stem, QWidget* parent);

    const QString& stem() const { return stem_; }
    // Shows other pictures (an update row's button after a click).
    void setStem(const QString& stem);

    QSize sizeHint() const override;

    // The picture of one state ('U', 'D', 'F', 'X'), keyed; a null pixmap
    // when the resource is missing. Loaded once per process.
    static QPixmap picture(const QString& stem, char state);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString stem_;
};

}  // namespace banmen
