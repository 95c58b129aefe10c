#pragma once
// Holds a bitmap's recursive lock for one scope (internal).

#include "media/dib_bitmap.h"

namespace banmen {

class DibBitmap::LockGuard {
  public:
    explicit LockGuard(DibBitmap& bitmap) : bitmap_(bitmap) { bitmap_.Lock(); }
    ~LockGuard() { bitmap_.Unlock(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

  private:
    DibBitmap& bitmap_;
};

}  // namespace banmen
