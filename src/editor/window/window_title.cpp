#include "editor/window/window_title.h"

#include <array>

#include "platform/file_version.h"

namespace banmen {

std::string editorWindowTitle(std::string_view gameTitle, bool modified) {
    std::array<int, 4> version{};
    if (!parseVersionString(kProgramFileVersion, version)) {
        version = {};
    }
    // The full-width "）" after the half-width ")" belongs to the title.
    std::string title = " ";
    title += kProgramName;
    title += " (四季彩コレクション)）version ";
    title += std::to_string(version[0]) + "." + std::to_string(version[1]);
    title += " - ";
    title += gameTitle;
    if (modified) {
        title += " *";
    }
    return title;
}

}  // namespace banmen
