#include "editor/commands/media_import.h"

// Placeholders until the media import lands: every dialog is cancelled and
// nothing is painted or copied.

namespace banmen {

std::optional<ChosenMedia> choosePictureFile(QWidget*, EditorDocument&) {
    return std::nullopt;
}

std::optional<ChosenMedia> chooseSoundFile(QWidget*, EditorDocument&) {
    return std::nullopt;
}

std::string objectNameFromFile(const std::string& storedName) {
    return storedName;
}

bool openPictureForPainting(QWidget*, EditorDocument&, const std::string&, int, int, std::int32_t) {
    return false;
}

bool openPieceForPainting(QWidget*, EditorDocument&, const std::string&, int) {
    return false;
}

std::optional<std::string> duplicatePictureFile(EditorDocument&, const std::string&) {
    return std::nullopt;
}

}  // namespace banmen
