#pragma once
// What the map's editing asks of the window around it: reading the visible
// page, selecting squares, the lock and grid settings, the status line and
// the commands of the context menu. The main window provides one (see
// commands/map_commands.cpp); DocumentMapHost serves a map without a window.

#include <QString>

#include "editor/document/selection.h"

namespace banmen {

class EditorDocument;

class MapHost {
  public:
    virtual ~MapHost() = default;

    // The visible page into the record; false when it refused its input.
    virtual bool readPages() = 0;
    // Selects a square as a click on it does (the page is read first).
    virtual void selectSquare(int square) = 0;
    // Selects an object that an edit just made or changed, without reading
    // the page (the edit has read it); the selector lists it anew.
    virtual void showObject(Selection object) = 0;
    // Ends the route setting mode, applying its chain.
    virtual void endRouteMode() = 0;
    virtual bool mapLocked() const = 0;
    virtual bool snapToGrid() const = 0;
    // The status line's coordinates field, and its square field.
    virtual void showCoordinates(const QString& text) = 0;
    virtual void showSquareInfo(const QString& text) = 0;
    // A command of the context menu was chosen.
    virtual void runCommand(int id) = 0;
};

// A host over the document alone: selections go straight to the document,
// the status texts are kept, commands do nothing.
class DocumentMapHost : public MapHost {
  public:
    explicit DocumentMapHost(EditorDocument& document) : document_(document) {}

    bool readPages() override;
    void selectSquare(int square) override;
    void showObject(Selection object) override;
    void endRouteMode() override;
    bool mapLocked() const override { return locked; }
    bool snapToGrid() const override { return snap; }
    void showCoordinates(const QString& text) override { coordinates = text; }
    void showSquareInfo(const QString& text) override { squareInfo = text; }
    void runCommand(int id) override { lastCommand = id; }

    bool locked = false;
    bool snap = false;
    QString coordinates;
    QString squareInfo;
    int lastCommand = 0;

  private:
    EditorDocument& document_;
};

}  // namespace banmen
