#pragma once
// The play window: the 980 x 600 frame of the play screen, placed over the
// map view during a run. It paints the frame's changed rectangles; on a
// screen of more than 96 dpi the whole frame is scaled up smoothly, so the
// pictures and texts keep their proportions. A left-button release goes to
// the play screen in frame pixels.

#include <QImage>
#include <QWidget>
#include <functional>

namespace banmen {

class PlayView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 980;
    static constexpr int kHeight = 600;

    explicit PlayView(QWidget* parent = nullptr);
    ~PlayView() override;

    // The frame to paint; it must outlive the view or be replaced first.
    void setFrame(const QImage* frame);
    // Repaints a rectangle of the frame.
    void showRect(const QRect& rect);
    void setReleaseHandler(std::function<void(QPoint)> handler);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const QImage* frame_ = nullptr;
    std::function<void(QPoint)> onRelease_;
};

}  // namespace banmen
