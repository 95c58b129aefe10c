#include "model/json_value.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>

namespace banmen {

JsonValue JsonValue::boolean(bool value) {
    JsonValue v;
    v.type_ = Type::Boolean;
    v.boolean_ = value;
    return v;
}

JsonValue JsonValue::integer(std::int64_t value) {
    JsonValue v;
    v.type_ = Type::Integer;
    v.integer_ = value;
    return v;
}

JsonValue JsonValue::string(std::string value) {
    JsonValue v;
    v.type_ = Type::String;
    v.string_ = std::move(value);
    return v;
}

JsonValue JsonValue::array() {
    JsonValue v;
    v.type_ = Type::Array;
    return v;
}

JsonValue JsonValue::object() {
    JsonValue v;
    v.type_ = Type::Object;
    return v;
}

void JsonValue::append(JsonValue value) {
    elements_.push_back(std::move(value));
}

void JsonValue::set(std::string key, JsonValue value) {
    for (JsonMember& member : members_) {
        if (member.key == key) {
            member.value = std::move(value);
            return;
        }
    }
    members_.push_back({std::move(key), std::move(value)});
}

const JsonValue* JsonValue::find(std::string_view key) const {
    for (const JsonMember& member : members_) {
        if (member.key == key) {
            return &member.value;
        }
    }
    return nullptr;
}

JsonValue* JsonValue::find(std::string_view key) {
    return const_cast<JsonValue*>(std::as_const(*this).find(key));
}

bool JsonValue::erase(std::string_view key) {
    auto it = std::find_if(members_.begin(), members_.end(),
                           [key](const JsonMember& member) { return member.key == key; });
    if (it == members_.end()) {
        return false;
    }
    members_.erase(it);
    return true;
}

std::string_view jsonTypeName(JsonValue::Type type) {
    switch (type) {
        case JsonValue::Type::Null:
            return "null";
        case JsonValue::Type::Boolean:
            return "a boolean";
        case JsonValue::Type::Integer:
            return "an integer";
        case JsonValue::Type::String:
            return "a string";
        case JsonValue::Type::Array:
            return "an array";
        case JsonValue::Type::Object:
            return "an object";
    }
    return "a value";
}

namespace {

class Parser {
  public:
    Parser(std::string_view text, int maxDepth) : text_(text), maxDepth_(maxDepth) {}

    Status run(JsonValue& out) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
            pos_ = 3;
        }
        skipSpace();
        if (atEnd()) {
            return fail("no JSON value (the text is empty)");
        }
        JsonValue value;
        if (Status parsed = parseValue(value, 0); !parsed) {
            return parsed;
        }
        skipSpace();
        if (!atEnd()) {
            return fail("unexpected text after the JSON value");
        }
        out = std::move(value);
        return Status::ok();
    }

