// The settings files' INI dialect: what we write reads back, and reads in
// QSettings; what QSettings writes reads here; broken files are told apart.

#include "platform/settings/ini_document.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QStringList>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace banmen {
namespace {

// Texts that need every kind of care on their way through a file.
const std::vector<std::string> kTrickyTexts = {
    "",
    "plain",
    "  blanks at both ends  ",
    "a, b; c = d",
    "quote \" and backslash \\ and tab \t",
    "line\nbreak\r\nand \x01 then hex digits \x1b"
    "abc",
    "@starts with an at",
    "@ByteArray(looks typed)",
    "/home/ユーザー/ゲーム 1.sgw",
    std::string("NUL \0 then 7", 12),
};

TEST(IniDocument, TextsAndKeysComeBackThroughTheFile) {
    IniDocument written;
    for (std::size_t i = 0; i < kTrickyTexts.size(); ++i) {
        written.setText("value" + std::to_string(i), kTrickyTexts[i]);
    }
    written.setText("Group/Deeper/key with space%", "deep");
    written.setText("General/x", "a group called General");
    written.setText("キー", "non-ASCII key");
    IniDocument read;
    ASSERT_TRUE(read.parse(written.serialize()));
    for (std::size_t i = 0; i < kTrickyTexts.size(); ++i) {
        EXPECT_EQ(read.text("value" + std::to_string(i)), kTrickyTexts[i]) << i;
    }
    EXPECT_EQ(read.text("Group/Deeper/key with space%"), "deep");
    EXPECT_EQ(read.text("General/x"), "a group called General");
    EXPECT_EQ(read.text("キー"), "non-ASCII key");
    EXPECT_TRUE(read.hasGroup("Group"));
    EXPECT_TRUE(read.hasGroup("Group/Deeper"));
    EXPECT_FALSE(read.hasGroup("Grou"));
    EXPECT_EQ(read.serialize(), written.serialize());
}

TEST(IniDocument, HandWrittenFilesRead) {
    IniDocument document;
    ASSERT_TRUE(
        document.parse("; a comment\n"
                       "top=before any section\n"
                       "[General]\r\n"
                       "  spaced  =  value with trailing blanks   \r\n"
                       "quoted=\"a; b\" ; a comment after it\n"
                       "escapes=\\x41\\101\\n\n"
                       "continued=first \\\n"
                       "second\n"
                       "list=a, b\n"
                       "typed=@ByteArray(abc)\n"
                       "doubled=@@at\n"
                       "[Sub%20Group]\n"
                       "Inner\\Key=x\n"));
    EXPECT_EQ(document.text("top"), "before any section");
    EXPECT_EQ(document.text("spaced"), "value with trailing blanks");
    EXPECT_EQ(document.text("quoted"), "a; b");
    EXPECT_EQ(document.text("escapes"), "AA\n");
    EXPECT_EQ(document.text("continued"), "first second");
    EXPECT_EQ(document.text("list"), std::nullopt);
    EXPECT_TRUE(document.contains("list"));
    EXPECT_EQ(document.text("typed"), std::nullopt);
    EXPECT_EQ(document.text("doubled"), "@at");
    EXPECT_EQ(document.text("Sub Group/Inner/Key"), "x");
    // Values that are no text survive a rewrite.
    IniDocument again;
    ASSERT_TRUE(again.parse(document.serialize()));
    EXPECT_FALSE(again.text("list"));
    EXPECT_TRUE(again.contains("list"));
    EXPECT_EQ(again.serialize(), document.serialize());
}

TEST(IniDocument, BrokenLinesAreTold) {
    IniDocument document;
    EXPECT_FALSE(document.parse("[General]\nno setting here\nkey=x\n"));
    EXPECT_EQ(document.text("key"), "x");  // what could be read
    EXPECT_FALSE(document.parse("[Group\nkey=x\n"));
    EXPECT_TRUE(document.parse(""));
    EXPECT_TRUE(document.parse("\n\n; only a comment\n"));
}

// Found by fuzzing: a value with an unclosed quote swallowed the lines after
// it once the file was written back as it had been read.
TEST(IniDocument, AnUnclosedQuoteCannotSwallowLaterKeys) {
    IniDocument document;
    document.parse(
        "[General]\nBuildFolder=sz:/ho2=\"sz:2=\"sz:/tmp/two, three.sgw"
        "mmmmmmmmmmmmmmmmmmmmmmmmmmm\"\n");
    document.setText("bMapGrid", "dword:0");
    IniDocument again;
    ASSERT_TRUE(again.parse(document.serialize()));
    EXPECT_EQ(again.text("bMapGrid"), "dword:0");
    EXPECT_TRUE(again.contains("BuildFolder"));
}

// Found by fuzzing: a key ending in "/" was written ending in "\", which
// escaped its "=": the next read found a line without one, a broken file.
TEST(IniDocument, KeysWithEmptyPartsAreWrittenSoTheyReadBack) {
    IniDocument document;
    const std::string found(
        "[General]\nBuildFlo=rezsd:/home/a[ResentWorkspaces]ord:0\n"
        "bMapGr[ResentWorkspaces]t:/tmp/=\0\0\0\0\0\0\0two,\x18three.sgw=\n",
        111);
    ASSERT_TRUE(document.parse(found));
    document.setText("bMapGrid", "dword:1");
    IniDocument again;
    ASSERT_TRUE(again.parse(document.serialize()));
    EXPECT_EQ(again.text("bMapGrid"), "dword:1");
    EXPECT_TRUE(again.contains("bMapGr[ResentWorkspaces]t:/tmp"));
    document.setText("/a//b/", "x");
    ASSERT_TRUE(again.parse(document.serialize()));
    EXPECT_EQ(again.text("a/b"), "x");
}

TEST(IniDocument, RemovingAValueKeepsTheGroupOfItsNameAndTheOtherWayRound) {
    IniDocument document;
    document.setText("Twin", "value");
    document.setText("Twin/inner", "subkey value");
    document.removeValue("Twin");
    EXPECT_FALSE(document.contains("Twin"));
    EXPECT_EQ(document.text("Twin/inner"), "subkey value");
    document.setText("Twin", "value");
    document.removeGroup("Twin");
    EXPECT_EQ(document.text("Twin"), "value");
    EXPECT_FALSE(document.hasGroup("Twin"));
}

class QSettingsFile : public ::testing::Test {
  protected:
    test::TempDir dir;
    const std::string path = dir.file("s.conf");
};

TEST_F(QSettingsFile, WhatQSettingsWritesReadsHere) {
    {
        QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
        for (std::size_t i = 0; i < kTrickyTexts.size(); ++i) {
            settings.setValue(QString::fromStdString("v" + std::to_string(i)),
                              QString::fromUtf8(kTrickyTexts[i].data(),
                                                static_cast<qsizetype>(kTrickyTexts[i].size())));
        }
        settings.setValue("Group/Deeper/key with space%", "deep");
        settings.setValue("General/x", "in General");
        settings.setValue("list", QStringList{"a", "b"});
        settings.sync();
        ASSERT_EQ(settings.status(), QSettings::NoError);
    }
    IniDocument document;
    ASSERT_TRUE(document.parse(test::readText(path)));
    for (std::size_t i = 0; i < kTrickyTexts.size(); ++i) {
        EXPECT_EQ(document.text("v" + std::to_string(i)), kTrickyTexts[i]) << i;
    }
    EXPECT_EQ(document.text("Group/Deeper/key with space%"), "deep");
    EXPECT_EQ(document.text("General/x"), "in General");
    EXPECT_FALSE(document.text("list"));
}

TEST_F(QSettingsFile, WhatWeWriteReadsInQSettings) {
    IniDocument document;
    for (std::size_t i = 0; i < kTrickyTexts.size(); ++i) {
        document.setText("v" + std::to_string(i), kTrickyTexts[i]);
    }
    document.setText("Group/Deeper/key with space%", "deep");
    document.setText("General/x", "in General");
    test::writeText(path, document.serialize());
    QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
    for (std::size_t i = 0; i < kTrickyTexts.size(); ++i) {
        const QVariant value = settings.value(QString::fromStdString("v" + std::to_string(i)));
        EXPECT_EQ(value.typeId(), QMetaType::QString) << i;
        EXPECT_EQ(value.toString().toStdString(), kTrickyTexts[i]) << i;
    }
    EXPECT_EQ(settings.value("Group/Deeper/key with space%").toString(), "deep");
    EXPECT_EQ(settings.value("General/x").toString(), "in General");
    EXPECT_EQ(settings.status(), QSettings::NoError);
}

}  // namespace
}  // namespace banmen
