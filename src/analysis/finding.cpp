#include "analysis/finding.h"

#include <array>
#include <utility>

namespace banmen {
namespace {

constexpr std::array<std::pair<FindingCode, std::string_view>, 9> kNames = {{
    {FindingCode::NoStart, "noStart"},
    {FindingCode::NoGoal, "noGoal"},
    {FindingCode::Unreachable, "unreachable"},
    {FindingCode::DeadEnd, "deadEnd"},
    {FindingCode::JumpLoop, "jumpLoop"},
    {FindingCode::FreeReference, "freeReference"},
    {FindingCode::MissingMedia, "missingMedia"},
    {FindingCode::BadPicture, "badPicture"},
    {FindingCode::NoDescription, "noDescription"},
}};

}  // namespace

std::string_view findingCodeName(FindingCode code) {
    for (const auto& [value, name] : kNames) {
        if (value == code) {
            return name;
        }
    }
    return {};
}

}  // namespace banmen
