#pragma once
// The result of an operation that can fail: success, or failure with a short
// reason in UTF-8 ("No such file or directory", "not a packed block (bad magic)").
// Failures are results, never exceptions.

#include <string>
#include <utility>

namespace banmen {

class [[nodiscard]] Status {
  public:
    Status() = default;  // success
    static Status ok() { return Status(); }
    static Status error(std::string reason) { return Status(std::move(reason), false); }

    bool isOk() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& reason() const { return reason_; }

    // Prefixes the reason with context: "reading x.sgw: " + reason.
    Status withContext(const std::string& context) const {
        return ok_ ? *this : error(context + ": " + reason_);
    }

  private:
    Status(std::string reason, bool ok) : reason_(std::move(reason)), ok_(ok) {}
    std::string reason_;
    bool ok_ = true;
};

// Status from errno, for file operations: the system's text for the error.
Status errnoStatus(int error);

}  // namespace banmen
