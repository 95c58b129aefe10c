#pragma once
// The editor's main window: a fixed 980 x 616 client area holding the map
// view at the top left, the object selector and property pages to its right
// (added by later parts) and the status line at the bottom. The window owns
// its widgets; the document it shows is owned by the caller.

#include <QMainWindow>
#include <memory>
#include <string>

#include "editor/document_change.h"
#include "platform/status.h"

namespace banmen {

class EditorDocument;
class MapView;
class StatusLine;

class EditorWindow : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 980;
    static constexpr int kClientHeight = 616;

    explicit EditorWindow(EditorDocument& document, QWidget* parent = nullptr);
    ~EditorWindow() override;

    // Opens a workspace or project file (the command-line file at start-up).
    Status openFile(const std::string& path);
    void refreshTitle();

    EditorDocument& document() { return document_; }
    // The client area: everything below the menu bar, in the coordinates the
    // layout is given in.
    QWidget* clientArea() const { return client_; }
    MapView* mapView() const { return map_; }
    StatusLine& statusLine() { return *status_; }

  private:
    void onDocumentChanged(const DocumentChange& change);

    EditorDocument& document_;
    QWidget* client_;
    MapView* map_;
    std::unique_ptr<StatusLine> status_;
};

}  // namespace banmen
