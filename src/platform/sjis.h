#pragma once
// Shift-JIS (code page 932) texts. Every text the game record stores is CP932;
// conversion to and from UTF-8 happens only at the edges (terminal, JSON,
// file names on disk, Qt), through glibc iconv.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace banmen::sjis {

// A lead byte of a double-byte character: 0x80..0x9F or 0xE0..0xFF. The second
// byte of such a character can look like "\" (0x5C), so scanners skip it.
constexpr bool isLeadByte(unsigned char c) {
    return (c >= 0x80 && c <= 0x9F) || c >= 0xE0;
}

// Strict conversions: nothing when a character has no counterpart or the
// input is broken. Safe to call from several threads.
std::optional<std::string> fromUtf8(std::string_view utf8);
std::optional<std::string> toUtf8(std::string_view cp932);

// For display: a trailing lead byte without its second half (a text cut by a
// byte limit) is dropped, and any other invalid byte becomes U+FFFD (an
// unassigned two-byte character gives one U+FFFD).
std::string toUtf8Lossy(std::string_view cp932);

// For texts written in this program's own source (UTF-8 literals that are
// known to fit CP932). An unconvertible character becomes "?".
std::string lit(std::string_view utf8);

// The longest prefix of at most `limit` bytes that does not end inside a
// double-byte character (a lone lead byte at the end is left out too).
std::size_t safeCutLength(std::string_view cp932, std::size_t limit);

}  // namespace banmen::sjis
