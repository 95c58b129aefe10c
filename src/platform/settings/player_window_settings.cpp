#include "platform/settings/player_window_settings.h"

#include <cstdint>

#include "platform/settings/player_settings.h"
#include "platform/settings/registry_key.h"

namespace banmen {
namespace {

constexpr char kLeft[] = "PlayerWindowLeft";
constexpr char kTop[] = "PlayerWindowTop";
constexpr char kWidth[] = "PlayerWindowWidth";
constexpr char kHeight[] = "PlayerWindowHeight";
constexpr char kFullScreen[] = "bPlayerWindowFullScreen";

// Positions left of or above the first screen are stored as their 32-bit
// two's complement.
bool readInt(const RegistryKey& key, const char* name, int& out) {
    std::uint32_t value = 0;
    if (!key.ReadDword("", name, value)) {
        return false;
    }
    out = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

std::optional<PlayerWindowPlace> readPlayerWindowPlace() {
    const RegistryKey key(kPlayerKeyPath);
    PlayerWindowPlace place;
    if (!readInt(key, kLeft, place.left) || !readInt(key, kTop, place.top) ||
        !readInt(key, kWidth, place.width) || !readInt(key, kHeight, place.height) ||
        place.width <= 0 || place.height <= 0) {
        return std::nullopt;
    }
    std::uint32_t fullScreen = 0;
    (void)key.ReadDword("", kFullScreen, fullScreen);
    place.fullScreen = fullScreen != 0;
    return place;
}

bool writePlayerWindowPlace(const PlayerWindowPlace& place) {
    RegistryKey key(kPlayerKeyPath);
    bool written = key.WriteDword("", kLeft, static_cast<std::uint32_t>(place.left));
    written = key.WriteDword("", kTop, static_cast<std::uint32_t>(place.top)) && written;
    written = key.WriteDword("", kWidth, static_cast<std::uint32_t>(place.width)) && written;
    written = key.WriteDword("", kHeight, static_cast<std::uint32_t>(place.height)) && written;
    return key.WriteDword("", kFullScreen, place.fullScreen ? 1 : 0) && written;
}

}  // namespace banmen
