// The editor: opens its main window, with the file named on the command line.
//
// BANMEN_SCREENSHOT=<file.png> saves a picture of the window shortly after
// start-up and quits (tools/screenshot-editor.sh); an open message box or
// dialog goes to <file>-modal.png. The window's title goes to standard
// output, since the picture cannot show it.

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "editor/command_line.h"
#include "editor/editor_document.h"
#include "editor/editor_window.h"
#include "editor/message_box_notifier.h"
#include "platform/settings/player_settings.h"

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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // New games take their pictures, and games their default sounds, from
    // the folders the companion player's settings name.
    banmen::installDefaultFolderProviders();

    banmen::MessageBoxNotifier notifier;
    banmen::EditorDocument document(notifier);
    banmen::EditorWindow window(document);
    notifier.setParentWidget(&window);

    if (const char* shot = std::getenv("BANMEN_SCREENSHOT"); shot != nullptr && *shot != 0) {
        scheduleScreenshot(window, QString::fromLocal8Bit(shot));
    }

    window.show();
    const std::string path = banmen::startupFilePath(QCoreApplication::arguments());
    if (!path.empty()) {
        // Opened once the loop runs, so that a failure's message box sits over
        // the window. Failures have been told; the defaults stay open.
        QTimer::singleShot(0, &window, [&window, path] { (void)window.openFile(path); });
    }
    return QApplication::exec();
}
