#include "editor/pages/reference_fields.h"

#include "editor/dialogs/object_chooser.h"
#include "editor/dialogs/picture_chooser.h"
#include "editor/document/editor_document.h"
#include "editor/document/object_captions.h"
#include "editor/pages/page_text.h"
#include "editor/pages/picture_painting.h"
#include "editor/pages/table_page.h"
#include "editor/window/editor_window.h"
#include "model/routes.h"
#include "model/text_field.h"

namespace banmen {

// --- Pictures

QString PictureField::shownText() const {
    const std::int32_t image = value();
    const GameRecord& record = page_.record();
    return isImageRef(record, image)
               ? pageTextFromRecord(fieldText(record.images[static_cast<std::size_t>(image)].name))
               : QString();
}

void PictureField::select() {
    const std::optional<int> image =
        choosePicture(&page_.window(), page_.record(), page_.document().folder());
    if (image) {
        writeValue(*image);
    }
}

void PictureField::paint() {
    paintReferencedPicture(page_, row_);
}

void PictureField::clear() {
    writeValue(-1);
}

void PictureField::doubleClicked(int control) {
    if (control == row_.control && isImageRef(page_.record(), value())) {
        page_.selectObject({ObjectKind::Image, value()});
    }
}

// --- Sounds

QString SoundField::shownText() const {
    const std::int32_t sound = value();
    const GameRecord& record = page_.record();
    return isSoundRef(record, sound)
               ? pageTextFromRecord(fieldText(record.sounds[static_cast<std::size_t>(sound)].name))
               : QString();
}

void SoundField::select() {
    const std::optional<int> sound =
        chooseObject(&page_.window(), page_.record(), ObjectKind::Sound);
    if (sound) {
        writeValue(*sound);
    }
}

void SoundField::clear() {
    writeValue(-1);
}

void SoundField::doubleClicked(int control) {
    if (control == row_.control && isSoundRef(page_.record(), value())) {
        page_.selectObject({ObjectKind::Sound, value()});
    }
}

// --- Squares

QString SquareField::shownText() const {
    return objectCaption(page_.record(), {ObjectKind::Square, value()});
}

void SquareField::picked(int square) {
    if (row_.type != RowType::NextSquare) {
        writeValue(square);
        return;
    }
    const int from = page_.index();
    const int slot = row_.sub;
    page_.edit(row_, [&](RecordOwner& owner) { SetRouteSlot(owner, from, slot, square); });
}

void SquareField::clear() {
    writeValue(-1);
}

void SquareField::doubleClicked(int control) {
    if (control == row_.control && isSquareRef(page_.record(), value())) {
        page_.selectObject({ObjectKind::Square, value()});
    }
}

}  // namespace banmen
