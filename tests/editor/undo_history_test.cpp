// The document's undo history: every step restores the record byte for byte,
// typing merges, new changes drop redo, and the history stays small.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "editor/document/editor_document.h"
#include "model/object_list.h"
#include "model/text_field.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

bool sameRecord(const GameRecord& a, const GameRecord& b) {
    return std::memcmp(&a, &b, sizeof(GameRecord)) == 0;
}

struct Document {
    test::CapturingNotifier notifier;
    EditorDocument document{notifier};

    // Opens a full game written as a workspace file.
    void openFull(const test::TempDir& dir) {
        auto record = std::make_unique<GameRecord>(test::fullRecord());
        const std::string path = dir.file("full.sgw");
        std::vector<std::uint8_t> bytes(sizeof(GameRecord));
        std::memcpy(bytes.data(), record.get(), bytes.size());
        test::writeBytes(path, bytes);
        ASSERT_TRUE(document.openFile(path).isOk());
    }
    const FieldDescriptor& field(ObjectKind kind, int index, std::int32_t id, int sub = 0) {
        const FieldDescriptor* f = document.field(kind, index, id, sub);
        EXPECT_NE(f, nullptr);
        return *f;
    }
};

// One of several kinds of command, chosen at random, as one step.
void randomCommand(Document& d, std::mt19937& random) {
    const int square = static_cast<int>(random() % kSquareCount);
    switch (random() % 6) {
        case 0:
            d.document.setNumber(d.field(ObjectKind::Square, square, kFieldX),
                                 static_cast<std::int32_t>(random() % 800));
            break;
        case 1:
            d.document.setText(d.field(ObjectKind::Square, square, kFieldDescription),
                               sjis::lit("説明" + std::to_string(random() % 100)));
            break;
        case 2:
            d.document.edit(QStringLiteral("マスの削除"),
                            [&](RecordOwner& owner) { DeleteSquare(owner, square); });
            break;
        case 3:
            d.document.edit(QStringLiteral("マス追加"), [&](RecordOwner& owner) {
                AddSquare(owner, static_cast<std::int32_t>(random() % 800),
                          static_cast<std::int32_t>(random() % 600), 0);
            });
            break;
        case 4:
            d.document.edit(QStringLiteral("経路の追加"), [&](RecordOwner& owner) {
                AddRoute(owner, square, static_cast<std::int32_t>(random() % kSquareCount));
            });
            break;
        default:
            d.document.edit(QStringLiteral("イメージの削除"), [&](RecordOwner& owner) {
                DeleteImage(owner, static_cast<std::int32_t>(random() % kImageCount));
            });
            break;
    }
}

TEST(UndoHistory, MixedCommandsUndoAndRedoByteForByteAtEveryStep) {
    test::TempDir dir;
    Document d;
    d.openFull(dir);
    std::mt19937 random(7);
    std::vector<std::unique_ptr<GameRecord>> states;
    states.push_back(std::make_unique<GameRecord>(d.document.record()));
    for (int i = 0; i < 120; ++i) {
        // Each command on another object, so none merges with the one before.
        randomCommand(d, random);
        if (!sameRecord(*states.back(), d.document.record())) {
            states.push_back(std::make_unique<GameRecord>(d.document.record()));
        }
        d.document.setModified(false);
    }
    ASSERT_GT(states.size(), 60u);
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(d.document.undo());
        ASSERT_TRUE(sameRecord(d.document.record(), *states[i - 1])) << "undo to state " << i - 1;
        EXPECT_TRUE(d.document.isModified());
    }
    EXPECT_FALSE(d.document.canUndo());
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(d.document.redo());
        ASSERT_TRUE(sameRecord(d.document.record(), *states[i])) << "redo to state " << i;
    }
    EXPECT_FALSE(d.document.canRedo());
}

TEST(UndoHistory, TypingInOneFieldIsOneStepUntilAnotherFieldOrASave) {
    test::TempDir dir;
    Document d;
    const GameRecord start = d.document.record();
    const FieldDescriptor& title = d.field(ObjectKind::Game, 0, kFieldTitle);
    for (const char* text : {"す", "すご", "すごろ", "すごろく"}) {
        d.document.setText(title, sjis::lit(text));
    }
    EXPECT_EQ(d.document.history().stepCount(), 1u);
    EXPECT_EQ(d.document.undoCaption(), QStringLiteral("ゲーム全般の変更"));

    d.document.setNumber(d.field(ObjectKind::Game, 0, kFieldPlayerCount), 3);
    d.document.setText(title, sjis::lit("双六"));
    EXPECT_EQ(d.document.history().stepCount(), 3u);

    d.document.setLocation({dir.path(), "t.sgw", "t.sgr", "t.sgp"});
    ASSERT_TRUE(d.document.save().isOk());
    EXPECT_FALSE(d.document.isModified());
    d.document.setText(title, sjis::lit("双六２"));
    EXPECT_EQ(d.document.history().stepCount(), 4u) << "no merge across a save";

    // Typing back to where the step started leaves no step behind.
    d.document.setText(title, sjis::lit("双六"));
    EXPECT_EQ(d.document.history().stepCount(), 3u);

    while (d.document.undo()) {
    }
    EXPECT_TRUE(sameRecord(d.document.record(), start));
    EXPECT_TRUE(d.document.isModified()) << "undo after a save marks the workspace modified";
}

TEST(UndoHistory, ANewChangeAfterUndoDropsRedoAndSelectionFollowsTheStep) {
    Document d;
    const FieldDescriptor& x = d.field(ObjectKind::Square, 0, kFieldX);
    d.document.select({ObjectKind::Square, 0});
    d.document.setNumber(x, 300);
    d.document.select({ObjectKind::Image, 0});
    d.document.edit(QStringLiteral("マス追加"),
                    [](RecordOwner& owner) { AddSquare(owner, 400, 400, 0); });
    ASSERT_TRUE(d.document.undo());
    EXPECT_TRUE(d.document.canRedo());
    ASSERT_TRUE(d.document.undo());
    EXPECT_EQ(d.document.selection(), (Selection{ObjectKind::Square, 0}));
    d.document.setNumber(x, 120);
    EXPECT_FALSE(d.document.canRedo());
    EXPECT_EQ(d.document.record().squares[0].x, 120);
}

TEST(UndoHistory, OldestStepsGoBeyondTheLimitAndFieldStepsStaySmall) {
    GameRecord record = test::defaultRecord();
    UndoHistory history(10);
    history.reset(record);
    for (int i = 0; i < 25; ++i) {
        record.squares[i % 3].x = 1000 + i;
        ASSERT_TRUE(history.commit(record, "step", "", {}, {}));
    }
    EXPECT_EQ(history.stepCount(), 10u);
    EXPECT_LT(history.memoryBytes(), 10 * 200u);
    Selection selection;
    int undone = 0;
    while (history.undo(record, selection)) {
        ++undone;
    }
    EXPECT_EQ(undone, 10);
    EXPECT_EQ(record.squares[(15) % 3].x, 1000 + 15 - 3) << "the state ten steps back";
    EXPECT_FALSE(history.commit(record, "same", "", {}, {})) << "no change, no step";
}

}  // namespace
}  // namespace banmen
