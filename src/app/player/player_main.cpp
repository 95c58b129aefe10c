// banmen-player: plays a built game (.sgr), or a workspace or project file,
// in a window of its own. See player_options.h for the command line and
// player_window.h for the window.
//
// A game file is extracted into a private temporary folder (play_folder.h),
// removed when the player ends; folders that killed players left behind are
// removed at the start. Errors go to a message box, or with --auto to
// standard error; the exit status is then 1.
//
// BANMEN_PLAY_SHOTS=<folder> plays the game by itself (PlayAutopilot),
// saves a picture at each stage of it and of the offer at its end into the
// folder, prints their names and quits (tools/screenshot-player.sh).
// BANMEN_PLAY_DICE=3,1,6 makes the dice land on those faces.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/player/game_opening.h"
#include "app/player/play_folder.h"
#include "app/player/player_options.h"
#include "app/player/player_window.h"
#include "app/player/quit_signals.h"
#include "editor/dialogs/message_box_notifier.h"
#include "editor/play/play_autopilot.h"
#include "editor/play/play_controller.h"
#include "engine/game_session.h"
#include "platform/settings/player_settings.h"

namespace {

using banmen::player::PlayerWindow;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kShotDelayMs = 300;

void fail(const std::string& file, const banmen::Status& status) {
    std::fprintf(stderr, "banmen-player: %s: %s\n", file.c_str(), status.reason().c_str());
}

void schedulePlayShots(PlayerWindow& window, const QString& folder) {
    banmen::forceDiceFromEnvironment(window.play());
    auto* pilot = new banmen::PlayAutopilot(window.play(), window, folder, &window);
    QObject::connect(&window, &PlayerWindow::gameEnded, &window, [&window, pilot, folder] {
        QTimer::singleShot(kShotDelayMs, &window, [&window, pilot, folder] {
            QStringList shots = pilot->shots();
            const QString end = QStringLiteral("%1/%2-end")
                                    .arg(folder)
                                    .arg(shots.size() + 1, 2, 10, QLatin1Char('0'));
            if (window.grab().save(end + ".png", "PNG")) {
                shots.append(end + ".png");
            }
            if (QDialog* offer = window.endOffer();
                offer != nullptr && offer->grab().save(end + "-offer.png", "PNG")) {
                shots.append(end + "-offer.png");
            }
            for (const QString& shot : shots) {
                std::printf("%s\n", shot.toStdString().c_str());
            }
            QCoreApplication::exit(pilot->shots().isEmpty() ? kExitFailure : EXIT_SUCCESS);
        });
    });
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const banmen::player::PlayerOptions options = banmen::player::parsePlayerArguments(arguments);
    if (options.help) {
        std::fputs(banmen::player::playerHelpText().c_str(), stdout);
        return EXIT_SUCCESS;
    }
    if (options.version) {
        std::fputs(banmen::player::playerVersionText().c_str(), stdout);
        return EXIT_SUCCESS;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "banmen-player: %s\n\n%s", options.error.c_str(),
                     banmen::player::playerHelpText().c_str());
        return kExitUsage;
    }

    QApplication app(argc, argv);
    banmen::installDefaultFolderProviders();
    QPointer<PlayerWindow> window;
    banmen::player::installQuitSignals([&window] {
        if (window) {
            window->close();
        } else {
            QCoreApplication::quit();
        }
    });
    (void)banmen::player::removeStalePlayFolders();

    banmen::MessageBoxNotifier boxes;
    // A run without a person tells its errors on standard error only.
    banmen::SilentNotifier quiet;
    banmen::Notifier& notifier = options.autoPlay ? static_cast<banmen::Notifier&>(quiet) : boxes;
    banmen::player::PlayFolder folder;
    if (banmen::player::isBuiltGame(options.file)) {
        if (banmen::Status made = folder.create(); !made) {
            fail(options.file, made.withContext("cannot make a temporary folder"));
            return kExitFailure;
        }
    }
    banmen::player::OpenedGame game;
    if (banmen::Status opened =
            banmen::player::openGameForPlay(options.file, folder.gameFolder(), notifier, game);
        !opened) {
        fail(options.file, opened);
        return kExitFailure;
    }

    PlayerWindow playerWindow(*game.record, game.folder, QString::fromStdString(game.title));
    window = &playerWindow;
    int status = EXIT_SUCCESS;
    if (options.autoPlay) {
        if (options.seed) {
            banmen::PlayController::reseed(*options.seed);
        }
        playerWindow.setAutoPlay();
        QObject::connect(&playerWindow, &PlayerWindow::gameEnded, &app,
                         [&status, file = options.file](banmen::EndReason reason) {
                             if (reason != banmen::EndReason::Finished &&
                                 reason != banmen::EndReason::TurnLimit) {
                                 fail(file, banmen::Status::error(
                                                "the game was stopped before its results (" +
                                                std::string(banmen::endReasonName(reason)) + ")"));
                                 status = kExitFailure;
                             }
                             QCoreApplication::exit(status);
                         });
    } else if (const char* shots = std::getenv("BANMEN_PLAY_SHOTS");
               shots != nullptr && *shots != 0) {
        schedulePlayShots(playerWindow, QString::fromLocal8Bit(shots));
    }
    playerWindow.showAtRememberedPlace();
    playerWindow.startGame();
    const int loop = QApplication::exec();
    if (options.autoPlay && playerWindow.play().active()) {
        // Closed before the results.
        fail(options.file, banmen::Status::error("the window was closed before the results"));
        return kExitFailure;
    }
    return options.autoPlay ? status : loop;
}
