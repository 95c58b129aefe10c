// The choosers and editors the pages open: the picture chooser with its
// masked thumbnails, the object chooser for sounds, the colour chooser, the
// help editor with its preview and rule text, and EDIT making a picture.

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editor/dialogs/help_editor.h"
#include "editor/dialogs/picture_chooser.h"
#include "editor/pages/bitmap_button.h"
#include "engine/end_conditions.h"
#include "model/media_list.h"
#include "model/workspace.h"
#include "page_test_support.h"

namespace banmen {

using test::PageEditor;

namespace {

// A picture in the workspace: left half `left`, right half `right`.
void writePicture(const PageEditor& e, const char* name, QColor left, QColor right,
                  QSize size = {40, 30}) {
    const QString folder = QString::fromStdString(e.folder.path()) + "/" + kImageFolderName;
    QDir().mkpath(folder);
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width() / 2; ++x) {
            image.setPixelColor(x, y, left);
        }
    }
    QVERIFY(image.save(folder + "/" + name, "BMP"));
}

std::int32_t addImage(PageEditor& e, const char* name, const char* file, std::int32_t colour) {
    std::int32_t index = -1;
    e.document.edit(QStringLiteral("準備"), [&](RecordOwner& owner) {
        index = AddImage(owner, sjis::lit(name), file);
        owner.SetNumber(*owner.field(ObjectKind::Image, index, kFieldTransparentColor), colour);
    });
    return index;
}

