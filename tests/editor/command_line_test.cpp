// The start-up file taken from the command line.

#include <QtTest>

#include "editor/command_line.h"

namespace banmen {

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void nothingAfterTheProgram() {
        QCOMPARE(startupFilePath({"banmen"}), std::string());
        QCOMPARE(startupFilePath({}), std::string());
        QCOMPARE(startupFilePath({"banmen", " \t\"\"\t "}), std::string());
        QCOMPARE(startupFilePath({"banmen", "", ""}), std::string());
    }

    void blanksTabsAndQuotesGoFromBothEnds() {
        QCOMPARE(startupFilePath({"banmen", " \"/home/a/My Game/game.sgw\"\t"}),
                 std::string("/home/a/My Game/game.sgw"));
        // Quotes inside stay.
        QCOMPARE(startupFilePath({"banmen", "\"a\"b\".sgw\""}), std::string("a\"b\".sgw"));
    }

    void splitPathsAreJoined() {
        QCOMPARE(startupFilePath({"banmen", "/home/a/My", "Game/game.sgw"}),
                 std::string("/home/a/My Game/game.sgw"));
    }

    void japaneseNamesComeOutAsUtf8() {
        QCOMPARE(startupFilePath({"banmen", QStringLiteral("/tmp/雙六.sgw")}),
                 std::string("/tmp/雙六.sgw"));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::CommandLineTest)
#include "command_line_test.moc"
