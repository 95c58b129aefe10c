#include "support/sample_records.h"

#include <cstring>
#include <string>

#include "model/record_owner.h"
#include "platform/sjis.h"

namespace banmen::test {
namespace {

void put(char* field, std::size_t limit, const std::string& utf8) {
    std::string text = sjis::lit(utf8);
    std::size_t n = std::min(limit, text.size());
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, limit + 1 - n);
}

}  // namespace

GameRecord defaultRecord() {
    RecordOwner owner;
    return owner.record();
}

GameRecord fullRecord() {
    RecordOwner owner;
    GameRecord r = owner.record();
    put(r.settings.title, kNameMax, "春の野山すごろく");
    put(r.settings.helpText, kHelpTextMax,
        "さいころを振って進みます。\r\n山を越えて、ゴールを目指しましょう。");
    r.settings.gamePicture = 0;
    r.settings.helpPicture = 1;
    r.settings.music = 0;
    r.settings.victoryCondition = 1;
    for (int i = 0; i < kPlayerCount; ++i) {
        r.players[i].picture = 2 + i;
        r.players[i].dataValues[0] = 1000 * (i + 1);
        put(r.players[i].stateTexts[0], kNameMax, "元気");
    }
    put(r.states[0].name, kNameMax, "体調");
    r.states[0].visible = 1;
    put(r.dataItems[1].name, kNameMax, "友達");
    put(r.dataItems[1].unit, kUnitMax, "人");
    r.dataItems[1].kind = kDataPerson;
    r.dataItems[1].visible = 1;

    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t bound) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<std::int32_t>((seed >> 16) % bound);
    };
    for (int s = 0; s < kSquareCount; ++s) {
        SquareDef& q = r.squares[s];
        std::int32_t kind = s == 0 ? kSquareStart : s == kSquareCount - 1 ? kSquareGoal : next(4);
        put(q.name, kNameMax, "野原の道(" + std::to_string(s + 1) + ")");
        put(q.description, kNameMax, "花が咲いている。" + std::to_string(s));
        q.kind = kind;
        q.x = 20 + (s % 20) * 38;
        q.y = 40 + (s / 20) * 55;
        q.sound = kind + 3;
        q.picture = s % 7 == 0 ? next(kImageCount) : -1;
        q.supplementPicture = s % 11 == 0 ? next(kImageCount) : -1;
        q.nextSquares[0] = s + 1 < kSquareCount ? s + 1 : -1;
        if (s % 9 == 4 && s + 5 < kSquareCount) {
            q.nextSquares[1] = s + 5;
        }
        if (s % 13 == 6) {
            q.arrivalJump = next(kSquareCount);
        }
        for (int u = 0; u < 2; ++u) {
            q.updateCodes[u] = next(5) | (next(9) << 8) | (next(3) << 20);
            q.updateValues[u] = 100 * (next(20) + 1);
            put(q.updateTexts[u], kNameMax, "お小遣いをもらった");
        }
        if (s % 5 == 0) {
            put(q.stateChanges[0], kNameMax, "疲れた");
        }
    }
    for (int m = 0; m < kImageCount; ++m) {
        ImageDef& image = r.images[m];
        put(image.name, kNameMax, "絵" + std::to_string(m + 1));
        put(image.fileName, kNameMax, "picture" + std::to_string(m + 1) + ".bmp");
        image.transparentColor = m == 0 ? -1 : static_cast<std::int32_t>(kTransparentMagenta);
        image.width = m == 0 ? 800 : 150;
        image.height = m == 0 ? 600 : 115;
    }
    for (int n = 0; n < kSoundCount; ++n) {
        SoundDef& sound = r.sounds[n];
        if (sound.name[0] == 0) {
            put(sound.name, kNameMax, "効果音" + std::to_string(n + 1));
            put(sound.fileName, kNameMax, "effect" + std::to_string(n + 1) + ".wav");
            sound.repeat = kRepeatOnce;
        }
    }
    return r;
}

GameRecord fullyLinkedRecord() {
    GameRecord r = fullRecord();
    for (int s = 0; s < kSquareCount; ++s) {
        const int steps[kNextSquareCount] = {1, kSquareCount - 1, 20, kSquareCount - 20};
        for (int k = 0; k < kNextSquareCount; ++k) {
            r.squares[s].nextSquares[k] = (s + steps[k]) % kSquareCount;
        }
    }
    return r;
}

}  // namespace banmen::test
