#include "model/record_ranges.h"

#include <cstring>

#include "model/field_table.h"

namespace banmen {
namespace {

struct Range {
    std::int32_t low;
    std::int32_t high;
};

// The range of a number field, or false when any value is allowed.
bool rangeOf(ObjectKind kind, const FieldSpec& spec, Range& out) {
    switch (spec.refers) {
        case RefKind::Square:
            out = {-1, kSquareCount - 1};
            return true;
        case RefKind::Image:
            out = {-1, kImageCount - 1};
            return true;
        case RefKind::Sound:
            out = {-1, kSoundCount - 1};
            return true;
        case RefKind::None:
            break;
    }
    switch (spec.fieldId) {
        case kFieldPlayerCount:
            out = {1, kPlayerCount};
            return true;
        case kFieldVictoryCondition:
            out = {0, 5};
            return true;
        case kFieldEndCondition:
            out = {0, 2};
            return true;
        case kFieldKind:
            out = kind == ObjectKind::Square ? Range{0, 6} : Range{0, 2};
            return true;
        default:
            return false;
    }
}

}  // namespace

std::vector<std::string> outOfRangeValues(const GameRecord& record) {
    std::vector<std::string> out;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    for (ObjectKind kind : allKinds()) {
        const BlockSpec& block = blockSpec(kind);
        for (int i = 0; i < block.count; ++i) {
            const std::uint8_t* base =
                bytes + block.base + block.size * static_cast<std::uint32_t>(i);
            const std::string place = kind == ObjectKind::Game
                                          ? std::string(block.name)
                                          : std::string(block.name) + "[" + std::to_string(i) + "]";
            for (const FieldSpec& spec : fieldSpecs(kind)) {
                Range range{};
                if (spec.type != FieldType::Number || !rangeOf(kind, spec, range)) {
                    continue;
                }
                for (int e = 0; e < spec.count; ++e) {
                    std::int32_t value = 0;
                    std::memcpy(&value,
                                base + spec.offset + spec.stride * static_cast<std::uint32_t>(e),
                                sizeof value);
                    if (value >= range.low && value <= range.high) {
                        continue;
                    }
                    std::string name = place + "." + spec.name;
                    if (spec.count > 1) {
                        name += "[" + std::to_string(e) + "]";
                    }
                    out.push_back(name + ": " + std::to_string(value) + " is outside " +
                                  std::to_string(range.low) + ".." + std::to_string(range.high));
                }
            }
        }
    }
    return out;
}

}  // namespace banmen
