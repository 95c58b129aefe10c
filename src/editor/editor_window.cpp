#include "editor/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "editor/editor_document.h"
#include "editor/map_view.h"
#include "editor/play/play_controller.h"
#include "editor/play/play_view.h"
#include "editor/status_line.h"
#include "editor/window_title.h"
#include "media/sound_device.h"

namespace banmen {

bool screenNeedsSmallFonts(double logicalDpiY, double devicePixelRatio) {
    return logicalDpiY * devicePixelRatio > 96.5;
}

EditorWindow::EditorWindow(EditorDocument& document, QWidget* parent)
    : QMainWindow(parent), document_(document), client_(new QWidget(this)) {
    // Opened for the window's life; the result does not matter (without a
    // device every sound is silent).
    ownsSoundDevice_ = OpenSoundDevice();

    client_->setObjectName("clientArea");
    client_->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client_);
    // The window follows its client area and cannot be resized by hand.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    map_ = new MapView(document_, client_);
    map_->setGeometry(0, 0, MapView::kWidth, MapView::kHeight);

    status_ = std::make_unique<StatusLine>(client_);
    status_->setLockText(QStringLiteral("マス移動可"));

    // The engine (seeded with the time) and its play timer, id 2000.
    play_ = new PlayController(client_, this);
    connect(play_, &PlayController::playEnded, this, &EditorWindow::onPlayEnded);

    buildMenus();
    connect(&document_, &EditorDocument::changed, this, &EditorWindow::onDocumentChanged);
    refreshTitle();
}

EditorWindow::~EditorWindow() {
    // The engine's sounds go before the device.
    delete play_;
    play_ = nullptr;
    if (ownsSoundDevice_) {
        CloseSoundDevice();
    }
}

Status EditorWindow::openFile(const std::string& path) {
    Status status = document_.openFile(path);
    refreshTitle();
    return status;
}

void EditorWindow::refreshTitle() {
    const QString title =
        QString::fromStdString(editorWindowTitle(document_.gameTitle(), document_.isModified()));
    if (title != windowTitle()) {
        setWindowTitle(title);
    }
}

// Any change may touch the title or the modified mark.
void EditorWindow::onDocumentChanged(const DocumentChange&) {
    refreshTitle();
}

QAction* EditorWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it != actions_.end() ? it->second : nullptr;
}

void EditorWindow::buildMenus() {
    QMenu* build = menuBar()->addMenu(QStringLiteral("ﾋﾞﾙﾄﾞ(&B)"));
    build->setObjectName("buildMenu");
    for (const RunMenuItem& item : runMenuItems(RunState::Idle, false)) {
        QAction* action = build->addAction(item.caption);
        action->setObjectName(QStringLiteral("command%1").arg(item.id));
        action->setData(item.id);
        actions_[item.id] = action;
    }
    connect(action(kCmdRun), &QAction::triggered, this, &EditorWindow::startTestRun);
    connect(action(kCmdDebug), &QAction::triggered, this, &EditorWindow::startDebugRun);
    connect(action(kCmdSquareDebug), &QAction::triggered, this,
            [this] { startSquareDebug(debugSquare_); });
    for (const int stop : {kCmdStopRun, kCmdStopDebug, kCmdStopSquareDebug}) {
        connect(action(stop), &QAction::triggered, this, &EditorWindow::stopRun);
    }
    updateMenus();
}

void EditorWindow::updateMenus() {
    // No square can be selected yet; a square debug starts from the command
    // line (and restarts from the menu).
    for (const RunMenuItem& item : runMenuItems(runState_, false)) {
        QAction* a = action(item.id);
        a->setText(item.caption);
        a->setEnabled(item.enabled);
    }
}

// --- Runs

void EditorWindow::startTestRun() {
    startRun(RunKind::Test, -1);
}

void EditorWindow::startDebugRun() {
    startRun(RunKind::Debug, -1);
}

bool EditorWindow::startSquareDebug(int square) {
    if (!isSquareRef(document_.record(), square)) {
        return false;
    }
    startRun(RunKind::SquareDebug, square);
    return true;
}

void EditorWindow::startRun(RunKind kind, int square) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Pages and the route mode are read into the record here once they
    // exist; the selector and pages are hidden.
    runState_ = kind == RunKind::Test    ? RunState::TestRun
                : kind == RunKind::Debug ? RunState::DebugRun
                                         : RunState::SquareDebugRun;
    debugSquare_ = kind == RunKind::SquareDebug ? square : -1;
    map_->resize(PlayView::kWidth, PlayView::kHeight);
    map_->hide();
    if (PlayView* view = play_->view()) {
        view->move(0, 0);
    }
    play_->start(kind, document_.record(), document_.folder(), square);
    updateMenus();
    QApplication::restoreOverrideCursor();
}

void EditorWindow::stopRun() {
    play_->requestStop();
}

void EditorWindow::onPlayEnded() {
    if (play_->stepping()) {
        // Only once the step under way has unwound.
        QTimer::singleShot(0, this, &EditorWindow::onPlayEnded);
        return;
    }
    play_->reset();
    restoreEditingLayout();
}

void EditorWindow::restoreEditingLayout() {
    runState_ = RunState::Idle;
    map_->resize(MapView::kWidth, MapView::kHeight);
    map_->show();
    updateMenus();
    refreshTitle();
}

// --- Closing

void EditorWindow::closeEvent(QCloseEvent* event) {
    // Every wait of a run ends now and its sounds stop; the run itself ends
    // once no step is under way any more.
    if (runState_ != RunState::Idle) {
        play_->abort();
        QTimer::singleShot(0, this, &EditorWindow::onPlayEnded);
    }
    QMainWindow::closeEvent(event);
}

bool EditorWindow::event(QEvent* event) {
    // Not destroyed under a running step: the step holds parts of the window.
    if (event->type() == QEvent::DeferredDelete && play_ != nullptr && play_->stepping()) {
        QTimer::singleShot(10, this, [this] { deleteLater(); });
        return true;
    }
    return QMainWindow::event(event);
}

void EditorWindow::runStartupChecks() {
    const QScreen* screen = this->screen();
    if (screen != nullptr &&
        screenNeedsSmallFonts(screen->logicalDotsPerInchY(), screen->devicePixelRatio())) {
        QMessageBox::information(
            this, QStringLiteral("盤面工房（四季彩コレクション）"),
            QStringLiteral("このソフトウェアは小さいフォント用に出来ています。\n"
                           "画面の設定を小さいフォント(96dpi)に変更してからお使いください。"));
    }
}

}  // namespace banmen
