#pragma once
// The player choice dialog of a data update that takes from or gives to
// "someone else": modeless, titled " 盤面工房 プレイヤー選択", with the text
// "プレーヤーを一人選んで下さい。", the acting player's name as "%sさん", and one
// button per other player taking part. Its result is the chosen player's
// index, or -1 when it was closed without a choice.

#include <QDialog>
#include <array>

#include "model/game_record.h"

class QLabel;
class QPushButton;

namespace banmen {

class PlayerChoiceDialog : public QDialog {
    Q_OBJECT

  public:
    explicit PlayerChoiceDialog(QWidget* playWindow);
    ~PlayerChoiceDialog() override;

    // Shows the choice for `acting` among the first `playerCount` players of
    // the record, the result reset to -1.
    void ask(const GameRecord& record, int playerCount, int acting);
    int player() const { return player_; }
    // Chooses as a click on that player's button would (tests).
    void choose(int player);
    QPushButton* button(int player) const { return buttons_[static_cast<std::size_t>(player)]; }

  private:
    QWidget* playWindow_;
    QLabel* acting_;
    std::array<QPushButton*, kPlayerCount> buttons_{};
    int player_ = -1;
};

}  // namespace banmen