template <typename T>
T* child(QWidget* dialog, const char* name) {
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

// Takes the files handed to the desktop's program instead of the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

class PageChoosersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> home_;
    UrlCatcher catcher_;

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        test::isolateEditor(*home_);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void pictureChooserListsLoadablePicturesMasked() {
        PageEditor e;
        writePicture(e, "keyed.bmp", QColor(255, 0, 255), QColor(0, 0, 200));
        writePicture(e, "plain.bmp", QColor(255, 255, 255), QColor(0, 160, 0));
        addImage(e, "鍵付き", "keyed.bmp", 0x00FF00FF);
        addImage(e, "無地", "plain.bmp", -1);
        addImage(e, "行方不明", "missing.bmp", -1);
        e.select(ObjectKind::Square, 2);

        bool checked = false;
        test::onNextModal([&](QWidget* dialog) {
            auto* list = child<QListWidget>(dialog, "pictures");
            auto* choose = child<QPushButton>(dialog, "choose");
            QCOMPARE(dialog->windowTitle(),
                     QStringLiteral("盤面工房（四季彩コレクション） イメージ選択"));
            QCOMPARE(list->count(), 2);  // the missing file is left out
            QCOMPARE(list->item(0)->text(), QStringLiteral("鍵付き"));
            QCOMPARE(list->iconSize(), QSize(64, 54));
            // The keyed half shows white, the other half its colour.
            const QImage thumb = list->item(0)->icon().pixmap(64, 54).toImage();
            QCOMPARE(thumb.size(), QSize(64, 54));
            QCOMPARE(thumb.pixelColor(8, 27), QColor(Qt::white));
            QCOMPARE(thumb.pixelColor(56, 27), QColor(0, 0, 200));
            QVERIFY(!choose->isEnabled());
            list->item(0)->setSelected(true);
            list->item(1)->setSelected(true);
            QVERIFY(!choose->isEnabled());
            list->item(0)->setSelected(false);
            QVERIFY(choose->isEnabled());
            checked = true;
            QTest::mouseClick(choose, Qt::LeftButton);
        });
        e.click(e.control(ObjectKind::Square, 1003));
        QVERIFY(checked);
        QCOMPARE(e.record().squares[2].picture, 1);
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1002)->text(), QStringLiteral("無地"));
        QCOMPARE(e.document.undoCaption(), QStringLiteral("マス3の絵柄"));

        // A double-click chooses at once; cancelling changes nothing.
        test::onNextModal([](QWidget* dialog) {
            auto* list = child<QListWidget>(dialog, "pictures");
            const QRect item = list->visualItemRect(list->item(0));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
        });
        e.click(e.control(ObjectKind::Square, 180));
        QCOMPARE(e.record().squares[2].supplementPicture, 0);
        test::onNextModal([](QWidget* dialog) {
            QTest::mouseClick(child<QPushButton>(dialog, "cancel"), Qt::LeftButton);
        });
        e.click(e.control(ObjectKind::Square, 1003));
        QCOMPARE(e.record().squares[2].picture, 1);

        // DELETE clears the reference.
        e.click(e.control(ObjectKind::Square, 1084));
        QCOMPARE(e.record().squares[2].picture, -1);
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Square, 1002)->text(), QString());
    }

    void thumbnailsWithoutTransparentColourMaskWhite() {
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(QColor(255, 0, 255));
        QCOMPARE(pictureThumbnail(picture, -1).pixelColor(30, 30), QColor(255, 0, 255));
        picture.fill(QColor(1, 2, 3));
        // 0x00BBGGRR: red 1, green 2, blue 3.
        QCOMPARE(pictureThumbnail(picture, 0x00030201).pixelColor(30, 30), QColor(Qt::white));
    }

    void soundChooserAndTheMusic() {
        PageEditor e;
        bool checked = false;
        test::onNextModal([&](QWidget* dialog) {
            auto* list = child<QListWidget>(dialog, "objects");
            auto* choose = child<QPushButton>(dialog, "choose");
            QCOMPARE(dialog->windowTitle(), QStringLiteral(" 盤面工房　オブジェクト選択"));
            QVERIFY(dialog->findChild<QLabel*>()->text() ==
                    QStringLiteral("サウンドを選択して下さい"));
            QCOMPARE(list->count(), 9);
            QCOMPARE(list->item(3)->text(), QStringLiteral("幸運サウンド"));
            QVERIFY(!choose->isEnabled());
            list->setCurrentRow(3);
            QVERIFY(choose->isEnabled());
            checked = true;
            QTest::mouseClick(choose, Qt::LeftButton);
        });
        e.click(e.control(ObjectKind::Game, 1015));
        QVERIFY(checked);
        QCOMPARE(e.record().settings.music, 4);
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Game, 1007)->text(),
                 QStringLiteral("幸運サウンド"));
        e.click(e.control(ObjectKind::Game, 1085));
        QCOMPARE(e.record().settings.music, -1);
    }

    void transparentColourFromTheColourChooser() {
        PageEditor e;
        addImage(e, "絵", "", 0x00FF00FF);
        e.select(ObjectKind::Image, 0);
        auto* shown = e.control<QLineEdit>(ObjectKind::Image, 1085);
        QCOMPARE(shown->text(), QStringLiteral("FF00FF"));
        QColor initial;
        test::onNextModal([&](QWidget* dialog) {
            auto* chooser = qobject_cast<QColorDialog*>(dialog);
            QVERIFY(chooser != nullptr);
            initial = chooser->currentColor();
            chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
            chooser->accept();
        });
        e.click(e.control(ObjectKind::Image, 1004));
        QCOMPARE(initial, QColor(255, 0, 255));
        QCOMPARE(e.record().images[0].transparentColor, 0x00563412);
        QCOMPARE(shown->text(), QStringLiteral("563412"));
        test::onNextModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
        e.click(e.control(ObjectKind::Image, 1004));
        QCOMPARE(e.record().images[0].transparentColor, 0x00563412);
        e.click(e.control(ObjectKind::Image, 1108));
        QCOMPARE(e.record().images[0].transparentColor, -1);
        QCOMPARE(shown->text(), QString());
    }

    void helpEditorPreviewRulesAndLimit() {
        PageEditor e;
        writePicture(e, "help.bmp", QColor(200, 0, 0), QColor(0, 0, 200));
        writePicture(e, "board.bmp", QColor(0, 150, 0), QColor(0, 150, 0));
        const std::int32_t help = addImage(e, "ヘルプ絵柄", "help.bmp", -1);
        const std::int32_t board = addImage(e, "盤", "board.bmp", -1);
        e.document.edit(QStringLiteral("準備"), [&](RecordOwner& owner) {
            owner.SetNumber(*owner.field(ObjectKind::Game, 0, kFieldHelpPicture), help);
            owner.SetNumber(*owner.field(ObjectKind::Game, 0, kFieldPicture), board);
        });
        // The help picture stretched over 500 x 375; without it the board.
        QImage preview = composeHelpPreview(e.record(), e.document.folder());
        QCOMPARE(preview.size(), QSize(500, 375));
        QCOMPARE(preview.pixelColor(100, 200), QColor(200, 0, 0));
        QCOMPARE(preview.pixelColor(400, 200), QColor(0, 0, 200));
        e.document.setNumber(*e.document.field(ObjectKind::Game, 0, kFieldHelpPicture), -1);
        preview = composeHelpPreview(e.record(), e.document.folder());
        QCOMPARE(preview.pixelColor(100, 200), QColor(0, 150, 0));

        int opened = 0;
        const auto edit = [&](const QString& typed, bool confirm) {
            test::onNextModal([&, typed, confirm](QWidget* dialog) {
                ++opened;
                auto* text = child<QPlainTextEdit>(dialog, "helpText");
                QCOMPARE(text->toPlainText(), QStringLiteral("この雙六は．．．"));
                QCOMPARE(child<QPlainTextEdit>(dialog, "rules")->toPlainText(),
                         QString::fromStdString(sjis::toUtf8Lossy(RuleText(e.record())))
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
                QCOMPARE(child<QLabel>(dialog, "preview")->size(), QSize(500, 375));
                text->setPlainText(typed);
                QTest::mouseClick(child<QPushButton>(dialog, confirm ? "ok" : "cancel"),
                                  Qt::LeftButton);
                if (dialog->isVisible()) {  // refused: still open
                    text->setPlainText(QStringLiteral("遊び方\n\nさいころを振る"));
                    QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
                }
            });
            e.click(e.control(ObjectKind::Game, 1110));
        };
        edit(QString(1025, QLatin1Char('a')), true);
        QCOMPARE(opened, 1);
        QCOMPARE(e.lastNotice(), std::string("1024 文字以内で入力してください。"));
        QCOMPARE(std::string(fieldText(e.record().settings.helpText)),
                 sjis::lit("遊び方\r\n\r\nさいころを振る"));
        QCOMPARE(e.control<QLineEdit>(ObjectKind::Game, 1109)->text(),
                 QStringLiteral("遊び方  さいころを振る"));
        QCOMPARE(e.document.undoCaption(), QStringLiteral("ゲーム全般のヘルプ"));
        e.click(e.control(ObjectKind::Game, 1111));
        QCOMPARE(fieldText(e.record().settings.helpText), std::string_view());
    }

    void editMakesTheMissingPictureInOneStep() {
        PageEditor e;
        catcher_.urls.clear();
        const QString images = QString::fromStdString(e.folder.path()) + "/" + kImageFolderName;
        e.select(ObjectKind::Square, 2);
        const std::size_t steps = e.document.history().position();
        e.click(e.control(ObjectKind::Square, 1080));
        const std::int32_t image = e.record().squares[2].picture;
        QVERIFY(isImageRef(e.record(), image));
        QCOMPARE(sjis::toUtf8Lossy(fieldText(e.record().images[image].name)), std::string("ﾏｽ3"));
        QCOMPARE(std::string(fieldText(e.record().images[image].fileName)),
                 std::string("Map3.bmp"));
        QCOMPARE(e.document.history().position(), steps + 1);
        QCOMPARE(e.document.undoCaption(), QStringLiteral("マス3の絵柄"));
        // The square's default picture: 150 x 115 magenta, handed over.
        const QImage made(images + "/Map3.bmp");
        QCOMPARE(made.size(), QSize(150, 115));
        QCOMPARE(made.pixelColor(2, 2), QColor(255, 0, 255));
        QCOMPARE(catcher_.urls.size(), 1);
        QCOMPARE(catcher_.urls.back().toLocalFile(), images + "/Map3.bmp");
        // A second EDIT opens the same picture again, with no new step.
        e.click(e.control(ObjectKind::Square, 1080));
        QCOMPARE(e.record().squares[2].picture, image);
        QCOMPARE(e.document.history().position(), steps + 1);
        QCOMPARE(catcher_.urls.size(), 2);

        e.select(ObjectKind::Player, 1);
        e.click(e.control(ObjectKind::Player, 1080));
        const std::int32_t piece = e.record().players[1].picture;
        QCOMPARE(sjis::toUtf8Lossy(fieldText(e.record().images[piece].name)),
                 std::string("プレイヤー２"));
        QCOMPARE(std::string(fieldText(e.record().images[piece].fileName)),
                 std::string("Player2.bmp"));
        QVERIFY(!QImage(images + "/Player2.bmp").isNull());

        // An image without a file gets "Image<n>.bmp" in its transparent
        // colour.
        e.select(ObjectKind::Image, piece);
        e.click(e.control(ObjectKind::Image, 1084));
        QCOMPARE(fieldText(e.record().images[piece].fileName), std::string_view());
        e.document.setNumber(*e.document.field(ObjectKind::Image, piece, kFieldTransparentColor),
                             0x00123456);
        e.click(e.control(ObjectKind::Image, 1080));
        const std::string own = "Image" + std::to_string(piece + 1) + ".bmp";
        QCOMPARE(std::string(fieldText(e.record().images[piece].fileName)), own);
        QCOMPARE(QImage(images + "/" + QString::fromStdString(own)).pixelColor(2, 2),
                 QColor(0x56, 0x34, 0x12));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::PageChoosersTest)
#include "page_choosers_test.moc"
