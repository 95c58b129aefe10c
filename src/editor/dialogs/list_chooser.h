#pragma once
// What the picture and object choosers share: a list whose items carry an
// object's index, and "選択" / "キャンセル" below it. "選択" is enabled while
// exactly one item is selected; a double-click chooses that item at once.

#include <QDialog>
#include <optional>

class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace banmen {

class ListChooser : public QDialog {
    Q_OBJECT

  public:
    // The index of the item chosen, once the dialog was accepted.
    std::optional<int> chosen() const { return chosen_; }

    QListWidget* list() const { return list_; }
    QPushButton* chooseButton() const { return choose_; }

    void accept() override;

  protected:
    explicit ListChooser(QWidget* parent);
    // Puts the list, then the buttons, into `layout`. Items carry their
    // index as Qt::UserRole data.
    void addListAndButtons(QVBoxLayout* layout);

  private:
    QListWidget* list_;
    QPushButton* choose_ = nullptr;
    std::optional<int> chosen_;
};

}  // namespace banmen
