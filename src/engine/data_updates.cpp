// The five data updates and three state changes of the square a player
// stopped on, each reported in the panel in its own words.

#include "engine/engine_texts.h"
#include "engine/game_session.h"
#include "engine/update_code.h"
#include "model/text_field.h"

namespace banmen {

namespace {
constexpr int kFirstUpdatePauseMs = 100;
constexpr int kResultWaitMs = 2000;
constexpr int kFinalPauseMs = 1000;
}  // namespace

bool GameSession::showResultLine(int p, std::string_view text) {
    screen_.ShowPanelText({text, kResultLineRect, kTextSize, kResultLineColour, TextStyle::Plain});
    screen_.ShowPlayerInfo(p);
    screen_.RedrawPlayerPanel(p);
    screen_.RefreshPanel();
    if (!goesOn(waitFor(nextButton(p, true), kResultWaitMs))) {
        return false;
    }
    screen_.HideButton();
    screen_.ClearPanelLine(kResultLineRect);
    return true;
}

bool GameSession::applyOneUpdate(int p, std::int32_t s, int u, bool& first) {
    const EngineTexts& t = texts_;
    const SquareDef& square = record().squares[s];
    const UpdateCode code = decodeUpdate(square.updateCodes[u]);
    const std::int32_t amount = square.updateValues[u];
    const PlayerDataDef& item = record().dataItems[u];
    const bool shown = item.visible != 0;
    if (amount == 0 && !(code.op == OPOSET && code.operand == OPMONE)) {
        return true;
    }
    if (first) {
        first = false;
        screen_.ShowPlayerInfo(p);
        if (!pause(kFirstUpdatePauseMs)) {
            return false;
        }
    }
    const std::string_view message = fieldText(square.updateTexts[u]);
    if (shown && !message.empty()) {
        screen_.ShowPanelText(
            {message, kUpdateMessageRect, kTextSize, kMessageColour, TextStyle::Outlined});
    }

    std::int32_t v = 1;
    const bool dice = code.isDice();
    if (dice) {
        std::array<int, 3> forced{};
        if (AskDieValues(p, code.diceCount(), forced) == -1) {
            // A closed dice prompt skips this update, as it skips a turn's throw.
            return !stop_;
        }
        const int thrown = RollDice(p, code.diceCount(), forced, ThrowPurpose::Update, u);
        if (thrown == -1) {
            screen_.RemoveDice();
            return false;
        }
        v = thrown;
    } else if (code.isItem()) {
        v = record().players[p].dataValues[code.itemIndex()];
    }
    std::int32_t e = wrapMul(amount, v);

    if (code.op == OPOADD || code.op == OPOSUB) {
        if (code.target == OPFALL) {
            const int n = playerCount();
            for (int h = 0; h < n; ++h) {
                if (h == p) {
                    continue;
                }
                const std::int32_t value = record().players[h].dataValues[u];
                setData(p, h, s, u, code.op == OPOADD ? wrapSub(value, e) : wrapAdd(value, e));
            }
            if (shown) {
                screen_.ShowPlayerInfo(-1);
                screen_.RedrawAllPlayerPanels();
                screen_.RefreshPanel();
            }
            e = wrapMul(e, n - 1);
        } else if (code.target == OPFPLY) {
            int h = screen_.ChoosePlayer(p);
            if (h < 0 || h >= playerCount() || h == p) {
                h = -1;
            }
            if (h != -1) {
                if (shown) {
                    screen_.ShowPlayerInfo(h);
                }
                const std::int32_t value = record().players[h].dataValues[u];
                setData(p, h, s, u, code.op == OPOADD ? wrapSub(value, e) : wrapAdd(value, e));
                if (shown) {
                    screen_.ShowPlayerInfo(h);
                    screen_.RedrawPlayerPanel(h);
                    screen_.RefreshPanel();
                }
            }
        }
    }

    const std::int32_t x = record().players[p].dataValues[u];
    std::string_view tail;  // the result text after the number; none: no result
    bool withUnit = true;
    switch (code.op) {
        case OPOADD:
            setData(p, p, s, u, wrapAdd(x, e));
            tail = t.increased;
            break;
        case OPOSUB:
            setData(p, p, s, u, wrapSub(x, e));
            tail = t.decreased;
            break;
        case OPOMUL:
            setData(p, p, s, u, wrapMul(x, e));
            tail = t.timesBecame;
            withUnit = false;
            break;
        case OPODIV:
            if (e != 0) {
                setData(p, p, s, u, truncDiv(x, e));
                tail = t.fractionBecame;
                withUnit = false;
            }
            break;
        case OPOSET:
            setData(p, p, s, u, wrapMul(amount, v));
            tail = t.became;
            break;
        default:
            break;
    }
    if (shown && !tail.empty()) {
        text_.assign(fieldText(item.name)).append(t.ga).append(std::to_string(e));
        if (withUnit) {
            text_.append(fieldText(item.unit));
        }
        text_.append(tail);
        if (!showResultLine(p, text_)) {
            return false;
        }
    }
    if (dice) {
        screen_.RemoveDice();
    }
    return true;
}

bool GameSession::ApplyDataUpdates(int p) {
    const EngineTexts& t = texts_;
    const std::int32_t s = squareOf(p);
    if (s == -1) {
        return !stop_;
    }
    bool first = true;
    for (int u = 0; u < kUpdateCount; ++u) {
        if (!applyOneUpdate(p, s, u, first)) {
            return false;
        }
    }
    for (int state = 0; state < kStateCount; ++state) {
        const std::string_view change = fieldText(record().squares[s].stateChanges[state]);
        if (change.empty()) {
            continue;
        }
        setState(p, s, state, change);
        const PlayerStateDef& def = record().states[state];
        if (def.visible == 0) {
            continue;
        }
        const std::string_view stateName = fieldText(def.name);
        text_.clear();
        if (!stateName.empty()) {
            text_.assign(stateName).append(t.ga);
        }
        text_.append(change).append(t.became);
        if (!showResultLine(p, text_)) {
            return false;
        }
    }
    screen_.RedrawPlayerPanel(p);
    screen_.RefreshPanel();
    if (!pause(kFinalPauseMs)) {
        return false;
    }
    screen_.HidePlayerInfo();
    return true;
}

}  // namespace banmen
