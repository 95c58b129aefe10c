#pragma once
// The packed code of a data update and the 32-bit arithmetic of play.
//
// Code word: bits 0-7 the operator (0 add, 1 subtract, 2 multiply, 3 divide,
// 4 set), bits 8-19 the operand (0 the constant 1; 0x100, 0x200, 0x300 one to
// three dice; 0x400..0x800 the acting player's data item 1..5), bits 20-23
// the target (0 the bank, 0x100000 someone else, 0x200000 all others).
// Values are taken apart with masks, so an unknown value stays unknown.

#include <cstdint>
#include <limits>

namespace banmen {

constexpr std::int32_t OPOADD = 0;
constexpr std::int32_t OPOSUB = 1;
constexpr std::int32_t OPOMUL = 2;
constexpr std::int32_t OPODIV = 3;
constexpr std::int32_t OPOSET = 4;
constexpr std::int32_t OPMONE = 0;
constexpr std::int32_t OPMDIC1 = 0x100;
constexpr std::int32_t OPMDIC2 = 0x200;
constexpr std::int32_t OPMDIC3 = 0x300;
constexpr std::int32_t OPMITM1 = 0x400;
constexpr std::int32_t OPMITM5 = 0x800;
constexpr std::int32_t OPFBNK = 0;
constexpr std::int32_t OPFPLY = 0x100000;
constexpr std::int32_t OPFALL = 0x200000;

struct UpdateCode {
    std::int32_t op = 0;
    std::int32_t operand = 0;
    std::int32_t target = 0;

    bool isDice() const { return operand >= OPMDIC1 && operand <= OPMDIC3; }
    int diceCount() const { return operand >> 8; }
    bool isItem() const { return operand >= OPMITM1 && operand <= OPMITM5; }
    int itemIndex() const { return (operand >> 8) - 4; }  // 0..4
};

constexpr UpdateCode decodeUpdate(std::int32_t code) {
    const auto bits = static_cast<std::uint32_t>(code);
    return {static_cast<std::int32_t>(bits & 0xFFu), static_cast<std::int32_t>(bits & 0xFFF00u),
            static_cast<std::int32_t>(bits & 0xF00000u)};
}

constexpr std::int32_t encodeUpdate(std::int32_t op, std::int32_t operand, std::int32_t target) {
    return op | operand | target;
}

// Two's-complement wrapping without undefined behaviour: computed in 64 bits
// and narrowed (modular since C++20).
constexpr std::int32_t wrap32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}
constexpr std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return wrap32(std::int64_t{a} + b);
}
constexpr std::int32_t wrapSub(std::int32_t a, std::int32_t b) {
    return wrap32(std::int64_t{a} - b);
}
constexpr std::int32_t wrapMul(std::int32_t a, std::int32_t b) {
    return wrap32(std::int64_t{a} * b);
}
// Truncates toward zero; b must not be 0. The one overflowing quotient,
// INT32_MIN / -1, wraps to INT32_MIN.
constexpr std::int32_t truncDiv(std::int32_t a, std::int32_t b) {
    return wrap32(std::int64_t{a} / b);
}

}  // namespace banmen
