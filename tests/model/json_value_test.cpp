#include "model/json_value.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace banmen {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

JsonValue parsed(std::string_view text) {
    JsonValue value;
    Status status = parseJson(text, value);
    EXPECT_TRUE(status) << text << ": " << status.reason();
    return value;
}

std::string failure(std::string_view text, int maxDepth = kJsonDefaultMaxDepth) {
    JsonValue value = JsonValue::string("untouched");
    Status status = parseJson(text, value, maxDepth);
    EXPECT_FALSE(status) << text;
    // A failed parse leaves the output alone.
    EXPECT_TRUE(value.isString() && value.asString() == "untouched") << text;
    return status.reason();
}

TEST(JsonParse, ScalarsAndContainers) {
    EXPECT_EQ(parsed("null").type(), JsonValue::Type::Null);
    EXPECT_TRUE(parsed(" true ").asBoolean());
    EXPECT_FALSE(parsed("false").asBoolean());
    EXPECT_EQ(parsed("-17").asInteger(), -17);
    EXPECT_EQ(parsed("0").asInteger(), 0);
    EXPECT_EQ(parsed("-0").asInteger(), 0);
    EXPECT_EQ(parsed("\"a\\u00e9\\n\"").asString(), "a\xC3\xA9\n");

    JsonValue object = parsed(R"({"b": [1, 2, {"c": []}], "a": {}})");
    ASSERT_TRUE(object.isObject());
    ASSERT_EQ(object.members().size(), 2u);
    // Keys keep the order of the text, not sorted order.
    EXPECT_EQ(object.members()[0].key, "b");
    EXPECT_EQ(object.members()[1].key, "a");
    const JsonValue* b = object.find("b");
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->elements().size(), 3u);
    EXPECT_EQ(b->elements()[1].asInteger(), 2);
    EXPECT_TRUE(b->elements()[2].find("c")->isArray());
    EXPECT_EQ(object.find("missing"), nullptr);
}

TEST(JsonParse, IntegerLimits) {
    EXPECT_EQ(parsed("9223372036854775807").asInteger(), INT64_MAX);
    EXPECT_EQ(parsed("-9223372036854775808").asInteger(), INT64_MIN);
    EXPECT_THAT(failure("9223372036854775808"), HasSubstr("does not fit in 64 bits"));
    EXPECT_THAT(failure("-9223372036854775809"), HasSubstr("does not fit in 64 bits"));
    EXPECT_THAT(failure("[1, 123456789012345678901234567890]"),
                StartsWith("line 1, column 5: the number 1234"));
}

TEST(JsonParse, RefusesNonIntegers) {
    for (const char* text : {"1.5", "1e3", "1E3", "-0.0", "[0.1]"}) {
        EXPECT_THAT(failure(text), HasSubstr("only whole numbers")) << text;
    }
    EXPECT_THAT(failure("01"), HasSubstr("may not start with 0"));
    EXPECT_THAT(failure("-"), HasSubstr("expected a digit"));
    EXPECT_THAT(failure("-a"), HasSubstr("expected a digit"));
    EXPECT_THAT(failure("+1"), HasSubstr("expected a value"));
    EXPECT_THAT(failure("NaN"), HasSubstr("expected a value"));
    EXPECT_THAT(failure("Infinity"), HasSubstr("expected a value"));
}

TEST(JsonParse, Surrogates) {
    // U+1F600 as a pair.
    EXPECT_EQ(parsed(R"("\ud83d\ude00")").asString(), "\xF0\x9F\x98\x80");
    EXPECT_THAT(failure(R"("\ude00")"), HasSubstr("lone low surrogate"));
    EXPECT_THAT(failure(R"("\ud83d")"), HasSubstr("not followed by a low surrogate"));
    EXPECT_THAT(failure(R"("\ud83dx")"), HasSubstr("not followed by a low surrogate"));
    EXPECT_THAT(failure(R"("\ud83d\u0041")"), HasSubstr("not followed by a low surrogate"));
    EXPECT_THAT(failure(R"("\ud83d\ud83d")"), HasSubstr("not followed by a low surrogate"));
}

