// The start-up file taken from the command line, and what the program
// itself prints.

#include <QProcess>
#include <QtTest>

#include "editor/window/command_line.h"
#include "support/test_support.h"

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

    void helpAndVersionStandAlone() {
        QCOMPARE(parseStartupCommand({"banmen", "--help"}).action, StartupCommand::Action::Help);
        QCOMPARE(parseStartupCommand({"banmen", "--version"}).action,
                 StartupCommand::Action::Version);
        // Anything more is a file name.
        const StartupCommand c = parseStartupCommand({"banmen", "--help", "me.sgw"});
        QCOMPARE(c.action, StartupCommand::Action::Run);
        QCOMPARE(c.file, std::string("--help me.sgw"));
    }

    void programPrintsAndEndsOrStartsQuietly() {
        const QString program = QStringLiteral(BANMEN_BIN_DIR "/banmen");
        QProcess process;
        // No display is needed to print.
        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        bare.remove(QStringLiteral("QT_QPA_PLATFORM"));
        bare.remove(QStringLiteral("DISPLAY"));
        process.setProcessEnvironment(bare);
        process.start(program, {QStringLiteral("--version")});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), QByteArray("banmen 10.0.0.1\n"));
        process.start(program, {QStringLiteral("--help")});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().startsWith("usage: banmen [FILE]"));

        // A start without sound (no device here, or none the driver can
        // open) says nothing about it.
        test::TempDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("BANMEN_HOME"), QString::fromStdString(home.path()));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(home.path()));
        env.insert(QStringLiteral("XDG_STATE_HOME"), QString::fromStdString(home.path()));
        env.insert(QStringLiteral("AUDIODEV"), QStringLiteral("hw:57"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("alsa"));
        env.insert(QStringLiteral("BANMEN_SCREENSHOT"), QString::fromStdString(home.file("s.png")));
        test::writeText(home.file("startup.ini"), "NoWelcome");
        process.setProcessEnvironment(env);
        process.start(program, {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QByteArray errors = process.readAllStandardError();
        QVERIFY2(!errors.contains("ALSA"), errors.constData());
    }

    void japaneseNamesComeOutAsUtf8() {
        QCOMPARE(startupFilePath({"banmen", QStringLiteral("/tmp/雙六.sgw")}),
                 std::string("/tmp/雙六.sgw"));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::CommandLineTest)
#include "command_line_test.moc"
