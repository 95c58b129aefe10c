#pragma once
// EDIT on a picture: hands the picture's file to the desktop's picture
// program (commands/media_import.h), first making what is missing. An empty
// reference gets a new image object named and filed after the row's
// defaults ("ﾏｽ3", "Map3.bmp"), and an image without a file gets the
// default file name, in one undo step; the file itself is created at the
// row's default size and colour when it does not exist.

#include <string>

#include "editor/pages/page_rows.h"

namespace banmen {

class TablePage;

// A default name or file name: "%s" takes the full-width digit of `number`,
// "%d" the number (UTF-8 in, CP932 out).
std::string paintDefaultText(const char* format, int number);

// A picture reference row (game, player piece, square pictures).
void paintReferencedPicture(TablePage& page, const RowSpec& row);
// The image page's own file; the page shows the record again 500 ms later.
void paintImageFile(TablePage& page, const RowSpec& row);

}  // namespace banmen