  private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }

    void skipSpace() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) {
            ++pos_;
        }
    }

    // Line and column of `at`, counted only when a failure needs them.
    Status failAt(std::size_t at, const std::string& what) const {
        std::size_t line = 1;
        std::size_t column = 1;
        for (std::size_t i = 0; i < at && i < text_.size(); ++i) {
            const auto c = static_cast<unsigned char>(text_[i]);
            if (c == '\n') {
                ++line;
                column = 1;
            } else if ((c & 0xC0) != 0x80) {
                ++column;  // continuation bytes belong to the character before
            }
        }
        return Status::error("line " + std::to_string(line) + ", column " + std::to_string(column) +
                             ": " + what);
    }
    Status fail(const std::string& what) const { return failAt(pos_, what); }

    std::string describeHere() const {
        if (atEnd()) {
            return "the end of the text";
        }
        const auto c = static_cast<unsigned char>(peek());
        if (c >= 0x20 && c < 0x7F) {
            return std::string("'") + peek() + "'";
        }
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "0x%02X", c);
        return std::string("byte ") + buffer;
    }

    Status parseValue(JsonValue& out, int depth) {
        if (atEnd()) {
            return fail("expected a value, found the end of the text");
        }
        switch (peek()) {
            case '{':
                return parseObject(out, depth + 1);
            case '[':
                return parseArray(out, depth + 1);
            case '"': {
                std::string text;
                if (Status parsed = parseString(text); !parsed) {
                    return parsed;
                }
                out = JsonValue::string(std::move(text));
                return Status::ok();
            }
            case 't':
                return parseWord("true", JsonValue::boolean(true), out);
            case 'f':
                return parseWord("false", JsonValue::boolean(false), out);
            case 'n':
                return parseWord("null", JsonValue(), out);
            default:
                break;
        }
        if (peek() == '-' || (peek() >= '0' && peek() <= '9')) {
            return parseNumber(out);
        }
        return fail("expected a value, found " + describeHere());
    }

    Status parseWord(std::string_view word, JsonValue value, JsonValue& out) {
        if (text_.substr(pos_, word.size()) != word) {
            return fail("expected a value, found " + describeHere());
        }
        pos_ += word.size();
        out = std::move(value);
        return Status::ok();
    }

    Status parseNumber(JsonValue& out) {
        const std::size_t start = pos_;
        const bool negative = peek() == '-';
        if (negative) {
            ++pos_;
        }
        if (atEnd() || peek() < '0' || peek() > '9') {
            return fail("expected a digit after '-'");
        }
        if (peek() == '0' && pos_ + 1 < text_.size() && text_[pos_ + 1] >= '0' &&
            text_[pos_ + 1] <= '9') {
            return fail("a number may not start with 0");
        }
        // Accumulated as a negative number: its range is one larger.
        std::int64_t value = 0;
        bool overflow = false;
        constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
        while (!atEnd() && peek() >= '0' && peek() <= '9') {
            const int digit = peek() - '0';
            if (value < (kMin + digit) / 10) {
                overflow = true;
            } else {
                value = value * 10 - digit;
            }
            ++pos_;
        }
        if (!atEnd() && (peek() == '.' || peek() == 'e' || peek() == 'E')) {
            return fail("only whole numbers are allowed (no fractions or exponents)");
        }
        if (overflow || (!negative && value == kMin)) {
            return failAt(start, "the number " + std::string(text_.substr(start, pos_ - start)) +
                                     " does not fit in 64 bits");
        }
        out = JsonValue::integer(negative ? value : -value);
        return Status::ok();
    }

    static void appendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // Four hex digits after "\u" (pos_ at the backslash).
    bool readHex4(std::uint32_t& code) {
        if (pos_ + 6 > text_.size()) {
            return false;
        }
        code = 0;
        for (std::size_t i = pos_ + 2; i < pos_ + 6; ++i) {
            const char c = text_[i];
            std::uint32_t digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<std::uint32_t>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<std::uint32_t>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                digit = static_cast<std::uint32_t>(c - 'A' + 10);
            } else {
                return false;
            }
            code = code * 16 + digit;
        }
        pos_ += 6;
        return true;
    }

    Status parseEscape(std::string& out) {
        const std::size_t start = pos_;
        if (pos_ + 1 >= text_.size()) {
            return fail("unterminated string");
        }
        const char c = text_[pos_ + 1];
        const char* simple = nullptr;
        switch (c) {
            case '"':
                simple = "\"";
                break;
            case '\\':
                simple = "\\";
                break;
            case '/':
                simple = "/";
                break;
            case 'b':
                simple = "\b";
                break;
            case 'f':
                simple = "\f";
                break;
            case 'n':
                simple = "\n";
                break;
            case 'r':
                simple = "\r";
                break;
            case 't':
                simple = "\t";
                break;
            case 'u':
                break;
            default:
                ++pos_;
                return fail("unknown escape \\" + describeHere());
        }
        if (simple != nullptr) {
            out += simple;
            pos_ += 2;
            return Status::ok();
        }
        std::uint32_t code = 0;
        if (!readHex4(code)) {
            return fail("\\u must be followed by four hex digits");
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            return failAt(start, "lone low surrogate \\u" + hex4(code));
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            std::uint32_t low = 0;
            if (text_.substr(pos_, 2) != "\\u" || !readHex4(low) || low < 0xDC00 || low > 0xDFFF) {
                return failAt(start, "high surrogate \\u" + hex4(code) +
                                         " is not followed by a low surrogate");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, code);
        return Status::ok();
    }

    static std::string hex4(std::uint32_t code) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%04X", code);
        return buffer;
    }

    // Length of the valid UTF-8 character at pos_, 0 when it is not one.
    std::size_t utf8Length() const {
        const auto at = [this](std::size_t i) {
            return pos_ + i < text_.size() ? static_cast<unsigned char>(text_[pos_ + i]) : 0u;
        };
        const unsigned lead = at(0);
        const auto cont = [&](std::size_t i) { return (at(i) & 0xC0) == 0x80; };
        if (lead < 0x80) {
            return 1;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            return cont(1) ? 2 : 0;
        }
        if (lead >= 0xE0 && lead <= 0xEF) {
            const unsigned second = at(1);
            // No overlong forms, no encoded surrogates.
            if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F)) {
                return 0;
            }
            return cont(1) && cont(2) ? 3 : 0;
        }
        if (lead >= 0xF0 && lead <= 0xF4) {
            const unsigned second = at(1);
            if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
                return 0;
            }
            return cont(1) && cont(2) && cont(3) ? 4 : 0;
        }
        return 0;
    }

    Status parseString(std::string& out) {
        const std::size_t start = pos_;
        ++pos_;  // the opening quote
        while (true) {
            if (atEnd()) {
                return failAt(start, "unterminated string");
            }
            const auto c = static_cast<unsigned char>(peek());
            if (c == '"') {
                ++pos_;
                return Status::ok();
            }
            if (c == '\\') {
                if (Status escaped = parseEscape(out); !escaped) {
                    return escaped;
                }
                continue;
            }
            if (c < 0x20) {
                return fail("control character " + describeHere() +
                            " in a string (write it as an escape)");
            }
            const std::size_t length = utf8Length();
            if (length == 0) {
                return fail("invalid UTF-8 (" + describeHere() + ")");
            }
            out.append(text_.substr(pos_, length));
            pos_ += length;
        }
    }

    Status enter(int depth) const {
        if (depth > maxDepth_) {
            return fail("nesting deeper than " + std::to_string(maxDepth_) + " levels");
        }
        return Status::ok();
    }

    Status parseArray(JsonValue& out, int depth) {
        if (Status deep = enter(depth); !deep) {
            return deep;
        }
        ++pos_;
        JsonValue array = JsonValue::array();
        skipSpace();
        if (!atEnd() && peek() == ']') {
            ++pos_;
            out = std::move(array);
            return Status::ok();
        }
        while (true) {
            skipSpace();
            JsonValue element;
            if (Status parsed = parseValue(element, depth); !parsed) {
                return parsed;
            }
            array.append(std::move(element));
            skipSpace();
            if (!atEnd() && peek() == ',') {
                ++pos_;
                continue;
            }
            if (!atEnd() && peek() == ']') {
                ++pos_;
                out = std::move(array);
                return Status::ok();
            }
            return fail("expected ',' or ']', found " + describeHere());
        }
    }

    Status parseObject(JsonValue& out, int depth) {
        if (Status deep = enter(depth); !deep) {
            return deep;
        }
        ++pos_;
        JsonValue object = JsonValue::object();
        skipSpace();
        if (!atEnd() && peek() == '}') {
            ++pos_;
            out = std::move(object);
            return Status::ok();
        }
        while (true) {
            skipSpace();
            if (atEnd() || peek() != '"') {
                return fail("expected a key in double quotes, found " + describeHere());
            }
            const std::size_t keyStart = pos_;
            std::string key;
            if (Status parsed = parseString(key); !parsed) {
                return parsed;
            }
            if (object.find(key) != nullptr) {
                return failAt(keyStart, "duplicate key " + quoteJson(key));
            }
            skipSpace();
            if (atEnd() || peek() != ':') {
                return fail("expected ':' after the key, found " + describeHere());
            }
            ++pos_;
            skipSpace();
            JsonValue value;
            if (Status parsed = parseValue(value, depth); !parsed) {
                return parsed;
            }
            object.set(std::move(key), std::move(value));
            skipSpace();
            if (!atEnd() && peek() == ',') {
                ++pos_;
                continue;
            }
            if (!atEnd() && peek() == '}') {
                ++pos_;
                out = std::move(object);
                return Status::ok();
            }
            return fail("expected ',' or '}', found " + describeHere());
        }
    }

    std::string_view text_;
    int maxDepth_;
    std::size_t pos_ = 0;
};

