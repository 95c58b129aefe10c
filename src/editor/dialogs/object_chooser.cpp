#include "editor/dialogs/object_chooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

QString nameText(const char* name, std::size_t width) {
    return QString::fromStdString(sjis::toUtf8Lossy(fieldText(name, width)));
}

}  // namespace

ObjectChooser::ObjectChooser(const GameRecord& record, ObjectKind kind, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setObjectName("objectChooser");
    setWindowTitle(QStringLiteral(" 盤面工房　オブジェクト選択"));
    const bool sounds = kind == ObjectKind::Sound;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(sounds ? QStringLiteral("サウンドを選択して下さい")
                                        : QStringLiteral("イメージを選択して下さい"),
                                 this));
    list_->setObjectName("objects");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(240, 260);
    const int count = sounds ? kSoundCount : kImageCount;
    for (int i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (sounds ? !isSoundRef(record, i) : !isImageRef(record, i)) {
            continue;
        }
        const QString name = sounds ? nameText(record.sounds[slot].name, sizeof(SoundDef::name))
                                    : nameText(record.images[slot].name, sizeof(ImageDef::name));
        auto* item = new QListWidgetItem(name, list_);
        item->setData(Qt::UserRole, i);
    }
    layout->addWidget(list_, 1);

    auto* buttons = new QDialogButtonBox(this);
    choose_ = buttons->addButton(QStringLiteral("選択"), QDialogButtonBox::AcceptRole);
    choose_->setObjectName("choose");
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName("cancel");
    layout->addWidget(buttons);
    choose_->setEnabled(false);

    connect(buttons, &QDialogButtonBox::accepted, this, &ObjectChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ObjectChooser::reject);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this] { choose_->setEnabled(!list_->selectedItems().isEmpty()); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        item->setSelected(true);
        accept();
    });
}

void ObjectChooser::accept() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    chosen_ = selected.front()->data(Qt::UserRole).toInt();
    QDialog::accept();
}

std::optional<int> chooseObject(QWidget* parent, const GameRecord& record, ObjectKind kind) {
    ObjectChooser chooser(record, kind, parent);
    if (chooser.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chooser.chosen();
}

}  // namespace banmen
