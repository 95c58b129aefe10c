#include "platform/sjis.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace banmen::sjis {
namespace {

struct Sample {
    const char* utf8;
    const char* cp932;
};

// Characters where CP932 differs from plain Shift-JIS or from other tables.
const Sample kSamples[] = {
    {"雙", "\x99\xD4"},
    {"ソ", "\x83\x5C"},  // second byte is "\"
    {"～", "\x81\x60"},  // FULLWIDTH TILDE, not WAVE DASH
    {"①", "\x87\x40"},   // NEC row 13
    {"ﾜｰｸｽﾍﾟｰｽ", "\xDC\xB0\xB8\xBD\xCD\xDF\xB0\xBD"},
    {"所持金", "\x8F\x8A\x8E\x9D\x8B\xE0"},
    {"盤面工房 v10\\~", "\x94\xD5\x96\xCA\x8D\x48\x96\x5B v10\\~"},
};

TEST(SjisConversion, SamplesRoundTrip) {
    for (const Sample& sample : kSamples) {
        const auto cp932 = fromUtf8(sample.utf8);
        ASSERT_TRUE(cp932.has_value()) << sample.utf8;
        EXPECT_EQ(*cp932, sample.cp932) << sample.utf8;
        const auto back = toUtf8(*cp932);
        ASSERT_TRUE(back.has_value()) << sample.utf8;
        EXPECT_EQ(*back, sample.utf8);
    }
}

TEST(SjisConversion, EmptyAndEmbeddedNulSurvive) {
    EXPECT_EQ(fromUtf8(""), std::string());
    EXPECT_EQ(toUtf8(""), std::string());
    const std::string withNul("a\0\x83\x5C", 4);
    EXPECT_EQ(toUtf8(withNul), std::string("a\0ソ", 5));
}

TEST(SjisConversion, CharactersWithoutCounterpartFail) {
    EXPECT_FALSE(fromUtf8("a😀b").has_value());
    EXPECT_FALSE(fromUtf8("한국어").has_value());
}

TEST(SjisConversion, BrokenUtf8Fails) {
    EXPECT_FALSE(fromUtf8("a\xE3\x81").has_value());  // cut inside a character
    EXPECT_FALSE(fromUtf8("\x80").has_value());       // lone continuation byte
    EXPECT_FALSE(fromUtf8("\xC0\xAF").has_value());   // overlong "/"
}

TEST(SjisConversion, BrokenCp932Fails) {
    EXPECT_FALSE(toUtf8("a\x83").has_value());     // lead byte without its second half
    EXPECT_FALSE(toUtf8("\x83\x20").has_value());  // a blank is no second half
    EXPECT_FALSE(toUtf8("a\xFD").has_value());
}

TEST(SjisLossy, CutTextNeverShowsAReplacement) {
    const std::string text = *fromUtf8("所持金ソ①abc");
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const std::string cut = text.substr(0, length);
        const std::string shown = toUtf8Lossy(cut);
        EXPECT_EQ(shown.find("\xEF\xBF\xBD"), std::string::npos) << length;
        EXPECT_EQ(shown, *toUtf8(cut.substr(0, safeCutLength(cut, length)))) << length;
    }
}

TEST(SjisLossy, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(toUtf8Lossy("a\xFD"
                          "b"),
              "a\uFFFDb");
    // A lead byte before a byte that cannot follow it: only the lead is lost.
    EXPECT_EQ(toUtf8Lossy("\x83 x"), "\uFFFD x");
    // An unassigned pair is one character, replaced once.
    EXPECT_EQ(toUtf8Lossy("\x85\x40z"), "\uFFFDz");
    // Bytes CP932 never uses as a lead do not swallow the next one.
    EXPECT_EQ(toUtf8Lossy("\x80\x83\x5C"), "\uFFFDソ");
    EXPECT_EQ(toUtf8Lossy("\xFF"
                          "A"),
              "\uFFFDA");
    EXPECT_EQ(toUtf8Lossy("\x83"), "");
}

TEST(SjisLit, ConvertsSourceTexts) {
    EXPECT_EQ(lit("ゲーム全般"), *fromUtf8("ゲーム全般"));
    EXPECT_EQ(lit("マス%d [%s]"), *fromUtf8("マス%d [%s]"));
    EXPECT_EQ(lit(""), "");
}

TEST(SjisLit, UnconvertibleCharactersBecomeQuestionMarks) {
    EXPECT_EQ(lit("a😀b"), "a?b");
    EXPECT_EQ(lit("😀😀"), "??");
    EXPECT_EQ(lit("ソ\xE3\x81"), "\x83\x5C?");
    EXPECT_EQ(lit("\x80x"), "?x");
}

TEST(SjisCut, NeverEndsInsideACharacter) {
    const std::string text =
        "a\x83\x5C"
        "b";  // "aソb"
    const std::size_t expected[] = {0, 1, 1, 3, 4, 4};
    for (std::size_t limit = 0; limit < std::size(expected); ++limit) {
        EXPECT_EQ(safeCutLength(text, limit), expected[limit]) << limit;
    }
    EXPECT_EQ(safeCutLength("a\x83", 10), 1u);  // a lone lead byte is not kept
    EXPECT_EQ(safeCutLength("", 10), 0u);
}

TEST(SjisCut, EveryCutOfAFieldConverts) {
    // 30 full-width characters fill a 62-byte field with room for the NUL.
    std::string text;
    for (int i = 0; i < 31; ++i) {
        text += "\x83\x5C";
    }
    for (std::size_t limit = 0; limit <= text.size(); ++limit) {
        const std::size_t length = safeCutLength(text, limit);
        EXPECT_LE(length, limit);
        EXPECT_GE(length + 1, limit < text.size() ? limit : text.size());
        EXPECT_TRUE(toUtf8(text.substr(0, length)).has_value()) << limit;
    }
}

TEST(SjisConversion, ThreadsDoNotDisturbEachOther) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (std::size_t t = 0; t < failures.size(); ++t) {
        threads.emplace_back([t, &failures] {
            const Sample& sample = kSamples[t];
            for (int i = 0; i < 2000; ++i) {
                if (fromUtf8(sample.utf8) != std::string(sample.cp932) ||
                    toUtf8Lossy(sample.cp932) != sample.utf8 || fromUtf8("😀").has_value()) {
                    ++failures[t];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const int count : failures) {
        EXPECT_EQ(count, 0);
    }
}

}  // namespace
}  // namespace banmen::sjis
