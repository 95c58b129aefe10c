#pragma once
// The map view: the board picture with the routes, pieces and squares drawn
// over it while editing, and the mouse that edits them (MapEditor). The
// picture is composed off screen (MapCanvas) and only the cells where
// something changed are drawn again. During a run the view is hidden and the
// play screen takes its place.
//
// The view never writes the record itself: its editor makes every change an
// edit of the document. What it needs of the window comes through a MapHost;
// until the window gives one, the document alone serves.

#include <QColor>
#include <QWidget>
#include <memory>

#include "editor/document/document_change.h"
#include "editor/document/selection.h"
#include "editor/map/board_picture.h"
#include "editor/map/map_canvas.h"
#include "editor/map/map_editor.h"
#include "editor/map/map_host.h"
#include "editor/map/map_sprites.h"

class QMenu;

namespace banmen {

class EditorDocument;
class MapArming;

class MapView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    // Shown where the game has no board picture or it cannot be read.
    static QColor backgroundColor() { return {0xf2, 0xef, 0xe6}; }

    explicit MapView(EditorDocument& document, QWidget* parent = nullptr);
    ~MapView() override;

    // The square drawn as selected (-1 for none) and the slot of its route
    // whose target is highlighted (-1 for none).
    void setSelection(int square, int highlightSlot = -1);
    // Pictures are read again (their files changed).
    void reloadPictures();

    void setHost(MapHost& host);
    MapEditor& editor() { return *editor_; }
    const MapSprites& sprites() const { return sprites_; }
    // The map as drawn off screen, up to date with the record.
    const QImage& composedMap();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void onDocumentChanged(const DocumentChange& change);
    void onSelectionChanged(Selection selection);
    // Brings the canvas up to date and asks for the part that changed.
    void refresh();
    QRegion refreshCanvas();
    void openContextMenu(QPoint at, QPoint global);
    void updateCursor();

    EditorDocument& document_;
    DocumentMapHost ownHost_;
    std::unique_ptr<MapEditor> editor_;
    MapArming* arming_ = nullptr;
    MapSprites sprites_;
    BoardPicture board_;
    qint64 boardKey_ = -1;
    bool boardShown_ = false;
    bool reloadPieces_ = true;
    MapCanvas canvas_;
    QMenu* contextMenu_ = nullptr;
    int selectedSquare_ = -1;
    int highlightSlot_ = -1;
    bool stale_ = true;
    bool refreshPosted_ = false;
};

}  // namespace banmen
