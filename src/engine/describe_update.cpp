#include "engine/describe_update.h"

#include "engine/engine_texts.h"
#include "engine/update_code.h"
#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {

namespace {

// "データ１".."データ５" for an item without a name.
std::string itemName(const GameRecord& record, int item) {
    const std::string_view name = fieldText(record.dataItems[item].name);
    if (!name.empty()) {
        return std::string(name);
    }
    return sjis::lit("データ") + std::string(digitText(item + 1));
}

}  // namespace

std::string DescribeDataUpdate(const GameRecord& record, int square, int update) {
    if (square < 0 || square >= kSquareCount || update < 0 || update >= kUpdateCount) {
        return {};
    }
    using sjis::lit;
    const SquareDef& s = record.squares[square];
    const UpdateCode code = decodeUpdate(s.updateCodes[update]);
    const std::int32_t amount = s.updateValues[update];
    const PlayerDataDef& item = record.dataItems[update];
    const std::string name = itemName(record, update);
    const std::string_view unit = fieldText(item.unit);
    const std::string_view bank = fieldText(record.settings.bankName);
    const bool others = code.target == OPFPLY || code.target == OPFALL;
    const bool knownOp = code.op >= OPOADD && code.op <= OPOSET;

    std::string text;
    // The head. An unknown operator gets none, but an amount of 0 still
    // leaves the item as it is.
    if (code.op == OPOSET && code.operand == OPMONE) {
        text = name + lit("を") + std::to_string(amount);
    } else if (amount == 0) {
        return name + lit("はそのまま");
    } else if (knownOp) {
        text = name + lit("を");
        if (code.operand == OPMONE) {
            text += std::to_string(amount);
        } else if (amount != 1) {
            text += std::to_string(amount) + lit("×");
        }
    }
    // The operand.
    if (code.isDice()) {
        text +=
            lit("サイコロ") + std::string(digitText(code.diceCount())) + lit("個を振って出た目");
    } else if (code.isItem()) {
        text += itemName(record, code.itemIndex());
        if (code.op != OPOMUL && code.op != OPODIV) {
            text += lit("分");
        }
    }
    // Unit and "each" / "only".
    if (code.op == OPOADD || code.op == OPOSUB) {
        if (code.operand == OPMONE) {
            text += unit;
            if (code.target == OPFALL) {
                text += lit("ずつ");
            }
        } else if (code.isDice() || code.isItem()) {
            text += code.target == OPFALL ? lit("ずつ") : lit("だけ");
        }
    } else if (code.op == OPOSET) {
        if (code.operand == OPMONE) {
            text += unit;
        }
        text += lit("に");
    }
    // From or to whom.
    if (code.op == OPOADD || code.op == OPOSUB) {
        const bool add = code.op == OPOADD;
        if (code.target == OPFPLY) {
            text += add ? lit("他のだれかから") : lit("他のだれかに");
        } else if (code.target == OPFALL) {
            text += add ? lit("全員から") : lit("全員に");
        } else if (code.target == OPFBNK && item.kind == kDataMoney && !bank.empty()) {
            text += std::string(bank) + (add ? lit("から") : lit("に"));
        }
    }
    // The verb.
    switch (code.op) {
        case OPOADD:
            text += item.kind == kDataThing || item.kind == kDataMoney || others ? lit("もらう")
                                                                                 : lit("増やす");
            break;
        case OPOSUB:
            text += item.kind == kDataMoney ? lit("払う") : others ? lit("あげる") : lit("減らす");
            break;
        case OPOMUL:
            text += lit("倍する");
            break;
        case OPODIV:
            text += lit("分の１にする");
            break;
        case OPOSET:
            text += lit("する");
            break;
        default:
            break;
    }
    return text;
}

}  // namespace banmen
