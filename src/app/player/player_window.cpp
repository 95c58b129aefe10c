#include "app/player/player_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "editor/play/dice_prompt.h"
#include "editor/play/play_autopilot.h"
#include "editor/play/play_controller.h"
#include "editor/play/play_view.h"
#include "editor/play/window_play_screen.h"
#include "engine/game_session.h"
#include "media/sound_device.h"
#include "platform/settings/player_window_settings.h"

namespace banmen::player {
namespace {

// How often the play timer ticks in a run without waits.
constexpr int kAutoTickMs = 1;
// How long a window manager may take to place a window.
constexpr int kWindowManagerMs = 300;

bool onSomeScreen(const QRect& place) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(place)) {
            return true;
        }
    }
    return false;
}

}  // namespace

PlayerWindow::PlayerWindow(const GameRecord& record, std::string folder, const QString& title,
                           QWidget* parent)
    : QWidget(parent), record_(std::make_unique<GameRecord>(record)), folder_(std::move(folder)) {
    // Without a device every sound is silent; the game plays all the same.
    ownsSoundDevice_ = OpenSoundDevice();
    setObjectName("playerWindow");
    setWindowTitle(title);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, Qt::black);
    setPalette(ground);
    setAutoFillBackground(true);

    play_ = new PlayController(this, this);
    // Not the editor's test play: the side area names only the tool.
    play_->screen().frame().setNoticeLine(QStringLiteral("盤面工房"));
    PlayView* view = play_->view();
    view->setScalable();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    resize(PlayView::kWidth, PlayView::kHeight);
    connect(play_, &PlayController::playEnded, this, &PlayerWindow::onPlayEnded);

    // F11 also from the end-of-game offer.
    auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    fullScreen->setContext(Qt::ApplicationShortcut);
    connect(fullScreen, &QShortcut::activated, this, &PlayerWindow::toggleFullScreen);
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leave, &QShortcut::activated, this, [this] {
        if (isFullScreen()) {
            toggleFullScreen();
        }
    });
}

PlayerWindow::~PlayerWindow() {
    // The game's sounds go before the device.
    delete play_;
    play_ = nullptr;
    if (ownsSoundDevice_) {
        CloseSoundDevice();
    }
}

QDialog* PlayerWindow::endOffer() const {
    QDialog* offer = offer_.data();
    return offer != nullptr && offer->isVisible() ? offer : nullptr;
}

void PlayerWindow::setAutoPlay() {
    autoPlay_ = true;
    play_->setTimeScale(0);
    play_->setTickInterval(kAutoTickMs);
    PlayOptions options = play_->session().options();
    options.maxTurns = kAutoTurnLimit;
    play_->setOptions(options);
    auto* pilot = new PlayAutopilot(*play_, *this, QString(), this);
    pilot->setSettleMs(0);
    pilot->setAllComputers(true);
}

void PlayerWindow::startGame() {
    if (QDialog* offer = offer_.data()) {
        offer->hide();
    }
    play_->start(RunKind::Test, *record_, folder_);
}

void PlayerWindow::toggleFullScreen() {
    if (isFullScreen()) {
        leaveFullScreen();
    } else {
        enterFullScreen();
    }
}

// The window manager places a full-screen window over its screen and puts
// it back afterwards. An X server without one (a kiosk) leaves that to the
// program, so the window does it itself when, a moment later, nobody has.
void PlayerWindow::enterFullScreen() {
    if (!isFullScreen() && isVisible()) {
        normalPlace_ = geometry();
    }
    showFullScreen();
    QTimer::singleShot(kWindowManagerMs, this, [this] {
        const QScreen* shown = screen();
        if (isFullScreen() && shown != nullptr && geometry() != shown->geometry()) {
            // The window's own geometry: the widget's would end full screen.
            windowHandle()->setGeometry(shown->geometry());
        }
    });
}

void PlayerWindow::leaveFullScreen() {
    showNormal();
    QTimer::singleShot(kWindowManagerMs, this, [this] {
        if (!isFullScreen() && normalPlace_.isValid() && geometry() != normalPlace_) {
            setGeometry(normalPlace_);
        }
    });
}

void PlayerWindow::showAtRememberedPlace() {
    const std::optional<PlayerWindowPlace> place =
        autoPlay_ ? std::nullopt : readPlayerWindowPlace();
    if (place) {
        const QRect rect(place->left, place->top, place->width, place->height);
        if (onSomeScreen(rect)) {
            setGeometry(rect);
            normalPlace_ = rect;
        } else {
            resize(rect.size());
        }
    }
    if (place && place->fullScreen) {
        enterFullScreen();
    } else {
        show();
    }
    // The keys (F11) reach a window that has the focus; without a window
    // manager nobody else gives it.
    activateWindow();
}

void PlayerWindow::rememberPlace() {
    if (autoPlay_) {
        return;
    }
    const QRect rect = isFullScreen()  ? normalPlace_
                       : isMaximized() ? normalGeometry()
                                       : geometry();
    if (rect.isEmpty()) {
        return;
    }
    (void)writePlayerWindowPlace(
        {rect.left(), rect.top(), rect.width(), rect.height(), isFullScreen()});
}

void PlayerWindow::onPlayEnded() {
    if (play_->stepping()) {
        // Only once the step under way has unwound.
        QTimer::singleShot(0, this, &PlayerWindow::onPlayEnded);
        return;
    }
    const EndReason reason = play_->session().endReason();
    // The last picture (the results) stays in the window: ending the run
    // puts the engine's record back to its defaults, and the play screen
    // would show their names and values on the next redraw.
    lastPicture_ = play_->screen().frame().image().copy();
    play_->reset();
    if (closing_) {
        return;
    }
    if (PlayView* view = play_->view()) {
        view->setFrame(&lastPicture_);
        view->show();
    }
    emit gameEnded(reason);
    if (!autoPlay_) {
        showEndOffer();
    }
}

void PlayerWindow::showEndOffer() {
    if (!offer_) {
        auto* offer = new QDialog(this);
        offer->setObjectName("endOffer");
        offer->setWindowTitle(windowTitle());
        auto* layout = new QVBoxLayout(offer);
        layout->addWidget(new QLabel(QStringLiteral("もう一度遊びますか？"), offer));
        auto* buttons = new QHBoxLayout;
        auto* again = new QPushButton(QStringLiteral("もう一度遊ぶ"), offer);
        again->setObjectName("playAgain");
        again->setDefault(true);
        auto* quit = new QPushButton(QStringLiteral("終了"), offer);
        quit->setObjectName("quit");
        buttons->addWidget(again);
        buttons->addWidget(quit);
        layout->addLayout(buttons);
        connect(again, &QPushButton::clicked, this, &PlayerWindow::startGame);
        connect(quit, &QPushButton::clicked, offer, &QDialog::reject);
        // Closing the offer, or Esc, ends the player as "終了" does.
        connect(offer, &QDialog::rejected, this, &QWidget::close);
        offer_ = offer;
    }
    centreOn(*offer_, this);
    offer_->show();
    offer_->raise();
    offer_->activateWindow();
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    rememberPlace();
    if (QDialog* offer = offer_.data()) {
        offer->hide();
    }
    // Every wait of a game ends now and its sounds stop.
    if (play_->active()) {
        play_->abort();
    }
    QWidget::closeEvent(event);
}

}  // namespace banmen::player
