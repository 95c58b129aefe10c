// Test runs and debug runs in the editor's window, driven by clicks at the
// buttons' places from inside the engine's waits, checked on the engine's
// state and on grabbed frames. The waits run at a quarter of their time;
// sound goes to SDL's disk driver.

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "editor/map/map_view.h"
#include "editor/play/dice_prompt.h"
#include "editor/play/info_window.h"
#include "editor/play/player_choice_dialog.h"
#include "engine/ranking.h"
#include "media/dib_bitmap.h"
#include "media/sound_device.h"
#include "play_test_support.h"

namespace banmen {
namespace {

using test::buttonPoint;
using test::clickAt;
using test::Driver;
using test::grabFrame;
using test::PlayRig;

const QPoint kStopPoint(890, 587);

QImage resourceImage(int id) {
    DibBitmap bitmap;
    return bitmap.LoadResource(id) ? bitmap.ToImage() : QImage();
}

// Every pixel of the picture's cell that is not magenta stands at `at`.
bool standsAt(const QImage& frame, const QImage& picture, QRect cell, QPoint at) {
    if (picture.isNull()) {
        return false;
    }
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            const QRgb p = picture.pixel(cell.x() + x, cell.y() + y) | 0xFF000000u;
            if (p == qRgb(255, 0, 255)) {
                continue;
            }
            if ((frame.pixel(at.x() + x, at.y() + y) | 0xFF000000u) != p) {
                return false;
            }
        }
    }
    return true;
}

// Whether the cell stands, upright, anywhere inside `area`.
bool foundIn(const QImage& frame, const QImage& picture, QRect cell, QRect area) {
    for (int y = area.top(); y + cell.height() <= area.bottom() + 1; ++y) {
        for (int x = area.left(); x + cell.width() <= area.right() + 1; ++x) {
            if (standsAt(frame, picture, cell, {x, y})) {
                return true;
            }
        }
    }
    return false;
}

int lightPixels(const QImage& frame, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = frame.pixelColor(x, y);
            n += c.red() > 200 && c.green() > 200 && c.blue() > 200 ? 1 : 0;
        }
    }
    return n;
}

// Clicks the engine's button once it has stood for a moment.
struct ButtonClicker {
    QElapsedTimer since;
    Button seen;
    bool waiting = false;

    bool ready(WindowPlayScreen& screen) {
        if (!screen.waitingForButton()) {
            waiting = false;
            return false;
        }
        if (!waiting || seen.role != screen.waitButton().role ||
            seen.top != screen.waitButton().top) {
            waiting = true;
            seen = screen.waitButton();
            since.start();
            return false;
        }
        return since.elapsed() >= 30;
    }
    void click(PlayRig& rig) {
        clickAt(rig.view(), buttonPoint(rig.screen()));
        waiting = false;
    }
};

bool backToEditing(PlayRig& rig) {
    return rig.window->runState() == RunState::Idle;
}

}  // namespace

class PlayRunTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempDir> soundFolder_;

    // Clicks through the opening (explanation, rules, player selection).
    static bool throughOpening(PlayRig& rig, ButtonClicker& clicker) {
        if (rig.session().phase() != PhaseOpening || !clicker.ready(rig.screen())) {
            return false;
        }
        clicker.click(rig);
        return false;
    }

  private slots:
    void initTestCase() {
        soundFolder_ = std::make_unique<test::TempDir>();
        test::useTestSound(*soundFolder_);
        PlayController::reseed(7);
    }

    void wholeGameWithTwoPersons() {
        // Player 1's piece is one of the new game's pictures, which stay in
        // the default image folder: the workspace has no "Image Files".
        GameRecord record = test::lineGame(2, 3);
        int kokeshi = -1;
        for (int m = 0; m < kImageCount; ++m) {
            if (std::string_view(record.images[m].fileName) == "KokeshiRed.bmp") {
                kokeshi = m;
            }
        }
        QVERIFY(kokeshi >= 0);
        record.players[0].picture = kokeshi;
        PlayRig rig(record);
        PlayOptions options;
        options.forcedDice = {2, 1, 1};
        rig.play().setOptions(options);
        const QImage pawns[2] = {
            QImage(QStringLiteral(BANMEN_BIN_DIR "/Image Files/KokeshiRed.bmp")),
            resourceImage(3002)};
        const QImage turn = resourceImage(9000);
        const QImage dice = resourceImage(5000);
        const QImage badges = resourceImage(8010);

        ButtonClicker clicker;
        int throws = 0;
        bool toggled = false;
        bool faceSeen = false;
        bool firstTurnChecked = false;
        bool secondTurnChecked = false;
        bool rankingChecked = false;
        bool panelsChecked = false;
        std::int32_t finish[2] = {0, 0};
        QImage firstTurn;
        QImage secondTurn;
        QImage afterDice;
        QImage ranking;
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            if (!faceSeen && rig.session().phase() == PhaseTurn && !screen.rollingDice() &&
                throws == 1 && !screen.waitingForButton() &&
                rig.session().record().players[0].currentSquare == 0) {
                // The pause after the throw, once the panel has opened again
                // on the thrown face.
                afterDice = grabFrame(rig.view());
                faceSeen = standsAt(afterDice, dice, QRect(28, 34, 28, 31), {810 + 65, 226 + 60});
            }
            if (!clicker.ready(screen)) {
                return backToEditing(rig) && throws > 0;
            }
            const Button& button = screen.waitButton();
            if (button.role == ButtonRole::SelectionDone && !toggled) {
                // Player 2 starts as the computer; its person toggle.
                const QPoint toggle = QPoint(play::PlayFrame::selectionTogglePlace(1, false).x,
                                             play::PlayFrame::selectionTogglePlace(1, false).y) +
                                      QPoint(12, 5);
                clickAt(rig.view(), toggle);
                toggled = true;
                return false;
            }
            if (button.role == ButtonRole::Throw) {
                if (throws == 0) {
                    firstTurn = grabFrame(rig.view());
                } else if (throws == 1) {
                    secondTurn = grabFrame(rig.view());
                }
                ++throws;
            }
            if (screen.rankingShown()) {
                ranking = grabFrame(rig.view());
                finish[0] = rig.session().record().players[0].finishState;
                finish[1] = rig.session().record().players[1].finishState;
            }
            clicker.click(rig);
            return false;
        });
        rig.window->startTestRun();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 60000));

        // The selection made both players persons.
        QVERIFY(toggled);
        QCOMPARE(throws, 3);

        // First turn: both pieces on square 1 (100, 300), player 1's at
        // (X - 2w/3, Y - h), player 2's over it at (X - w/2, Y - h - 6); the
        // turn picture centred in the panel at y 40, and the turn's text.
        QVERIFY(!firstTurn.isNull());
        QVERIFY(standsAt(firstTurn, pawns[1], QRect(0, 0, 32, 32), {100 - 16, 300 - 32 - 6}));
        QVERIFY(standsAt(firstTurn, turn, turn.rect(), {810 + (158 - 96) / 2, 226 + 40}));
        QVERIFY(lightPixels(firstTurn, QRect(810, 226 + 100, 158, 24)) > 40);
        firstTurnChecked = true;

        // The thrown face 2: the small die at (65, 60) of a cleared panel
        // (the turn picture is gone), and the die resting upright on its
        // face in the dice area.
        QVERIFY(faceSeen);
        QVERIFY(!standsAt(afterDice, turn, turn.rect(), {810 + (158 - 96) / 2, 226 + 40}));
        QVERIFY(foundIn(afterDice, dice, QRect(28, 0, 28, 33), QRect(345, 250, 200, 200)));

        // Second turn: player 1 alone on square 3 (400, 300), player 2 still
        // on square 1; the player panels show both names.
        QVERIFY(standsAt(secondTurn, pawns[0], QRect(0, 0, 32, 32), {400 - 21, 300 - 32}));
        QVERIFY(standsAt(secondTurn, pawns[1], QRect(0, 0, 32, 32), {100 - 16, 300 - 38}));
        QVERIFY(lightPixels(secondTurn, QRect(810, 97 + 17, 79, 12)) > 10);
        QVERIFY(lightPixels(secondTurn, QRect(891, 97 + 17, 79, 12)) > 10);
        secondTurnChecked = true;
        panelsChecked = true;

        // The results: player 1 reached the goal first, player 2 had not
        // finished; badges 1 and "no rank" in rows whose baselines are 88
        // and 112.
        QCOMPARE(finish[0], 1);
        QCOMPARE(finish[1], -2);
        const int base = rankTableTop(2);
        QCOMPARE(base, 88);
        QVERIFY(standsAt(ranking, badges, QRect(0, 0, 25, 23), {810 + 12, 226 + base - 23}));
        QVERIFY(standsAt(ranking, badges, QRect(150, 0, 25, 23), {810 + 12, 226 + base + 24 - 23}));
        rankingChecked = true;

        // The end: the editing layout is back.
        QCOMPARE(rig.window->mapView()->size(), QSize(800, 600));
        QVERIFY(rig.window->mapView()->isVisible());
        QVERIFY(!rig.view()->isVisible());
        QCOMPARE(rig.session().phase(), PhaseIdle);
        QCOMPARE(rig.window->action(kCmdRun)->text(), QStringLiteral("実行(&R)"));
        QVERIFY(firstTurnChecked && secondTurnChecked && rankingChecked && panelsChecked);
    }

    void stopClickDuringTheDiceEndsTheRun() {
        PlayRig rig(test::lineGame(1, 5));
        ButtonClicker clicker;
        bool stopped = false;
        QSize duringRun;
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            if (throughOpening(rig, clicker)) {
                return false;
            }
            if (screen.rollingDice() && !stopped) {
                duringRun = rig.window->mapView()->size();
                clickAt(rig.view(), kStopPoint);
                stopped = true;
                return false;
            }
            if (!stopped && clicker.ready(screen) &&
                screen.waitButton().role == ButtonRole::Throw) {
                clicker.click(rig);
            }
            return stopped;
        });
        rig.window->startTestRun();
        QCOMPARE(rig.window->runState(), RunState::TestRun);
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        QCOMPARE(duringRun, QSize(980, 600));
        // The stop is completed by a tick after the step has unwound.
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
        QCOMPARE(rig.window->mapView()->size(), QSize(800, 600));
        QVERIFY(!rig.view()->isVisible());
        QCOMPARE(rig.session().phase(), PhaseIdle);
        QVERIFY(!rig.screen().sounds().anyPlaying());
        QVERIFY(rig.window->action(kCmdRun)->isEnabled());
        QVERIFY(!rig.window->action(kCmdStopRun)->isEnabled());
    }

    void throwLabelAndButtonFollowSixJumpLines() {
        GameRecord record = test::lineGame(1, 7);
        for (int face = 0; face < 6; ++face) {
            record.squares[0].dieJumps[face] = face + 1;
        }
        PlayRig rig(record);
        ButtonClicker clicker;
        const QImage look = resourceImage(6000);
        QImage prompt;
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            if (throughOpening(rig, clicker)) {
                return false;
            }
            if (clicker.ready(screen) && screen.waitButton().role == ButtonRole::Throw) {
                // The button blinks: a grab while it is shown, if one comes.
                prompt = grabFrame(rig.view());
                if (standsAt(prompt, look, look.rect(), {kButtonLeft, 418}) ||
                    clicker.since.elapsed() > 2000) {
                    clickAt(rig.view(), kStopPoint);
                    return true;
                }
            }
            return false;
        });
        rig.window->startTestRun();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        QVERIFY(!prompt.isNull());
        // Below the prompt (panel y 70 to 94) stand six jump lines, 12
        // pixels apart from y 98, and "投げる" under them: seven separate
        // bands of white text, none of them taller than a line.
        std::vector<std::pair<int, int>> bands;
        for (int y = 226 + 96; y < 226 + 192; ++y) {
            const bool ink = lightPixels(prompt, QRect(810, y, 158, 1)) > 0;
            if (ink && (bands.empty() || bands.back().second != y - 1)) {
                bands.emplace_back(y, y);
            } else if (ink) {
                bands.back().second = y;
            }
        }
        QCOMPARE(static_cast<int>(bands.size()), 7);
        for (const auto& [top, bottom] : bands) {
            QVERIFY2(bottom - top < 12, qPrintable(QString("%1..%2").arg(top).arg(bottom)));
        }
        // The throw button's picture stands below the label, within the panel.
        QVERIFY(standsAt(prompt, look, look.rect(), {kButtonLeft, 418}));
        QVERIFY(bands.back().second < 418);
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
    }

    void debugPromptChoosesTheFace() {
        PlayRig rig(test::lineGame(1, 5));
        ButtonClicker clicker;
        QString caption;
        QString prompt;
        int buttons = 0;
        std::int32_t square = -1;
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            DicePrompt* dialog = screen.dicePrompt();
            if (dialog != nullptr && dialog->isVisible()) {
                caption = dialog->windowTitle();
                prompt = dialog->findChild<QLabel*>("prompt")->text();
                for (int face = 1; face <= 6; ++face) {
                    buttons +=
                        dialog->findChild<QPushButton*>(QStringLiteral("S%1").arg(face)) ? 1 : 0;
                }
                QTest::mouseClick(dialog->findChild<QPushButton*>("S3"), Qt::LeftButton);
                return false;
            }
            if (!clicker.ready(screen)) {
                return false;
            }
            if (rig.session().phase() == PhaseTurn && screen.waitButton().look == 8) {
                // The square the piece stopped on waits for the next button.
                square = rig.session().record().players[0].currentSquare;
                clickAt(rig.view(), kStopPoint);
                return true;
            }
            clicker.click(rig);
            return false;
        });
        rig.window->startDebugRun();
        QCOMPARE(rig.window->runState(), RunState::DebugRun);
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        QCOMPARE(caption, QStringLiteral(" 盤面工房 サイコロ振り （デバッグ）"));
        QCOMPARE(prompt, QStringLiteral("これから振って出すサイコロの目を選んで下さい。"));
        QCOMPARE(buttons, 6);
        QCOMPARE(square, 3);
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
    }

    void closingTheWindowDuringTheDiceIsSafeAndSilent() {
        PlayRig rig(test::lineGame(1, 5));
        ButtonClicker clicker;
        bool closed = false;
        bool soundDuringRun = false;
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            if (screen.rollingDice() && !closed) {
                soundDuringRun = screen.sounds().anyPlaying();
                rig.window->close();
                closed = true;
                return true;
            }
            if (clicker.ready(screen)) {
                clicker.click(rig);
            }
            return false;
        });
        rig.window->startTestRun();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        // The background music and the dice sound were playing.
        QVERIFY(soundDuringRun);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.play().stepping(), 5000);
        QVERIFY(!rig.screen().sounds().anyPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
        QTest::qWait(100);
        QVERIFY(!rig.screen().sounds().anyPlaying());
    }

    void closingAndDeletingTheWindowDuringAHopIsSafe() {
        PlayRig rig(test::lineGame(1, 5));
        rig.window->setAttribute(Qt::WA_DeleteOnClose);
        EditorWindow* window = rig.window.release();
        QPointer<EditorWindow> alive(window);
        ButtonClicker clicker;
        bool closed = false;
        Driver driver([&] {
            if (alive.isNull()) {
                return true;
            }
            WindowPlayScreen& screen = window->play().screen();
            GameSession& game = window->play().session();
            if (!closed && game.phase() == PhaseTurn &&
                game.record().players[0].currentSquare == 0 && !screen.rollingDice() &&
                !screen.waitingForButton() && screen.frame().pieceRect(0).empty()) {
                // The piece is in the air: it is left out of the board.
                window->close();
                closed = true;
                return false;
            }
            if (!closed && clicker.ready(screen)) {
                clickAt(window->play().view(), buttonPoint(screen));
                clicker.waiting = false;
            }
            return false;
        });
        window->startTestRun();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        QVERIFY(closed);
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 5000);
        // The window closed the device it had opened.
        QVERIFY(!SoundDeviceIsOpen());
    }

    void closingTheWindowDuringTheDicePromptIsSafe() {
        PlayRig rig(test::lineGame(1, 5));
        ButtonClicker clicker;
        bool closed = false;
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            DicePrompt* dialog = screen.dicePrompt();
            if (dialog != nullptr && dialog->isVisible()) {
                rig.window->close();
                closed = true;
                return true;
            }
            if (clicker.ready(screen)) {
                clicker.click(rig);
            }
            return false;
        });
        rig.window->startDebugRun();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        QVERIFY(closed);
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
        QVERIFY(!rig.screen().dialogOpen());
        QVERIFY(!rig.screen().sounds().anyPlaying());
    }

    void menusFollowEachKindOfRun() {
        PlayRig rig(test::lineGame(1, 5));
        auto captions = [&] {
            QStringList list;
            for (const int id : {kCmdRun, kCmdStopRun, kCmdDebug, kCmdStopDebug, kCmdSquareDebug,
                                 kCmdStopSquareDebug}) {
                QAction* a = rig.window->action(id);
                list << a->text() + (a->isEnabled() ? "+" : "-");
            }
            return list.join(QLatin1Char('|'));
        };
        QCOMPARE(captions(), QStringLiteral("実行(&R)+|実行中止(&E)-|ﾃﾞﾊﾞｯｸ(&R)+|ﾃﾞﾊﾞｯｸ中止(&S)-|"
                                            "ﾏｽのﾃﾞﾊﾞｯｸ(&M)-|ﾏｽのﾃﾞﾊﾞｯｸ中止(&N)-"));
        rig.window->action(kCmdRun)->trigger();
        QCOMPARE(captions(), QStringLiteral("再実行(&S)+|実行中止(&E)+|ﾃﾞﾊﾞｯｸ(&R)-|ﾃﾞﾊﾞｯｸ中止(&S)-|"
                                            "ﾏｽのﾃﾞﾊﾞｯｸ(&M)-|ﾏｽのﾃﾞﾊﾞｯｸ中止(&N)-"));
        QCOMPARE(rig.window->mapView()->size(), QSize(980, 600));
        rig.window->action(kCmdStopRun)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);

        rig.window->action(kCmdDebug)->trigger();
        QCOMPARE(captions(), QStringLiteral("実行(&S)-|実行中止(&E)-|ﾃﾞﾊﾞｯｸ再実行(&R)+|"
                                            "ﾃﾞﾊﾞｯｸ中止(&S)+|ﾏｽのﾃﾞﾊﾞｯｸ(&M)-|ﾏｽのﾃﾞﾊﾞｯｸ中止(&N)-"));
        // A restart while a run is under way starts it again.
        rig.window->action(kCmdDebug)->trigger();
        QCOMPARE(rig.window->runState(), RunState::DebugRun);
        rig.window->action(kCmdStopDebug)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);

        QVERIFY(!rig.window->startSquareDebug(57));
        QVERIFY(rig.window->startSquareDebug(2));
        QCOMPARE(captions(), QStringLiteral("実行(&S)-|実行中止(&E)-|ﾃﾞﾊﾞｯｸ(&R)-|ﾃﾞﾊﾞｯｸ中止(&S)-|"
                                            "ﾏｽのﾃﾞﾊﾞｯｸ再実行(&M)+|ﾏｽのﾃﾞﾊﾞｯｸ中止(&N)+"));
        // The square debug puts player 1 on square 3 and waits there; the
        // stop ends that wait.
        std::int32_t square = -1;
        Driver driver([&] {
            if (!rig.screen().waitingForButton()) {
                return false;
            }
            square = rig.session().record().players[0].currentSquare;
            rig.window->action(kCmdStopSquareDebug)->trigger();
            return true;
        });
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 10000));
        QCOMPARE(square, 2);
        QCOMPARE(rig.session().debugStartSquare(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
        QCOMPARE(captions(), QStringLiteral("実行(&R)+|実行中止(&E)-|ﾃﾞﾊﾞｯｸ(&R)+|ﾃﾞﾊﾞｯｸ中止(&S)-|"
                                            "ﾏｽのﾃﾞﾊﾞｯｸ(&M)-|ﾏｽのﾃﾞﾊﾞｯｸ中止(&N)-"));
    }

    void playerChoiceDialogTakesFromTheChosenPlayer() {
        GameRecord record = test::lineGame(3, 5);
        // Square 3: take 10 from someone else.
        record.squares[2].updateCodes[0] = 0x100000;
        record.squares[2].updateValues[0] = 10;
        PlayRig rig(record);
        PlayOptions options;
        options.forcedDice = {2};
        rig.play().setOptions(options);
        ButtonClicker clicker;
        QString caption;
        QString prompt;
        QString acting;
        QStringList offered;
        std::int32_t values[3] = {0, 0, 0};
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            PlayerChoiceDialog* dialog = screen.playerChoice();
            if (dialog != nullptr && dialog->isVisible()) {
                caption = dialog->windowTitle();
                prompt = dialog->findChild<QLabel*>("prompt")->text();
                acting = dialog->findChild<QLabel*>("acting")->text();
                for (int p = 0; p < kPlayerCount; ++p) {
                    if (dialog->button(p)->isVisibleTo(dialog)) {
                        offered << dialog->button(p)->text();
                    }
                }
                QTest::mouseClick(dialog->button(2), Qt::LeftButton);
                return false;
            }
            if (!clicker.ready(screen)) {
                return false;
            }
            if (!caption.isEmpty()) {
                // The result line waits: the values have changed.
                for (int p = 0; p < 3; ++p) {
                    values[p] = rig.session().record().players[p].dataValues[0];
                }
                clickAt(rig.view(), kStopPoint);
                return true;
            }
            clicker.click(rig);
            return false;
        });
        rig.window->startTestRun();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        QCOMPARE(caption, QStringLiteral(" 盤面工房 プレイヤー選択"));
        QCOMPARE(prompt, QStringLiteral("プレーヤーを一人選んで下さい。"));
        QCOMPARE(acting, QStringLiteral("プレイヤー１さん"));
        QCOMPARE(offered,
                 (QStringList{QStringLiteral("プレイヤー２"), QStringLiteral("プレイヤー３")}));
        QCOMPARE(values[0], 10);
        QCOMPARE(values[1], 0);
        QCOMPARE(values[2], -10);
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
    }

    void restartFromInsideAWaitStartsAfresh() {
        PlayRig rig(test::lineGame(1, 5));
        ButtonClicker clicker;
        int restarts = 0;
        bool openingAgain = false;
        Driver driver([&] {
            WindowPlayScreen& screen = rig.screen();
            if (!clicker.ready(screen)) {
                return false;
            }
            if (screen.waitButton().role == ButtonRole::Throw && restarts == 0) {
                // From inside the engine's wait for the throw.
                rig.window->action(kCmdRun)->trigger();
                ++restarts;
                return false;
            }
            if (restarts == 1 && rig.session().phase() == PhaseOpening) {
                openingAgain = true;
                rig.window->action(kCmdStopRun)->trigger();
                return true;
            }
            clicker.click(rig);
            return false;
        });
        rig.window->startTestRun();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 30000));
        QVERIFY(openingAgain);
        QTRY_VERIFY_WITH_TIMEOUT(backToEditing(rig), 5000);
        QCOMPARE(rig.session().phase(), PhaseIdle);
    }

    void cleanupTestCase() { soundFolder_.reset(); }
};

}  // namespace banmen

QTEST_MAIN(banmen::PlayRunTest)
#include "play_run_test.moc"
