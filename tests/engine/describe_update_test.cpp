#include "engine/describe_update.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/update_code.h"
#include "game_builder.h"

namespace banmen {
namespace {

using test::GameBuilder;
using test::putText;

class DescribeDataUpdateTest : public ::testing::Test {
  protected:
    DescribeDataUpdateTest() {
        builder.square(0, kSquareNormal);
        // Item 1 is the default "所持金" (money, unit 円); item 2 a person
        // count; item 3 has no name.
        putText(r().dataItems[1].name, kNameMax, "友達");
        putText(r().dataItems[1].unit, kUnitMax, "人");
        r().dataItems[1].kind = kDataPerson;
        r().dataItems[2].kind = kDataThing;
    }

    GameRecord& r() { return builder.r(); }

    std::string describe(int update, std::int32_t op, std::int32_t operand, std::int32_t target,
                         std::int32_t amount) {
        r().squares[0].updateCodes[update] = encodeUpdate(op, operand, target);
        r().squares[0].updateValues[update] = amount;
        return sjis::toUtf8Lossy(DescribeDataUpdate(r(), 0, update));
    }

    GameBuilder builder;
};

TEST_F(DescribeDataUpdateTest, TheThreeWorkedExamples) {
    EXPECT_EQ(describe(0, OPOADD, OPMONE, OPFBNK, 100), "所持金を100円銀行からもらう");
    EXPECT_EQ(describe(0, OPOSUB, OPMDIC1, OPFALL, 2),
              "所持金を2×サイコロ１個を振って出た目ずつ全員に払う");
    EXPECT_EQ(describe(0, OPOMUL, OPMONE, OPFBNK, 2), "所持金を2倍する");
}

TEST_F(DescribeDataUpdateTest, AmountZeroLeavesTheItemUnlessItIsASetOfTheConstant) {
    EXPECT_EQ(describe(0, OPOADD, OPMONE, OPFBNK, 0), "所持金はそのまま");
    EXPECT_EQ(describe(0, OPOSET, OPMDIC2, OPFBNK, 0), "所持金はそのまま");
    EXPECT_EQ(describe(0, OPOSET, OPMONE, OPFBNK, 0), "所持金を0円にする");
    EXPECT_EQ(describe(0, OPOSET, OPMONE, OPFALL, -5), "所持金を-5円にする");
}

TEST_F(DescribeDataUpdateTest, OperandsAndTheirJoiningWords) {
    EXPECT_EQ(describe(0, OPOADD, OPMDIC3, OPFBNK, 1),
              "所持金をサイコロ３個を振って出た目だけ銀行からもらう");
    EXPECT_EQ(describe(0, OPOADD, OPMITM1, OPFALL, 2), "所持金を2×所持金分ずつ全員からもらう");
    EXPECT_EQ(describe(0, OPOSET, OPMDIC1, OPFBNK, 1), "所持金をサイコロ１個を振って出た目にする");
    EXPECT_EQ(describe(0, OPOSET, OPMITM1 + 0x100, OPFBNK, 3), "所持金を3×友達分にする");
    // Multiply and divide take no "分" after an item.
    EXPECT_EQ(describe(0, OPODIV, OPMITM1 + 0x100, OPFBNK, 1), "所持金を友達分の１にする");
    EXPECT_EQ(describe(0, OPOMUL, OPMITM1 + 0x100, OPFBNK, 2), "所持金を2×友達倍する");
    EXPECT_EQ(describe(0, OPODIV, OPMONE, OPFBNK, 3), "所持金を3分の１にする");
}

TEST_F(DescribeDataUpdateTest, SourcesReceiversAndVerbsFollowTheKind) {
    EXPECT_EQ(describe(0, OPOSUB, OPMONE, OPFPLY, 10), "所持金を10円他のだれかに払う");
    EXPECT_EQ(describe(0, OPOADD, OPMONE, OPFPLY, 10), "所持金を10円他のだれかからもらう");
    // A person count: no bank, and its own verbs.
    EXPECT_EQ(describe(1, OPOADD, OPMONE, OPFBNK, 2), "友達を2人増やす");
    EXPECT_EQ(describe(1, OPOSUB, OPMONE, OPFBNK, 2), "友達を2人減らす");
    EXPECT_EQ(describe(1, OPOSUB, OPMONE, OPFALL, 2), "友達を2人ずつ全員にあげる");
    EXPECT_EQ(describe(1, OPOADD, OPMONE, OPFPLY, 1), "友達を1人他のだれかからもらう");
    // A thing without a name is "データ３" and is received, never from the bank.
    EXPECT_EQ(describe(2, OPOADD, OPMONE, OPFBNK, 5), "データ３を5もらう");
    EXPECT_EQ(describe(2, OPOSUB, OPMDIC2, OPFBNK, 1),
              "データ３をサイコロ２個を振って出た目だけ減らす");
}

TEST_F(DescribeDataUpdateTest, AnEmptyBankNameIsLeftOut) {
    r().settings.bankName[0] = 0;
    EXPECT_EQ(describe(0, OPOADD, OPMONE, OPFBNK, 100), "所持金を100円もらう");
    EXPECT_EQ(describe(0, OPOSUB, OPMONE, OPFBNK, 100), "所持金を100円払う");
}

TEST_F(DescribeDataUpdateTest, UnknownCodesDescribeOnlyWhatIsKnown) {
    EXPECT_EQ(describe(0, 7, OPMONE, OPFBNK, 5), "");
    EXPECT_EQ(describe(0, 7, OPMDIC1, OPFBNK, 5), "サイコロ１個を振って出た目");
    EXPECT_EQ(describe(0, 7, OPMONE, OPFBNK, 0), "所持金はそのまま");
    // An operand outside the table adds nothing.
    EXPECT_EQ(describe(0, OPOADD, 0x900, OPFBNK, 4), "所持金を4×銀行からもらう");
    // A target outside the table names no one and counts as the bank's verb.
    EXPECT_EQ(describe(1, OPOADD, OPMONE, 0x300000, 1), "友達を1人増やす");
    EXPECT_EQ(DescribeDataUpdate(r(), -1, 0), "");
    EXPECT_EQ(DescribeDataUpdate(r(), kSquareCount, 0), "");
    EXPECT_EQ(DescribeDataUpdate(r(), 0, kUpdateCount), "");
}

TEST(UpdateArithmeticTest, WrapsAsThirtyTwoBitWithoutOverflow) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    static_assert(wrapAdd(kMax, 1) == kMin);
    static_assert(wrapSub(kMin, 1) == kMax);
    static_assert(wrapMul(65536, 65536) == 0);
    static_assert(wrapMul(kMin, -1) == kMin);
    static_assert(truncDiv(kMin, -1) == kMin);
    static_assert(truncDiv(-7, 2) == -3);
    static_assert(truncDiv(7, -2) == -3);
    const UpdateCode code = decodeUpdate(static_cast<std::int32_t>(0xFF3FF804u));
    EXPECT_EQ(code.op, 4);
    EXPECT_EQ(code.operand, 0xFF800);
    EXPECT_EQ(code.target, 0x300000);
}

}  // namespace
}  // namespace banmen
