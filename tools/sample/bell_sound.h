#pragma once
// The temple bell of New Year's Eve, synthesised: a WAV file (PCM, 16-bit,
// mono, 22,050 Hz) of a struck bell's partials dying away. The same bytes on
// every run.

#include <cstdint>
#include <vector>

namespace banmen::sample {

std::vector<std::uint8_t> bellWav();

}  // namespace banmen::sample
