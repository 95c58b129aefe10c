#include "editor/dialogs/object_chooser.h"

#include <QLabel>
#include <QListWidget>
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
    : ListChooser(parent) {
    QListWidget* items = list();
    setObjectName("objectChooser");
    setWindowTitle(QStringLiteral(" 盤面工房　オブジェクト選択"));
    const bool sounds = kind == ObjectKind::Sound;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(sounds ? QStringLiteral("サウンドを選択して下さい")
                                        : QStringLiteral("イメージを選択して下さい"),
                                 this));
    items->setObjectName("objects");
    items->setSelectionMode(QAbstractItemView::SingleSelection);
    items->setMinimumSize(240, 260);
    const int count = sounds ? kSoundCount : kImageCount;
    for (int i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (sounds ? !isSoundRef(record, i) : !isImageRef(record, i)) {
            continue;
        }
        const QString name = sounds ? nameText(record.sounds[slot].name, sizeof(SoundDef::name))
                                    : nameText(record.images[slot].name, sizeof(ImageDef::name));
        auto* item = new QListWidgetItem(name, items);
        item->setData(Qt::UserRole, i);
    }
    addListAndButtons(layout);
}

std::optional<int> chooseObject(QWidget* parent, const GameRecord& record, ObjectKind kind) {
    ObjectChooser chooser(record, kind, parent);
    if (chooser.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chooser.chosen();
}

}  // namespace banmen
