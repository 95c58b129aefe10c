#pragma once
// The engine's fixed texts in Shift-JIS (CP932), converted once from the
// UTF-8 literals in engine_texts.cpp. Texts with a "%s" in the game are split
// into the pieces around the inserted text.

#include <string>
#include <string_view>

namespace banmen {

struct EngineTexts {
    // Turns.
    std::string restTail;     // "%sさんは\n一回休みです" after the name
    std::string turnTail;     // "%sさんの番です\nサイコロを振ってください"
    std::string throwLabel;   // "投げる"
    std::string jumpIf;       // "%sがでたら%sへ進む": after the face
    std::string jumpGo;       // ... after the square's name
    std::string otherFaces;   // "その他の目がでたらそのまま進む"
    std::string thrownTail;   // "%sがでました"
    std::string chooseTitle;  // "プレイヤーを選んで下さい"
    std::string chooseDone;   // "選択終了"
    // Goal.
    std::string congratulations;  // "おめでとう御座います"
    std::string goalTail;         // "%sさんがゴールしました"
    std::string thanksTail;       // "%sさんお疲れ様でした"
    // Data updates.
    std::string ga;              // "が"
    std::string increased;       // "増えました"
    std::string decreased;       // "減りました"
    std::string timesBecame;     // "倍になりました"
    std::string fractionBecame;  // "分の1になりました"
    std::string became;          // "になりました"
    // Opening and results.
    std::string explanation;  // "解説"
    std::string rules;        // "ルール説明"
    std::string gameOver;     // "ゲーム終了です"
    std::string wellDone;     // "お疲れさまでした"
    std::string resultsNext;  // "次は結果発表です"
    std::string results;      // "結果発表"
    std::string introEach;    // "それでは皆さんの成績を\n順に見てみましょう"
    std::string introAll;     // "それでは皆さんの成績を\n見てみましょう"
    std::string next;         // "次へ"
    std::string overall;      // "総合成績"
    std::string byeAll;       // "皆さんお疲れ様でした"
    std::string theEnd;       // "おわり"
    std::string wideSpace;    // "　"
    // Debug run.
    std::string diceCaption;     // " 盤面工房 サイコロ振り （デバッグ）"
    std::string dieCaptionHead;  // " 盤面工房 "
    std::string dieCaptionTail;  // "%s個目のサイコロの目は？" after the digit
    std::string diePrompt;  // "これから振って出すサイコロの目を選んで下さい。"
    // Player choice dialog.
    std::string playerChoiceCaption;  // " 盤面工房 プレイヤー選択"
    std::string playerChoicePrompt;   // "プレーヤーを一人選んで下さい。"
    std::string san;                  // "さん"
    // The engine's own stops.
    std::string resolutionLimit;  // a chain of jumps that does not end
    std::string turnLimit;        // a game that does not finish
    // Full-width digits "１".."９" at 1..9 (index 0 is empty).
    std::string digits[10];
};

const EngineTexts& engineTexts();

// The full-width digit of n in CP932; empty outside 1..9.
std::string_view digitText(int n);

}  // namespace banmen
