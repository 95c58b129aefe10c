// Hostile records (see support/hostile_records.h) played in the play window,
// persons clicking as they would: the screen draws pieces, panels, pictures,
// arrows and dialogs for values outside their fields' ranges without reading
// outside the record. Meant to run under the sanitizers too.

#include <QPushButton>
#include <QtTest>

#include "editor/play/dice_prompt.h"
#include "editor/play/player_choice_dialog.h"
#include "play_test_support.h"
#include "support/hostile_records.h"

namespace banmen {

class PlayHostileTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempDir> soundFolder_;

    // Answers whatever the run asks, as a person would: the engine's
    // button, a face in the dice prompt, a player in the player choice, a
    // candidate at a branch (the stop when it lies off the board). In the
    // opening of odd runs player 1 becomes the computer first.
    static void answer(PlayController& play, int run) {
        WindowPlayScreen& screen = play.screen();
        PlayView* view = play.view();
        if (DicePrompt* prompt = screen.dicePrompt(); prompt != nullptr && prompt->isVisible()) {
            QTest::mouseClick(
                prompt->findChild<QPushButton*>(QStringLiteral("S%1").arg(run % 6 + 1)),
                Qt::LeftButton);
            return;
        }
        if (PlayerChoiceDialog* choice = screen.playerChoice();
            choice != nullptr && choice->isVisible()) {
            for (int p = 0; p < kPlayerCount; ++p) {
                if (choice->button(p) != nullptr && choice->button(p)->isVisible()) {
                    QTest::mouseClick(choice->button(p), Qt::LeftButton);
                    return;
                }
            }
            choice->close();
            return;
        }
        if (screen.choosingSquare()) {
            // Candidates in turn, so that turning back does not go on long.
            static std::size_t next = 0;
            const std::vector<int>& candidates = screen.squareCandidates();
            const int square = candidates[next++ % candidates.size()];
            const SquareDef& s = play.session().record().squares[square];
            const bool onBoard = s.x >= 0 && s.x < 800 && s.y >= 0 && s.y < 600;
            test::clickAt(view, onBoard ? QPoint(s.x, s.y) : QPoint(890, 587));
            return;
        }
        if (!screen.waitingForButton()) {
            return;
        }
        if (screen.waitButton().role == ButtonRole::SelectionDone && run % 2 == 1 &&
            !play.session().isComputer(0)) {
            const Point toggle = play::PlayFrame::selectionTogglePlace(0, true);
            test::clickAt(view, QPoint(toggle.x + 12, toggle.y + 5));
            return;
        }
        test::clickAt(view, test::buttonPoint(screen));
    }

  private slots:
    void initTestCase() {
        soundFolder_ = std::make_unique<test::TempDir>();
        test::useTestSound(*soundFolder_);
        PlayController::reseed(11);
    }

    void hostileRecordsPlayInTheWindow() {
        test::TempDir folder;
        QVERIFY(QDir().mkpath(QString::fromStdString(folder.file("Image Files"))));
        QVERIFY(QFile::copy(
            QStringLiteral(BANMEN_BIN_DIR "/Image Files/Daruma.bmp"),
            QString::fromStdString(folder.file("Image Files/") + test::kHostileImageFile)));
        QWidget window;
        window.resize(980, 616);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PlayController play(&window);
        play.setTimerRunning(false);
        play.setTimeScale(0);
        PlayOptions options;
        options.maxTurns = 8;
        options.resolutionLimit = 12;
        options.limitAlways = true;
        play.setOptions(options);

        int run = 0;
        test::Driver driver([&] {
            answer(play, run);
            return false;
        });
        int played = 0;
        for (run = 1; run <= 40; ++run) {
            const std::unique_ptr<GameRecord> record =
                test::hostileRecord(static_cast<std::uint32_t>(run));
            const RunKind kind = run % 5 == 0   ? RunKind::SquareDebug
                                 : run % 3 == 0 ? RunKind::Debug
                                                : RunKind::Test;
            play.start(kind, *record, folder.path(), run % 45 - 2);
            for (int tick = 0; tick < 400 && play.session().running(); ++tick) {
                play.tick();
            }
            QVERIFY2(!play.session().running(), qPrintable(QString("run %1").arg(run)));
            played += play.session().turnsPlayed() > 0 ? 1 : 0;
            play.reset();
        }
        // Most runs get past the opening into turns.
        QVERIFY(played > 20);
    }

    void cleanupTestCase() { soundFolder_.reset(); }
};

}  // namespace banmen

QTEST_MAIN(banmen::PlayHostileTest)
#include "play_hostile_test.moc"
