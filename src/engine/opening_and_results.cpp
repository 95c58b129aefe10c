// The screens that frame a game: explanation, rules and player selection at
// the start, the results sequence at the end.

#include "engine/end_conditions.h"
#include "engine/engine_texts.h"
#include "engine/game_session.h"
#include "engine/player_info.h"
#include "model/text_field.h"

namespace banmen {

namespace {

Button selectionButton(ButtonRole role, std::int32_t look, std::int32_t top = kButtonTop) {
    Button button;
    button.role = role;
    button.look = look;
    button.top = top;
    button.selection = true;
    return button;
}

}  // namespace

bool GameSession::RunOpening() {
    const EngineTexts& t = texts_;
    const Button next = selectionButton(ButtonRole::Next, 0);

    screen_.ClearPanel();
    screen_.ShowPanelText(
        {t.explanation, kOpeningTitleRect, kTitleSize, kOpeningTitleColour, TextStyle::Plain});
    screen_.ShowPanelText({fieldText(record().settings.helpText), kOpeningBodyRect, kTextSize,
                           kMessageColour, TextStyle::Box});
    if (!goesOn(waitFor(next, 0))) {
        return false;
    }
    screen_.HideButton();

    screen_.ClearPanel();
    const std::string rules = RuleText(record());
    screen_.ShowPanelText(
        {t.rules, kOpeningTitleRect, kTitleSize, kOpeningTitleColour, TextStyle::Plain});
    screen_.ShowPanelText({rules, kOpeningBodyRect, kTextSize, kMessageColour, TextStyle::Box});
    if (!goesOn(waitFor(next, 0))) {
        return false;
    }
    screen_.HideButton();

    screen_.ClearPanel();
    screen_.ShowPanelText(
        {t.chooseTitle, kSelectionTitleRect, kTitleSize, kOpeningTitleColour, TextStyle::Plain});
    screen_.ShowPlayerSelection();
    screen_.ShowPanelText({t.chooseDone, kSelectionDoneRect, kTextSize, kWhite, TextStyle::Plain});
    if (!goesOn(waitFor(selectionButton(ButtonRole::SelectionDone, 0), 0))) {
        return false;
    }
    screen_.HideButton();
    screen_.HidePlayerSelection();
    screen_.ClearPanel();
    screen_.RedrawAllPlayerPanels();
    screen_.ShowComputerToggles();
    togglesShown_ = true;
    if (events_ != nullptr) {
        events_->PlayersSelected(*this);
    }
    return true;
}

void GameSession::ShowResults() {
    const EngineTexts& t = texts_;
    const int n = playerCount();
    const Button next = selectionButton(ButtonRole::Next, 8);

    screen_.ShowCelebration(t.gameOver, t.wellDone, t.resultsNext);
    const int items = resultItemCount(record());
    for (int p = 0; p < n; ++p) {
        if (record().players[p].finishState == 0) {
            setFinish(p, -2);
        }
    }

    screen_.ClearPanel();
    screen_.ShowPanelText(
        {t.results, kResultsTitleRect, kTitleSize, kResultsTitleColour, TextStyle::Plain});
    screen_.ShowPanelText({items > 0 ? t.introEach : t.introAll, kResultsIntroRect, kTextSize,
                           kWhite, TextStyle::Plain});
    screen_.ShowPanelText(
        {t.next, kResultsNextRect, kTextSize, kNextLabelColour, TextStyle::Plain});
    if (!goesOn(waitFor(next, 0))) {
        return;
    }
    screen_.HideButton();

    if (items > 0) {
        for (int p = 0; p < n; ++p) {
            screen_.ClearPanel();
            screen_.ShowPanelText(
                {t.next, kResultsNextRect, kTextSize, kNextLabelColour, TextStyle::Plain});
            screen_.ShowPanelPlayer(p);
            const std::string sheet = ResultSheetText(record(), p);
            screen_.ShowPanelText({sheet, kResultsSheetRect, kTextSize, kWhite, TextStyle::Box});
            if (!goesOn(waitFor(next, 0))) {
                return;
            }
            screen_.HideButton();
        }
    }

    screen_.ClearPanel();
    screen_.ShowPanelText(
        {t.overall, kResultsTitleRect, kTitleSize, kResultsTitleColour, TextStyle::Plain});
    const std::vector<RankRow> rows = RankPlayers(record(), n);
    if (!rows.empty()) {
        screen_.ShowRankingTable(rows, rankTableTop(n), kRankRowStep);
    }
    screen_.ShowPanelText({t.byeAll, kResultsByeRect, kTextSize, kWhite, TextStyle::Plain});
    screen_.ShowPanelText(
        {t.theEnd, kResultsEndRect, kTextSize, kNextLabelColour, TextStyle::Plain});
    if (goesOn(waitFor(selectionButton(ButtonRole::Next, 8, kLastButtonTop), 0))) {
        screen_.HideButton();
    }
}

}  // namespace banmen
