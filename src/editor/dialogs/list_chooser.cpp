#include "editor/dialogs/list_chooser.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace banmen {

ListChooser::ListChooser(QWidget* parent) : QDialog(parent), list_(new QListWidget(this)) {}

void ListChooser::addListAndButtons(QVBoxLayout* layout) {
    layout->addWidget(list_, 1);
    auto* buttons = new QDialogButtonBox(this);
    choose_ = buttons->addButton(QStringLiteral("選択"), QDialogButtonBox::AcceptRole);
    choose_->setObjectName("choose");
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName("cancel");
    layout->addWidget(buttons);
    choose_->setEnabled(false);

    connect(buttons, &QDialogButtonBox::accepted, this, &ListChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ListChooser::reject);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this] { choose_->setEnabled(list_->selectedItems().size() == 1); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->clearSelection();
        item->setSelected(true);
        accept();
    });
}

void ListChooser::accept() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.size() != 1) {
        return;
    }
    chosen_ = selected.front()->data(Qt::UserRole).toInt();
    QDialog::accept();
}

}  // namespace banmen
