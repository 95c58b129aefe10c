#pragma once
// The object chooser (resource 142): the names of every sound (or image) in
// use, in slot order. "選択" is enabled while an item is selected; a
// double-click chooses at once.

#include <QDialog>
#include <optional>

#include "model/game_record.h"
#include "model/object_kind.h"

class QListWidget;
class QPushButton;

namespace banmen {

class ObjectChooser : public QDialog {
    Q_OBJECT

  public:
    // `kind` is Sound or Image.
    ObjectChooser(const GameRecord& record, ObjectKind kind, QWidget* parent);

    std::optional<int> chosen() const { return chosen_; }
    QListWidget* list() const { return list_; }
    QPushButton* chooseButton() const { return choose_; }

    void accept() override;

  private:
    QListWidget* list_;
    QPushButton* choose_;
    std::optional<int> chosen_;
};

std::optional<int> chooseObject(QWidget* parent, const GameRecord& record, ObjectKind kind);

}  // namespace banmen
