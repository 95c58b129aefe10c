#pragma once
// The one random generator of a game: dice, the computer's branch picks, the
// background music, and the draws a screen makes while it waits all come from
// it, so a fixed seed and the same input replay the same game.

#include <array>
#include <cstdint>
#include <vector>

namespace banmen {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A number in 0..RAND_MAX, as the C library's rand gives.
    virtual int draw() = 0;
};

// The C library's rand. Seeding is process-wide, as rand's state is.
class CRandomSource final : public RandomSource {
  public:
    explicit CRandomSource(unsigned seed);
    // Seeded with the current time in seconds.
    CRandomSource();
    int draw() override;
};

// The same numbers as the C library's rand on this system (its additive
// feedback generator), from a state of its own: sessions on several threads
// each draw from their own, and seeding one touches no other.
class StreamRandomSource final : public RandomSource {
  public:
    explicit StreamRandomSource(unsigned seed = 1) { reseed(seed); }
    void reseed(unsigned seed);
    int draw() override;

  private:
    static constexpr int kDegree = 31;
    std::array<std::uint32_t, kDegree> state_{};
    int front_ = 0;
    int rear_ = 0;
};

// A fixed list of numbers, repeated from the start when it runs out (tests).
class SequenceRandomSource final : public RandomSource {
  public:
    explicit SequenceRandomSource(std::vector<int> values) : values_(std::move(values)) {}
    int draw() override;
    int drawn() const { return drawn_; }

  private:
    std::vector<int> values_;
    std::size_t next_ = 0;
    int drawn_ = 0;
};

}  // namespace banmen
