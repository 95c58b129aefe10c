#include "fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace banmen::fuzz {

std::uint8_t Input::byte() {
    return at_ < size_ ? data_[at_++] : 0;
}

std::uint32_t Input::u16() {
    const std::uint32_t low = byte();
    return low | (static_cast<std::uint32_t>(byte()) << 8);
}

std::uint32_t Input::u24() {
    const std::uint32_t low = u16();
    return low | (static_cast<std::uint32_t>(byte()) << 16);
}

std::span<const std::uint8_t> Input::take(std::size_t count) {
    const std::size_t left = at_ < size_ ? size_ - at_ : 0;
    const std::size_t n = count < left ? count : left;
    std::span<const std::uint8_t> out(data_ + at_, n);
    at_ += n;
    return out;
}

std::span<const std::uint8_t> Input::rest() {
    return take(size_);
}

void applyPatches(Input& input, std::span<std::uint8_t> target) {
    if (target.empty()) {
        return;
    }
    while (!input.empty()) {
        const std::size_t offset = input.u24() % target.size();
        const std::span<const std::uint8_t> bytes = input.take(input.byte());
        const std::size_t room = target.size() - offset;
        for (std::size_t i = 0; i < bytes.size() && i < room; ++i) {
            target[offset + i] = bytes[i];
        }
    }
}

namespace {

struct Scratch {
    std::string path;
    Scratch() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/banmen-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        path = pattern;
    }
    ~Scratch() { removeTree(path); }
};

}  // namespace

const std::string& scratchFolder() {
    static Scratch scratch;
    return scratch.path;
}

bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(descriptor);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::close(descriptor) == 0;
}

void removeTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

}  // namespace banmen::fuzz
