#pragma once
// The editor's own clipboard: one slot per kind from Player to Sound, each
// holding one object's whole block and a full flag. It lives as long as the
// program (workspaces come and go under it) and is never stored.

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "model/object_blocks.h"
#include "model/object_kind.h"

namespace banmen {

class ClipboardSlots {
  public:
    // The slot of a kind; Game has none.
    static bool hasSlot(ObjectKind kind) {
        return kind != ObjectKind::Game && toInt(kind) >= toInt(ObjectKind::Player) &&
               toInt(kind) <= toInt(ObjectKind::Sound);
    }
    bool full(ObjectKind kind) const { return hasSlot(kind) && slot(kind).full; }

    // A buffer of the kind's block size to copy into; `setFull` afterwards
    // says whether the copy succeeded.
    std::span<std::byte> buffer(ObjectKind kind) {
        if (!hasSlot(kind)) {
            return {};
        }
        Slot& s = slot(kind);
        s.bytes.resize(objectBlockSize(kind));
        return s.bytes;
    }
    std::span<const std::byte> contents(ObjectKind kind) const { return slot(kind).bytes; }
    void setFull(ObjectKind kind, bool full) {
        if (hasSlot(kind)) {
            slot(kind).full = full;
        }
    }

  private:
    struct Slot {
        std::vector<std::byte> bytes;
        bool full = false;
    };
    Slot& slot(ObjectKind kind) { return slots_[index(kind)]; }
    const Slot& slot(ObjectKind kind) const { return slots_[index(kind)]; }
    static std::size_t index(ObjectKind kind) {
        return hasSlot(kind) ? static_cast<std::size_t>(toInt(kind) - toInt(ObjectKind::Player))
                             : 0;
    }

    std::array<Slot, 6> slots_;
};

}  // namespace banmen
