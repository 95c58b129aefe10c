#include "editor/play/player_choice_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/play/dice_prompt.h"
#include "media/font_faces.h"
#include "model/text_field.h"

namespace banmen {

PlayerChoiceDialog::PlayerChoiceDialog(QWidget* playWindow)
    : QDialog(playWindow), playWindow_(playWindow) {
    setObjectName("playerChoice");
    setModal(false);
    setWindowTitle(QStringLiteral(" 盤面工房 プレイヤー選択"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("プレーヤーを一人選んで下さい。"), this);
    text->setObjectName("prompt");
    layout->addWidget(text);
    acting_ = new QLabel(this);
    acting_->setObjectName("acting");
    layout->addWidget(acting_);
    for (int p = 0; p < kPlayerCount; ++p) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("player%1").arg(p + 1));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, p] { choose(p); });
        layout->addWidget(button);
        buttons_[static_cast<std::size_t>(p)] = button;
    }
}

PlayerChoiceDialog::~PlayerChoiceDialog() = default;

void PlayerChoiceDialog::ask(const GameRecord& record, int playerCount, int acting) {
    player_ = -1;
    acting_->setText(TextFromSjis(fieldText(record.players[acting].name)) + QStringLiteral("さん"));
    for (int p = 0; p < kPlayerCount; ++p) {
        QPushButton* button = buttons_[static_cast<std::size_t>(p)];
        button->setText(TextFromSjis(fieldText(record.players[p].name)));
        button->setVisible(p != acting && p < playerCount);
    }
    centreOn(*this, playWindow_);
    show();
    raise();
    activateWindow();
}

void PlayerChoiceDialog::choose(int player) {
    player_ = player;
    hide();
}

}  // namespace banmen
