#pragma once
// Every painter adds its pictures to the set under their resource paths:
// "bitmaps/<id or name>.bmp" for the embedded ones, "default-images/..." for
// the default pictures of new games, "icons/..." for the program icon.

#include <QColor>
#include <QImage>

#include "artwork_set.h"

namespace banmen::art {

void paintPieces(ArtworkSet& set);         // 3001-3004, finished marks 7000-7003
void paintPanels(ArtworkSet& set);         // 4000, 4001, 4002
void paintDefaultBoard(ArtworkSet& set);   // 4005
void paintDice(ArtworkSet& set);           // 5000, rank badges 8010, turn picture 9000
void paintPlayButtons(ArtworkSet& set);    // 6000-6009, logo 6010
void paintMapSprites(ArtworkSet& set);     // square markers, route dot, arrow
void paintPageButtons(ArtworkSet& set);    // SELECT ... LOCKON, OPOADD ... OPFALL
void paintProgramIcon(ArtworkSet& set);    // icons/banmen-*.png
void paintDefaultPieces(ArtworkSet& set);  // default-images/Piece*.bmp
void paintDefaultScenes(ArtworkSet& set);  // default-images: 150 x 115 squares
void paintLandscape(ArtworkSet& set);      // default-images/Board.bmp

// A 32 x 32 pawn in `body` colour on a transparent canvas.
QImage drawPawn(QColor body);

}  // namespace banmen::art
