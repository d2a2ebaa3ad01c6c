#pragma once
// Random bytes from the best source available, and what the processor says
// about itself.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct CpuidLeaf {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// Filled once from the processor identification instruction; all zeros on
// processors without one.
struct CpuInfo {
    uint32_t highestStandardLeaf = 0;
    uint32_t highestExtendedLeaf = 0;
    char vendor[13] = {}; // 12 characters and a NUL
    char brand[49] = {};  // 48 characters and a NUL; empty when not reported
    bool isIntel = false;
    bool isAmd = false;
    uint32_t leaf1Ecx = 0;
    uint32_t leaf1Edx = 0;
    uint32_t leaf7Ebx = 0;
    uint32_t leaf7Ecx = 0;
    uint32_t extendedLeaf1Ecx = 0;
    uint32_t extendedLeaf1Edx = 0;
    std::vector<CpuidLeaf> standardLeaves; // index = leaf number
    std::vector<CpuidLeaf> extendedLeaves; // index = leaf number - 0x80000000

    bool HasRdrand() const;
};

// Filled once, by DescribeCpu over the processor's own answers.
const CpuInfo& GetCpuInfo();

// The record built from the answers of `query` for each leaf. A hypervisor may
// report any highest leaf; at most 256 leaves of each range are recorded.
using CpuidQuery = std::function<CpuidLeaf(uint32_t leaf)>;
CpuInfo DescribeCpu(const CpuidQuery& query);

// Fills the buffer with random bytes: from the system generator (up to ten
// tries), else from the processor's RDRAND (up to ten failed steps in all),
// else from rand(). True when the bytes came from one of the first two,
// cryptographic, sources; the buffer is filled either way.
bool RandomBytes(void* buffer, size_t count);

// The sources RandomBytes draws from; tests substitute failing ones.
struct RandomSources {
    std::function<bool(void* buffer, size_t count)> system; // one whole-buffer attempt
    std::function<bool(uint64_t& value)> rdrand;            // empty without RDRAND
};
bool RandomBytesFrom(void* buffer, size_t count, const RandomSources& sources);
