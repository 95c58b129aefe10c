#pragma once
// The archive: this program's container for a tree of files (a built game
// file, ".sgr", is one). No compression, no checksum, no index; written and
// read front to back.
//
// Byte layout. All numbers are unsigned 32-bit little-endian. An 8-byte
// header: the signature "ArCh" (0x68437241), then the flags word. Entries
// follow until the end of the file; each is 12 bytes of `attributes`,
// `nameLength` (bytes of the name including its NUL) and `dataSize` (data
// bytes after the name; 0 for a folder), then the name and the data. A name
// is a Shift-JIS path relative to the archive's root, parts separated by "\",
// NUL-terminated. Fewer than 12 bytes after the last entry are ignored.
//
// Attributes are the file system's bits: 0x10 marks a folder, 0x20 a file,
// 0x01 read-only. On this platform a folder is written as 0x10 and a file as
// 0x20, each with 0x01 added when nobody may write it.

#include <cstddef>
#include <cstdint>

namespace banmen {

constexpr std::uint32_t kArchiveSignature = 0x68437241;  // "ArCh"
constexpr std::size_t kArchiveHeaderSize = 8;
constexpr std::size_t kArchiveEntrySize = 12;
// File data moves in pieces of at most this many bytes.
constexpr std::size_t kArchivePieceSize = 0x500000;
// `dataSize` has 32 bits: larger files are refused, never wrapped.
constexpr std::uint64_t kArchiveMaxFileSize = 0xFFFFFFFFull;
// Longest name (NUL included) either side accepts; a hostile `nameLength`
// must not make the reader allocate gigabytes.
constexpr std::size_t kArchiveMaxNameLength = 4096;

// Flags of the header's flags word.
// Writer: names are the sources' full paths, and an added folder gets no
// entry of its own. Reader: names are full paths (see ExtractOptions).
constexpr std::uint32_t kArchiveFullPaths = 0x80000000;
// Writer: folders met while walking a tree get no entry.
constexpr std::uint32_t kArchiveNoWalkedFolders = 0x40000000;
// Writer: folders get attributes 0x10 and files 0. Reader: attributes are
// not applied to extracted files.
constexpr std::uint32_t kArchivePlainAttributes = 0x20000000;

constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeFolder = 0x10;
constexpr std::uint32_t kAttributeFile = 0x20;

inline void putArchiveU32(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
    out[3] = static_cast<std::uint8_t>(value >> 24);
}

inline std::uint32_t getArchiveU32(const std::uint8_t* in) {
    return std::uint32_t{in[0]} | std::uint32_t{in[1]} << 8 | std::uint32_t{in[2]} << 16 |
           std::uint32_t{in[3]} << 24;
}

}  // namespace banmen
