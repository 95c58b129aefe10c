#pragma once
// The object list operations: structural edits of the game record that keep
// the references between objects consistent. They write the record directly,
// without field descriptors: no modified flag, no FieldChanged. The callers
// (the editor's commands, map and clipboard) mark the workspace modified and
// redraw. Route mode is the one exception that redraws itself, through
// RecordOwner::notifyRouteRedraw.
//
// An index out of range, -1, or (where an object is needed) a free slot makes
// an operation do nothing and give -1 / false; only NextUsedIndex takes any
// index, as the point to search from.

#include "model/board_place.h"
#include "model/enum_texts.h"  // KindSoundName
#include "model/media_list.h"
#include "model/object_blocks.h"
#include "model/route_mode.h"
#include "model/routes.h"
#include "model/square_list.h"
