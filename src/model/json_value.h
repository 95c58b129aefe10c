#pragma once
// A small JSON value with a strict parser and a deterministic writer, for the
// record's JSON form. Deliberately narrow:
//  - numbers are 64-bit integers only; fractions and exponents are refused;
//  - objects keep their keys in order, and a repeated key is refused;
//  - strings are UTF-8; the parser refuses invalid UTF-8, raw control
//    characters and lone surrogates, and decodes \uXXXX (pairs included);
//  - nesting is limited, so hostile input cannot exhaust the stack.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace banmen {

struct JsonMember;

class JsonValue {
  public:
    enum class Type : std::uint8_t { Null, Boolean, Integer, String, Array, Object };

    JsonValue() = default;  // null
    static JsonValue boolean(bool value);
    static JsonValue integer(std::int64_t value);
    static JsonValue string(std::string value);
    static JsonValue array();
    static JsonValue object();

    Type type() const { return type_; }
    bool isInteger() const { return type_ == Type::Integer; }
    bool isString() const { return type_ == Type::String; }
    bool isArray() const { return type_ == Type::Array; }
    bool isObject() const { return type_ == Type::Object; }
    // A value that holds no other value (all but arrays and objects).
    bool isScalar() const { return type_ != Type::Array && type_ != Type::Object; }

    // Read the value of the matching type; other types give false, 0 or "".
    bool asBoolean() const { return boolean_; }
    std::int64_t asInteger() const { return integer_; }
    const std::string& asString() const { return string_; }

    // Arrays.
    const std::vector<JsonValue>& elements() const { return elements_; }
    std::vector<JsonValue>& elements() { return elements_; }
    void append(JsonValue value);

    // Objects, in insertion order. `set` appends a new key or replaces the
    // value of an existing one; `find` gives nullptr for a missing key.
    const std::vector<JsonMember>& members() const { return members_; }
    void set(std::string key, JsonValue value);
    const JsonValue* find(std::string_view key) const;
    JsonValue* find(std::string_view key);
    // False when there was no such key.
    bool erase(std::string_view key);

  private:
    Type type_ = Type::Null;
    bool boolean_ = false;
    std::int64_t integer_ = 0;
    std::string string_;
    std::vector<JsonValue> elements_;
    std::vector<JsonMember> members_;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

// "null", "a boolean", "an integer", "a string", "an array", "an object".
std::string_view jsonTypeName(JsonValue::Type type);

constexpr int kJsonDefaultMaxDepth = 64;

// Parses one JSON text (a leading UTF-8 byte order mark is skipped; only
// white space may follow the value). On failure `out` is unchanged and the
// reason reads "line L, column C: what is wrong", columns counted in
// characters from 1.
Status parseJson(std::string_view text, JsonValue& out, int maxDepth = kJsonDefaultMaxDepth);

// Writes the value with 2-space indentation, one member or element per line,
// and a final newline. Arrays holding only numbers, booleans and nulls, and
// objects with a single scalar member, stay on one line. Strings are written
// as UTF-8 with only '"', '\' and control characters escaped.
std::string writeJson(const JsonValue& value);

// The quoted, escaped form of a string.
std::string quoteJson(std::string_view utf8);

}  // namespace banmen
