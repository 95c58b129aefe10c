// The random stream of one session: the C library's numbers from a state of
// its own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/random_source.h"

namespace banmen {
namespace {

TEST(RandomSourceTest, AStreamGivesTheCLibraryNumbersForAnySeed) {
    for (unsigned seed : {0u, 1u, 12345u, 2147483647u, 2147483648u, 4294967295u}) {
        StreamRandomSource stream(seed);
        std::srand(seed);
        int differences = 0;
        for (int i = 0; i < 2000; ++i) {
            differences += stream.draw() != std::rand() ? 1 : 0;
        }
        EXPECT_EQ(differences, 0) << "seed " << seed;
    }
}

TEST(RandomSourceTest, StreamsDoNotShareTheirState) {
    StreamRandomSource alone(7);
    std::vector<int> expected;
    for (int i = 0; i < 50; ++i) {
        expected.push_back(alone.draw());
    }
    StreamRandomSource a(7);
    StreamRandomSource b(7);
    std::vector<int> fromA;
    for (int i = 0; i < 50; ++i) {
        fromA.push_back(a.draw());
        b.draw();
        b.reseed(static_cast<unsigned>(i));  // reseeding b leaves a alone
    }
    EXPECT_EQ(fromA, expected);
    a.reseed(7);
    EXPECT_EQ(a.draw(), expected.front());
}

}  // namespace
}  // namespace banmen
