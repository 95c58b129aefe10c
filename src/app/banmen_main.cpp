// The editor: opens its main window, with the file named on the command line
// ("banmen FILE", or "banmen --debug-square N FILE" to start a square debug
// run from square N once the file is open); "banmen --help" and
// "banmen --version" print and end. "banmen /INSTALL" and
// "banmen /UNINSTALL" register or remove the file types for the current user
// and end without a window.
//
// BANMEN_SCREENSHOT=<file.png> saves a picture of the window shortly after
// start-up and quits (tools/screenshot-editor.sh); an open message box or
// dialog goes to <file>-modal.png. The window's title goes to standard
// output, since the picture cannot show it.
//
// BANMEN_PLAY_SHOTS=<folder> plays a test run of the opened game by itself
// (the square debug run when one was asked for), saves a picture at each
// stage of it into the folder and quits when the run has ended
// (tools/screenshot-play.sh). The pictures' names go to standard output.
// BANMEN_PLAY_DICE=3,1,6 makes the dice of that run land on those faces.

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/dialogs/message_box_notifier.h"
#include "editor/dialogs/qt_texts.h"
#include "editor/document/editor_document.h"
#include "editor/play/play_autopilot.h"
#include "editor/play/play_controller.h"
#include "editor/window/command_line.h"
#include "editor/window/editor_window.h"
#include "editor/window/startup_sequence.h"
#include "platform/base_folder.h"
#include "platform/file_version.h"
#include "platform/settings/player_settings.h"
#include "platform/settings/registration_switches.h"

namespace {

constexpr int kScreenshotDelayMs = 500;

void scheduleScreenshot(QWidget& window, const QString& file) {
    QTimer::singleShot(kScreenshotDelayMs, &window, [&window, file] {
        bool saved = window.grab().save(file, "PNG");
        if (QWidget* modal = QApplication::activeModalWidget()) {
            const QFileInfo info(file);
            const QString modalFile = info.path() + "/" + info.completeBaseName() + "-modal.png";
            saved = modal->grab().save(modalFile, "PNG") && saved;
        }
        std::printf("%s\n", window.windowTitle().toStdString().c_str());
        if (!saved) {
            std::fprintf(stderr, "cannot write %s\n", file.toStdString().c_str());
        }
        QCoreApplication::exit(saved ? EXIT_SUCCESS : EXIT_FAILURE);
    });
}

void schedulePlayShots(banmen::EditorWindow& window, const QString& folder, bool squareDebug) {
    banmen::forceDiceFromEnvironment(window.play());
    auto* pilot = new banmen::PlayAutopilot(window.play(), window, folder, &window);
    QObject::connect(pilot, &banmen::PlayAutopilot::finished, &window, [pilot] {
        for (const QString& shot : pilot->shots()) {
            std::printf("%s\n", shot.toStdString().c_str());
        }
        QCoreApplication::exit(pilot->shots().isEmpty() ? EXIT_FAILURE : EXIT_SUCCESS);
    });
    if (!squareDebug) {
        QTimer::singleShot(kScreenshotDelayMs, &window, [&window] { window.startTestRun(); });
    }
}

}  // namespace

int main(int argc, char** argv) {
    // "/INSTALL" and "/UNINSTALL" register or remove the file types and end
    // before anything of the window starts.
    if (const auto registration =
            banmen::FindRegistrationSwitch(std::vector<std::string>(argv + 1, argv + argc))) {
        return banmen::RunRegistrationSwitch(*registration, banmen::ModulePath());
    }
    // Read before Qt starts, so that --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const banmen::StartupCommand command = banmen::parseStartupCommand(arguments);
    if (command.action == banmen::StartupCommand::Action::Help) {
        std::fputs(banmen::startupUsage().c_str(), stdout);
        return EXIT_SUCCESS;
    }
    if (command.action == banmen::StartupCommand::Action::Version) {
        std::array<int, 4> version{};
        (void)banmen::parseVersionString(banmen::kProgramFileVersion, version);
        std::printf("banmen %d.%d.%d.%d\n", version[0], version[1], version[2], version[3]);
        return EXIT_SUCCESS;
    }
    if (!command.valid) {
        std::fputs(banmen::startupUsage().c_str(), stderr);
        return 2;
    }

    QApplication app(argc, argv);
    (void)banmen::installJapaneseQtTexts(app);
    // New games take their pictures, and games their default sounds, from
    // the folders the companion player's settings name.
    banmen::installDefaultFolderProviders();

    banmen::MessageBoxNotifier notifier;
    banmen::EditorDocument document(notifier);
    banmen::EditorWindow window(document);
    notifier.setParentWidget(&window);

    bool welcome = true;
    if (const char* shot = std::getenv("BANMEN_SCREENSHOT"); shot != nullptr && *shot != 0) {
        scheduleScreenshot(window, QString::fromLocal8Bit(shot));
        welcome = false;
    } else if (const char* shots = std::getenv("BANMEN_PLAY_SHOTS");
               shots != nullptr && *shots != 0) {
        schedulePlayShots(window, QString::fromLocal8Bit(shots), command.debugSquare >= 0);
        welcome = false;
    }

    window.show();
    // Once the loop runs, so that message boxes sit over the window.
    QTimer::singleShot(0, &window, [&window, command, welcome] {
        banmen::runStartupSequence(window, command, welcome);
    });
    return QApplication::exec();
}
