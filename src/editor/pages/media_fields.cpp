#include "editor/pages/media_fields.h"

#include <QColorDialog>

#include "editor/commands/media_import.h"
#include "editor/dialogs/help_editor.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/pages/page_text.h"
#include "editor/pages/picture_painting.h"
#include "editor/pages/table_page.h"
#include "editor/window/editor_window.h"

namespace banmen {

// --- File names

QString FileNameField::shownText() const {
    const FieldDescriptor* field = descriptor();
    return field != nullptr ? pageTextFromRecord(page_.document().owner().text(*field)) : QString();
}

void FileNameField::writeText(const std::string& cp932) {
    if (const FieldDescriptor* field = descriptor()) {
        page_.edit(row_, [&](RecordOwner& owner) { owner.SetText(*field, cp932); });
    }
}

void FileNameField::select() {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    EditorDocument& document = page_.document();
    if (row_.type == RowType::SoundFile) {
        if (const std::optional<ChosenMedia> chosen = chooseSoundFile(&page_.window(), document)) {
            writeText(chosen->storedName);
        }
        return;
    }
    const std::optional<ChosenMedia> chosen = choosePictureFile(&page_.window(), document);
    if (!chosen) {
        return;
    }
    // The image is named after its file, as when it is added from a file.
    const std::string name = objectNameFromFile(chosen->storedName);
    const FieldDescriptor* nameField = descriptor(kFieldName, 0);
    page_.edit(row_, [&](RecordOwner& owner) {
        owner.SetText(*field, chosen->storedName);
        if (nameField != nullptr && !name.empty()) {
            owner.SetText(*nameField, name);
        }
    });
    if (MapView* map = page_.window().mapView()) {
        map->reloadPictures();
    }
}

void FileNameField::paint() {
    if (row_.type == RowType::ImageFile) {
        paintImageFile(page_, row_);
    }
}

void FileNameField::clear() {
    writeText({});
}

// --- Transparent colour

QString colourText(std::int32_t colour) {
    return colour == -1 ? QString() : QString::asprintf("%06X", static_cast<unsigned int>(colour));
}

QString ColourField::shownText() const {
    return colourText(value());
}

void ColourField::select() {
    const std::int32_t current = value();
    const auto bgr = static_cast<std::uint32_t>(current);
    const QColor initial =
        current == -1 ? QColor(Qt::white)
                      : QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                               static_cast<int>((bgr >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(
        initial, &page_.window(), QStringLiteral("色の設定"), QColorDialog::DontUseNativeDialog);
    if (chosen.isValid()) {
        writeValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(chosen.red()) |
                                             (static_cast<std::uint32_t>(chosen.green()) << 8) |
                                             (static_cast<std::uint32_t>(chosen.blue()) << 16)));
    }
}

void ColourField::clear() {
    writeValue(-1);
}

// --- The game's help

QString HelpTextField::shownText() const {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return {};
    }
    QString text = pageTextFromRecord(page_.document().owner().text(*field));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void HelpTextField::paint() {
    const FieldDescriptor* field = descriptor();
    if (field == nullptr) {
        return;
    }
    EditorDocument& document = page_.document();
    HelpEditor editor(document.record(), document.folder(),
                      pageTextFromRecord(document.owner().text(*field)), row_.limit,
                      document.notifier(), &page_.window());
    if (editor.exec() != QDialog::Accepted) {
        return;
    }
    const std::string text = pageTextToRecord(editor.text());
    page_.edit(row_, [&](RecordOwner& owner) { owner.SetText(*field, text); });
}

void HelpTextField::clear() {
    if (const FieldDescriptor* field = descriptor()) {
        page_.edit(row_, [&](RecordOwner& owner) { owner.SetText(*field, {}); });
    }
}

}  // namespace banmen
