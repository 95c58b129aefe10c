#pragma once
// The object chooser (resource 142): the names of every sound (or image) in
// use, in slot order. "選択" is enabled while an item is selected; a
// double-click chooses at once.

#include <optional>

#include "editor/dialogs/list_chooser.h"
#include "model/game_record.h"
#include "model/object_kind.h"

namespace banmen {

class ObjectChooser : public ListChooser {
    Q_OBJECT

  public:
    // `kind` is Sound or Image.
    ObjectChooser(const GameRecord& record, ObjectKind kind, QWidget* parent);
};

std::optional<int> chooseObject(QWidget* parent, const GameRecord& record, ObjectKind kind);

}  // namespace banmen
