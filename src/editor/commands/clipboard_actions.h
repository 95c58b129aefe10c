#pragma once
// The editor's clipboard and the object list commands, over the document
// alone: copy, paste, paste settings, duplicate, delete and delete all. Each
// change is one edit named after what it did ("マス5の貼り付け", "イメージ3の
// 複製", "マス2の削除"). `show`, when given, is called inside that edit with
// the object to select afterwards, so that undo and redo bring the
// selection back with the step. The commands that bind these (reading the
// page first, ending route mode, refreshing the menus) are in
// edit_commands.cpp.

#include <cstdint>
#include <functional>
#include <optional>

#include "editor/document/selection.h"
#include "model/edit_state.h"

namespace banmen {

class EditorDocument;

using ShowObject = std::function<void(Selection)>;

// The object's whole definition into the slot of its kind; the slot is full
// exactly when this succeeds (a square, image or sound slot not in use
// fails). Nothing for the game settings.
bool copyObject(EditorDocument& document, Selection object);

// A new square from the square slot at the point, or at the automatic insert
// position: named after the copied one with " ｺﾋﾟｰ<n>". Its index, or -1
// (empty slot, all squares in use).
int pasteSquare(EditorDocument& document, std::optional<BoardPoint> at,
                const ShowObject& show = {});

// The slot of the object's kind pasted over it; it keeps its identity (see
// PasteSettings). False when the slot is empty or nothing changed.
bool pasteSettingsOnto(EditorDocument& document, Selection target, const ShowObject& show = {});

// A new square (at the insert position) or image with the settings of the
// source; a duplicated image gets a copy of its picture file. Its index, or
// -1 (other kinds, no free slot).
int duplicateObject(EditorDocument& document, Selection source, const ShowObject& show = {});

// Deletes a square, image or sound; the object shown afterwards is the next
// of its kind in use, or the game when none is left. False for other kinds
// and free slots.
bool deleteObject(EditorDocument& document, Selection object, const ShowObject& show = {});
// Every square, image or sound; the game is shown afterwards.
bool deleteAllObjects(EditorDocument& document, ObjectKind kind, const ShowObject& show = {});

}  // namespace banmen
