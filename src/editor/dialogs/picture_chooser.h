#pragma once
// The picture chooser (resource 5001): every image in use whose picture
// loads, as a 64 x 54 thumbnail on white with its transparent colour masked
// out, labelled with the image's name, in slot order. "選択" is enabled only
// while exactly one item is selected; a double-click chooses at once.

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/dialogs/list_chooser.h"
#include "model/game_record.h"

namespace banmen {

constexpr int kThumbnailWidth = 64;
constexpr int kThumbnailHeight = 54;

// A picture stretched to 64 x 54 with the pixels of its transparent colour
// (0x00BBGGRR; -1 means white) shown white.
QImage pictureThumbnail(const QImage& picture, std::int32_t transparent);

class PictureChooser : public ListChooser {
    Q_OBJECT

  public:
    PictureChooser(const GameRecord& record, const std::string& folder, QWidget* parent);
};

// Runs the chooser; the image chosen, or nothing.
std::optional<int> choosePicture(QWidget* parent, const GameRecord& record,
                                 const std::string& folder);

}  // namespace banmen
