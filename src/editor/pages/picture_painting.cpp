#include "editor/pages/picture_painting.h"

#include <QTimer>

#include "editor/commands/media_import.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/pages/page_text.h"
#include "editor/pages/table_page.h"
#include "editor/window/editor_window.h"
#include "model/enum_texts.h"
#include "model/media_list.h"
#include "model/text_field.h"

namespace banmen {
namespace {

constexpr int kImageReloadDelayMs = 500;

std::string fileNameOf(const GameRecord& record, std::int32_t image) {
    return std::string(fieldText(record.images[static_cast<std::size_t>(image)].fileName));
}

void picturesChanged(TablePage& page) {
    page.refresh();
    if (MapView* map = page.window().mapView()) {
        map->reloadPictures();
    }
}

// Gives an image without a file the default file name, inside the running
// step.
void fileImage(RecordOwner& owner, std::int32_t image, const std::string& fileName) {
    if (fileNameOf(owner.record(), image).empty()) {
        if (const FieldDescriptor* file = owner.field(ObjectKind::Image, image, kFieldFileName)) {
            owner.SetText(*file, fileName);
        }
    }
}

}  // namespace

std::string paintDefaultText(const char* format, int number) {
    QString text = QString::fromUtf8(format);
    const std::string_view digit = fullWidthDigit(number);
    text.replace(QStringLiteral("%s"),
                 QString::fromUtf8(digit.data(), static_cast<qsizetype>(digit.size())));
    text.replace(QStringLiteral("%d"), QString::number(number));
    return pageTextToRecord(text);
}

void paintReferencedPicture(TablePage& page, const RowSpec& row) {
    const FieldDescriptor* field = page.descriptor(row.fieldId, row.sub);
    if (field == nullptr || row.paint.fileFormat == nullptr) {
        return;
    }
    EditorDocument& document = page.document();
    const int number = page.index() + 1;
    const std::string fileName = paintDefaultText(row.paint.fileFormat, number);
    std::int32_t image = document.owner().number(*field);
    if (!isImageRef(page.record(), image)) {
        const std::string name = paintDefaultText(row.paint.nameFormat, number);
        page.edit(row, [&](RecordOwner& owner) {
            const std::int32_t added = AddImage(owner, name, fileName);
            if (added >= 0) {
                owner.SetNumber(*field, added);
            }
        });
        image = document.owner().number(*field);
        if (!isImageRef(page.record(), image)) {
            return;  // no free image slot
        }
    } else if (fileNameOf(page.record(), image).empty()) {
        page.edit(row, [&](RecordOwner& owner) { fileImage(owner, image, fileName); });
    }
    const std::string file = fileNameOf(page.record(), image);
    const bool opened =
        row.paint.piece ? openPieceForPainting(&page.window(), document, file, page.index())
                        : openPictureForPainting(&page.window(), document, file, row.paint.width,
                                                 row.paint.height, row.paint.colour);
    if (opened) {
        picturesChanged(page);
    }
}

void paintImageFile(TablePage& page, const RowSpec& row) {
    const std::int32_t image = page.index();
    if (!isImageRef(page.record(), image)) {
        return;
    }
    if (fileNameOf(page.record(), image).empty()) {
        const std::string fileName = paintDefaultText(row.paint.fileFormat, image + 1);
        page.edit(row, [&](RecordOwner& owner) { fileImage(owner, image, fileName); });
    }
    const ImageDef& def = page.record().images[static_cast<std::size_t>(image)];
    if (openPictureForPainting(&page.window(), page.document(), fileNameOf(page.record(), image),
                               row.paint.width, row.paint.height, def.transparentColor)) {
        // The page is the timer's context: no call after it has gone.
        TablePage* shown = &page;
        QTimer::singleShot(kImageReloadDelayMs, shown, [shown] { picturesChanged(*shown); });
    }
}

}  // namespace banmen
