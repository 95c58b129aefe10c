#pragma once
// The spin beside a choice or a count: two small arrow buttons, up above
// down, that never take the keyboard focus (the field beside them keeps it).
// The Up and Down keys in that field step as the buttons do.

#include <QWidget>

class QToolButton;

namespace banmen {

class SpinArrows : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 14;

    // As high as `field`, whose Up and Down keys it takes.
    SpinArrows(QWidget* field, QWidget* parent);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    void stepped(int direction);  // +1 up, -1 down

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* field_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace banmen
