#include "platform/cbinary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace banmen {
namespace {

std::string text(const CBinary& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.data()), buffer.length());
}

CBinary fromText(std::string_view value) {
    return CBinary(value.data(), value.size());
}

std::string pointerText(const void* pointer) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", pointer);
    return buffer;
}

TEST(CBinary, ResizeKeepsOldBytesAndZeroFillsGrowth) {
    CBinary buffer;
    EXPECT_TRUE(buffer.empty());
    ASSERT_TRUE(buffer.resize(8));
    for (std::size_t i = 0; i < 8; ++i) {
        buffer.data()[i] = 0xAA;
    }
    ASSERT_TRUE(buffer.resize(3));
    ASSERT_TRUE(buffer.resize(6));  // the bytes cut off before must not come back
    EXPECT_EQ(text(buffer), std::string("\xAA\xAA\xAA\0\0\0", 6));
    EXPECT_GE(buffer.capacity(), 6u);
    EXPECT_EQ(text(CBinary(4)), std::string(4, '\0'));
}

TEST(CBinary, AppendAndCopy) {
    CBinary buffer = fromText("abc");
    ASSERT_TRUE(buffer.append(fromText("de")));
    ASSERT_TRUE(buffer.append(nullptr, 0));
    EXPECT_FALSE(buffer.append(nullptr, 1));
    EXPECT_EQ(text(buffer), "abcde");
    ASSERT_TRUE(buffer.append(buffer));  // its own bytes move while they are appended
    EXPECT_EQ(text(buffer), "abcdeabcde");

    CBinary other;
    ASSERT_TRUE(other.copyFrom(buffer));
    other.data()[0] = 'X';
    EXPECT_EQ(text(buffer), "abcdeabcde");
    ASSERT_TRUE(other.copyFrom("", 0));
    EXPECT_TRUE(other.empty());
}

TEST(CBinary, CopiesOwnBytesMovesLeaveEmpty) {
    CBinary owner = fromText("hello");
    CBinary copy(owner);
    copy.data()[0] = 'j';
    EXPECT_EQ(text(owner), "hello");
    CBinary assigned;
    assigned = owner;
    EXPECT_EQ(text(assigned), "hello");
    CBinary moved(std::move(copy));
    EXPECT_EQ(text(moved), "jello");
    EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): moved-from state is defined
    EXPECT_FALSE(copy.isView());
}

TEST(CBinary, ViewReadsAndWritesTheOwnersBytes) {
    CBinary owner = fromText("0123456789");
    CBinary view;
    ASSERT_TRUE(view.makeView(owner, 2, 5));
    EXPECT_TRUE(view.isView());
    EXPECT_EQ(view.offset(), 2u);
    EXPECT_EQ(text(view), "23456");
    view.data()[0] = 'x';
    EXPECT_EQ(text(owner), "01x3456789");

    CBinary inner;
    ASSERT_TRUE(inner.makeView(view, 1, 3));  // a view of a view
    EXPECT_EQ(inner.offset(), 3u);
    EXPECT_EQ(text(inner), "345");

    CBinary shared(view);  // copying a view gives a view
    EXPECT_TRUE(shared.isView());
    shared.data()[1] = 'y';
    EXPECT_EQ(text(owner), "01xy456789");
}

TEST(CBinary, ViewOutsideTheSourceFails) {
    CBinary owner = fromText("0123456789");
    CBinary view;
    EXPECT_FALSE(view.makeView(owner, 11, 0));
    EXPECT_FALSE(view.makeView(owner, 5, 6));
    EXPECT_FALSE(view.makeView(owner, 1, SIZE_MAX));  // must not wrap around
    EXPECT_FALSE(view.isView());
    EXPECT_TRUE(view.makeView(owner, 10, 0));
    EXPECT_TRUE(view.empty());
}

TEST(CBinary, ViewSurvivesTheOwnerChanging) {
    CBinary view;
    {
        CBinary owner = fromText("0123456789");
        ASSERT_TRUE(view.makeView(owner, 4, 4));
        ASSERT_TRUE(owner.resize(1 << 20));  // moves the bytes
        EXPECT_EQ(text(view), "4567");
        ASSERT_TRUE(owner.resize(6));
        EXPECT_EQ(text(view), "45");  // what the owner still covers
        ASSERT_TRUE(owner.resize(2));
        EXPECT_TRUE(view.empty());
        ASSERT_TRUE(owner.resize(10));
        EXPECT_EQ(text(view), std::string(4, '\0'));
    }
    EXPECT_EQ(view.length(), 4u);  // the owner is gone, its bytes are not
}

TEST(CBinary, ViewsCannotGrowButCanBecomeOwners) {
    CBinary owner = fromText("abcdef");
    CBinary view;
    ASSERT_TRUE(view.makeView(owner, 1, 2));
    EXPECT_FALSE(view.resize(10));
    EXPECT_FALSE(view.append("x", 1));
    ASSERT_TRUE(view.copyFrom(view));  // detaches with its own bytes
    EXPECT_FALSE(view.isView());
    EXPECT_EQ(text(view), "bc");
    ASSERT_TRUE(view.append("x", 1));
    EXPECT_EQ(text(owner), "abcdef");
}

TEST(CBinary, LockPinsTheBytes) {
    CBinary buffer = fromText("abc");
    std::uint8_t* pinned = buffer.lock();
    EXPECT_EQ(pinned, buffer.data());
    EXPECT_TRUE(buffer.isLocked());
    EXPECT_FALSE(buffer.resize(100));
    EXPECT_FALSE(buffer.append("d", 1));
    EXPECT_FALSE(buffer.copyFrom("xyz", 3));
    EXPECT_FALSE(buffer.clear());
    CBinary other = fromText("q");
    EXPECT_FALSE(buffer.makeView(other, 0, 1));
    EXPECT_EQ(buffer.data(), pinned);
    EXPECT_EQ(text(buffer), "abc");
    buffer.unlock();
    EXPECT_TRUE(buffer.clear());
    EXPECT_TRUE(buffer.empty());
    EXPECT_FALSE(CBinary(buffer).isLocked());
}

TEST(CBinary, DumpOfAnOwner) {
    CBinary buffer = fromText(
        "ABCDEFGHIJKLMNOP\x01\x7F"
        "z");
    const std::string expected =
        "title\n\nbuff = " + pointerText(buffer.data()) +
        ", length = 19, Free, focus[0][19], substance\n\n"
        "00000000  00000000  41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP\n"
        "00000010  00000010  01 7F 7A                                          ..z\n";
    EXPECT_EQ(buffer.dump("title"), expected);
}

TEST(CBinary, DumpOfALockedView) {
    CBinary owner(40);
    for (std::size_t i = 0; i < 40; ++i) {
        owner.data()[i] = static_cast<std::uint8_t>(0x30 + i);
    }
    CBinary view;
    ASSERT_TRUE(view.makeView(owner, 20, 17));
    view.lock();
    const std::string expected =
        "v\n\nbuff = " + pointerText(view.data()) +
        ", length = 17, Locked, focus[20][17], virtual\n\n"
        "00000000  00000014  44 45 46 47 48 49 4A 4B  4C 4D 4E 4F 50 51 52 53  DEFGHIJKLMNOPQRS\n"
        "00000010  00000024  54                                                T\n";
    EXPECT_EQ(view.dump("v"), expected);
}

TEST(CBinary, DumpOfNothing) {
    EXPECT_EQ(CBinary().dump("empty"), "empty\n\nbuff = " + pointerText(nullptr) +
                                           ", length = 0, Free, focus[0][0], substance\n\n");
}

}  // namespace
}  // namespace banmen
