// Hostile records (see support/hostile_records.h) opened in the editor as a
// workspace someone sent: the selector, every page, the map with the pointer
// over every square, the Edit commands, the build dialog's findings and undo
// work on values outside their fields' ranges without reading outside the
// record. Meant to run under the sanitizers too.

#include <QtTest>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/analysis_texts.h"
#include "editor/map/map_view.h"
#include "editor/window/object_selector.h"
#include "editor_test_support.h"
#include "support/hostile_records.h"

namespace banmen {

class EditorHostileTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void hostileWorkspacesOpenAndEdit() {
        test::EditorHome home;
        const std::string folder = home.file("ws");
        QVERIFY(QDir().mkpath(QString::fromStdString(folder + "/Image Files")));
        QVERIFY(QFile::copy(
            QStringLiteral(BANMEN_BIN_DIR "/Image Files/Daruma.bmp"),
            QString::fromStdString(folder + "/Image Files/" + test::kHostileImageFile)));
        const std::string path = folder + "/ws.sgw";
        test::Editor editor;
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.window));
        QWidget* map = editor.window.mapView();

        for (std::uint32_t seed = 1; seed <= 12; ++seed) {
            const std::unique_ptr<GameRecord> hostile = test::hostileRecord(seed);
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(hostile.get());
            test::writeBytes(path, {bytes, bytes + sizeof(GameRecord)});
            QVERIFY(editor.window.openFile(path));
            const std::vector<std::uint8_t> opened(
                reinterpret_cast<const std::uint8_t*>(&editor.document.record()),
                reinterpret_cast<const std::uint8_t*>(&editor.document.record()) +
                    sizeof(GameRecord));

            // Every object's page, drawn; the Edit commands on each.
            ObjectSelector& selector = editor.window.objectSelector();
            for (int i = 0; i < selector.count(); ++i) {
                editor.window.selectObject(selector.itemText(i), false);
                (void)editor.window.grab();
                for (const int id :
                     {kCmdCopy, kCmdPaste, kCmdCopySettings, kCmdPasteSettings, kCmdDuplicate}) {
                    editor.window.action(id)->trigger();
                }
                if (selector.count() > 60) {
                    i += selector.count() / 30;  // a sample of big games
                }
            }
            // The pointer over every square on the board.
            for (const SquareDef& square : editor.document.record().squares) {
                if (inUse(square) && square.x >= 0 && square.x < 800 && square.y >= 8 &&
                    square.y < 600) {
                    QTest::mouseMove(map, QPoint(square.x, square.y - 8));
                }
            }
            (void)map->grab();
            (void)workspaceFindingLines(editor.document.record(), folder);

            while (editor.document.undo()) {
            }
            const auto* now = reinterpret_cast<const std::uint8_t*>(&editor.document.record());
            QVERIFY2(
                std::equal(opened.begin(), opened.end(), now),
                qPrintable(QStringLiteral("seed %1: undo did not give the record back").arg(seed)));
        }
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::EditorHostileTest)
#include "editor_hostile_test.moc"
