#include "editor/play/play_autopilot.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <cstdlib>

#include "editor/play/dice_prompt.h"
#include "editor/play/info_window.h"
#include "editor/play/play_controller.h"
#include "editor/play/play_view.h"
#include "editor/play/player_choice_dialog.h"
#include "editor/play/window_play_screen.h"
#include "engine/game_session.h"

namespace banmen {
namespace {

constexpr int kPollMs = 20;
// The fireworks are pictured once a rocket has burst.
constexpr int kBurstMs = 700;

}  // namespace

void forceDiceFromEnvironment(PlayController& play) {
    const char* dice = std::getenv("BANMEN_PLAY_DICE");
    if (dice == nullptr) {
        return;
    }
    PlayOptions options = play.session().options();
    options.forcedDice.clear();
    for (const QString& face : QString::fromLatin1(dice).split(QLatin1Char(','))) {
        options.forcedDice.push_back(face.toInt());
    }
    play.setOptions(options);
}

PlayAutopilot::PlayAutopilot(PlayController& play, QWidget& shotTarget, QString shotFolder,
                             QObject* parent)
    : QObject(parent), play_(play), target_(shotTarget), folder_(std::move(shotFolder)) {
    if (!folder_.isEmpty()) {
        QDir().mkpath(folder_);
    }
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &PlayAutopilot::poll);
    timer_.start();
}

PlayAutopilot::~PlayAutopilot() = default;

void PlayAutopilot::shoot(const QString& stage, QWidget* widget) {
    if (folder_.isEmpty() || taken_.contains(stage)) {
        return;
    }
    taken_.insert(stage);
    const QString file = QStringLiteral("%1/%2-%3.png")
                             .arg(folder_)
                             .arg(saved_.size() + 1, 2, 10, QLatin1Char('0'))
                             .arg(stage);
    QWidget* target = widget != nullptr ? widget : &target_;
    if (target->grab().save(file, "PNG")) {
        saved_.append(file);
    }
}

void PlayAutopilot::click(QPoint at) {
    PlayView* view = play_.view();
    if (view == nullptr) {
        return;
    }
    const QPointF local(view->fromFrame(at));
    const QPointF global(view->mapToGlobal(local));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(view, &release);
}

void PlayAutopilot::poll() {
    PlayController& play = play_;
    if (!play.active()) {
        if (started_) {
            timer_.stop();
            emit finished();
        }
        return;
    }
    started_ = true;
    WindowPlayScreen& screen = play.screen();

    // What the screen shows now; each stage is pictured once, when it has
    // settled.
    QString stage;
    if (screen.dicePrompt() != nullptr && screen.dicePrompt()->isVisible()) {
        stage = QStringLiteral("dice-prompt");
    } else if (screen.playerChoice() != nullptr && screen.playerChoice()->isVisible()) {
        stage = QStringLiteral("player-choice");
    } else if (screen.celebrating()) {
        stage = QStringLiteral("fireworks");
    } else if (screen.rollingDice()) {
        stage = QStringLiteral("dice");
    } else if (screen.choosingSquare()) {
        stage = QStringLiteral("branch");
    } else if (screen.waitingForButton()) {
        if (screen.rankingShown()) {
            stage = QStringLiteral("results");
        } else if (screen.frame().supplementShown()) {
            stage = QStringLiteral("supplement");
        } else if (screen.infoWindow(0) != nullptr &&
                   (screen.infoWindow(0)->isVisible() ||
                    (screen.infoWindow(1) != nullptr && screen.infoWindow(1)->isVisible()))) {
            stage = QStringLiteral("update");
        } else if (screen.waitButton().role == ButtonRole::Throw) {
            stage = QStringLiteral("turn");
        } else if (screen.waitButton().role == ButtonRole::SelectionDone) {
            stage = QStringLiteral("selection");
        } else if (play.session().phase() == PhaseOpening) {
            stage = QStringLiteral("opening");
        } else {
            stage = QStringLiteral("wait");
        }
    }
    if (stage != current_) {
        current_ = stage;
        since_.start();
        return;
    }
    if (stage.isEmpty() || since_.elapsed() < settleMs_) {
        return;
    }
    if (stage == QLatin1String("fireworks") || stage == QLatin1String("dice")) {
        if (since_.elapsed() >= (stage == QLatin1String("dice") ? settleMs_ : kBurstMs)) {
            shoot(stage);
        }
        return;
    }
    if (stage == QLatin1String("dice-prompt")) {
        shoot(stage, screen.dicePrompt());
        screen.dicePrompt()->choose(dieFace_);
    } else if (stage == QLatin1String("player-choice")) {
        PlayerChoiceDialog* dialog = screen.playerChoice();
        shoot(stage, dialog);
        for (int p = 0; p < kPlayerCount; ++p) {
            if (dialog->button(p)->isVisibleTo(dialog)) {
                dialog->button(p)->click();
                break;
            }
        }
    } else if (stage == QLatin1String("branch")) {
        shoot(stage);
        const int square = screen.squareCandidates().front();
        const SquareDef& s = play.session().record().squares[square];
        click(QPoint(s.x, s.y));
    } else if (stage != QLatin1String("wait")) {
        if (allComputers_ && stage == QLatin1String("selection")) {
            for (int p = 0; p < play.session().playerCount(); ++p) {
                play.session().SetComputer(p, true);
            }
        }
        shoot(stage);
        click(QPoint(kButtonLeft + 16, screen.waitButton().top + 14));
    } else {
        click(QPoint(kButtonLeft + 16, screen.waitButton().top + 14));
    }
    current_.clear();
}

}  // namespace banmen