TEST(JsonParse, BadEscapesAndStrings) {
    EXPECT_THAT(failure(R"("\x")"), HasSubstr("unknown escape \\'x'"));
    EXPECT_THAT(failure(R"("\u12")"), HasSubstr("four hex digits"));
    EXPECT_THAT(failure(R"("\u12g4")"), HasSubstr("four hex digits"));
    EXPECT_THAT(failure("\"abc"), HasSubstr("unterminated string"));
    EXPECT_THAT(failure("\"abc\\"), HasSubstr("unterminated string"));
    EXPECT_THAT(failure("\"a\nb\""), HasSubstr("control character"));
    EXPECT_THAT(failure("\"a\tb\""), HasSubstr("control character"));
    EXPECT_THAT(failure("'single'"), HasSubstr("expected a value"));
}

TEST(JsonParse, RefusesInvalidUtf8) {
    for (const char* text : {
             "\"\x80\"",              // stray continuation byte
             "\"\xC0\xAF\"",          // overlong "/"
             "\"\xE0\x80\xAF\"",      // overlong, three bytes
             "\"\xED\xA0\x80\"",      // an encoded surrogate
             "\"\xF4\x90\x80\x80\"",  // beyond U+10FFFF
             "\"\xC3\"",              // cut character
             "\"\xFF\"",
         }) {
        EXPECT_THAT(failure(text), HasSubstr("invalid UTF-8")) << text;
    }
    EXPECT_EQ(parsed("\"\xF4\x8F\xBF\xBF\"").asString(), "\xF4\x8F\xBF\xBF");
}

TEST(JsonParse, StructureErrorsWithLineAndColumn) {
    EXPECT_EQ(failure("{\n  \"a\": 1,\n  \"b\" 2\n}"),
              "line 3, column 7: expected ':' after the key, found '2'");
    EXPECT_EQ(failure("[1, 2,]"), "line 1, column 7: expected a value, found ']'");
    EXPECT_EQ(failure("{\"a\": 1,}"),
              "line 1, column 9: expected a key in double quotes, found '}'");
    EXPECT_EQ(failure("[1 2]"), "line 1, column 4: expected ',' or ']', found '2'");
    EXPECT_EQ(failure("{\"a\": 1 \"b\": 2}"), "line 1, column 9: expected ',' or '}', found '\"'");
    // Columns count characters, not bytes.
    EXPECT_EQ(failure("[\"\xE6\x97\xA5\xE6\x9C\xAC\" x]"),
              "line 1, column 7: expected ',' or ']', found 'x'");
    EXPECT_THAT(failure("[1, 2"), HasSubstr("found the end of the text"));
    EXPECT_THAT(failure(""), HasSubstr("empty"));
    EXPECT_THAT(failure("   \n "), HasSubstr("empty"));
}

TEST(JsonParse, TrailingGarbage) {
    EXPECT_EQ(failure("{} x"), "line 1, column 4: unexpected text after the JSON value");
    EXPECT_THAT(failure("1 2"), HasSubstr("unexpected text"));
    EXPECT_THAT(failure("nullx"), HasSubstr("unexpected text"));
    EXPECT_THAT(failure("truee"), HasSubstr("unexpected text"));
    EXPECT_THAT(failure(std::string("{}\0", 3)), HasSubstr("unexpected text"));
    // White space after the value is fine, and so is a byte order mark before it.
    EXPECT_TRUE(parsed("{}\n\n\t ").isObject());
    EXPECT_TRUE(parsed("\xEF\xBB\xBF[]").isArray());
}

TEST(JsonParse, DuplicateKeys) {
    EXPECT_EQ(failure("{\"a\": 1, \"a\": 2}"), "line 1, column 10: duplicate key \"a\"");
    // Keys are compared after unescaping.
    EXPECT_THAT(failure(R"({"a": 1, "\u0061": 2})"), HasSubstr("duplicate key"));
}

