#pragma once
// The map view: the board picture with the routes and squares drawn over it
// while editing. It reads the record through the document and repaints on
// every change; it never writes the record itself.

#include <QColor>
#include <QWidget>
#include <memory>

#include "editor/document/document_change.h"
#include "editor/map/board_picture.h"
#include "editor/map/map_sprites.h"

namespace banmen {

class EditorDocument;

class MapView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    // Shown where the game has no board picture or it cannot be read.
    static QColor backgroundColor() { return {0xf2, 0xef, 0xe6}; }

    explicit MapView(const EditorDocument& document, QWidget* parent = nullptr);
    ~MapView() override;

    // The square drawn as selected (-1 for none) and the slot of its route
    // whose target is highlighted (-1 for none).
    void setSelection(int square, int highlightSlot = -1);
    // Pictures are read again on the next paint (their files changed).
    void reloadPictures();
    // Replaces the pictures markers and dots are drawn with.
    void setSprites(std::unique_ptr<MapSprites> sprites);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void onDocumentChanged(const DocumentChange& change);

    const EditorDocument& document_;
    std::unique_ptr<MapSprites> sprites_;
    BoardPicture board_;
    int selectedSquare_ = -1;
    int highlightSlot_ = -1;
};

}  // namespace banmen