bool inlineable(const JsonValue& value) {
    if (value.isArray()) {
        return std::all_of(value.elements().begin(), value.elements().end(),
                           [](const JsonValue& e) { return e.isScalar() && !e.isString(); });
    }
    if (value.isObject()) {
        return value.members().size() == 1 && value.members().front().value.isScalar();
    }
    return true;
}

void write(const JsonValue& value, int indent, bool oneLine, std::string& out) {
    const auto newline = [&](int level) {
        if (oneLine) {
            out += ' ';
        } else {
            out += '\n';
            out.append(static_cast<std::size_t>(level) * 2, ' ');
        }
    };
    switch (value.type()) {
        case JsonValue::Type::Null:
            out += "null";
            return;
        case JsonValue::Type::Boolean:
            out += value.asBoolean() ? "true" : "false";
            return;
        case JsonValue::Type::Integer:
            out += std::to_string(value.asInteger());
            return;
        case JsonValue::Type::String:
            out += quoteJson(value.asString());
            return;
        case JsonValue::Type::Array: {
            if (value.elements().empty()) {
                out += "[]";
                return;
            }
            const bool flat = oneLine || inlineable(value);
            out += '[';
            bool first = true;
            for (const JsonValue& element : value.elements()) {
                out += first ? "" : ",";
                if (flat) {
                    out += first ? "" : " ";
                } else {
                    newline(indent + 1);
                }
                first = false;
                write(element, indent + 1, flat, out);
            }
            if (!flat) {
                newline(indent);
            }
            out += ']';
            return;
        }
        case JsonValue::Type::Object: {
            if (value.members().empty()) {
                out += "{}";
                return;
            }
            const bool flat = oneLine || inlineable(value);
            out += '{';
            bool first = true;
            for (const JsonMember& member : value.members()) {
                out += first ? "" : ",";
                if (flat) {
                    out += first ? "" : " ";
                } else {
                    newline(indent + 1);
                }
                first = false;
                out += quoteJson(member.key);
                out += ": ";
                write(member.value, indent + 1, flat, out);
            }
            if (!flat) {
                newline(indent);
            }
            out += '}';
            return;
        }
    }
}

}  // namespace

Status parseJson(std::string_view text, JsonValue& out, int maxDepth) {
    return Parser(text, maxDepth).run(out);
}

std::string writeJson(const JsonValue& value) {
    std::string out;
    write(value, 0, false, out);
    out += '\n';
    return out;
}

std::string quoteJson(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

}  // namespace banmen
