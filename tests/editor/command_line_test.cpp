// The start-up file taken from the command line.

#include <QtTest>

#include "editor/window/command_line.h"

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

    void debugSquareTakesANumberAndAFile() {
        StartupCommand c = parseStartupCommand({"banmen", "--debug-square", "3", "/tmp/a b.sgw"});
        QVERIFY(c.valid);
        QCOMPARE(c.debugSquare, 2);
        QCOMPARE(c.file, std::string("/tmp/a b.sgw"));
        c = parseStartupCommand({"banmen", "--debug-square", "3", "/tmp/a", "b.sgw"});
        QCOMPARE(c.file, std::string("/tmp/a b.sgw"));
        QVERIFY(!parseStartupCommand({"banmen", "--debug-square", "0", "x.sgw"}).valid);
        QVERIFY(!parseStartupCommand({"banmen", "--debug-square", "x", "x.sgw"}).valid);
        QVERIFY(!parseStartupCommand({"banmen", "--debug-square", "2"}).valid);
        QVERIFY(!parseStartupCommand({"banmen", "--debug-square"}).valid);
        QVERIFY(!parseStartupCommand({"banmen", "--debug-square", "2", " \" "}).valid);
        // The plain form is unchanged.
        c = parseStartupCommand({"banmen", "\"/tmp/game.sgw\""});
        QVERIFY(c.valid);
        QCOMPARE(c.debugSquare, -1);
        QCOMPARE(c.file, std::string("/tmp/game.sgw"));
        QCOMPARE(parseStartupCommand({"banmen"}).file, std::string());
    }

    void japaneseNamesComeOutAsUtf8() {
        QCOMPARE(startupFilePath({"banmen", QStringLiteral("/tmp/雙六.sgw")}),
                 std::string("/tmp/雙六.sgw"));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::CommandLineTest)
#include "command_line_test.moc"
