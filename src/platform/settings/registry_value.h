#pragma once
// How a typed value is kept as text in a settings file. The text starts with
// its type:
//   "sz:TEXT"          a string (UTF-8);
//   "sz-hex:HEX"       a string whose bytes are not UTF-8, as hex pairs;
//   "dword:N"          a 32-bit number in decimal, 0..4294967295;
//   "binary:HEX"       a byte block as hex pairs ("binary:" alone is empty).
// A text with none of these prefixes is a string as it stands, so a value
// written by hand ("DefImageFolder=/home/me/pictures") reads as a string.
// Hex is written in lower case and read in either case.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace banmen {

// The registry's own type numbers.
enum class RegistryType : std::uint32_t {
    None = 0,
    String = 1,  // REG_SZ
    Binary = 3,  // REG_BINARY
    Dword = 4,   // REG_DWORD
};

struct RegistryValue {
    RegistryType type = RegistryType::None;
    std::string text;                 // String
    std::uint32_t number = 0;         // Dword
    std::vector<std::uint8_t> bytes;  // Binary
};

// Strings end at their first NUL, as a registry string does.
std::string EncodeRegistryString(std::string_view text);
std::string EncodeRegistryDword(std::uint32_t value);
std::string EncodeRegistryBinary(const std::uint8_t* bytes, std::size_t length);

// Fails on a typed text whose payload is malformed ("dword:x", "binary:abc").
bool DecodeRegistryValue(std::string_view stored, RegistryValue& out);

}  // namespace banmen
