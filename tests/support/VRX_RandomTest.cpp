#include "support/VRX_Random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

TEST(VRX_RandomTest, FillsTheBufferFromTheSystem) {
    std::vector<uint8_t> a(1000, 0);
    std::vector<uint8_t> b(1000, 0);
    EXPECT_TRUE(RandomBytes(a.data(), a.size()));
    EXPECT_TRUE(RandomBytes(b.data(), b.size()));
    EXPECT_NE(a, b);
    int zeros = 0;
    for (uint8_t byte : a) {
        zeros += byte == 0;
    }
    EXPECT_LT(zeros, 30) << "about 4 of 1000 random bytes are zero";
    EXPECT_TRUE(RandomBytes(nullptr, 0));
}

TEST(VRX_RandomTest, FallsBackToRdrandThenToRand) {
    int systemCalls = 0;
    int rdrandCalls = 0;
    RandomSources sources;
    sources.system = [&](void*, size_t) {
        ++systemCalls;
        return false;
    };
    sources.rdrand = [&](uint64_t& value) {
        ++rdrandCalls;
        value = 0x0807060504030201u;
        return rdrandCalls % 2 == 0; // every other step fails
    };
    uint8_t bytes[11] = {};
    EXPECT_TRUE(RandomBytesFrom(bytes, sizeof bytes, sources));
    EXPECT_EQ(systemCalls, 10);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[7], 8);
    EXPECT_EQ(bytes[8], 1) << "the tail comes from a fresh step";
    EXPECT_EQ(bytes[10], 3);

    // RDRAND failing ten times, then rand(): filled, but not cryptographic.
    rdrandCalls = 0;
    sources.rdrand = [&](uint64_t&) {
        ++rdrandCalls;
        return false;
    };
    std::srand(42);
    std::vector<uint8_t> expected(9);
    for (uint8_t& byte : expected) {
        byte = static_cast<uint8_t>(std::rand() & 0xFF);
    }
    std::srand(42);
    std::vector<uint8_t> filled(9, 0);
    EXPECT_FALSE(RandomBytesFrom(filled.data(), filled.size(), sources));
    EXPECT_EQ(rdrandCalls, 10);
    EXPECT_EQ(filled, expected);

    sources.rdrand = nullptr; // a processor without RDRAND
    EXPECT_FALSE(RandomBytesFrom(filled.data(), filled.size(), sources));
}

TEST(VRX_RandomTest, CpuInfoDescribesThisProcessor) {
    const CpuInfo& info = GetCpuInfo();
#if defined(__x86_64__)
    EXPECT_GE(info.highestStandardLeaf, 1u);
    EXPECT_EQ(info.standardLeaves.size(), std::min<size_t>(info.highestStandardLeaf + 1, 256));
    EXPECT_EQ(std::strlen(info.vendor), 12u);
    EXPECT_EQ(info.isIntel, std::string(info.vendor) == "GenuineIntel");
    EXPECT_EQ(info.leaf1Ecx, info.standardLeaves[1].ecx);
#else
    EXPECT_EQ(info.highestStandardLeaf, 0u);
#endif
    EXPECT_EQ(&info, &GetCpuInfo()) << "filled once";
}

TEST(VRX_RandomTest, CpuInfoSurvivesAbsurdLeafCounts) {
    // A hypervisor answering 0xFFFFFFFF for both highest leaves, and RDRAND.
    const CpuInfo info = DescribeCpu([](uint32_t leaf) {
        CpuidLeaf answer;
        if (leaf == 0 || leaf == 0x80000000u) {
            answer.eax = 0xFFFFFFFFu;
        }
        if (leaf == 0) {
            std::memcpy(&answer.ebx, "Genu", 4);
            std::memcpy(&answer.edx, "ineI", 4);
            std::memcpy(&answer.ecx, "ntel", 4);
        }
        if (leaf == 1) {
            answer.ecx = 1u << 30;
        }
        if (leaf >= 0x80000002u && leaf <= 0x80000004u) {
            const uint32_t letters = 0x01010101u * ('A' + (leaf - 0x80000002u));
            answer = {letters, letters, letters, letters};
        }
        return answer;
    });
    EXPECT_TRUE(info.isIntel);
    EXPECT_EQ(info.standardLeaves.size(), 256u);
    EXPECT_EQ(info.extendedLeaves.size(), 256u);
    EXPECT_TRUE(info.HasRdrand());
    EXPECT_EQ(std::string(info.brand),
              std::string(16, 'A') + std::string(16, 'B') + std::string(16, 'C'));

    // A processor that stops at leaf 0 records nothing beyond it.
    const CpuInfo bare = DescribeCpu([](uint32_t) { return CpuidLeaf{}; });
    EXPECT_EQ(bare.standardLeaves.size(), 1u);
    EXPECT_TRUE(bare.extendedLeaves.empty());
    EXPECT_FALSE(bare.HasRdrand());
    EXPECT_STREQ(bare.brand, "");
}
