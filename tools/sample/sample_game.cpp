#include "sample_game.h"

#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>

#include "model/media_list.h"
#include "model/record_owner.h"
#include "model/square_list.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen::sample {
namespace {

// --- Data updates: item 1..5, what to do, and the message before it.
enum Op { Add = 0, Sub = 1, Mul = 2, Div = 3, Set = 4 };
enum Operand { One = 0, Dice1 = 1, Dice2 = 2, Dice3 = 3, Item1 = 4, Item2, Item3, Item4, Item5 };
enum Target { Bank = 0, Other = 1, All = 2 };

// The data items, in record order.
enum Item { Money = 1, Memories = 2, Friends = 3, Stamina = 4, Luck = 5 };

struct Update {
    Item item;
    Op op;
    Operand operand;
    Target target;
    int value;
    const char* text;
};

std::int32_t updateCode(Op op, Operand operand, Target target) {
    return op | (operand << 8) | (target << 20);
}

// --- Squares. Names are unique and name the squares in the links.
struct Square {
    const char* name;
    std::int32_t kind;
    const char* description;
    std::vector<Update> updates = {};
    std::array<const char*, kStateCount> states = {};  // season, mood, charm
    const char* picture = nullptr;                     // image names
    const char* supplement = nullptr;
    const char* sound = nullptr;  // nullptr: the kind's own sound
    const char* arrival = nullptr;
    const char* pass = nullptr;
    std::array<const char*, kDieJumpCount> dice = {};
    std::vector<const char*> next = {};  // besides the road's next square
};

constexpr std::int32_t N = kSquareNormal;
constexpr std::int32_t L = kSquareLucky;
constexpr std::int32_t U = kSquareUnlucky;
constexpr std::int32_t R = kSquareRest;

// The road, row by row: spring at the foot (left to right), summer (right to
// left), autumn, winter and the New Year to the shrine. Each square leads to
// the next one on the road. The fields after the description, in order:
// updates, state changes, picture, supplementary picture, sound, arrival
// jump, pass jump, dice jumps (faces 1..6), further next squares.
// clang-format off
const std::vector<std::vector<Square>>& road() {
    static const std::vector<std::vector<Square>> rows = {
        {
            {"村の出口", kSquareStart, "春の村から旅が始まります"},
            {"菜の花畑", N, "一面の菜の花です", {{Memories, Add, One, Bank, 1, "菜の花を摘みました"}}},
            {"お花見", L, "満開の桜の下でお花見",
             {{Money, Sub, One, Bank, 200, "お弁当代を払いました"}, {Memories, Add, One, Bank, 2, "桜の下でお弁当"}},
             {nullptr, "上機嫌"}, "桜", "お花見"},
            {"入学祝い", L, "入学のお祝いをもらいます", {{Money, Add, Dice1, Bank, 100, "サイコロの目×100円のお祝い"}}},
            {"春の嵐", U, "強い風に飛ばされました", {}, {nullptr, "しょんぼり"}, nullptr, nullptr, nullptr, "菜の花畑"},
            {"分かれ道", N, "近道の丸木橋へも行けます", {}, {}, "川", nullptr, nullptr, nullptr, nullptr, {}, {"丸木橋"}},
            {"田植え", N, "田植えを手伝いました",
             {{Friends, Add, One, Bank, 1, "村の人と仲良くなりました"}, {Stamina, Sub, One, Bank, 2, "へとへとです"}}},
            {"茶屋", R, "茶屋でひと休みします", {{Stamina, Set, One, Bank, 10, "体力が戻りました"}}},
            {"ひな祭り", L, "ひなあられのおすそわけ", {{Memories, Add, One, Other, 1, "だれかに分けてもらいましょう"}}},
            {"関所", N, "関所ではかならず止まります", {}, {}, nullptr, nullptr, nullptr, nullptr, "関所"},
            {"雨宿り", R, "春雨で雨宿りです", {}, {nullptr, "ふつう"}},
            {"春の終わり", N, "暖かい風が吹いてきました", {{Luck, Add, One, Bank, 1, "運が少し良くなった"}}},
        },
        {
            {"海開き", N, "夏がやって来ました", {}, {"夏"}, "海"},
            {"海水浴", L, "海で思いきり泳ぎました",
             {{Memories, Add, One, Bank, 1, "楽しかった！"}, {Stamina, Sub, Dice1, Bank, 1, "泳ぎ疲れました"}}},
            {"宝くじ", L, "宝くじが当たるかも", {{Money, Add, Dice2, Bank, 50, "サイコロ２個の目×50円の当たり"}},
             {}, nullptr, nullptr, nullptr, nullptr, nullptr, {}, {"つばめ"}},
            {"夏祭り", L, "夜店と花火を楽しみました",
             {{Money, Sub, Dice3, Bank, 30, "夜店でサイコロ３個の目×30円"}, {Memories, Add, One, Bank, 2, "花火がきれい"}},
             {}, "夏祭り", "花火", "花火の音"},
            {"夕立", U, "夕立でびしょぬれ", {{Stamina, Sub, One, Bank, 1, "かぜ気味です"}}, {nullptr, "しょんぼり"}},
            {"アルバイト", N, "海の家で働きました", {{Money, Add, Item4, Bank, 20, "体力×20円かせぎました"}}},
            {"誕生日", L, "今日はあなたの誕生日", {{Money, Add, One, All, 100, "みんなから100円ずつお祝い"}},
             {nullptr, "上機嫌"}},
            {"日焼け", U, "日焼けでひりひり", {{Stamina, Sub, One, Bank, 2, "痛くて眠れません"}}},
            {"キャンプ", N, "星空の下でキャンプ",
             {{Memories, Add, Item3, Bank, 1, "友達の数だけ思い出が増えます"},
              {Friends, Add, One, Bank, 1, "キャンプ仲間ができました"}}},
            {"昼寝", R, "木陰でお昼寝", {{Stamina, Set, One, Bank, 10, "すっかり元気"}}},
            {"おごり", U, "みんなにかき氷をおごる", {{Money, Sub, One, All, 100, "100円ずつ払いました"}}},
            {"夏の終わり", N, "旅の話をして喜ばれました", {{Money, Add, Item2, Bank, 50, "思い出×50円のお礼"}}},
        },
        {
            {"紅葉狩り", N, "山が赤く色づきました", {{Memories, Add, One, Bank, 1, "紅葉がきれい"}}, {"秋"}, "紅葉",
             "紅葉狩り"},
            {"栗拾い", L, "栗をたくさん拾いました",
             {{Money, Add, One, Bank, 100, "栗を売りました"}, {Memories, Add, One, Bank, 1, "栗ごはん！"}}},
            {"商売繁盛", L, "お店が大繁盛です", {{Money, Mul, One, Bank, 2, "所持金が倍に"}}},
            {"落とし物", U, "財布を落としました", {{Money, Sub, One, Other, 200, "拾ってくれた人にお礼"}}},
            {"落ち葉", L, "落ち葉の坂を滑り降りる", {}, {}, "森", nullptr, nullptr, "月見"},
            {"運動会", N, "運動会で大活躍",
             {{Friends, Add, One, Bank, 2, "応援してくれた友達"}, {Stamina, Sub, One, Bank, 3, "走りすぎました"}}},
            {"月見", R, "月を見てひと休み", {}, {nullptr, "ふつう"}},
            {"山の入口", N, "けわしい獣道は近道です", {}, {}, "山", nullptr, nullptr, nullptr, nullptr, {}, {"獣道"}},
            {"読書", N, "読書の秋です", {{Memories, Add, One, Bank, 1, "物語に夢中"}}},
            {"運試しの辻", N, "サイコロで行き先が決まる", {}, {}, nullptr, nullptr, nullptr, nullptr, nullptr,
             {"運動会", "秋の終わり", "初雪", "雪合戦", "スキー", "泥棒"}},
            {"散財", U, "秋物を買いすぎました", {{Money, Div, One, Bank, 2, "所持金が半分に"}}},
            {"秋の終わり", N, "冷たい風が吹いてきた", {{Luck, Add, One, Bank, 1, "運が少し良くなった"}}},
        },
        {
            {"初雪", N, "初雪が降りました", {}, {"冬"}, "雪"},
            {"雪合戦", N, "雪合戦で仲良しに",
             {{Friends, Add, One, Bank, 1, "雪合戦の仲間"}, {Stamina, Sub, One, Bank, 1, "手が冷たい"}}},
            {"雪崩", U, "雪崩に巻きこまれた", {}, {nullptr, "しょんぼり"}, nullptr, nullptr, nullptr, "散財"},
            {"スキー", L, "スキーで風を切る", {{Memories, Add, One, Bank, 1, "一番上から滑りました"}}},
            {"山小屋", R, "山小屋で吹雪をしのぐ", {{Stamina, Set, Item3, Bank, 3, "友達の数×3に体力が戻る"}}},
            {"泥棒", U, "泥棒に入られました", {{Money, Div, Dice1, Bank, 1, "所持金がサイコロの目分の１に"}},
             {}, nullptr, nullptr, nullptr, nullptr, nullptr, {}, {"そり滑り"}},
            {"雪だるま", N, "雪だるまを作りました", {{Memories, Add, One, Bank, 1, "大きな雪だるま"}}},
            {"こたつ", R, "こたつから出られない"},
            {"雪の分かれ道", N, "かまくらへ寄り道できます", {}, {}, nullptr, nullptr, nullptr, nullptr, nullptr, {},
             {"かまくら"}},
            {"大掃除", N, "年末の大掃除", {{Money, Sub, One, Bank, 100, "掃除道具を買いました"}}},
            {"大晦日", N, "除夜の鐘が鳴ります", {{Luck, Add, One, Bank, 1, "運が少し良くなった"}}, {}, nullptr, nullptr,
             "除夜の鐘"},
            {"年越し", N, "年越しそばを食べました", {{Stamina, Add, One, Bank, 2, "元気が出ました"}}},
        },
        {
            {"初日の出", L, "初日の出を拝みました", {{Luck, Add, One, Bank, 1, "運が良くなった"}}, {"正月"}, "山",
             "初日の出"},
            {"お年玉", L, "お年玉をもらいました", {{Money, Add, One, Bank, 500, "500円もらいました"}}},
            {"書き初め", N, "今年の抱負を書きました", {{Memories, Add, One, Bank, 1, "上手に書けた"}}},
            {"おみくじ", N, "大吉なら先へ進めます", {}, {}, nullptr, nullptr, nullptr, nullptr, nullptr,
             {nullptr, nullptr, nullptr, nullptr, "羽根つき", "凧あげ"}},
            {"福引", L, "商店街の福引", {{Money, Add, Item5, Bank, 100, "運の良さ×100円の賞品"}}},
            {"倍返し", L, "貸したお金が倍になって戻る", {{Money, Add, Item1, Bank, 1, "所持金と同じだけもらえます"}}},
            {"凶", U, "おみくじは凶でした", {}, {nullptr, "しょんぼり"}, nullptr, nullptr, nullptr, "書き初め"},
            {"甘酒", R, "甘酒で温まります", {}, {nullptr, "ふつう"}},
            {"羽根つき", N, "羽根つきで顔に墨",
             {{Friends, Add, One, Bank, 1, "みんなで大笑い"}, {Stamina, Sub, One, Bank, 1, "くたくた"}}},
            {"凧あげ", L, "凧が高く上がった", {{Memories, Add, One, Bank, 1, "空高く！"}}},
            {"参道", N, "神社はもうすぐです", {}, {nullptr, nullptr, "あり"}},
            {"神社", kSquareGoal, "お参りしてゴール！", {}, {}, nullptr, nullptr, "除夜の鐘"},
        },
    };
    return rows;
}

struct Placed {
    Square square;
    int x;
    int y;
};

// The squares off the road: two short cuts over the rows, a detour, two
// side paths whose squares carry a piece far ahead as soon as it steps on
// them, and the two squares where a bad throw ends the journey.
const std::vector<Placed>& offRoad() {
    static const std::vector<Placed> squares = {
        {{"丸木橋", U, "落ちないように慎重に", {}, {}, "川", nullptr, nullptr, nullptr, nullptr,
          {"川に落ちた", nullptr, nullptr, nullptr, nullptr, "おごり"}, {"誕生日"}}, 369, 489},
        {{"つばめ", L, "つばめに乗って一気に西へ", {}, {}, "海", nullptr, nullptr, nullptr, "昼寝", {}, {"夏祭り"}},
         616, 377},
        {{"川に落ちた", kSquareRetire, "川に落ちてしまいました", {}, {}, "川"}, 300, 489},
        {{"獣道", U, "けわしい近道です", {}, {}, "森", nullptr, nullptr, nullptr, nullptr, {"遭難"}, {"山小屋"}},
         493, 265},
        {{"そり滑り", L, "そりで一気に滑ります", {}, {}, "雪", nullptr, nullptr, nullptr, "大晦日", {}, {"雪だるま"}},
         370, 265},
        {{"遭難", kSquareRetire, "道に迷ってしまいました", {}, {}, "森"}, 555, 265},
        {{"かまくら", R, "かまくらでおもちを焼く", {{Memories, Add, One, Bank, 1, "おもちがおいしい"}}, {}, "雪",
          nullptr, nullptr, nullptr, nullptr, {}, {"大晦日"}}, 184, 265},
    };
    return squares;
}
// clang-format on

constexpr int kRowY[] = {545, 433, 321, 209, 97};
constexpr double kColumnStep = 61.8;

int roadX(int row, int column) {
    const double offset = 60 + column * kColumnStep;
    return static_cast<int>(row % 2 == 0 ? offset + 0.5 : 800 - offset + 0.5);
}

struct ImageSpec {
    const char* name;
    const char* file;
    const char* source;  // under resources/, or nullptr when the tool draws it
    bool keyed;          // magenta is transparent
    int width;
    int height;
};

const ImageSpec kImages[] = {
    {"盤面", kBoardFile, nullptr, false, 800, 600},
    {"ヘルプの絵", kHelpFile, nullptr, false, 500, 375},
    {"赤いこけし", "KokeshiRed.bmp", "default-images/KokeshiRed.bmp", true, 32, 32},
    {"青いこけし", "KokeshiBlue.bmp", "default-images/KokeshiBlue.bmp", true, 32, 32},
    {"緑のこけし", "KokeshiGreen.bmp", "default-images/KokeshiGreen.bmp", true, 32, 32},
    {"黄色いこけし", "KokeshiYellow.bmp", "default-images/KokeshiYellow.bmp", true, 32, 32},
    {"桜", "Flowers.bmp", "default-images/Flowers.bmp", false, 150, 115},
    {"海", "Sea.bmp", "default-images/Sea.bmp", false, 150, 115},
    {"夏祭り", "Festival.bmp", "default-images/Festival.bmp", false, 150, 115},
    {"紅葉", "Maple.bmp", "default-images/Maple.bmp", false, 150, 115},
    {"雪", "Snow.bmp", "default-images/Snow.bmp", false, 150, 115},
    {"山", "Mountain.bmp", "default-images/Mountain.bmp", false, 150, 115},
    {"森", "Forest.bmp", "default-images/Forest.bmp", false, 150, 115},
    {"川", "River.bmp", "default-images/River.bmp", false, 150, 115},
    {"お花見", kHanamiFile, nullptr, false, 320, 200},
    {"花火", kHanabiFile, nullptr, false, 320, 200},
    {"紅葉狩り", kMomijiFile, nullptr, false, 320, 200},
    {"初日の出", kHinodeFile, nullptr, false, 320, 200},
};

struct SoundSpec {
    const char* name;
    const char* file;
    const char* source;
    std::int32_t repeat;
};

// Slots 0 and 1 are the music, 3..9 the sounds of the square kinds in kind
// order, as in every new game.
const SoundSpec kSounds[] = {
    {"四季の調べ", "Game1.mp3", "sounds/Game1.mp3", kRepeatLoop},
    {"旅の調べ", "Game2.mp3", "sounds/Game2.mp3", kRepeatLoop},
    {"除夜の鐘", kBellFile, nullptr, kRepeatOnce},
    {"普通サウンド", "Normal.mp3", "sounds/Normal.mp3", kRepeatOnce},
    {"幸運サウンド", "Luck.mp3", "sounds/Luck.mp3", kRepeatOnce},
    {"不運サウンド", "UnLuck.mp3", "sounds/UnLuck.mp3", kRepeatOnce},
    {"１回休みサウンド", "Rest.mp3", "sounds/Rest.mp3", kRepeatOnce},
    {"スタートサウンド", "Start.mp3", "sounds/Start.mp3", kRepeatOnce},
    {"ゴールサウンド", "Goal.mp3", "sounds/Goal.mp3", kRepeatOnce},
    {"リタイヤサウンド", "Retire.mp3", "sounds/Retire.mp3", kRepeatOnce},
    {"花火の音", "Hanabi1.mp3", "sounds/Hanabi1.mp3", kRepeatOnce},
};

const char* const kHelpText =
    "春の村を出発して、夏の海、秋の山、冬の雪国をめぐり、お正月の神社を目指します。"
    "旅のあいだに集めた思い出がいちばん多い人の勝ちです。\r\n\r\n"
    "丸木橋や獣道は近道ですが、１の目が出るとリタイヤです。運試しの辻とおみくじでは"
    "サイコロの目で行き先が変わります。つばめやそりの道に入ると一気に先へ運ばれます。"
    "関所ではかならず止まります。\r\n\r\n"
    "所持金は宝くじやお年玉で増え、おごりや泥棒で減ります。体力がなくなる前に茶屋や"
    "山小屋で休みましょう。";

// Writes the table into the record, collecting the first text that does not
// fit as the error.
class Writer {
  public:
    template <std::size_t Width>
    void text(char (&field)[Width], const char* utf8, std::size_t limit = kNameMax) {
        if (utf8 == nullptr) {
            return;
        }
        const std::optional<std::string> cp932 = sjis::fromUtf8(utf8);
        if (!cp932 || cp932->size() > limit) {
            fail(std::string("the text \"") + utf8 + "\" does not fit its field");
            return;
        }
        storeFieldText(field, limit, *cp932);
    }

