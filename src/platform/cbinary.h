#pragma once
// A growable byte buffer. It either owns its bytes or is a view onto a range
// of another CBinary's bytes (reads and writes through a view reach the
// owner's bytes). A view shares the owner's storage, so it stays safe when
// the owner grows, shrinks or goes away; a range the owner no longer covers
// reads as shorter (or empty).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace banmen {

class CBinary {
  public:
    CBinary() = default;
    explicit CBinary(std::size_t length);            // zero-filled
    CBinary(const void* bytes, std::size_t length);  // a copy of the bytes
    virtual ~CBinary() = default;

    // Copying an owner copies its bytes; copying a view gives another view of
    // the same range. A copy is never locked.
    CBinary(const CBinary& other);
    CBinary& operator=(const CBinary& other);
    CBinary(CBinary&& other) noexcept;
    CBinary& operator=(CBinary&& other) noexcept;

    std::uint8_t* data();
    const std::uint8_t* data() const;
    std::size_t length() const;
    std::size_t capacity() const;  // a view's capacity is its length
    bool empty() const { return length() == 0; }
    bool isView() const { return view_; }
    // Where a view starts in its owner's bytes; 0 for an owner.
    std::size_t offset() const { return view_ ? offset_ : 0; }
    bool isLocked() const { return locked_; }

    // The operations below fail (false) while the buffer is locked.

    // Keeps the old bytes and zero-fills growth. Owners only.
    virtual bool resize(std::size_t length);
    // Adds the bytes at the end. Owners only.
    virtual bool append(const void* bytes, std::size_t length);
    bool append(const CBinary& other);
    // Becomes an owner of a copy of the bytes (a view is detached first).
    virtual bool copyFrom(const void* bytes, std::size_t length);
    bool copyFrom(const CBinary& other);
    // Becomes a view of `length` bytes of `source` from `offset` (relative to
    // `source`, which may itself be a view). Fails when the range lies outside.
    virtual bool makeView(CBinary& source, std::size_t offset, std::size_t length);
    // Drops the bytes or the view: an empty owner again.
    virtual bool clear();

    // Pins the bytes against this object's own operations: while locked,
    // nothing here that could move or drop them succeeds (an owner's changes
    // still reach its views). The dump shows the state as "Locked" or "Free".
    std::uint8_t* lock();
    void unlock();

    // A readable dump: a header line, then 16 bytes a line with their offset
    // in this buffer and in the owner's bytes, in hex and as ASCII.
    std::string dump(std::string_view title) const;

  private:
    using Storage = std::vector<std::uint8_t>;

    std::shared_ptr<Storage> storage_;  // null for an empty owner
    std::size_t offset_ = 0;            // views only
    std::size_t length_ = 0;            // views only
    bool view_ = false;
    bool locked_ = false;
};

}  // namespace banmen
