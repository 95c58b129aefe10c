#include "platform/disk_faults.h"

#include <atomic>
#include <cstdlib>

namespace banmen {
namespace {

struct Plan {
    std::atomic<bool> armed{false};
    std::atomic<std::uint64_t> counted{0};
    std::uint64_t nth = 0;
    int error = 0;
    std::atomic<bool> fired{false};
    DiskOperation failed = DiskOperation::Create;
};

Plan plan;

}  // namespace

const char* diskOperationName(DiskOperation operation) {
    switch (operation) {
        case DiskOperation::Create:
            return "create";
        case DiskOperation::Write:
            return "write";
        case DiskOperation::Flush:
            return "flush";
        case DiskOperation::Rename:
            return "rename";
        case DiskOperation::FolderFlush:
            return "folder flush";
        case DiskOperation::MakeFolder:
            return "make folder";
    }
    return "?";
}

int diskFault(DiskOperation operation) {
    if (!plan.armed.load(std::memory_order_acquire)) {
        return 0;
    }
    if (plan.counted.fetch_add(1) + 1 != plan.nth) {
        return 0;
    }
    plan.failed = operation;
    plan.fired.store(true);
    return plan.error;
}

ScopedDiskFault::ScopedDiskFault(std::uint64_t nth, int error) {
    if (plan.armed.load()) {
        std::abort();  // two plans at once would count each other's operations
    }
    plan.counted = 0;
    plan.nth = nth;
    plan.error = error;
    plan.fired = false;
    plan.armed.store(true, std::memory_order_release);
}

ScopedDiskFault::~ScopedDiskFault() {
    plan.armed.store(false, std::memory_order_release);
}

bool ScopedDiskFault::fired() const {
    return plan.fired.load();
}

DiskOperation ScopedDiskFault::failed() const {
    return plan.failed;
}

std::uint64_t ScopedDiskFault::counted() const {
    return plan.counted.load();
}

}  // namespace banmen
