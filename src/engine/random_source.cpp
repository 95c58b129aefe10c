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
