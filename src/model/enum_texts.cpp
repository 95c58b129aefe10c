#include "model/enum_texts.h"

#include <array>

#include "platform/sjis.h"

namespace banmen {
namespace {

template <std::size_t N>
std::string_view pick(const std::array<std::string_view, N>& texts, std::int32_t value) {
    if (value < 0 || static_cast<std::size_t>(value) >= N) {
        return {};
    }
    return texts[static_cast<std::size_t>(value)];
}

constexpr std::array<std::string_view, 7> kSquareKinds = {
    "普通", "幸運", "不運", "１回休み", "スタート", "ゴール", "リタイヤ"};
constexpr std::array<std::string_view, 6> kVictoryConditions = {
    "ゴールした順番",     "データ１が大きい順", "データ２が大きい順",
    "データ３が大きい順", "データ４が大きい順", "データ５が大きい順"};
constexpr std::array<std::string_view, 3> kEndConditions = {"最初の一人がｺﾞｰﾙ",
                                                            "ｺﾝﾋﾟｭｰﾀ以外全員がｺﾞｰﾙ", "全員がｺﾞｰﾙ"};
constexpr std::array<std::string_view, 3> kDataKinds = {"物", "お金", "人物"};
constexpr std::array<std::string_view, 2> kRepeatModes = {"連続", "１回"};
constexpr std::array<std::string_view, 9> kDigits = {"１", "２", "３", "４", "５",
                                                     "６", "７", "８", "９"};

}  // namespace

std::string_view squareKindText(std::int32_t kind) {
    return pick(kSquareKinds, kind);
}
std::string_view victoryConditionText(std::int32_t c) {
    return pick(kVictoryConditions, c);
}
std::string_view endConditionText(std::int32_t c) {
    return pick(kEndConditions, c);
}
std::string_view dataKindText(std::int32_t kind) {
    return pick(kDataKinds, kind);
}
std::string_view repeatModeText(std::int32_t mode) {
    return pick(kRepeatModes, mode);
}
std::string_view fullWidthDigit(int n) {
    return pick(kDigits, n - 1);
}

std::string KindSoundName(std::int32_t kind) {
    std::string_view text = squareKindText(kind);
    if (text.empty()) {
        return {};
    }
    return sjis::lit(std::string(text) + "サウンド");
}

}  // namespace banmen
