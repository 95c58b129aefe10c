#pragma once
// Pictures and sounds coming into the workspace: the file dialogs, naming an
// object after its file, painting a picture in the desktop's picture
// program (creating it first when it is missing) and copying a picture file
// for a duplicated image.
//
// File names are as the record stores them (Shift-JIS, at most 62 bytes,
// inside the workspace's "Image Files" or "Sound Files").

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace banmen {

class EditorDocument;

struct ChosenMedia {
    std::string path;        // the chosen file (native, UTF-8)
    std::string storedName;  // its name inside the workspace (CP932)
};

// The picture / sound file dialog; the chosen file is imported into the
// workspace. Nothing when the dialog was cancelled or the import failed.
std::optional<ChosenMedia> choosePictureFile(QWidget* parent, EditorDocument& document);
std::optional<ChosenMedia> chooseSoundFile(QWidget* parent, EditorDocument& document);

// The native path of a stored media file inside the workspace's subfolder
// ("Image Files" or "Sound Files"); empty for an empty or unreadable name.
std::string mediaFilePath(const EditorDocument& document, std::string_view subfolder,
                          const std::string& storedName);

// The object name a stored file gives: the text between the first "(" and
// the next ")" when there is any, else the file's title (CP932).
std::string objectNameFromFile(const std::string& storedName);

// Creates the picture when it is missing (width x height filled with the
// colour, -1 for white, with the painting prompt in the inverted colour),
// then hands it to the desktop's program for BMP files. True when the
// picture is there (the caller shows it again), whether or not a program
// took it: when the desktop has none, the status line says so. False when
// the picture could not be created (the user has been told).
bool openPictureForPainting(QWidget* parent, EditorDocument& document,
                            const std::string& storedName, int width, int height,
                            std::int32_t colour);
// The same for a player's piece: a missing file starts as the built-in
// piece of that player (0..3).
bool openPieceForPainting(QWidget* parent, EditorDocument& document, const std::string& storedName,
                          int player);

// Copies a picture file of the workspace under the next free "base(n).ext"
// name and gives that name; nothing when the file does not exist.
std::optional<std::string> duplicatePictureFile(EditorDocument& document,
                                                const std::string& storedName);

}  // namespace banmen
