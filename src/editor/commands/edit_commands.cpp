#include "editor/commands/edit_commands.h"

#include "editor/commands/clipboard_actions.h"
#include "editor/commands/command_ids.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/window/editor_window.h"

namespace banmen {
namespace {

// Shows an object an edit made or changed: the selector lists the new
// captions and the page loads the object again.
ShowObject shower(EditorWindow& window) {
    return [&window](Selection object) {
        window.fillObjectSelector();
        window.clearSelection();
        window.selectObject(object, false);
    };
}

const MapContext& menuContext(EditorWindow& window) {
    return window.mapView()->editor().context();
}

Selection contextSquare(EditorWindow& window) {
    return {ObjectKind::Square, menuContext(window).square};
}

// Ends route mode and reads the page; false when the page refused.
bool prepare(EditorWindow& window) {
    window.endRouteMode();
    return window.readPages();
}

void copy(EditorWindow& window, Selection object) {
    if (object.kind == ObjectKind::Game || !prepare(window)) {
        return;
    }
    copyObject(window.document(), object);
    window.updateMenus();
}

void paste(EditorWindow& window, std::optional<BoardPoint> at) {
    if (prepare(window)) {
        pasteSquare(window.document(), at, shower(window));
    }
}

// The pasted object, or the selected one when another was pasted onto,
// shows again (its page reloads and its caption may have changed).
void pasteSettings(EditorWindow& window, Selection target) {
    if (!prepare(window)) {
        return;
    }
    const Selection selected = window.document().selection();
    pasteSettingsOnto(window.document(), target, [&](Selection) { shower(window)(selected); });
}

void duplicate(EditorWindow& window, Selection source) {
    if (prepare(window)) {
        duplicateObject(window.document(), source, shower(window));
    }
}

// The Edit menu and the Delete key delete the selected object at once; the
// page's input goes with it.
void deleteSelected(EditorWindow& window) {
    window.endRouteMode();
    deleteObject(window.document(), window.document().selection(), shower(window));
}

// The context menu deletes the square under it. The selection moves on only
// when it was that square; anything else is selected again under its new
// caption.
void deleteUnderMenu(EditorWindow& window) {
    if (!prepare(window)) {
        return;
    }
    const Selection target = contextSquare(window);
    const Selection selected = window.document().selection();
    deleteObject(window.document(), target,
                 [&](Selection next) { shower(window)(selected == target ? next : selected); });
}

}  // namespace

void bindEditCommands(EditorWindow& window) {
    CommandRouter& commands = window.commands();
    EditorDocument& document = window.document();
    auto selected = [&document] { return document.selection(); };

    for (const int id : {kCmdCopy, kCmdCopySettings}) {
        commands.bind(id, [&window, selected] { copy(window, selected()); });
    }
    commands.bind(kCmdPaste, [&window, selected] {
        if (selected().isSquare()) {
            paste(window, std::nullopt);
        }
    });
    commands.bind(kCmdPasteSettings, [&window, selected] { pasteSettings(window, selected()); });
    commands.bind(kCmdDuplicate, [&window, selected] { duplicate(window, selected()); });
    commands.bind(kCmdDelete, [&window] { deleteSelected(window); });
    commands.bind(kCmdDeleteAll, [&window, selected] {
        window.endRouteMode();
        deleteAllObjects(window.document(), selected().kind, shower(window));
    });

    for (const int id : {kCmdContextCopy, kCmdContextCopySettings}) {
        commands.bind(id, [&window] { copy(window, contextSquare(window)); });
    }
    commands.bind(kCmdContextPaste, [&window] {
        const QPoint at = menuContext(window).position;
        paste(window, BoardPoint{at.x(), at.y()});
    });
    commands.bind(kCmdContextPasteSettings,
                  [&window] { pasteSettings(window, contextSquare(window)); });
    commands.bind(kCmdContextDuplicate, [&window] { duplicate(window, contextSquare(window)); });
    commands.bind(kCmdContextDelete, [&window] { deleteUnderMenu(window); });
}

}  // namespace banmen
