// banmen-player: a game built from a small workspace of our own, played to
// its results in the player's window with forced dice, played again, shown
// full screen, and opened broken; the private temporary folder is checked
// through the real program, also after a player was killed. Waits run at a
// quarter of their time; sound goes to SDL's disk driver.

#include <signal.h>

#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <sstream>

#include "app/player/game_opening.h"
#include "app/player/play_folder.h"
#include "app/player/player_options.h"
#include "app/player/player_window.h"
#include "editor/dialogs/message_box_notifier.h"
#include "editor/play/play_controller.h"
#include "editor/play/play_view.h"
#include "editor/play/window_play_screen.h"
#include "editor/play_test_support.h"
#include "engine/game_session.h"
#include "model/game_build.h"
#include "platform/settings/player_window_settings.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;
using player::PlayerWindow;
using test::Driver;

// The board picture's colour, which only the game file brings along.
const QColor kBoardColour(40, 160, 90);

// The player's folders under a temporary parent.
QStringList playFolders(const std::string& parent) {
    QStringList found;
    for (const auto& entry : fs::directory_iterator(parent)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(player::kPlayFolderPrefix, 0) == 0) {
            found << QString::fromStdString(name);
        }
    }
    return found;
}

void writeOwner(const std::string& folder, const std::string& text) {
    fs::create_directories(folder);
    test::writeText(folder + "/" + player::kOwnerFileName, text);
}

// This process's start time as the owner file records it.
std::string ownStart() {
    const std::string stat = test::readText("/proc/self/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string field;
    for (int number = 3; number <= 22; ++number) {
        fields >> field;
    }
    return field;
}

// Clicks the engine's button whenever it has stood for a moment.
bool clickButton(PlayerWindow& window, QElapsedTimer& since, Button& seen) {
    WindowPlayScreen& screen = window.play().screen();
    if (!screen.waitingForButton()) {
        since.invalidate();
        return false;
    }
    if (!since.isValid() || seen.role != screen.waitButton().role ||
        seen.top != screen.waitButton().top) {
        seen = screen.waitButton();
        since.start();
        return false;
    }
    if (since.elapsed() < 30) {
        return false;
    }
    test::clickAt(window.play().view(), window.play().view()->fromFrame(test::buttonPoint(screen)));
    since.invalidate();
    return true;
}

}  // namespace

class PlayerTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempDir> root_;
    std::string temp_;   // $TMPDIR of the players
    std::string game_;   // the built game
    std::string title_;  // its title (UTF-8)

    std::string playerProgram() const { return std::string(BANMEN_BIN_DIR) + "/banmen-player"; }

    QProcess* startPlayer(const QStringList& arguments) {
        auto* process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", QString::fromStdString(temp_));
        process->setProcessEnvironment(environment);
        process->start(QString::fromStdString(playerProgram()), arguments);
        return process;
    }

    int runPlayer(const QStringList& arguments, QByteArray* errors = nullptr) {
        QProcess* process = startPlayer(arguments);
        const bool ended = process->waitForFinished(60000);
        if (errors != nullptr) {
            *errors = process->readAllStandardError();
        }
        const int status =
            ended && process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        delete process;
        return status;
    }

    // Opens the game as the player does, into a fresh private folder.
    std::unique_ptr<PlayerWindow> openWindow(player::PlayFolder& folder, Notifier& notifier) {
        if (!folder.create(temp_)) {
            return nullptr;
        }
        player::OpenedGame game;
        if (!player::openGameForPlay(game_, folder.gameFolder(), notifier, game)) {
            return nullptr;
        }
        auto window = std::make_unique<PlayerWindow>(*game.record, game.folder,
                                                     QString::fromStdString(game.title));
        window->play().setTimeScale(25);
        return window;
    }

  private slots:
    void initTestCase() {
        root_ = std::make_unique<test::TempDir>();
        test::useTestSound(*root_);
        temp_ = root_->file("tmp");
        fs::create_directories(temp_);
        setenv("TMPDIR", temp_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", root_->file("config").c_str(), 1);
        PlayController::reseed(11);

        // Two players on a line of four squares, with a board picture of
        // our own; built, then the workspace is removed.
        GameRecord record = test::lineGame(2, 3);
        title_ = "春の小道";
        test::putText(record.settings.title, sizeof record.settings.title, title_);
        test::putText(record.images[0].name, sizeof record.images[0].name, "盤面");
        test::putText(record.images[0].fileName, sizeof record.images[0].fileName, "board.bmp");
        record.images[0].transparentColor = -1;
        record.settings.gamePicture = 0;
        const std::string workspace = root_->file("workspace");
        fs::create_directories(workspace + "/Image Files");
        QImage board(80, 60, QImage::Format_RGB888);
        board.fill(kBoardColour);
        QVERIFY(board.save(QString::fromStdString(workspace + "/Image Files/board.bmp"), "BMP"));
        WorkspaceLocation location;
        location.folder = workspace;
        location.setFileName("game.sgw");
        game_ = root_->file("game.sgr");
        BuildReport report;
        QVERIFY(BuildGame(record, location, game_, report).isOk());
        QCOMPARE(report.mediaAdded, std::size_t{1});
        fs::remove_all(workspace);
    }

    void cleanup() {
        // Whatever a test did, no player's folder stays behind.
        QVERIFY(playFolders(temp_).isEmpty());
    }

    void playsToTheResultsAndAgainFromTheOpening() {
        test::CapturingNotifier notifier;
        player::PlayFolder folder;
        std::unique_ptr<PlayerWindow> window = openWindow(folder, notifier);
        QVERIFY(window);
        PlayOptions options;
        options.forcedDice = {3};  // player 1 straight to the goal
        window->play().setOptions(options);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->windowTitle(), QString::fromStdString(title_));

        QElapsedTimer since;
        Button seen;
        QImage opening;
        std::int32_t finish[2] = {0, 0};
        Driver driver([&] {
            GameSession& game = window->play().session();
            if (opening.isNull() && window->play().screen().waitingForButton()) {
                opening = test::grabFrame(window->play().view());
            }
            if (window->play().screen().rankingShown() && game.running()) {
                finish[0] = game.record().players[0].finishState;
                finish[1] = game.record().players[1].finishState;
            }
            if (window->endOffer() != nullptr) {
                return true;
            }
            clickButton(*window, since, seen);
            return false;
        });
        window->startGame();
        QVERIFY(QTest::qWaitFor([&] { return driver.done(); }, 60000));

        // The client area is the play area, whose board is the picture the
        // game file brought.
        QCOMPARE(window->play().view()->size(), QSize(PlayView::kWidth, PlayView::kHeight));
        QCOMPARE(opening.pixelColor(400, 100), kBoardColour);
        QCOMPARE(finish[0], 1);
        QCOMPARE(finish[1], -2);
        // The results stay in the window under the offer.
        QVERIFY(window->play().view()->isVisible());
        QVERIFY(!window->play().active());
        const QImage results = test::grabFrame(window->play().view());
        QCOMPARE(results.pixelColor(400, 100), kBoardColour);

        // Again: from the opening, pieces back on their start squares. Then
        // closing during the game asks nothing, ends every wait and sound.
        QDialog* offer = window->endOffer();
        QCOMPARE(offer->findChild<QPushButton*>("quit")->text(), QStringLiteral("終了"));
        auto* again = offer->findChild<QPushButton*>("playAgain");
        QCOMPARE(again->text(), QStringLiteral("もう一度遊ぶ"));
        QTest::mouseClick(again, Qt::LeftButton);
        QVERIFY(window->endOffer() == nullptr);
        std::int32_t square = -1;
        std::int32_t finished = -1;
        bool soundDuringGame = false;
        Driver reopened([&] {
            GameSession& game = window->play().session();
            if (game.phase() != PhaseOpening || !window->play().screen().waitingForButton()) {
                return false;
            }
            square = game.record().players[0].currentSquare;
            finished = game.record().players[0].finishState;
            soundDuringGame = window->play().screen().sounds().anyPlaying();
            window->close();
            return true;
        });
        QVERIFY(QTest::qWaitFor([&] { return reopened.done(); }, 10000));
        QCOMPARE(square, 0);
        QCOMPARE(finished, 0);
        QVERIFY(soundDuringGame);
        QTRY_VERIFY_WITH_TIMEOUT(!window->play().stepping(), 5000);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!window->play().screen().sounds().anyPlaying());
        QVERIFY(notifier.notices.empty());
        window.reset();
        const std::string place = folder.path();
        folder.remove();
        QVERIFY(!fs::exists(place));
    }

    void fullScreenScalesWithBlackBarsAndIsRemembered() {
        test::CapturingNotifier notifier;
        player::PlayFolder folder;
        std::unique_ptr<PlayerWindow> window = openWindow(folder, notifier);
        QVERIFY(window);
        window->setGeometry(60, 50, PlayView::kWidth, PlayView::kHeight);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The board is drawn when the game starts; no step runs for now.
        window->startGame();
        window->play().setTimerRunning(false);
        PlayView* view = window->play().view();

        QTest::keyClick(window.get(), Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(window->isFullScreen(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(view->size() != QSize(PlayView::kWidth, PlayView::kHeight), 5000);
        // The largest area of the frame's proportions, centred, black around.
        const QRect area = view->frameArea();
        QVERIFY(area.width() == view->width() || area.height() == view->height());
        QVERIFY(std::abs(area.width() * PlayView::kHeight - area.height() * PlayView::kWidth) <=
                PlayView::kWidth);
        QVERIFY(std::abs(area.center().x() - view->rect().center().x()) <= 1);
        QVERIFY(std::abs(area.center().y() - view->rect().center().y()) <= 1);
        QVERIFY(area.left() > 0 || area.top() > 0);
        const QImage scaled = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(scaled.pixelColor(view->fromFrame(QPoint(400, 100))), kBoardColour);
        const QPoint bar = area.left() > 0 ? QPoint(area.left() / 2, view->height() / 2)
                                           : QPoint(view->width() / 2, area.top() / 2);
        QCOMPARE(scaled.pixelColor(bar), QColor(Qt::black));
        QCOMPARE(view->toFrame(bar), QPoint(-1, -1));
        QCOMPARE(view->toFrame(view->fromFrame(QPoint(873, 400))), QPoint(873, 400));

        // Clicks on the buttons at their scaled places answer them: the
        // explanation, the rules and the selection go by. Then a stop.
        window->play().setTimerRunning(true);
        QElapsedTimer since;
        Button seen;
        Driver opening([&] {
            if (window->play().session().phase() != PhaseOpening) {
                window->play().requestStop();
                return true;
            }
            clickButton(*window, since, seen);
            return false;
        });
        QVERIFY(QTest::qWaitFor([&] { return opening.done(); }, 10000));
        QTRY_VERIFY_WITH_TIMEOUT(window->endOffer() != nullptr, 5000);

        // Back to the window with F11; the normal place is remembered also
        // when the player closes full screen.
        QTest::keyClick(window.get(), Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isFullScreen(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(view->size(), QSize(PlayView::kWidth, PlayView::kHeight), 5000);
        window->resize(1000, 700);
        QTest::keyClick(window.get(), Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(window->isFullScreen(), 5000);
        window->close();
        const std::optional<PlayerWindowPlace> place = readPlayerWindowPlace();
        QVERIFY(place.has_value());
        QCOMPARE(QSize(place->width, place->height), QSize(1000, 700));
        QVERIFY(place->fullScreen);
        window.reset();

        std::unique_ptr<PlayerWindow> again = openWindow(folder, notifier);
        again->showAtRememberedPlace();
        QTRY_VERIFY_WITH_TIMEOUT(again->isFullScreen(), 5000);
        QVERIFY(QTest::qWaitForWindowActive(again.get()));
        QTest::keyClick(again.get(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!again->isFullScreen(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(again->size(), QSize(1000, 700), 5000);
        again->close();
        QVERIFY(notifier.notices.empty());
    }

    void brokenAndForeignFilesGetTheOpeningMessages() {
        const QByteArray built = QByteArray::fromStdString(test::readText(game_));
        const std::string cut = root_->file("cut.sgr");
        test::writeText(cut, built.left(built.size() - 100).toStdString());
        // A well-formed game followed by an entry that climbs out.
        QByteArray hostile = built;
        const QByteArray name("..\\..\\..\\evil.txt");
        const quint32 head[3] = {0, static_cast<quint32>(name.size() + 1), 4};
        hostile.append(reinterpret_cast<const char*>(head), sizeof head);
        hostile.append(name).append('\0').append("evil");
        const std::string climbing = root_->file("climbing.sgr");
        test::writeText(climbing, hostile.toStdString());
        test::writeText(root_->file("notes.txt"), "not a game");

        struct Case {
            std::string file;
            const char* message;
        };
        const Case cases[] = {
            {cut, "ファイルを開けませんでした。"},
            {climbing, "ファイルを開けませんでした。"},
            {root_->file("missing.sgr"), "ファイルが見つかりませんでした。"},
            {root_->file("notes.txt"), "未知のファイル拡張子が指定されました。"},
        };
        for (const Case& c : cases) {
            test::CapturingNotifier notifier;
            player::PlayFolder folder;
            QVERIFY(folder.create(temp_));
            player::OpenedGame game;
            QVERIFY(!player::openGameForPlay(c.file, folder.gameFolder(), notifier, game));
            QVERIFY(game.record == nullptr);
            QCOMPARE(notifier.notices.size(), std::size_t{1});
            QCOMPARE(notifier.notices[0].caption, std::string(kOpenCaption));
            QCOMPARE(notifier.notices[0].text, std::string(c.message) + "\n\n" + c.file);
        }
        QVERIFY(!fs::exists(temp_ + "/evil.txt"));
        QVERIFY(!fs::exists(root_->file("evil.txt")));

        // The player shows the message in a box over nothing, and ends.
        MessageBoxNotifier boxes;
        QString shown;
        QTimer::singleShot(100, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                shown = box->windowTitle() + "|" + box->text();
                box->accept();
            }
        });
        player::OpenedGame game;
        player::PlayFolder folder;
        QVERIFY(folder.create(temp_));
        QVERIFY(!player::openGameForPlay(cut, folder.gameFolder(), boxes, game));
        QCOMPARE(shown,
                 QStringLiteral("雙六（四季彩コレクション）|ファイルを開けませんでした。\n\n") +
                     QString::fromStdString(cut));

        // With --auto the error goes to standard error, with status 1.
        QByteArray errors;
        QCOMPARE(runPlayer({"--auto", QString::fromStdString(cut)}, &errors), 1);
        QVERIFY(errors.contains("\nbanmen-player: " + QByteArray::fromStdString(cut) + ": ") ||
                errors.startsWith("banmen-player: " + QByteArray::fromStdString(cut) + ": "));
    }

    void commandLine() {
        const player::PlayerOptions good =
            player::parsePlayerArguments({"--auto", "--seed", "7", "g.sgr"});
        QVERIFY(good.error.empty());
        QVERIFY(good.autoPlay);
        QCOMPARE(good.seed.value_or(0), 7u);
        QCOMPARE(good.file, std::string("g.sgr"));
        QCOMPARE(player::parsePlayerArguments({"--", "-x.sgr"}).file, std::string("-x.sgr"));
        for (const std::vector<std::string>& bad :
             std::vector<std::vector<std::string>>{{},
                                                   {"a.sgr", "b.sgr"},
                                                   {"--seed", "7", "g.sgr"},
                                                   {"--auto", "--seed", "x", "g.sgr"},
                                                   {"--auto", "--seed"},
                                                   {"--fast", "g.sgr"}}) {
            QVERIFY(!player::parsePlayerArguments(bad).error.empty());
        }
        QByteArray out;
        QCOMPARE(runPlayer({"--fast", "g.sgr"}, &out), 2);
        QProcess version;
        version.start(QString::fromStdString(playerProgram()), {"--version"});
        QVERIFY(version.waitForFinished(10000));
        QCOMPARE(version.exitCode(), 0);
        QVERIFY(version.readAllStandardOutput().startsWith("banmen-player 10."));
    }

    void onlyFoldersOfPlayersGoneAreSwept() {
        test::TempDir parent;
        const std::string gone = parent.file("banmen-player-gone01");
        const std::string reused = parent.file("banmen-player-reused");
        const std::string running = parent.file("banmen-player-runnin");
        const std::string unmarked = parent.file("banmen-player-nomark");
        const std::string foreign = parent.file("other-gone01");
        // A process id beyond any the system hands out.
        writeOwner(gone, "2147483646 5\n");
        writeOwner(foreign, "2147483646 5\n");
        // This process's id with another start: the id was used again.
        writeOwner(reused, std::to_string(getpid()) + " 1\n");
        writeOwner(running, std::to_string(getpid()) + " " + ownStart() + "\n");
        fs::create_directories(unmarked);
        QCOMPARE(player::removeStalePlayFolders(parent.path()), 2);
        QVERIFY(!fs::exists(gone));
        QVERIFY(!fs::exists(reused));
        QVERIFY(fs::exists(running) && fs::exists(unmarked) && fs::exists(foreign));
    }

    void temporaryFoldersOfKilledPlayersGoAtTheNextStart() {
        // A player waiting in the opening, and one killed there.
        QProcess* waiting = startPlayer({QString::fromStdString(game_)});
        QVERIFY(waiting->waitForStarted(10000));
        QTRY_COMPARE_WITH_TIMEOUT(playFolders(temp_).size(), 1, 20000);
        const QString waitingFolder = playFolders(temp_).front();
        QProcess* killed = startPlayer({QString::fromStdString(game_)});
        QVERIFY(killed->waitForStarted(10000));
        QTRY_COMPARE_WITH_TIMEOUT(playFolders(temp_).size(), 2, 20000);
        // Extracted: the packed record is there.
        QStringList both = playFolders(temp_);
        both.removeOne(waitingFolder);
        const std::string killedFolder = temp_ + "/" + both.front().toStdString();
        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(killedFolder + "/game/game.sgp"), 10000);
        ::kill(static_cast<pid_t>(killed->processId()), SIGKILL);
        QVERIFY(killed->waitForFinished(10000));
        QVERIFY(fs::exists(killedFolder));

        // The next player (a whole game by computers) removes the killed
        // player's folder, keeps the waiting one's, and leaves nothing.
        QCOMPARE(runPlayer({"--auto", "--seed", "3", QString::fromStdString(game_)}), 0);
        QCOMPARE(playFolders(temp_), QStringList{waitingFolder});

        // Asked to stop from outside, a player ends cleanly.
        ::kill(static_cast<pid_t>(waiting->processId()), SIGTERM);
        QVERIFY(waiting->waitForFinished(20000));
        QCOMPARE(waiting->exitStatus(), QProcess::NormalExit);
        QCOMPARE(waiting->exitCode(), 0);
        delete waiting;
        delete killed;
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::PlayerTest)
#include "player_test.moc"