TEST(JsonParse, DepthLimit) {
    std::string deep(100000, '[');
    EXPECT_THAT(failure(deep), HasSubstr("nesting deeper than 64 levels"));
    std::string deepObjects;
    for (int i = 0; i < 100000; ++i) {
        deepObjects += "{\"a\":";
    }
    EXPECT_THAT(failure(deepObjects), HasSubstr("nesting deeper than"));

    std::string atLimit = std::string(64, '[') + std::string(64, ']');
    EXPECT_TRUE(parsed(atLimit).isArray());
    std::string beyond = std::string(65, '[') + std::string(65, ']');
    EXPECT_EQ(failure(beyond), "line 1, column 65: nesting deeper than 64 levels");
    EXPECT_THAT(failure("[[[]]]", 2), HasSubstr("deeper than 2"));
}

TEST(JsonParse, EveryCutOfAValidTextFails) {
    const std::string text =
        R"({"a": [1, -2, {"b": "x\u00e9\ud83d\ude00"}], "c": true, "d": null})";
    ASSERT_TRUE(parsed(text).isObject());
    for (std::size_t length = 0; length < text.size(); ++length) {
        JsonValue value;
        EXPECT_FALSE(parseJson(text.substr(0, length), value)) << length;
    }
}

TEST(JsonWrite, Layout) {
    JsonValue root = JsonValue::object();
    root.set("n", JsonValue::integer(-5));
    JsonValue numbers = JsonValue::array();
    numbers.append(JsonValue::integer(1));
    numbers.append(JsonValue::integer(-1));
    root.set("numbers", numbers);
    JsonValue texts = JsonValue::array();
    texts.append(JsonValue::string("a"));
    texts.append(JsonValue::string(""));
    root.set("texts", texts);
    JsonValue bytes = JsonValue::object();
    bytes.set("bytes", JsonValue::string("00ff"));
    root.set("raw", bytes);
    root.set("empty", JsonValue::array());
    root.set("none", JsonValue::object());
    root.set("n", JsonValue::integer(7));  // replaces, keeps its place
    EXPECT_EQ(writeJson(root),
              "{\n"
              "  \"n\": 7,\n"
              "  \"numbers\": [1, -1],\n"
              "  \"texts\": [\n"
              "    \"a\",\n"
              "    \"\"\n"
              "  ],\n"
              "  \"raw\": {\"bytes\": \"00ff\"},\n"
              "  \"empty\": [],\n"
              "  \"none\": {}\n"
              "}\n");
}

TEST(JsonWrite, EscapesAndRoundTrip) {
    static constexpr char kNasty[] =
        "q\"b\\s/\b\f\n\r\t\x01\x1f\x7f \xE6\x97\xA5\xF0\x9F\x98\x80\0z";
    const std::string nasty(kNasty, sizeof kNasty - 1);
    EXPECT_EQ(
        quoteJson(nasty),
        "\"q\\\"b\\\\s/\\b\\f\\n\\r\\t\\u0001\\u001f\x7f \xE6\x97\xA5\xF0\x9F\x98\x80\\u0000z\"");

    JsonValue root = JsonValue::object();
    root.set(nasty, JsonValue::string(nasty));
    JsonValue list = JsonValue::array();
    list.append(JsonValue::integer(INT64_MIN));
    list.append(JsonValue::integer(INT64_MAX));
    list.append(JsonValue::boolean(true));
    list.append(JsonValue());
    list.append(JsonValue::string("x"));
    root.set("list", list);
    const std::string written = writeJson(root);
    const JsonValue back = parsed(written);
    EXPECT_EQ(writeJson(back), written);
    ASSERT_NE(back.find(nasty), nullptr);
    EXPECT_EQ(back.find(nasty)->asString(), nasty);
    EXPECT_EQ(back.find("list")->elements()[0].asInteger(), INT64_MIN);
}

}  // namespace
}  // namespace banmen
