#include "engine/engine_texts.h"

#include "model/enum_texts.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

EngineTexts build() {
    using sjis::lit;
    EngineTexts t;
    t.restTail = lit("さんは\n一回休みです");
    t.turnTail = lit("さんの番です\nサイコロを振ってください");
    t.throwLabel = lit("投げる");
    t.jumpIf = lit("がでたら");
    t.jumpGo = lit("へ進む");
    t.otherFaces = lit("その他の目がでたらそのまま進む");
    t.thrownTail = lit("がでました");
    t.chooseTitle = lit("プレイヤーを選んで下さい");
    t.chooseDone = lit("選択終了");
    t.congratulations = lit("おめでとう御座います");
    t.goalTail = lit("さんがゴールしました");
    t.thanksTail = lit("さんお疲れ様でした");
    t.ga = lit("が");
    t.increased = lit("増えました");
    t.decreased = lit("減りました");
    t.timesBecame = lit("倍になりました");
    t.fractionBecame = lit("分の1になりました");
    t.became = lit("になりました");
    t.explanation = lit("解説");
    t.rules = lit("ルール説明");
    t.gameOver = lit("ゲーム終了です");
    t.wellDone = lit("お疲れさまでした");
    t.resultsNext = lit("次は結果発表です");
    t.results = lit("結果発表");
    t.introEach = lit("それでは皆さんの成績を\n順に見てみましょう");
    t.introAll = lit("それでは皆さんの成績を\n見てみましょう");
    t.next = lit("次へ");
    t.overall = lit("総合成績");
    t.byeAll = lit("皆さんお疲れ様でした");
    t.theEnd = lit("おわり");
    t.wideSpace = lit("　");
    t.diceCaption = lit(" 盤面工房 サイコロ振り （デバッグ）");
    t.dieCaptionHead = lit(" 盤面工房 ");
    t.dieCaptionTail = lit("個目のサイコロの目は？");
    t.diePrompt = lit("これから振って出すサイコロの目を選んで下さい。");
    t.playerChoiceCaption = lit(" 盤面工房 プレイヤー選択");
    t.playerChoicePrompt = lit("プレーヤーを一人選んで下さい。");
    t.san = lit("さん");
    t.resolutionLimit = lit("移動先の解決が1ターンに1000回を超えたため、ゲームを中止しました");
    t.turnLimit = lit("ターン数が上限に達したため、ゲームを終了します");
    for (int n = 1; n <= 9; ++n) {
        t.digits[n] = lit(fullWidthDigit(n));
    }
    return t;
}

}  // namespace

const EngineTexts& engineTexts() {
    static const EngineTexts texts = build();
    return texts;
}

std::string_view digitText(int n) {
    if (n < 1 || n > 9) {
        return {};
    }
    return engineTexts().digits[n];
}

}  // namespace banmen