    std::int32_t squareIndex(const char* name) {
        const auto it = squares_.find(name);
        if (it == squares_.end()) {
            fail(std::string("no square named ") + name);
            return -1;
        }
        return it->second;
    }
    std::int32_t imageIndex(const char* name) { return find(images_, name, "image"); }
    std::int32_t soundIndex(const char* name) { return find(sounds_, name, "sound"); }

    std::map<std::string, int> squares_;
    std::map<std::string, int> images_;
    std::map<std::string, int> sounds_;
    std::string error;

  private:
    std::int32_t find(const std::map<std::string, int>& names, const char* name, const char* what) {
        if (name == nullptr) {
            return -1;
        }
        const auto it = names.find(name);
        if (it == names.end()) {
            fail(std::string("no ") + what + " named " + name);
            return -1;
        }
        return it->second;
    }
    void fail(std::string why) {
        if (error.empty()) {
            error = std::move(why);
        }
    }
};

void writeSquare(Writer& w, SquareDef& def, const Square& square, int x, int y,
                 std::int32_t roadNext) {
    w.text(def.name, square.name);
    w.text(def.description, square.description);
    def.kind = square.kind;
    def.x = x;
    def.y = y;
    def.picture = w.imageIndex(square.picture);
    def.supplementPicture = w.imageIndex(square.supplement);
    // Every square names its sound, so that the build packs the sounds the
    // kinds would otherwise play from the player's own folder.
    def.sound = square.sound != nullptr ? w.soundIndex(square.sound) : square.kind + 3;
    def.arrivalJump = square.arrival != nullptr ? w.squareIndex(square.arrival) : -1;
    def.passJump = square.pass != nullptr ? w.squareIndex(square.pass) : -1;
    for (int face = 0; face < kDieJumpCount; ++face) {
        const char* target = square.dice[static_cast<std::size_t>(face)];
        def.dieJumps[face] = target != nullptr ? w.squareIndex(target) : -1;
    }
    int slot = 0;
    for (int n = 0; n < kNextSquareCount; ++n) {
        def.nextSquares[n] = -1;
    }
    if (roadNext >= 0) {
        def.nextSquares[slot++] = roadNext;
    }
    for (const char* next : square.next) {
        def.nextSquares[slot++] = w.squareIndex(next);
    }
    for (const Update& update : square.updates) {
        const int u = update.item - 1;
        def.updateCodes[u] = updateCode(update.op, update.operand, update.target);
        def.updateValues[u] = update.value;
        w.text(def.updateTexts[u], update.text);
    }
    for (int s = 0; s < kStateCount; ++s) {
        w.text(def.stateChanges[s], square.states[static_cast<std::size_t>(s)], 30);
    }
}

void writePlayersAndItems(Writer& w, GameRecord& record) {
    struct Player {
        const char* name;
        const char* piece;
    };
    const Player players[kPlayerCount] = {{"はるか", "赤いこけし"},
                                          {"なつき", "青いこけし"},
                                          {"あきら", "緑のこけし"},
                                          {"ふゆみ", "黄色いこけし"}};
    const std::int32_t values[kDataItemCount] = {1000, 0, 1, 10, 3};
    for (int i = 0; i < kPlayerCount; ++i) {
        PlayerDef& player = record.players[i];
        w.text(player.name, players[i].name, 12);
        w.text(player.stateTexts[0], "春");
        w.text(player.stateTexts[1], "ふつう");
        w.text(player.stateTexts[2], "なし");
        player.picture = w.imageIndex(players[i].piece);
        player.startSquare = w.squareIndex("村の出口");
        player.currentSquare = player.startSquare;
        for (int k = 0; k < kDataItemCount; ++k) {
            player.dataValues[k] = values[k];
        }
    }

    struct DataItem {
        const char* name;
        const char* unit;
        std::int32_t kind;
        std::int32_t visible;
        const char* description;
    };
    const DataItem items[kDataItemCount] = {
        {"所持金", "円", kDataMoney, 1, "旅のお金"},
        {"思い出", "個", kDataThing, 1, "旅で集めた思い出。多い人の勝ち"},
        {"友達", "人", kDataPerson, 1, "旅で仲良くなった人"},
        {"体力", "点", kDataThing, 1, "アルバイトのかせぎが決まる"},
        {"運", "点", kDataThing, 0, "見えない運の良さ。福引に効く"},
    };
    for (int k = 0; k < kDataItemCount; ++k) {
        PlayerDataDef& item = record.dataItems[k];
        w.text(item.name, items[k].name, 6);
        w.text(item.unit, items[k].unit, kUnitMax);
        w.text(item.description, items[k].description);
        item.kind = items[k].kind;
        item.visible = items[k].visible;
    }

    struct State {
        const char* name;
        std::int32_t visible;
        const char* description;
    };
    const State states[kStateCount] = {
        {"季節", 1, "いまの季節"},
        {"気分", 1, "うれしいことがあると上機嫌"},
        {"お守り", 0, "参道でもらえる。見えません"},
    };
    for (int s = 0; s < kStateCount; ++s) {
        w.text(record.states[s].name, states[s].name, 6);
        w.text(record.states[s].description, states[s].description);
        record.states[s].visible = states[s].visible;
    }
}

}  // namespace

