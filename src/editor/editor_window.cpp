#include "editor/editor_window.h"

#include <QLayout>

#include "editor/editor_document.h"
#include "editor/map_view.h"
#include "editor/status_line.h"
#include "editor/window_title.h"

namespace banmen {

EditorWindow::EditorWindow(EditorDocument& document, QWidget* parent)
    : QMainWindow(parent), document_(document), client_(new QWidget(this)) {
    client_->setObjectName("clientArea");
    client_->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client_);
    // The window follows its client area and cannot be resized by hand.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    map_ = new MapView(document_, client_);
    map_->setGeometry(0, 0, MapView::kWidth, MapView::kHeight);

    status_ = std::make_unique<StatusLine>(client_);
    status_->setLockText(QStringLiteral("マス移動可"));

    connect(&document_, &EditorDocument::changed, this, &EditorWindow::onDocumentChanged);
    refreshTitle();
}

EditorWindow::~EditorWindow() = default;

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

}  // namespace banmen
