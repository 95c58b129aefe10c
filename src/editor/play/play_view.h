#pragma once
// The play window: the 980 x 600 frame of the play screen. In the editor it
// stands over the map view at exactly the frame's size; the player's window
// lets it grow (a larger window, full screen), and then the frame is scaled
// smoothly to the largest size that fits with its proportions kept, with
// black bars around it. On a screen of more than 96 dpi the frame is scaled
// up smoothly too. A left-button release goes to the play screen in frame
// pixels; one on the bars goes nowhere.
//
// Widgets shown over the frame (the players' information windows) are
// placed in frame pixels with placeOnFrame and follow the frame's scale.

#include <QImage>
#include <QWidget>
#include <functional>

namespace banmen {

class PlayView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 980;
    static constexpr int kHeight = 600;

    // At the frame's size, and fixed to it until setScalable.
    explicit PlayView(QWidget* parent = nullptr);
    ~PlayView() override;

    // Lets the view take any size (the frame then scales to fit).
    void setScalable();

    // The frame to paint; it must outlive the view or be replaced first.
    void setFrame(const QImage* frame);
    // Repaints a rectangle of the frame.
    void showRect(const QRect& rect);
    void setReleaseHandler(std::function<void(QPoint)> handler);

    // Where the frame is painted, in the view's coordinates.
    QRect frameArea() const;
    // Frame pixels to view coordinates and back (-1, -1 off the frame).
    QPoint fromFrame(QPoint at) const;
    QRect fromFrame(const QRect& rect) const;
    QPoint toFrame(QPoint at) const;
    // Places a child widget over the frame rectangle `rect` (frame pixels);
    // it keeps that place when the view changes size.
    void placeOnFrame(QWidget* child, const QRect& rect);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    const QImage* frame_ = nullptr;
    std::function<void(QPoint)> onRelease_;
};

}  // namespace banmen
