#include "support/VRX_Buffer.h"

#include "support/VRX_Mutex.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Held(const VRX_Buffer& buffer) {
    return buffer.length > 0 ? std::string(reinterpret_cast<const char*>(buffer.data),
                                           static_cast<size_t>(buffer.length))
                             : std::string();
}

} // namespace

TEST(VRX_BufferTest, AppendAndConsumeWorkFromOppositeEnds) {
    VRX_Buffer buffer;
    EXPECT_EQ(buffer.length, 0);
    EXPECT_EQ(buffer.data, nullptr);
    EXPECT_TRUE(buffer.Append("hello", 5));
    EXPECT_TRUE(buffer.Append("xyz", 0));
    EXPECT_TRUE(buffer.Append(nullptr, -3));
    EXPECT_TRUE(buffer.Append(" world", 6));
    EXPECT_EQ(Held(buffer), "hello world");

    buffer.Consume(0);
    buffer.Consume(-4);
    EXPECT_EQ(Held(buffer), "hello world");
    buffer.Consume(6);
    EXPECT_EQ(Held(buffer), "world");
    EXPECT_TRUE(buffer.Append("!", 1));
    EXPECT_EQ(Held(buffer), "world!");

    buffer.Consume(100);
    EXPECT_EQ(buffer.length, 0);
    EXPECT_EQ(buffer.data, nullptr) << "consuming everything clears the buffer";
}

TEST(VRX_BufferTest, ReadingALargeBufferPieceByPieceKeepsEveryByte) {
    std::vector<uint8_t> bytes(100000);
    std::iota(bytes.begin(), bytes.end(), 0);
    VRX_Buffer buffer;
    buffer.Append(bytes.data(), static_cast<int64_t>(bytes.size()));
    size_t position = 0;
    while (buffer.length > 0) {
        ASSERT_EQ(buffer.data[0], bytes[position]) << "at " << position;
        ASSERT_EQ(buffer.data[buffer.length - 1], bytes.back());
        const int64_t step = position % 7 + 1;
        buffer.Consume(step);
        position += static_cast<size_t>(step);
    }
    EXPECT_GE(position, bytes.size());
}

TEST(VRX_BufferTest, SetSetLengthClearAndSelfAppend) {
    VRX_Buffer buffer;
    buffer.Set("abcdef", 6);
    buffer.Consume(2);
    EXPECT_TRUE(buffer.SetLength(6));
    EXPECT_EQ(Held(buffer), std::string("cdef\0\0", 6)) << "new bytes are zero";
    EXPECT_TRUE(buffer.SetLength(2));
    EXPECT_EQ(Held(buffer), "cd");
    // Appending what the buffer itself holds survives the storage growing.
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(buffer.Append(buffer.data, buffer.length));
    }
    EXPECT_EQ(buffer.length, 2 << 10);
    EXPECT_EQ(Held(buffer).substr(0, 6), "cdcdcd");
    buffer.Set(buffer.data + 1, 3);
    EXPECT_EQ(Held(buffer), "dcd");
    buffer.Clear();
    EXPECT_EQ(buffer.length, 0);
    EXPECT_EQ(buffer.data, nullptr);
}

TEST(VRX_BufferTest, FreePoisonsTheFieldsAndInitStartsOver) {
    VRX_Buffer buffer(true);
    ASSERT_NE(buffer.lock, nullptr);
    buffer.Append("abc", 3);
    buffer.Free();
    EXPECT_EQ(reinterpret_cast<uintptr_t>(buffer.data),
              static_cast<uintptr_t>(UINT64_C(0xFEFEFEFEFEFEFEFE)));
    EXPECT_EQ(static_cast<uint64_t>(buffer.length), UINT64_C(0xFEFEFEFEFEFEFEFE));
    buffer.Free(); // a second Free is harmless
    buffer.Init(false);
    EXPECT_EQ(buffer.lock, nullptr);
    EXPECT_EQ(buffer.length, 0);
    buffer.Append("x", 1);
    buffer.Init(false); // re-initialising a live buffer releases what it held
    EXPECT_EQ(buffer.length, 0);
}

TEST(VRX_BufferTest, ALockedBufferTakesWritesFromSeveralThreads) {
    VRX_Buffer buffer(true);
    constexpr int kThreads = 4;
    constexpr int kWrites = 2000;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&buffer, t] {
            const uint8_t byte = static_cast<uint8_t>('a' + t);
            for (int i = 0; i < kWrites; ++i) {
                buffer.Append(&byte, 1);
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(buffer.length, kThreads * kWrites);
    EXPECT_FALSE(buffer.lock->IsLocked());
}
