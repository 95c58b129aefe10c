#pragma once
// A player's information window: a small window over the play window's top
// right corner (a child of the play window at (750, 20), so that it moves,
// scales and is grabbed with it) showing the card of play/draw/info_card.h.

#include <QImage>
#include <QWidget>

namespace banmen {

class InfoWindow : public QWidget {
    Q_OBJECT

  public:
    explicit InfoWindow(int player, QWidget* playWindow);
    ~InfoWindow() override;

    int player() const { return player_; }
    void setCard(QImage card);
    const QImage& card() const { return card_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int player_;
    QImage card_;
};

}  // namespace banmen
