#include "editor/map/board_picture.h"

#include <QString>

#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {

std::string boardPicturePath(const GameRecord& record, const std::string& folder) {
    const std::int32_t picture = record.settings.gamePicture;
    if (!isImageRef(record, picture) || folder.empty()) {
        return {};
    }
    const std::string name = sjis::toUtf8Lossy(fieldText(record.images[picture].fileName));
    if (name.empty()) {
        return {};
    }
    return path::PathJoin(path::PathJoin(folder, kImageFolderName), name);
}

const QImage& BoardPicture::image(const GameRecord& record, const std::string& folder) {
    std::string path = boardPicturePath(record, folder);
    if (!loaded_ || path != path_) {
        path_ = std::move(path);
        image_ = path_.empty() ? QImage() : QImage(QString::fromStdString(path_));
        loaded_ = true;
    }
    return image_;
}

void BoardPicture::invalidate() {
    loaded_ = false;
}

}  // namespace banmen