SampleGame buildSampleGame() {
    SampleGame game;
    // Every slot at its default first, then nothing but the table.
    RecordOwner owner;
    DeleteAllSquares(owner);
    DeleteAllImages(owner);
    DeleteAllSounds(owner);
    for (int s = 0; s < kSquareCount; ++s) {
        owner.ResetToDefault(ObjectKind::Square, s);
    }
    for (int m = 0; m < kImageCount; ++m) {
        owner.ResetToDefault(ObjectKind::Image, m);
    }
    for (int n = 0; n < kSoundCount; ++n) {
        owner.ResetToDefault(ObjectKind::Sound, n);
    }
    GameRecord& record = owner.record();
    Writer w;

    for (int m = 0; m < static_cast<int>(std::size(kImages)); ++m) {
        const ImageSpec& spec = kImages[m];
        ImageDef& image = record.images[m];
        w.text(image.name, spec.name);
        w.text(image.fileName, spec.file);
        image.transparentColor = spec.keyed ? static_cast<std::int32_t>(kTransparentMagenta) : -1;
        image.width = spec.width;
        image.height = spec.height;
        w.images_[spec.name] = m;
        game.pictures.push_back({spec.file, spec.source != nullptr ? spec.source : ""});
    }
    for (int n = 0; n < static_cast<int>(std::size(kSounds)); ++n) {
        const SoundSpec& spec = kSounds[n];
        w.text(record.sounds[n].name, spec.name);
        w.text(record.sounds[n].fileName, spec.file);
        record.sounds[n].repeat = spec.repeat;
        w.sounds_[spec.name] = n;
        game.sounds.push_back({spec.file, spec.source != nullptr ? spec.source : ""});
    }

    // Indices first, so that links may point forward.
    std::vector<std::tuple<const Square*, int, int>> placed;
    int row = 0;
    for (const std::vector<Square>& squares : road()) {
        int column = 0;
        for (const Square& square : squares) {
            placed.emplace_back(&square, roadX(row, column++), kRowY[row]);
        }
        ++row;
    }
    const std::size_t roadLength = placed.size();
    for (const Placed& square : offRoad()) {
        placed.emplace_back(&square.square, square.x, square.y);
    }
    for (std::size_t s = 0; s < placed.size(); ++s) {
        if (!w.squares_.emplace(std::get<0>(placed[s])->name, static_cast<int>(s)).second) {
            game.error = std::string("two squares named ") + std::get<0>(placed[s])->name;
            return game;
        }
    }
    for (std::size_t s = 0; s < placed.size(); ++s) {
        const auto& [square, x, y] = placed[s];
        const bool roadGoesOn = s + 1 < roadLength;
        writeSquare(w, record.squares[s], *square, x, y,
                    roadGoesOn ? static_cast<std::int32_t>(s + 1) : -1);
    }

    GameSettings& settings = record.settings;
    w.text(settings.title, "四季めぐり雙六");
    w.text(settings.bankName, "銀行", 10);
    w.text(settings.rightsNotice, "盤面工房 サンプル雙六\r\n自由に作り替えてください", 124);
    w.text(settings.helpText, kHelpText, kHelpTextMax);
    settings.playerCount = kPlayerCount;
    settings.victoryCondition = 2;  // the most memories
    settings.endCondition = kEndAllPeopleGoal;
    settings.gamePicture = w.imageIndex("盤面");
    settings.helpPicture = w.imageIndex("ヘルプの絵");
    settings.music = w.soundIndex("四季の調べ");
    writePlayersAndItems(w, record);

    std::memcpy(&game.record, &record, sizeof(GameRecord));
    game.error = w.error;
    return game;
}

}  // namespace banmen::sample
