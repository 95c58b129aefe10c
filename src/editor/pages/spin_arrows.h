#pragma once
// The spin beside a choice or a count: two small arrow buttons, up above
// down, that never take the keyboard focus (the field beside them keeps it).

#include <QWidget>

class QToolButton;

namespace banmen {

class SpinArrows : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 14;

    explicit SpinArrows(QWidget* parent);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    void stepped(int direction);  // +1 up, -1 down

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace banmen
