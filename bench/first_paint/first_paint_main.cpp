// Helper of the editor's start-up benchmark: starts either the editor's
// window as the program does (banmen-first-paint, linked like the editor)
// or a bare QMainWindow of the same size with the same menu titles
// (banmen-first-paint-bare, linked with Qt Widgets alone), prints the
// monotonic clock (nanoseconds) at the window's first paint and ends at
// once.

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#ifndef BANMEN_BARE_WINDOW
#include "editor/dialogs/message_box_notifier.h"
#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"
#include "platform/settings/player_settings.h"
#endif

namespace {

class FirstPaint : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            std::_Exit(0);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaint watcher;
#ifndef BANMEN_BARE_WINDOW
    {
        banmen::installDefaultFolderProviders();
        auto* notifier = new banmen::MessageBoxNotifier;
        auto* document = new banmen::EditorDocument(*notifier);
        auto* window = new banmen::EditorWindow(*document);
        notifier->setParentWidget(window);
        window->installEventFilter(&watcher);
        window->show();
    }
#else
    {
        auto* window = new QMainWindow;
        // The editor's menu titles: the same text needs the same fonts.
        for (const char* title :
             {"ﾌｧｲﾙ(&F)", "編集(&E)", "ﾏｯﾌﾟ(&M)", "挿入(&I)", "ﾋﾞﾙﾄﾞ(&B)", "ﾍﾙﾌﾟ(&H)"}) {
            window->menuBar()->addMenu(QString::fromUtf8(title));
        }
        auto* client = new QWidget(window);
        client->setFixedSize(980, 616);
        window->setCentralWidget(client);
        window->installEventFilter(&watcher);
        window->show();
    }
#endif
    return QApplication::exec();
}
