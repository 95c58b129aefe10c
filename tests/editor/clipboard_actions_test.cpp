// The clipboard commands over a document: slot flags, paste names and
// places, what paste settings keeps, the selection after a delete, and one
// named undo step per command.

#include <QDir>
#include <QtTest>
#include <cstring>
#include <memory>

#include "editor/commands/clipboard_actions.h"
#include "editor/document/editor_document.h"
#include "model/object_list.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

struct Doc {
    test::CapturingNotifier notifier;
    EditorDocument document{notifier};
    Selection shown{ObjectKind::Sound, -5};
    ShowObject show = [this](Selection s) {
        shown = s;
        document.select(s, true);
    };

    const GameRecord& record() const { return document.record(); }
    QString name(int square) const { return text(record().squares[square].name); }
    template <std::size_t N>
    static QString text(const char (&cp932)[N]) {
        return QString::fromStdString(sjis::toUtf8Lossy(fieldText(cp932)));
    }
    void set(ObjectKind kind, int index, std::int32_t field, std::int32_t value) {
        document.setNumber(*document.field(kind, index, field), value);
    }
};

}  // namespace

class ClipboardActionsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        setenv("BANMEN_HOME", home_->path().c_str(), 1);
    }

    void pastedSquaresAreNamedAfterTheCopy() {
        Doc doc;  // squares 0 "スタート(1)" (700, 500), 1 goal, 2 normal
        QVERIFY(copyObject(doc.document, {ObjectKind::Square, 0}));
        QVERIFY(doc.document.clipboard().full(ObjectKind::Square));

        QCOMPARE(pasteSquare(doc.document, BoardPoint{333, 222}, doc.show), 3);
        QCOMPARE(doc.name(3), QStringLiteral("スタート(1) ｺﾋﾟｰ1"));
        QCOMPARE(doc.record().squares[3].x, 333);
        QCOMPARE(doc.record().squares[3].y, 222);
        QCOMPARE(doc.record().squares[3].kind, std::int32_t{kSquareStart});
        QCOMPARE(doc.shown, (Selection{ObjectKind::Square, 3}));
        QCOMPARE(doc.document.undoCaption(), QStringLiteral("マス4の貼り付け"));

        // Without a place: the automatic insert position, (100, 100) being
        // taken by the goal.
        QCOMPARE(pasteSquare(doc.document, std::nullopt), 4);
        QCOMPARE(doc.name(4), QStringLiteral("スタート(1) ｺﾋﾟｰ2"));
        QCOMPARE(doc.record().squares[4].x, 164);
        QCOMPARE(doc.record().squares[4].y, 164);

        QVERIFY(copyObject(doc.document, {ObjectKind::Square, 3}));
        QCOMPARE(pasteSquare(doc.document, BoardPoint{10, 10}), 5);
        QCOMPARE(doc.name(5), QStringLiteral("スタート(1) ｺﾋﾟｰ3"));
        QVERIFY(doc.document.undo());
        QVERIFY(!inUse(doc.record().squares[5]));
    }

    void slotsSurviveWorkspacesUntilACopyFails() {
        Doc doc;
        QVERIFY(copyObject(doc.document, {ObjectKind::Sound, 0}));
        QVERIFY(!copyObject(doc.document, {ObjectKind::Game, 0}));
        doc.document.closeWorkspace();
        QVERIFY(doc.document.clipboard().full(ObjectKind::Sound));
        // A copy of a free slot empties the slot.
        QVERIFY(!copyObject(doc.document, {ObjectKind::Sound, 19}));
        QVERIFY(!doc.document.clipboard().full(ObjectKind::Sound));
        QVERIFY(!pasteSettingsOnto(doc.document, {ObjectKind::Sound, 0}));
        // Copying changes nothing that undo would see.
        QVERIFY(!doc.document.canUndo());
    }

    void pasteSettingsKeepsTheTargetsIdentity() {
        Doc doc;
        // Players: the piece is kept unless the target has none.
        doc.set(ObjectKind::Player, 0, kFieldPicture, 5);
        doc.set(ObjectKind::Player, 0, kFieldStartSquare, 2);
        doc.set(ObjectKind::Player, 1, kFieldPicture, -1);
        doc.set(ObjectKind::Player, 2, kFieldPicture, 7);
        QVERIFY(copyObject(doc.document, {ObjectKind::Player, 0}));
        QVERIFY(pasteSettingsOnto(doc.document, {ObjectKind::Player, 1}, doc.show));
        QVERIFY(pasteSettingsOnto(doc.document, {ObjectKind::Player, 2}));
        QCOMPARE(doc.record().players[1].picture, 5);
        QCOMPARE(doc.record().players[2].picture, 7);
        QCOMPARE(doc.record().players[2].startSquare, 2);
        QCOMPARE(Doc::text(doc.record().players[1].name), QStringLiteral("プレイヤー２"));
        QCOMPARE(doc.shown, (Selection{ObjectKind::Player, 1}));
        QCOMPARE(doc.document.undoCaption(), QStringLiteral("プレイヤー３の設定の貼り付け"));

        // Pasting the same settings again changes nothing: no step.
        const std::size_t steps = doc.document.history().position();
        QVERIFY(!pasteSettingsOnto(doc.document, {ObjectKind::Player, 2}));
        QCOMPARE(doc.document.history().position(), steps);
    }

    void deleteSelectsTheNextInUse() {
        Doc doc;
        QVERIFY(deleteObject(doc.document, {ObjectKind::Square, 1}, doc.show));
        QCOMPARE(doc.shown, (Selection{ObjectKind::Square, 2}));
        QCOMPARE(doc.document.undoCaption(), QStringLiteral("マス2の削除"));
        // The last in slot order: the one before it.
        QVERIFY(deleteObject(doc.document, {ObjectKind::Square, 2}, doc.show));
        QCOMPARE(doc.shown, (Selection{ObjectKind::Square, 0}));
        // The only one: the game.
        QVERIFY(deleteObject(doc.document, {ObjectKind::Square, 0}, doc.show));
        QCOMPARE(doc.shown, Selection{});
        QVERIFY(!deleteObject(doc.document, {ObjectKind::Square, 0}, doc.show));
        QVERIFY(!deleteObject(doc.document, {ObjectKind::Player, 0}, doc.show));

        QVERIFY(doc.document.undo());
        QCOMPARE(doc.document.selection(), (Selection{ObjectKind::Square, 0}));
        QVERIFY(deleteAllObjects(doc.document, ObjectKind::Square, doc.show));
        QCOMPARE(doc.document.undoCaption(), QStringLiteral("全マスの削除"));
        QVERIFY(!inUse(doc.record().squares[0]));
    }

    void duplicatesGetFreshNamesAndPlaces() {
        Doc doc;
        doc.set(ObjectKind::Square, 2, kFieldArrivalJump, 0);
        QCOMPARE(duplicateObject(doc.document, {ObjectKind::Square, 2}, doc.show), 3);
        const SquareDef& copy = doc.record().squares[3];
        QCOMPARE(doc.name(3), QStringLiteral("普通(4)"));
        QCOMPARE(copy.x, 164);  // the insert position
        QCOMPARE(copy.arrivalJump, 0);
        QCOMPARE(doc.shown, (Selection{ObjectKind::Square, 3}));
        QCOMPARE(doc.document.undoCaption(), QStringLiteral("マス3の複製"));

        doc.document.edit(QStringLiteral("image"),
                          [](RecordOwner& owner) { AddImage(owner, "pic", ""); });
        doc.set(ObjectKind::Image, 0, kFieldTransparentColor, 0x123456);
        QCOMPARE(duplicateObject(doc.document, {ObjectKind::Image, 0}, doc.show), 1);
        QCOMPARE(doc.record().images[1].transparentColor, 0x123456);
        QCOMPARE(Doc::text(doc.record().images[1].name), QStringLiteral("ｲﾒｰｼﾞ(2)"));
        QCOMPARE(doc.shown, (Selection{ObjectKind::Image, 1}));
        // An image with a file gets a copy of the file under a new name.
        test::TempDir folder;
        QVERIFY(QDir().mkpath(QString::fromStdString(folder.file(kImageFolderName))));
        test::writeText(folder.file("Image Files/pic.bmp"), "BM picture bytes");
        WorkspaceLocation location;
        location.folder = folder.path();
        location.setFileName("game.sgw");
        doc.document.setLocation(location);
        doc.document.edit(QStringLiteral("file"), [](RecordOwner& owner) {
            owner.SetText(*owner.field(ObjectKind::Image, 0, kFieldFileName), "pic.bmp");
        });
        const int withFile = duplicateObject(doc.document, {ObjectKind::Image, 0});
        const std::string copied(fieldText(doc.record().images[withFile].fileName));
        QVERIFY(!copied.empty() && copied != "pic.bmp");
        QCOMPARE(test::readText(folder.file("Image Files/" + copied)),
                 std::string("BM picture bytes"));
        QCOMPARE(duplicateObject(doc.document, {ObjectKind::Sound, 0}), -1);
    }

  private:
    std::unique_ptr<test::TempDir> home_;
};

}  // namespace banmen

QTEST_GUILESS_MAIN(banmen::ClipboardActionsTest)
#include "clipboard_actions_test.moc"
