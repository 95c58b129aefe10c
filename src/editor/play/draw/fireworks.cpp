#include "editor/play/draw/fireworks.h"

#include <cmath>
#include <numbers>

namespace banmen::play {
namespace {

constexpr int kRiseStep = 14;
constexpr int kTrail = 5;
constexpr int kSparks = 28;
constexpr int kBurstFrames = 14;
constexpr int kBurstReach = 76;

constexpr Colour scaled(Colour c, std::uint32_t percent) {
    return RgbColour(RedOf(c) * percent / 100, GreenOf(c) * percent / 100,
                     BlueOf(c) * percent / 100);
}

constexpr ColourSet set(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    const Colour c = RgbColour(r, g, b);
    return {RgbColour(255 - (255 - r) / 3, 255 - (255 - g) / 3, 255 - (255 - b) / 3), c,
            scaled(c, 45)};
}

// Fireworks colours of summer nights: reds, golds, greens, blues, purples.
constexpr std::array<ColourSet, kColourSetCount> kSets = {
    set(255, 64, 48),   set(255, 120, 40),  set(255, 180, 40),  set(255, 225, 80),
    set(240, 240, 160), set(200, 255, 80),  set(120, 255, 90),  set(60, 230, 120),
    set(60, 230, 200),  set(80, 220, 255),  set(90, 160, 255),  set(110, 110, 255),
    set(160, 100, 255), set(210, 100, 255), set(255, 100, 230), set(255, 110, 170),
    set(255, 150, 150), set(255, 200, 170), set(255, 255, 255), set(220, 220, 255),
    set(255, 90, 90),   set(255, 160, 90),  set(230, 200, 60),  set(170, 230, 60),
    set(90, 200, 90),   set(70, 190, 190),  set(70, 140, 220),  set(130, 90, 220),
    set(190, 80, 190),  set(230, 80, 130),  set(250, 210, 230),
};

void spark(DibBitmap& frame, int x, int y, int size, Colour colour) {
    const Rect r = intersect(sized(x - size / 2, y - size / 2, size, size), kSideRect);
    if (!r.empty()) {
        frame.FillSolidRect(r.left, r.top, r.width(), r.height(), colour);
    }
}

}  // namespace

const std::array<ColourSet, kColourSetCount>& colourSets() {
    return kSets;
}

Rocket randomRocket(FramePacer& pacer) {
    Rocket rocket;
    rocket.start.x = 860 + pacer.random() % 58;
    rocket.start.y = 521 + pacer.random() % 50;
    rocket.top = 351 - pacer.random() % 30;
    const bool two = pacer.random() % 2 == 1;
    rocket.firstColour = pacer.random() % kColourSetCount;
    rocket.secondColour = two ? pacer.random() % kColourSetCount : rocket.firstColour;
    return rocket;
}

Rocket finaleRocket() {
    return {{889, 651}, 291, 3, 18};
}

bool riseRocket(PlayFrame& frame, FramePacer& pacer, const Rocket& rocket) {
    const ColourSet& first = kSets[static_cast<std::size_t>(rocket.firstColour % kColourSetCount)];
    DibBitmap& bitmap = frame.frame();
    const int x = rocket.start.x;

    // The rise: a bright head with a fading tail.
    Rect drawn;
    for (int y = rocket.start.y; y > rocket.top;) {
        y = std::max(y - kRiseStep, rocket.top);
        frame.redrawSide(drawn);
        drawn = {x - 2, y - 2, x + 3, y + kTrail * 6 + 3};
        for (int t = kTrail; t >= 1; --t) {
            spark(bitmap, x, y + t * 6, 2, t > 2 ? first.faint : first.middle);
        }
        spark(bitmap, x, y, 3, first.bright);
        frame.markDirty(drawn);
        if (!pacer.frame(kRocketFrameMs)) {
            frame.redrawSide(drawn);
            return false;
        }
    }
    frame.redrawSide(drawn);
    return true;
}

bool burstRocket(PlayFrame& frame, FramePacer& pacer, const Rocket& rocket) {
    const ColourSet& first = kSets[static_cast<std::size_t>(rocket.firstColour % kColourSetCount)];
    const ColourSet& second =
        kSets[static_cast<std::size_t>(rocket.secondColour % kColourSetCount)];
    DibBitmap& bitmap = frame.frame();
    const int x = rocket.start.x;
    // A ring of sparks that spreads, sinks and fades.
    const Rect area{x - kBurstReach - 4, rocket.top - kBurstReach - 4, x + kBurstReach + 5,
                    rocket.top + kBurstReach + 24};
    for (int f = 1; f <= kBurstFrames; ++f) {
        frame.redrawSide(area);
        const double reach = kBurstReach * std::sqrt(static_cast<double>(f) / kBurstFrames);
        const double fall = 0.12 * f * f;
        for (int s = 0; s < kSparks; ++s) {
            const ColourSet& colours = s % 2 == 0 ? first : second;
            const Colour c = f < kBurstFrames / 2       ? colours.bright
                             : f < kBurstFrames * 5 / 6 ? colours.middle
                                                        : colours.faint;
            const double a = 2.0 * std::numbers::pi * s / kSparks;
            for (int trail = 0; trail < 3; ++trail) {
                const double r = reach * (1.0 - 0.12 * trail);
                const int sx = x + static_cast<int>(std::lround(r * std::cos(a)));
                const int sy = rocket.top + static_cast<int>(std::lround(r * std::sin(a) + fall));
                spark(bitmap, sx, sy, trail == 0 ? 3 : 2, trail == 0 ? c : colours.faint);
            }
        }
        frame.markDirty(area);
        if (!pacer.frame(kRocketFrameMs)) {
            frame.redrawSide(area);
            return false;
        }
    }
    const bool held = pacer.frame(kRocketHoldMs);
    frame.redrawSide(area);
    return held;
}

}  // namespace banmen::play
