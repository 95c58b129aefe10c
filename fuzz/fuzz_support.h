#pragma once
// What the fuzz targets share: reading a fuzz input piece by piece, patching
// a buffer from it, a scratch folder for the readers that take paths, and a
// check that stops the run on a broken promise (a crash for the fuzzer).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace banmen::fuzz {

// The input, consumed from the front. Reads past the end give zeros.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    std::uint8_t byte();
    std::uint32_t u16();
    std::uint32_t u24();
    // Up to `count` bytes (fewer at the end).
    std::span<const std::uint8_t> take(std::size_t count);
    std::span<const std::uint8_t> rest();

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Patches until the input ends: each is a 24-bit offset (taken modulo the
// target's size), a length byte and that many bytes, written there (cut at
// the target's end). Small inputs so reach any byte of a large record.
void applyPatches(Input& input, std::span<std::uint8_t> target);

// A folder of this process's own, made on first use under $TMPDIR (or
// /tmp) and removed with everything in it when the process ends.
const std::string& scratchFolder();

// Plain POSIX helpers, independent of the code under test.
bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes);
void removeTree(const std::string& path);

[[noreturn]] void fail(const char* what, const char* file, int line);

}  // namespace banmen::fuzz

// A promise of the code under test; a broken one aborts, which the fuzzer
// reports as a crash with the input that caused it.
#define FUZZ_CHECK(condition)                                     \
    do {                                                          \
        if (!(condition)) {                                       \
            ::banmen::fuzz::fail(#condition, __FILE__, __LINE__); \
        }                                                         \
    } while (false)
