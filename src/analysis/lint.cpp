#include "analysis/lint.h"

#include <algorithm>

#include "analysis/lint_checks.h"
#include "model/default_folders.h"
#include "model/enum_texts.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {

std::vector<Finding> LintGame(const GameRecord& record, const GameMedia& media) {
    std::vector<Finding> findings;
    lint::checkBoard(record, findings);
    lint::checkReferences(record, findings);
    lint::checkMedia(record, media, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.code < b.code; });
    return findings;
}

std::vector<Finding> LintWorkspace(const GameRecord& record, const std::string& folder) {
    return LintGame(record,
                    GameMedia::inFolder(folder, defaultImageFolder(), defaultSoundFolder()));
}

namespace lint {

int playersInGame(const GameRecord& record) {
    return std::clamp<int>(record.settings.playerCount, 1, kPlayerCount);
}

namespace {

std::string caption(std::string_view head, std::string_view number, std::string_view name) {
    std::string text = sjis::lit(head);
    text += number;
    if (!name.empty()) {
        text += " [";
        text += name;
        text += ']';
    }
    return text;
}

}  // namespace

std::string squareCaption(const GameRecord& record, int square) {
    return caption("マス", std::to_string(square + 1), fieldText(record.squares[square].name));
}

std::string playerCaption(const GameRecord& record, int player) {
    return caption("プレイヤー", sjis::lit(fullWidthDigit(player + 1)),
                   fieldText(record.players[player].name));
}

std::string imageCaption(const GameRecord& record, int image) {
    return caption("イメージ", std::to_string(image + 1), fieldText(record.images[image].name));
}

std::string soundCaption(const GameRecord& record, int sound) {
    return caption("サウンド", std::to_string(sound + 1), fieldText(record.sounds[sound].name));
}

}  // namespace lint
}  // namespace banmen
