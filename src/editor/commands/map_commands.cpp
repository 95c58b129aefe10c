#include "editor/commands/map_commands.h"

#include "editor/commands/command_ids.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_host.h"
#include "editor/map/map_view.h"
#include "editor/pages/page_stack.h"
#include "editor/window/editor_window.h"
#include "editor/window/status_line.h"
#include "model/object_list.h"

namespace banmen {
namespace {

// The map's host in the main window.
class WindowMapHost final : public QObject, public MapHost {
  public:
    explicit WindowMapHost(EditorWindow& window) : QObject(&window), window_(window) {}

    bool readPages() override { return window_.readPages(); }
    void selectSquare(int square) override {
        window_.fillObjectSelector();
        window_.selectObject({ObjectKind::Square, square}, true);
    }
    void showObject(Selection object) override {
        window_.fillObjectSelector();
        window_.clearSelection();
        window_.selectObject(object, false);
    }
    void endRouteMode() override { window_.endRouteMode(); }
    bool mapLocked() const override { return window_.mapLocked(); }
    bool snapToGrid() const override { return window_.snapToGrid(); }
    void showCoordinates(const QString& text) override {
        window_.statusLine().setCoordinatesText(text);
    }
    void showSquareInfo(const QString& text) override { window_.statusLine().setSquareText(text); }
    void runCommand(int id) override { window_.runCommand(id); }

  private:
    EditorWindow& window_;
};

const MapContext& menuContext(EditorWindow& window) {
    return window.mapView()->editor().context();
}

// Route setting mode from the Map menu: ends the mode when it is on, else
// begins it at the selected square.
void toggleRouteMode(EditorWindow& window) {
    EditorDocument& document = window.document();
    if (!window.readPages()) {
        return;
    }
    if (document.owner().editState().routeMode) {
        window.endRouteMode();
    } else if (document.selection().isSquare()) {
        const int square = document.selection().index;
        document.edit(QStringLiteral("経路の設定"),
                      [&](RecordOwner& owner) { StartRouteMode(owner, square); });
    }
    window.pages().reloadVisible();
    window.updateMenus();
}

void selectMenuSquare(EditorWindow& window) {
    window.fillObjectSelector();
    window.selectObject({ObjectKind::Square, menuContext(window).square}, true);
}

void clearRoutes(EditorWindow& window) {
    if (!window.readPages()) {
        return;
    }
    window.document().edit(QStringLiteral("経路のクリア"),
                           [](RecordOwner& owner) { ClearRoutes(owner); });
    window.pages().reloadVisible();
    window.updateMenus();
}

// The route line under the menu goes, with its way back.
void deleteRouteUnderMenu(EditorWindow& window) {
    const std::optional<RouteLink> route = menuContext(window).route;
    if (!route || !window.readPages()) {
        return;
    }
    window.document().edit(QStringLiteral("経路の削除"), [&](RecordOwner& owner) {
        RemoveRoute(owner, route->square, route->slot);
    });
    if (window.document().selection().isSquare()) {
        window.pages().reloadVisible();
    }
}

// Picks the target of the first free link of the square under the menu, as
// the square page's LOCKON button for that link does.
void addRouteFromMenu(EditorWindow& window) {
    const int square = menuContext(window).square;
    if (!isSquareRef(window.document().record(), square)) {
        return;
    }
    selectMenuSquare(window);
    if (window.document().selection() != Selection{ObjectKind::Square, square}) {
        return;
    }
    const SquareDef& s = window.document().record().squares[square];
    for (int slot = 0; slot < kNextSquareCount; ++slot) {
        if (s.nextSquares[slot] == -1) {
            if (PropertyPage* page = window.pages().page(ObjectKind::Square)) {
                page->startPicking(kNextSquareControlFirst + slot);
            }
            return;
        }
    }
}

}  // namespace

void bindMapCommands(EditorWindow& window) {
    window.mapView()->setHost(*new WindowMapHost(window));

    CommandRouter& commands = window.commands();
    commands.bind(kCmdRouteMode, [&window] { toggleRouteMode(window); });
    commands.bind(kCmdContextRouteMode, [&window] {
        selectMenuSquare(window);
        toggleRouteMode(window);
    });
    commands.bind(kCmdRouteClear, [&window] { clearRoutes(window); });
    commands.bind(kCmdContextRouteDelete, [&window] { deleteRouteUnderMenu(window); });
    commands.bind(kCmdContextRouteAdd, [&window] { addRouteFromMenu(window); });
    commands.bind(kCmdContextNew, [&window] {
        window.mapView()->editor().addSquare(menuContext(window).position, kSquareNormal);
    });
    commands.bind(kCmdContextSquareDebug,
                  [&window] { window.startSquareDebug(menuContext(window).square); });
}

}  // namespace banmen
