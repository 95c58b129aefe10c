#pragma once
// The route-setting mode: the author clicks squares in the order a route
// visits them; each gets the next number, and ending the mode links every
// square to the square numbered one higher. The numbering lives in the
// owner's EditState; each change of it calls the owner's notifyRouteRedraw.

#include <cstdint>

namespace banmen {

class RecordOwner;

// Mode on, numbering restarted with square s as 0. Nothing unless s is a
// square in use.
void StartRouteMode(RecordOwner& owner, std::int32_t square);

// With the mode off: nothing, result 0. A square not yet numbered gets the
// next number; a square already numbered links back to the square numbered
// last and ends the mode. Either way the result is the clicked square; -1 for
// an index that is no square in use (nothing changes).
std::int32_t RouteModeClick(RecordOwner& owner, std::int32_t square);

// With the mode on: mode off, then every numbered square n links to every
// square numbered n + 1.
void EndRouteMode(RecordOwner& owner);

}  // namespace banmen
