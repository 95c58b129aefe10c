#include "engine/random_source.h"

#include <cstdlib>
#include <ctime>

namespace banmen {

CRandomSource::CRandomSource(unsigned seed) {
    std::srand(seed);
}

CRandomSource::CRandomSource() : CRandomSource(static_cast<unsigned>(std::time(nullptr))) {}

int CRandomSource::draw() {
    return std::rand();
}

void StreamRandomSource::reseed(unsigned seed) {
    // The seeding of the C library's generator: a multiplicative congruential
    // sequence (Schrage's method) from the seed's bits taken as a signed
    // 32-bit number fills the state, then 310 draws are thrown away.
    std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    state_[0] = static_cast<std::uint32_t>(word);
    for (std::size_t i = 1; i < state_.size(); ++i) {
        const std::int64_t high = word / 127773;
        const std::int64_t low = word % 127773;
        word = static_cast<std::int32_t>(16807 * low - 2836 * high);
        if (word < 0) {
            word += 2147483647;
        }
        state_[i] = static_cast<std::uint32_t>(word);
    }
    front_ = 3;
    rear_ = 0;
    for (int i = 0; i < 10 * kDegree; ++i) {
        draw();
    }
}

int StreamRandomSource::draw() {
    std::uint32_t& value = state_[static_cast<std::size_t>(front_)];
    value += state_[static_cast<std::size_t>(rear_)];
    front_ = front_ + 1 == kDegree ? 0 : front_ + 1;
    rear_ = rear_ + 1 == kDegree ? 0 : rear_ + 1;
    return static_cast<int>(value >> 1);
}

int SequenceRandomSource::draw() {
    ++drawn_;
    if (values_.empty()) {
        return 0;
    }
    if (next_ >= values_.size()) {
        next_ = 0;
    }
    return values_[next_++];
}

}  // namespace banmen
