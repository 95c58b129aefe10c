#pragma once
// The pictures the editor writes before handing a picture to the desktop's
// picture program: a blank picture with the painting prompt, or one of the
// built-in player pieces.

#include <cstdint>
#include <string>

#include "platform/status.h"

class QWidget;

namespace banmen {

// The prompt written across a new blank picture.
inline constexpr char kPaintingPrompt[] = "ここに絵を描いてください";

// A 24-bit BMP of width x height filled with `colour` (0x00BBGGRR, -1 for
// white), with the prompt centred on one line in the inverted colour, in
// "ＭＳ Ｐ明朝" 100 pixels high at 96 dpi (scaled for the screen's dpi).
Status writePaintingPicture(const std::string& path, int width, int height, std::int32_t colour);

// The built-in piece of a player (0..3) as a BMP file.
Status writeBuiltInPiece(const std::string& path, int player);

// Opens the picture with the desktop's program for its type. When there is
// none, the status line of the editor window holding `parent` says so.
// False when the picture was not handed over.
bool handPictureToDesktop(QWidget* parent, const std::string& path);

}  // namespace banmen
