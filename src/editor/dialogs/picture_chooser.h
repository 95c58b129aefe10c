#pragma once
// The picture chooser (resource 5001): every image in use whose picture
// loads, as a 64 x 54 thumbnail on white with its transparent colour masked
// out, labelled with the image's name, in slot order. "選択" is enabled only
// while exactly one item is selected; a double-click chooses at once.

#include <QDialog>
#include <QImage>
#include <cstdint>
#include <optional>
#include <string>

#include "model/game_record.h"

class QListWidget;
class QPushButton;

namespace banmen {

constexpr int kThumbnailWidth = 64;
constexpr int kThumbnailHeight = 54;

// A picture stretched to 64 x 54 with the pixels of its transparent colour
// (0x00BBGGRR; -1 means white) shown white.
QImage pictureThumbnail(const QImage& picture, std::int32_t transparent);

class PictureChooser : public QDialog {
    Q_OBJECT

  public:
    PictureChooser(const GameRecord& record, const std::string& folder, QWidget* parent);

    // The image chosen, once the dialog was accepted.
    std::optional<int> chosen() const { return chosen_; }

    QListWidget* list() const { return list_; }
    QPushButton* chooseButton() const { return choose_; }

    void accept() override;

  private:
    QListWidget* list_;
    QPushButton* choose_;
    std::optional<int> chosen_;
};

// Runs the chooser; the image chosen, or nothing.
std::optional<int> choosePicture(QWidget* parent, const GameRecord& record,
                                 const std::string& folder);

}  // namespace banmen
