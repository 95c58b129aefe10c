#include "editor/dialogs/picture_chooser.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "model/image_files.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QRgb rgbOf(std::int32_t colour) {
    const auto bgr = static_cast<std::uint32_t>(colour);
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

QImage pictureThumbnail(const QImage& picture, std::int32_t transparent) {
    if (picture.isNull()) {
        return {};
    }
    // Masked before stretching, so no blend of the key colour is left.
    QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparent == -1 ? kWhite : (rgbOf(transparent) | 0xFF000000u);
    for (int y = 0; y < source.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key) {
                line[x] = kWhite;
            }
        }
    }
    return source.scaled(kThumbnailWidth, kThumbnailHeight, Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
}

PictureChooser::PictureChooser(const GameRecord& record, const std::string& folder, QWidget* parent)
    : ListChooser(parent) {
    QListWidget* items = list();
    setObjectName("pictureChooser");
    setWindowTitle(QStringLiteral("盤面工房（四季彩コレクション） イメージ選択"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("イメージを選び選択ボタンを押してください。"), this));

    items->setObjectName("pictures");
    items->setViewMode(QListView::IconMode);
    items->setIconSize(QSize(kThumbnailWidth, kThumbnailHeight));
    items->setGridSize(QSize(kThumbnailWidth + 36, kThumbnailHeight + 34));
    items->setResizeMode(QListView::Adjust);
    items->setMovement(QListView::Static);
    items->setWordWrap(true);
    items->setSelectionMode(QAbstractItemView::ExtendedSelection);
    items->setStyleSheet(QStringLiteral("QListWidget { background: white; }"));
    items->setMinimumSize(460, 300);
    for (int m = 0; m < kImageCount; ++m) {
        if (!isImageRef(record, m)) {
            continue;
        }
        const QImage picture(QString::fromStdString(FindImageFile(record, folder, m)));
        if (picture.isNull()) {
            continue;
        }
        const ImageDef& image = record.images[static_cast<std::size_t>(m)];
        auto* item = new QListWidgetItem(
            QIcon(QPixmap::fromImage(pictureThumbnail(picture, image.transparentColor))),
            QString::fromStdString(sjis::toUtf8Lossy(fieldText(image.name))), items);
        item->setData(Qt::UserRole, m);
    }
    addListAndButtons(layout);
}

std::optional<int> choosePicture(QWidget* parent, const GameRecord& record,
                                 const std::string& folder) {
    PictureChooser chooser(record, folder, parent);
    if (chooser.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chooser.chosen();
}

}  // namespace banmen
