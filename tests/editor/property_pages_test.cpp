// The property pages driven with clicks and keys in the editor window: byte
// limits and the standard messages, numbers and spins, the square kind's
// sound, the update rows, undo of page edits, and the page following the
// record.

#include <QAbstractButton>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <cstring>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/styled_label.h"
#include "editor/pages/bitmap_button.h"
#include "editor/pages/page_field.h"
#include "editor/window/object_selector.h"
#include "engine/describe_update.h"
#include "page_test_support.h"

namespace banmen {

using test::PageEditor;

class PropertyPagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> home_;

    static QString repeat(const char16_t* text, int times) {
        QString out;
        for (int i = 0; i < times; ++i) {
            out += QString::fromUtf16(text);
        }
        return out;
    }

    static QToolButton* arrow(PageEditor& e, ObjectKind kind, int spin, const char* which) {
        QWidget* arrows = e.control(kind, spin);
        return arrows != nullptr ? arrows->findChild<QToolButton*>(which) : nullptr;
    }

    static std::int32_t squareNumber(PageEditor& e, int s, std::int32_t fieldId, int sub = 0) {
        return e.document.owner().number(*e.document.field(ObjectKind::Square, s, fieldId, sub));
    }

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        test::isolateEditor(*home_);
    }

    void textsAreLimitedByTheirShiftJisBytes() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        auto* name = e.control<QLineEdit>(ObjectKind::Square, 1006);
        QVERIFY(name != nullptr);

        // 31 full-width characters are the field's 62 bytes; the 32nd does
        // not reach the record, and reading the page refuses it and stays on
        // the field.
        e.typeInto(name, repeat(u"あ", 32));
        QCOMPARE(e.squareName(2), repeat(u"あ", 31).toStdString());
        QVERIFY(!e.window.readPages());
        QCOMPARE(e.lastNotice(), std::string("62 文字以内で入力してください。"));
        QCOMPARE(e.notifier.notices.back().caption, std::string("盤面工房"));
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->text().size(), 32);
        // Another object cannot be chosen while the page holds refused input.
        e.select(ObjectKind::Square, 0);
        QCOMPARE(e.document.selection(), (Selection{ObjectKind::Square, 2}));

        // Half-width characters count one byte each: 62 fit.
        e.typeInto(name, QString(62, QLatin1Char('a')));
        QVERIFY(e.window.readPages());
        QCOMPARE(e.squareName(2), std::string(62, 'a'));

        // The state changes take 30 bytes, not the record's 62.
        auto* state = e.control<QLineEdit>(ObjectKind::Square, 2300);
        e.typeInto(state, repeat(u"い", 16));
        QVERIFY(!e.window.readPages());
        QCOMPARE(e.lastNotice(), std::string("30 文字以内で入力してください。"));
        e.typeInto(state, repeat(u"い", 15));
        QVERIFY(e.window.readPages());

        // The rights notice: the record's 62 bytes, although two lines are
        // offered.
        e.select(ObjectKind::Game, 0);
        auto* rights = e.control<QPlainTextEdit>(ObjectKind::Game, 1004);
        QVERIFY(rights != nullptr);
        e.click(rights);
        rights->selectAll();
        test::type(rights, QString(30, QLatin1Char('x')));
        QTest::keyClick(rights, Qt::Key_Return);
        test::type(rights, QString(31, QLatin1Char('y')));
        QVERIFY(!e.window.readPages());
        QCOMPARE(e.lastNotice(), std::string("62 文字以内で入力してください。"));
        QTest::keyClick(rights, Qt::Key_Backspace);
        QVERIFY(e.window.readPages());
        const std::string stored(fieldText(e.record().settings.rightsNotice));
        QCOMPARE(stored, std::string(30, 'x') + "\r\n" + std::string(30, 'y'));
    }

    void emptyNameOfASquareIsRefused() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        auto* name = e.control<QLineEdit>(ObjectKind::Square, 1006);
        e.click(name);
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        // The square is not deleted by typing.
        QCOMPARE(e.squareName(2), std::string("普通(3)"));
        QVERIFY(!e.window.readPages());
        QCOMPARE(e.lastNotice(), std::string("名称を入力してください。"));
        // A player state may have no name.
        e.typeInto(name, QStringLiteral("茶屋"));
        QVERIFY(e.window.readPages());
        e.select(ObjectKind::PlayerState, 0);
        e.typeInto(e.control<QLineEdit>(ObjectKind::PlayerState, 1006), QStringLiteral("眠"));
        QTest::keyClick(e.control(ObjectKind::PlayerState, 1006), Qt::Key_Backspace);
        QVERIFY(e.window.readPages());
    }

    void numbersAndTheirMessages() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        auto* x = e.control<QLineEdit>(ObjectKind::Square, 1100);
        e.typeInto(x, QStringLiteral("-12"));
        // Typing moves the square at once.
        QCOMPARE(e.record().squares[2].x, -12);
        e.typeInto(x, QStringLiteral("1a"));
        QVERIFY(!e.window.readPages());
        QCOMPARE(e.lastNotice(), std::string("整数を入力してください。"));
        QCOMPARE(e.record().squares[2].x, 1);
        e.typeInto(x, QStringLiteral("99999999999"));
        QVERIFY(!e.window.readPages());
        QCOMPARE(e.lastNotice(), std::string("整数を入力してください。"));
        e.typeInto(x, QStringLiteral(" 250 "));
        QVERIFY(e.window.readPages());
        QCOMPARE(e.record().squares[2].x, 250);

        e.select(ObjectKind::Game, 0);
        auto* count = e.control<QLineEdit>(ObjectKind::Game, 1005);
        for (const char* wrong : {"5", "0"}) {
            e.typeInto(count, QString::fromLatin1(wrong));
            QVERIFY(!e.window.readPages());
            QCOMPARE(e.lastNotice(), std::string("1 から 4 までの整数を入力してください。"));
            QCOMPARE(e.record().settings.playerCount, 4);
        }
        e.typeInto(count, QStringLiteral("3"));
        QVERIFY(e.window.readPages());
        QCOMPARE(e.record().settings.playerCount, 3);
    }

    void playerCountSpinStaysWithinOneToFour() {
        PageEditor e;
        const auto players = [&e] {
            int n = 0;
            for (const CaptionEntry& entry : e.window.objectSelector().entries()) {
                n += entry.object.kind == ObjectKind::Player ? 1 : 0;
            }
            return n;
        };
        QToolButton* up = arrow(e, ObjectKind::Game, 1064, "up");
        QToolButton* down = arrow(e, ObjectKind::Game, 1064, "down");
        QVERIFY(up != nullptr && down != nullptr);
        e.click(up);
        QCOMPARE(e.record().settings.playerCount, 4);
        QVERIFY(!e.document.canUndo());
        for (int expected : {3, 2, 1, 1}) {
            e.click(down);
            QCOMPARE(e.record().settings.playerCount, expected);
            QCOMPARE(players(), expected);
        }
        e.click(up);
        QCOMPARE(e.record().settings.playerCount, 2);
        QCOMPARE(players(), 2);
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Game, 1005)->text(), QStringLiteral("2"));
        QCOMPARE(e.document.selection(), Selection{});
        QCOMPARE(e.document.undoCaption(), QStringLiteral("ゲーム全般の参加人数"));
    }

    void squareKindSwapsItsDefaultSound() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        QToolButton* up = arrow(e, ObjectKind::Square, 1099, "up");
        QToolButton* down = arrow(e, ObjectKind::Square, 1099, "down");
        auto* kind = e.control<QLineEdit>(ObjectKind::Square, 1098);
        QCOMPARE(kind->text(), QStringLiteral("普通"));
        e.click(up);  // already the first kind
        QCOMPARE(e.record().squares[2].kind, 0);

        e.click(down);
        QCOMPARE(e.record().squares[2].kind, 1);
        QCOMPARE(kind->text(), QStringLiteral("幸運"));
        QCOMPARE(e.record().squares[2].sound, 4);
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1007)->text(),
                 QStringLiteral("幸運サウンド"));
        QCOMPARE(e.document.undoCaption(), QStringLiteral("マス3の種別"));
        e.window.runCommand(kCmdUndo);
        QCOMPARE(e.record().squares[2].kind, 0);
        QCOMPARE(e.record().squares[2].sound, 3);

        // Any other sound stays.
        e.document.setNumber(*e.document.field(ObjectKind::Square, 2, kFieldSound), 0);
        e.click(down);
        QCOMPARE(e.record().squares[2].kind, 1);
        QCOMPARE(e.record().squares[2].sound, 0);

        // The visibility list stores 1 for its first entry.
        e.select(ObjectKind::PlayerState, 0);
        auto* shown = e.control<QLineEdit>(ObjectKind::PlayerState, 1022);
        QCOMPARE(shown->text(), QStringLiteral("表示しない"));
        e.click(arrow(e, ObjectKind::PlayerState, 1039, "up"));
        QCOMPARE(e.record().states[0].visible, 1);
        QCOMPARE(shown->text(), QStringLiteral("表示する"));
        // The keyboard steps too.
        QTest::keyClick(shown, Qt::Key_Down);
        QCOMPARE(e.record().states[0].visible, 0);
    }

    void updateRowButtonsCycleTheirBits() {
        PageEditor e;
        // Bits beyond the three parts are carried along.
        e.document.setNumber(*e.document.field(ObjectKind::Square, 2, kFieldUpdateCodes, 1),
                             0x05000000);
        e.select(ObjectKind::Square, 2);
        struct Case {
            int button;
            std::vector<std::int32_t> codes;
            std::vector<const char*> stems;
        };
        const Case cases[] = {
            {4001, {1, 2, 3, 4, 0}, {"OPOSUB", "OPOMUL", "OPODIV", "OPOSET", "OPOADD"}},
            {4021,
             {0x100, 0x200, 0x300, 0x400, 0x500, 0x600, 0x700, 0x800, 0},
             {"OPMDIC1", "OPMDIC2", "OPMDIC3", "OPMITM1", "OPMITM2", "OPMITM3", "OPMITM4",
              "OPMITM5", "OPMONE"}},
            {4011, {0x100000, 0x200000, 0}, {"OPFPLY", "OPFALL", "OPFBNK"}},
        };
        const QString intro =
            QStringLiteral("このマスに止まった時のプレイヤーデータの変更方法\n\n現在の設定内容\n");
        for (const Case& c : cases) {
            auto* button = e.control<BitmapButton>(ObjectKind::Square, c.button);
            QVERIFY(button != nullptr);
            for (std::size_t i = 0; i < c.codes.size(); ++i) {
                e.click(button);
                QCOMPARE(squareNumber(e, 2, kFieldUpdateCodes, 1), 0x05000000 | c.codes[i]);
                QCOMPARE(button->stem(), QString::fromLatin1(c.stems[i]));
                const QString wording =
                    QString::fromStdString(sjis::toUtf8Lossy(DescribeDataUpdate(e.record(), 2, 1)));
                QCOMPARE(e.page(ObjectKind::Square)->helpShown(), intro + wording);
            }
        }
        // The amount shows its effect in the help area as it is typed.
        auto* amount = e.control<QLineEdit>(ObjectKind::Square, 4031);
        e.typeInto(amount, QStringLiteral("7"));
        QCOMPARE(squareNumber(e, 2, kFieldValues, 1), 7);
        QVERIFY(e.page(ObjectKind::Square)->helpShown().contains(QStringLiteral("7")));
        QCOMPARE(e.document.undoCaption(), QStringLiteral("マス3のﾃﾞｰﾀ2の更新"));
    }

    void typingIsOneUndoStepAndUndoRestoresTheRecord() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        const auto before = std::make_unique<GameRecord>(e.record());
        const std::size_t steps = e.document.history().position();
        auto* description = e.control<QLineEdit>(ObjectKind::Square, 1042);
        e.typeInto(description, QStringLiteral("茶屋で一休み"));
        QCOMPARE(e.document.history().position(), steps + 1);
        QCOMPARE(e.document.undoCaption(), QStringLiteral("マス3の説明"));
        QVERIFY(e.window.action(kCmdUndo)->text().contains(QStringLiteral("マス3の説明")));
        // The title shows the mark at once.
        QVERIFY(e.window.windowTitle().endsWith(QStringLiteral(" *")));

        e.window.runCommand(kCmdUndo);
        QVERIFY(std::memcmp(&e.record(), before.get(), sizeof(GameRecord)) == 0);
        QCOMPARE(description->text(), QString());
        e.window.runCommand(kCmdRedo);
        QCOMPARE(description->text(), QStringLiteral("茶屋で一休み"));

        // Typing again after leaving the field is a step of its own.
        e.click(e.control(ObjectKind::Square, 1006));
        e.typeInto(description, QStringLiteral("団子"));
        QCOMPARE(e.document.history().position(), steps + 2);
    }

    void namesFollowIntoTheSelectorWhileTyping() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        auto* name = e.control<QLineEdit>(ObjectKind::Square, 1006);
        e.click(name);
        name->end(false);
        test::type(name, QStringLiteral("茶"));
        QCOMPARE(e.window.objectSelector().currentText(), QStringLiteral("マス3 [普通(3)茶]"));
        QCOMPARE(QApplication::focusWidget(), name);
        test::type(name, QStringLiteral("屋"));
        QCOMPARE(e.window.objectSelector().currentText(), QStringLiteral("マス3 [普通(3)茶屋]"));

        // The game's title goes into the window title.
        e.select(ObjectKind::Game, 0);
        e.typeInto(e.control<QLineEdit>(ObjectKind::Game, 1001), QStringLiteral("花札すごろく"));
        QVERIFY(e.window.windowTitle().endsWith(QStringLiteral("- 花札すごろく *")));
    }

    void pageFollowsTheRecordButKeepsInputNotYetWritten() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        auto* description = e.control<QLineEdit>(ObjectKind::Square, 1042);
        e.typeInto(description, repeat(u"う", 32));  // over the limit: not written
        // A map drag writes X and Y in a step of its own.
        e.document.edit(QStringLiteral("マス3の移動"), [&](RecordOwner& owner) {
            owner.SetNumber(*owner.field(ObjectKind::Square, 2, kFieldX), 333);
            owner.SetNumber(*owner.field(ObjectKind::Square, 2, kFieldY), 222);
        });
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1100)->text(), QStringLiteral("333"));
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1101)->text(), QStringLiteral("222"));
        QCOMPARE(description->text(), repeat(u"う", 32));
        // Route changes show in the next-square fields.
        e.document.edit(QStringLiteral("経路の削除"), [](RecordOwner& owner) {
            owner.SetNumber(*owner.field(ObjectKind::Square, 2, kFieldNextSquares, 0), -1);
        });
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1028)->text(), QString());
    }

    void helpTextsOfTheFocusedField() {
        PageEditor e;
        struct Case {
            ObjectKind kind;
            int index;
            int control;
            const char* help;
        };
        // Copied from the page tables of the design, not from the code.
        const Case cases[] = {
            {ObjectKind::Game, 0, 1001, "雙六の題名\n\n最大３０文字"},
            {ObjectKind::Game, 0, 1117,
             "ゲーム終了条件\n\nゲーム終了の条件を指定します\n\n最初の一人がｺﾞｰﾙ\nｺﾝﾋﾟｭｰﾀ以外全員が"
             "ｺﾞｰﾙ\n全員がｺﾞｰﾙ"},
            {ObjectKind::Game, 0, 1002,
             "雙六の絵柄\n\n背景として使われます。\n\nビットマップ形式\n８００×６００ピクセル"},
            {ObjectKind::Player, 1, 2202, "プレイヤーデータ３の単位"},
            {ObjectKind::Player, 1, 2301, "プレイヤー状態２の初期値\n\n最大３０文字"},
            {ObjectKind::PlayerData, 0, 1098, "プレイヤーデータの種別\n\n物、お金、人物"},
            {ObjectKind::Square, 2, 1203, "このマスでサイコロを振って４がで時のジャンプ先"},
            {ObjectKind::Square, 2, 2302,
             "このマスに止まった時のﾌﾟﾚｲﾔｰ状態３\n\nこの値にﾌﾟﾚｲﾔｰの状態が変更されます\n空の場合は"
             "データを変更しない\n\n最大３０文字"},
            {ObjectKind::Square, 2, 1007,
             "このマスの効果音\n\nこのマスに止まったときのに使用されます\n\nＷＡＶファイル形式"},
            {ObjectKind::Sound, 3, 183, "繰り返し\n\n演奏回数を指定します\n\n連続/1回"},
        };
        for (const Case& c : cases) {
            e.select(c.kind, c.index);
            e.click(e.control(c.kind, c.control));
            QCOMPARE(e.page(c.kind)->helpShown(), QString::fromUtf8(c.help));
        }
    }

    void pagesAreStyledColumnsThatScroll() {
        PageEditor e;
        e.select(ObjectKind::Square, 2);
        TablePage* square = e.page(ObjectKind::Square);
        QCOMPARE(square->mapTo(e.window.clientArea(), QPoint(0, 0)), QPoint(800, 22));
        QCOMPARE(square->size(), QSize(180, 578));
        // The labels in the page font, the help area at the foot.
        const auto* label = square->findChildren<StyledLabel*>().first();
        QCOMPARE(label->text(), QStringLiteral(" 名称"));
        QCOMPARE(label->font().families().first(), QStringLiteral("IPAMincho"));
        QCOMPARE(label->font().pixelSize(), 11);
        QWidget* help = square->findChild<QWidget*>(QStringLiteral("control1059"));
        QCOMPARE(help->geometry().bottom(), square->height() - 1);

        // Over forty rows: the rows scroll, the help area stays put.
        QScrollBar* bar = square->scrollArea()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        auto* last = e.control<QLineEdit>(ObjectKind::Square, 1031);
        QVERIFY(last->visibleRegion().isEmpty());
        e.click(last);
        QVERIFY(!last->visibleRegion().isEmpty());
        QCOMPARE(square->helpShown(), QStringLiteral("このマスの次のマス"));
        QCOMPARE(help->geometry().bottom(), square->height() - 1);

        e.select(ObjectKind::Sound, 3);
        const auto* gothic = e.page(ObjectKind::Sound)->findChildren<StyledLabel*>().first();
        QCOMPARE(gothic->font().families().first(), QStringLiteral("IPAGothic"));
        QCOMPARE(gothic->font().pixelSize(), 12);
        QCOMPARE(e.page(ObjectKind::Game)->scrollArea()->verticalScrollBar()->maximum(), 0);
    }

    void styleTextsMakeFonts() {
        QCOMPARE(parseFontStyle(QStringLiteral("標準")), FontStyle{});
        QCOMPARE(parseFontStyle(QStringLiteral("太字 斜体")),
                 (FontStyle{true, true, false, false}));
        QCOMPARE(parseFontStyle(QStringLiteral("Bold Underline")),
                 (FontStyle{true, false, true, false}));
        QCOMPARE(parseFontStyle(QStringLiteral("取消し線")),
                 (FontStyle{false, false, false, true}));
        // Full-width letters are not upper-cased into a keyword.
        QCOMPARE(parseFontStyle(QStringLiteral("ｂｏｌｄ")), FontStyle{});
        const QFont font =
            styledFont(QStringLiteral("ＭＳ ゴシック"), 90, QStringLiteral("ITALIC 下線"));
        QVERIFY(font.italic() && font.underline() && !font.bold());
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::PropertyPagesTest)
#include "property_pages_test.moc"
