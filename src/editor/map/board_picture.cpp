#include "editor/map/board_picture.h"

#include "media/dib_bitmap.h"
#include "model/image_files.h"
#include "model/text_field.h"

namespace banmen {

namespace {

// What names the picture: the folder and the image's file name. Finding the
// file looks at the disk, so it is done again only when this changes.
std::string pictureKey(const GameRecord& record, const std::string& folder) {
    const std::int32_t picture = record.settings.gamePicture;
    if (!isImageRef(record, picture)) {
        return {};
    }
    return folder + '\n' + std::string(fieldText(record.images[picture].fileName));
}

}  // namespace

std::string boardPicturePath(const GameRecord& record, const std::string& folder) {
    return FindImageFile(record, folder, record.settings.gamePicture);
}

const QImage& BoardPicture::image(const GameRecord& record, const std::string& folder) {
    std::string key = pictureKey(record, folder);
    if (!loaded_ || key != key_) {
        key_ = std::move(key);
        const std::string path = key_.empty() ? std::string() : boardPicturePath(record, folder);
        // Read as the play screen reads it.
        DibBitmap picture;
        image_ = !path.empty() && picture.LoadFile(path) ? picture.ToImage() : QImage();
        loaded_ = true;
    }
    return image_;
}

void BoardPicture::invalidate() {
    loaded_ = false;
}

}  // namespace banmen
