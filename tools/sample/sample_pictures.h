#pragma once
// The pictures of the sample game the tool draws itself, in the house style
// of tools/artwork: the board with its road and squares (drawn from the
// record, so that the squares stand exactly where the record places them),
// the help picture and four supplementary pictures of 320 x 200.

#include <QImage>

#include "model/game_record.h"

namespace banmen::sample {

QImage paintBoard(const GameRecord& record);
// The board in small with the way round it told in words (500 x 375).
QImage paintHelpPicture(const QImage& board);

QImage paintHanami();  // cherry blossom viewing
QImage paintHanabi();  // fireworks over the summer festival
QImage paintMomiji();  // autumn leaves in the hills
QImage paintHinode();  // the first sunrise of the year

}  // namespace banmen::sample
