// Pictures and sounds coming into a workspace, driven through the real file
// dialog and the Insert menu; painting a missing picture; duplicating a
// picture file; pictures changed on disk reaching the map.

#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "editor/commands/command_ids.h"
#include "editor/commands/media_import.h"
#include "editor/commands/painting_files.h"
#include "editor/commands/picture_watch.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/window/editor_window.h"
#include "editor/window/status_line.h"
#include "media/dib_bitmap.h"
#include "model/media_list.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "platform/sjis.h"
#include "support/capturing_notifier.h"
#include "support/test_support.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;

// Takes the URLs handed to the desktop instead of starting a program.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

std::string utf8(const std::string& cp932) {
    return sjis::toUtf8(cp932).value_or("?");
}

void writeFile(const std::string& path, std::string_view text) {
    fs::create_directories(fs::path(path).parent_path());
    test::writeText(path, text);
}

// Once the next dialog is up, `inspect` looks at it and the path is typed
// into its file name field and confirmed with Enter (or Escape for "").
void answerFileDialog(const QString& path, std::function<void(QFileDialog&)> inspect = {}) {
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [path, inspect, attempt] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QTimer::singleShot(20, *attempt);
            return;
        }
        if (inspect) {
            inspect(*dialog);
        }
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (path.isEmpty() || name == nullptr) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        name->setFocus();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    };
    QTimer::singleShot(0, *attempt);
}

class MediaImportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> home_;
    std::unique_ptr<test::TempDir> work_;
    test::CapturingNotifier notifier_;
    std::unique_ptr<EditorDocument> document_;
    std::unique_ptr<EditorWindow> window_;
    UrlCatcher catcher_;

    std::string workspace() const { return work_->file("ws"); }
    std::string images() const { return workspace() + "/Image Files"; }

  private slots:
    void initTestCase() {
        home_ = std::make_unique<test::TempDir>();
        setenv("BANMEN_HOME", home_->path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", home_->file("config").c_str(), 1);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void init() {
        work_ = std::make_unique<test::TempDir>();
        document_ = std::make_unique<EditorDocument>(notifier_);
        QVERIFY(document_->createWorkspace("メディア", {}, workspace()));
        window_ = std::make_unique<EditorWindow>(*document_);
        catcher_.urls.clear();
        notifier_.notices.clear();
    }

    void cleanup() {
        window_.reset();
        document_.reset();
        work_.reset();
    }

    // A taken name gets the next free number; the dialog starts where the
    // last chosen file was, and a cancelled dialog imports nothing.
    void importTakesAFreeNameAndRemembersThePath() {
        writeFile(images() + "/背景.bmp", "old");
        writeFile(images() + "/背景(1).bmp", "old 1");
        const std::string source = work_->file("pictures/背景.bmp");
        writeFile(source, "new picture");

        QString title;
        answerFileDialog(QString::fromStdString(source),
                         [&](QFileDialog& dialog) { title = dialog.windowTitle(); });
        const std::optional<ChosenMedia> chosen = choosePictureFile(window_.get(), *document_);
        QVERIFY(chosen.has_value());
        QCOMPARE(title, QStringLiteral("イメージファイルを選択してください。"));
        QCOMPARE(utf8(chosen->storedName), std::string("背景(2).bmp"));
        QCOMPARE(test::readText(images() + "/背景(2).bmp"), std::string("new picture"));
        QCOMPARE(test::readText(images() + "/背景.bmp"), std::string("old"));

        QString startFolder;
        QStringList filters;
        answerFileDialog({}, [&](QFileDialog& dialog) {
            startFolder = dialog.directory().absolutePath();
            filters = dialog.nameFilters();
        });
        QVERIFY(!choosePictureFile(window_.get(), *document_).has_value());
        QCOMPARE(startFolder, QString::fromStdString(work_->file("pictures")));
        QVERIFY(filters.first().contains(QStringLiteral("(*.bmp)")));

        // The sound dialog has its own title, filters and folder.
        writeFile(work_->file("sounds/鐘.wav"), "RIFF");
        answerFileDialog(QString::fromStdString(work_->file("sounds/鐘.wav")),
                         [&](QFileDialog& dialog) {
                             title = dialog.windowTitle();
                             filters = dialog.nameFilters();
                         });
        const std::optional<ChosenMedia> sound = chooseSoundFile(window_.get(), *document_);
        QVERIFY(sound.has_value());
        QCOMPARE(title, QStringLiteral("サウンドファイルを選択してください。"));
        QVERIFY(filters.first().contains(QStringLiteral("(*.wav)")));
        QVERIFY(test::exists(workspace() + "/Sound Files/鐘.wav"));
    }

    void fileInsideTheWorkspaceKeepsItsName() {
        writeFile(images() + "/森.bmp", "forest");
        answerFileDialog(QString::fromStdString(images() + "/森.bmp"));
        const std::optional<ChosenMedia> chosen = choosePictureFile(window_.get(), *document_);
        QVERIFY(chosen.has_value());
        QCOMPARE(utf8(chosen->storedName), std::string("森.bmp"));
        QCOMPARE(std::distance(fs::directory_iterator(images()), fs::directory_iterator()), 1);
    }

    // "ﾌｧｲﾙからｲﾒｰｼﾞを追加": the new image is named after its file, selected,
    // and the whole addition is one undoable step.
    void insertImageFromFileNamesTheImage() {
        struct Case {
            const char* file;
            const char* stored;
            const char* name;
        };
        writeFile(images() + "/背景.bmp", "taken");
        for (const Case& c :
             {Case{"(森)背景.bmp", "(森)背景.bmp", "森"}, Case{"sub/背景.bmp", "背景(1).bmp", "1"},
              Case{"空/草原.bmp", "草原.bmp", "草原"}}) {
            const std::string source = work_->file(std::string("in/") + c.file);
            writeFile(source, c.file);
            answerFileDialog(QString::fromStdString(source));
            window_->runCommand(kCmdAddImageFromFile);
            const Selection selected = document_->selection();
            QCOMPARE(selected.kind, ObjectKind::Image);
            const ImageDef& image = document_->record().images[selected.index];
            QCOMPARE(QString::fromStdString(utf8(std::string(fieldText(image.name)))),
                     QString::fromUtf8(c.name));
            QCOMPARE(QString::fromStdString(utf8(std::string(fieldText(image.fileName)))),
                     QString::fromUtf8(c.stored));
            QCOMPARE(document_->undoCaption(), QStringLiteral("イメージの追加"));
        }
        // A picture that reads gives the image its size.
        DibBitmap picture;
        QVERIFY(picture.Create(24, 48, 20));
        QVERIFY(picture.SaveFile(work_->file("in/(達磨)d.bmp")));
        answerFileDialog(QString::fromStdString(work_->file("in/(達磨)d.bmp")));
        window_->runCommand(kCmdAddImageFromFile);
        const ImageDef& sized = document_->record().images[document_->selection().index];
        QCOMPARE(sized.width, 48);
        QCOMPARE(sized.height, 20);

        // A cancelled dialog adds nothing.
        const GameRecord before = document_->record();
        answerFileDialog({});
        window_->runCommand(kCmdAddSoundFromFile);
        QVERIFY(std::memcmp(&before, &document_->record(), sizeof(GameRecord)) == 0);

        // The empty insert gives the default name.
        window_->runCommand(kCmdAddSound);
        QCOMPARE(document_->selection().kind, ObjectKind::Sound);
        const int added = document_->selection().index;
        const SoundDef& sound = document_->record().sounds[added];
        QVERIFY(utf8(std::string(fieldText(sound.name))).starts_with("ｻｳﾝﾄﾞ("));
        QVERIFY(document_->undo());
        QCOMPARE(document_->record().sounds[added].name[0], '\0');
    }

    void objectNamesFromStoredFiles() {
        QCOMPARE(objectNameFromFile(sjis::lit("(森)背景.bmp")), sjis::lit("森"));
        QCOMPARE(objectNameFromFile(sjis::lit("背景.bmp")), sjis::lit("背景"));
        QCOMPARE(objectNameFromFile(sjis::lit("背景(1).bmp")), sjis::lit("1"));
        QCOMPARE(objectNameFromFile(sjis::lit("背景().bmp")), sjis::lit("背景()"));
        QCOMPARE(objectNameFromFile(sjis::lit("a(b(c)d).bmp")), sjis::lit("b(c"));
        QCOMPARE(objectNameFromFile(sjis::lit("表")), sjis::lit("表"));
    }

    void duplicateTakesTheNextNumber() {
        writeFile(images() + "/Map12.bmp", "map twelve");
        writeFile(images() + "/Map(1).bmp", "taken");
        QCOMPARE(duplicatePictureFile(*document_, "Map12.bmp"),
                 std::optional<std::string>("Map(2).bmp"));
        QCOMPARE(test::readText(images() + "/Map(2).bmp"), std::string("map twelve"));
        // Blanks and numbering round the title go; a missing file copies nothing.
        writeFile(images() + "/ 花 (3) .bmp", "flower");
        QCOMPARE(duplicatePictureFile(*document_, sjis::lit(" 花 (3) .bmp")),
                 std::optional<std::string>(sjis::lit("花(1).bmp")));
        QCOMPARE(duplicatePictureFile(*document_, "None.bmp"), std::nullopt);
        // A name the record could not hold is not made.
        const std::string longName = std::string(58, 'x') + ".bmp";
        writeFile(images() + "/" + longName, "long");
        QCOMPARE(duplicatePictureFile(*document_, longName), std::nullopt);
    }

    void missingPictureIsPaintedThenHandedOver() {
        const std::string stored = "Map3.bmp";
        QVERIFY(openPictureForPainting(window_.get(), *document_, stored, 150, 115, 0x00FF00FF));
        const std::string path = images() + "/Map3.bmp";
        QCOMPARE(catcher_.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(path))});

        DibBitmap picture;
        QVERIFY(picture.LoadFile(path));
        QCOMPARE(picture.GetWidth(), 150);
        QCOMPARE(picture.GetHeight(), 115);
        QCOMPARE(picture.GetBitsPerPixel(), 24u);
        QCOMPARE(picture.GetPixel(0, 0), kMagenta);
        QCOMPARE(picture.GetPixel(149, 114), kMagenta);
        // The prompt, centred, in the inverted colour (green on magenta).
        int inkLeft = 0;
        int inkRight = 0;
        for (int y = 20; y < 95; ++y) {
            for (int x = 0; x < 150; ++x) {
                if (picture.GetPixel(x, y) == RgbColour(0, 255, 0)) {
                    (x < 75 ? inkLeft : inkRight) += 1;
                }
            }
        }
        QVERIFY2(inkLeft > 100 && inkRight > 100, "the prompt is drawn across the middle");
        for (int x = 0; x < 150; ++x) {
            QCOMPARE(picture.GetPixel(x, 2), kMagenta);  // one line, not near the top
        }

        // An existing picture is the author's: handed over untouched.
        writeFile(images() + "/Game.bmp", "painted by the author");
        QVERIFY(openPictureForPainting(window_.get(), *document_, "Game.bmp", 800, 600, -1));
        QCOMPARE(test::readText(images() + "/Game.bmp"), std::string("painted by the author"));
        QCOMPARE(catcher_.urls.size(), 2);
    }

    void whiteFillGetsBlackText() {
        const std::string path = work_->file("white.bmp");
        QVERIFY(writePaintingPicture(path, 500, 375, -1));
        DibBitmap picture;
        QVERIFY(picture.LoadFile(path));
        QCOMPARE(picture.GetPixel(0, 0), RgbColour(255, 255, 255));
        int black = 0;
        for (int x = 0; x < 500; ++x) {
            black += picture.GetPixel(x, 187) == 0 || picture.GetPixel(x, 190) == 0 ? 1 : 0;
        }
        QVERIFY(black > 20);
        QVERIFY(!writePaintingPicture(work_->file("none.bmp"), 0, 10, -1));
        QVERIFY(!test::exists(work_->file("none.bmp")));
    }

    void pieceStartsAsTheBuiltInPiece() {
        QVERIFY(openPieceForPainting(window_.get(), *document_, "Player2.bmp", 1));
        QFile resource(QStringLiteral(":/bitmaps/3002.bmp"));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QByteArray expected = resource.readAll();
        QCOMPARE(test::readText(images() + "/Player2.bmp"), expected.toStdString());
        QVERIFY(!writeBuiltInPiece(work_->file("p5.bmp"), 4));
    }

    void noDesktopProgramIsToldOnTheStatusLine() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        // The offscreen platform has no desktop to hand files to.
        const bool opened = handPictureToDesktop(window_.get(), work_->file("x.bmp"));
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
        QVERIFY(!opened);
        QVERIFY(window_->statusLine().squareField()->text().contains(QStringLiteral("BMP")));
    }

    void picturesChangedOnDiskReachTheMap() {
        // The board picture is red, then painted blue outside the editor.
        const std::string red = work_->file("red.bmp");
        const std::string blue = work_->file("blue.bmp");
        DibBitmap canvas;
        QVERIFY(canvas.Create(24, 800, 600));
        canvas.FillSolidRect(0, 0, 800, 600, RgbColour(200, 0, 0));
        QVERIFY(canvas.SaveFile(red));
        canvas.FillSolidRect(0, 0, 800, 600, RgbColour(0, 0, 200));
        QVERIFY(canvas.SaveFile(blue));
        fs::create_directories(images());
        fs::copy_file(red, images() + "/Board.bmp");
        document_->edit(QStringLiteral("board"), [](RecordOwner& owner) {
            const std::int32_t image = AddImage(owner, "board", "Board.bmp");
            owner.SetNumber(*owner.field(ObjectKind::Game, 0, kFieldPicture), image);
        });
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        const QPoint corner(5, 5);
        QTRY_COMPARE(window_->mapView()->grab().toImage().pixelColor(corner), QColor(200, 0, 0));

        PictureWatch watch(*document_);
        QVERIFY(!watch.look());
        // A tick with nothing changed on disk keeps the picture.
        emit window_->editingTick();
        fs::copy_file(blue, images() + "/Board.bmp", fs::copy_options::overwrite_existing);
        fs::last_write_time(images() + "/Board.bmp",
                            fs::last_write_time(red) + std::chrono::seconds(5));
        QVERIFY(watch.look());
        QVERIFY(!watch.look());

        // The window's editing tick reloads the map.
        emit window_->editingTick();
        QTRY_COMPARE(window_->mapView()->grab().toImage().pixelColor(corner), QColor(0, 0, 200));
    }
};

}  // namespace
}  // namespace banmen

QTEST_MAIN(banmen::MediaImportTest)
#include "media_import_test.moc"
