#pragma once
// Where banmen-player's window was when it last closed, kept in the
// companion player's own key "HKEY_CURRENT_USER\Software\MOEGI\Sugoroku"
// (banmen-player is that player; the editor only reads the key):
//   "PlayerWindowLeft", "PlayerWindowTop"      the client area's top-left
//   "PlayerWindowWidth", "PlayerWindowHeight"  the client area's size
//   "bPlayerWindowFullScreen"                  1 when it closed full screen
// all DWORDs; the place is the normal one, also when it closed full screen.

#include <optional>

namespace banmen {

struct PlayerWindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool fullScreen = false;
};

// Nothing when no place is stored, or its size is not positive.
std::optional<PlayerWindowPlace> readPlayerWindowPlace();
bool writePlayerWindowPlace(const PlayerWindowPlace& place);

}  // namespace banmen
