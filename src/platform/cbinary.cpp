#include "platform/cbinary.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace banmen {

CBinary::CBinary(std::size_t length) : storage_(std::make_shared<Storage>(length)) {}

CBinary::CBinary(const void* bytes, std::size_t length) {
    if (length != 0) {
        const auto* first = static_cast<const std::uint8_t*>(bytes);
        storage_ = std::make_shared<Storage>(first, first + length);
    }
}

CBinary::CBinary(const CBinary& other)
    : offset_(other.offset_), length_(other.length_), view_(other.view_) {
    if (view_) {
        storage_ = other.storage_;
    } else if (other.storage_) {
        storage_ = std::make_shared<Storage>(*other.storage_);
    }
}

CBinary& CBinary::operator=(const CBinary& other) {
    if (this != &other) {
        CBinary copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CBinary::CBinary(CBinary&& other) noexcept
    : storage_(std::move(other.storage_)),
      offset_(other.offset_),
      length_(other.length_),
      view_(other.view_) {
    other.offset_ = 0;
    other.length_ = 0;
    other.view_ = false;
    other.locked_ = false;
}

CBinary& CBinary::operator=(CBinary&& other) noexcept {
    if (this != &other) {
        storage_ = std::move(other.storage_);
        offset_ = other.offset_;
        length_ = other.length_;
        view_ = other.view_;
        locked_ = false;
        other.offset_ = 0;
        other.length_ = 0;
        other.view_ = false;
        other.locked_ = false;
    }
    return *this;
}

std::uint8_t* CBinary::data() {
    if (!storage_ || (view_ && offset_ > storage_->size())) {
        return nullptr;
    }
    return storage_->data() + (view_ ? offset_ : 0);
}

const std::uint8_t* CBinary::data() const {
    return const_cast<CBinary*>(this)->data();
}

std::size_t CBinary::length() const {
    if (!storage_) {
        return 0;
    }
    if (!view_) {
        return storage_->size();
    }
    // The owner may have shrunk since the view was made.
    const std::size_t size = storage_->size();
    if (offset_ >= size) {
        return 0;
    }
    return length_ < size - offset_ ? length_ : size - offset_;
}

std::size_t CBinary::capacity() const {
    if (view_) {
        return length();
    }
    return storage_ ? storage_->capacity() : 0;
}

bool CBinary::resize(std::size_t length) {
    if (locked_ || view_) {
        return false;
    }
    if (!storage_) {
        storage_ = std::make_shared<Storage>();
    }
    storage_->resize(length);
    return true;
}

bool CBinary::append(const void* bytes, std::size_t length) {
    if (locked_ || view_ || (bytes == nullptr && length != 0)) {
        return false;
    }
    if (length == 0) {
        return true;
    }
    if (!storage_) {
        storage_ = std::make_shared<Storage>();
    }
    // The bytes may lie in this very buffer, which the insert may move.
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    const Storage copy(first, first + length);
    storage_->insert(storage_->end(), copy.begin(), copy.end());
    return true;
}

bool CBinary::append(const CBinary& other) {
    return append(other.data(), other.length());
}

bool CBinary::copyFrom(const void* bytes, std::size_t length) {
    if (locked_ || (bytes == nullptr && length != 0)) {
        return false;
    }
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    // A fresh block: views of the old bytes keep them, and `bytes` may lie there.
    storage_ = length == 0 ? nullptr : std::make_shared<Storage>(first, first + length);
    view_ = false;
    offset_ = 0;
    length_ = 0;
    return true;
}

bool CBinary::copyFrom(const CBinary& other) {
    return copyFrom(other.data(), other.length());
}

bool CBinary::makeView(CBinary& source, std::size_t offset, std::size_t length) {
    const std::size_t available = source.length();
    if (locked_ || offset > available || length > available - offset) {
        return false;
    }
    if (!source.storage_) {
        source.storage_ =
            std::make_shared<Storage>();  // an empty owner still needs a block to share
    }
    storage_ = source.storage_;
    offset_ = source.offset() + offset;
    length_ = length;
    view_ = true;
    return true;
}

bool CBinary::clear() {
    if (locked_) {
        return false;
    }
    storage_.reset();
    offset_ = 0;
    length_ = 0;
    view_ = false;
    return true;
}

std::uint8_t* CBinary::lock() {
    locked_ = true;
    return data();
}

void CBinary::unlock() {
    locked_ = false;
}

std::string CBinary::dump(std::string_view title) const {
    const std::size_t total = length();
    const auto asInt = [](std::size_t value) {
        return static_cast<int>(value < static_cast<std::size_t>(INT_MAX) ? value : INT_MAX);
    };
    std::string out(title);
    char line[160];
    std::snprintf(line, sizeof line, "\n\nbuff = %p, length = %d, %s, focus[%d][%d], %s\n\n",
                  static_cast<const void*>(data()), asInt(total), locked_ ? "Locked" : "Free",
                  asInt(offset()), asInt(total), view_ ? "virtual" : "substance");
    out += line;
    const std::uint8_t* bytes = data();
    for (std::size_t start = 0; start < total; start += 16) {
        std::snprintf(line, sizeof line, "%08X  %08X  ", static_cast<unsigned>(start),
                      static_cast<unsigned>(offset() + start));
        out += line;
        std::string text;
        for (std::size_t i = 0; i < 16; ++i) {
            if (start + i < total) {
                const std::uint8_t byte = bytes[start + i];
                std::snprintf(line, sizeof line, "%02X", static_cast<unsigned>(byte));
                out += line;
                text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
            } else {
                out += "  ";  // keeps the columns of a short last line
            }
            out += i == 7 || i == 15 ? "  " : " ";
        }
        out += text;
        out += '\n';
    }
    return out;
}

}  // namespace banmen
