#pragma once
// Shared set-up of the object list operation tests: an owner with a new game
// that has no default images, and helpers that lay out squares directly,
// without the operations under test.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/default_folders.h"
#include "model/record_owner.h"
#include "model/text_field.h"
#include "support/test_support.h"

namespace banmen::test {

// Counts the route-mode redraws.
class ListOwner : public RecordOwner {
  public:
    int routeRedraws = 0;

  protected:
    void RouteRedraw() override { ++routeRedraws; }
};

class ListOpsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // An empty base folder: the new game gets no default images.
        setenv("BANMEN_HOME", home.path().c_str(), 1);
        setDefaultImageFolderProvider(nullptr);
        owner = std::make_unique<ListOwner>();
    }
    void TearDown() override {
        owner.reset();
        unsetenv("BANMEN_HOME");
    }

    GameRecord& record() { return owner->record(); }

    // No square in use, and free slots hold junk, as a long-edited record can.
    void clearBoard() {
        std::memset(record().squares, 0x5A, sizeof record().squares);
        for (SquareDef& square : record().squares) {
            square.name[0] = 0;
        }
    }

    // A square in use at (x, y), kind 0, every reference -1.
    SquareDef& put(std::int32_t index, std::int32_t x, std::int32_t y, std::string_view name = {}) {
        SquareDef& square = record().squares[index];
        std::memset(&square, 0, sizeof square);
        const std::string text = name.empty() ? "S" + std::to_string(index) : std::string(name);
        storeFieldText(square.name, kNameMax, text);
        square.x = x;
        square.y = y;
        square.picture = square.supplementPicture = square.sound = -1;
        square.arrivalJump = square.passJump = -1;
        for (std::int32_t& jump : square.dieJumps) {
            jump = -1;
        }
        for (std::int32_t& next : square.nextSquares) {
            next = -1;
        }
        return square;
    }

    std::vector<std::int32_t> next(std::int32_t index) {
        const SquareDef& square = record().squares[index];
        return {square.nextSquares, square.nextSquares + kNextSquareCount};
    }

    std::vector<std::uint8_t> snapshot() {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record());
        return {bytes, bytes + sizeof(GameRecord)};
    }

    TempDir home;
    std::unique_ptr<ListOwner> owner;
};

inline std::vector<std::int32_t> links(std::initializer_list<std::int32_t> entries) {
    std::vector<std::int32_t> all(entries);
    all.resize(kNextSquareCount, -1);
    return all;
}

template <std::size_t N>
std::string name(const char (&field)[N]) {
    return std::string(fieldText(field));
}

}  // namespace banmen::test
