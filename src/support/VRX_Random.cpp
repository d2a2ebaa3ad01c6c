#include "support/VRX_Random.h"

#include "platform/SystemRandom.h"

#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define VRX_HAVE_CPUID 1
#endif

namespace {

constexpr int kSourceTries = 10;
constexpr uint32_t kRdrandBit = 1u << 30; // leaf 1, ECX
constexpr uint32_t kExtendedBase = 0x80000000u;
constexpr uint32_t kBrandFirstLeaf = 0x80000002u;
constexpr uint32_t kBrandLastLeaf = 0x80000004u;
constexpr uint32_t kStructuredFeaturesLeaf = 7;
// Guards against a hypervisor reporting an absurd highest leaf.
constexpr uint32_t kMaxLeavesRecorded = 256;
constexpr unsigned kByteMask = 0xFF;

// The leaves from `first` to `highest`, at most kMaxLeavesRecorded of them.
std::vector<CpuidLeaf> QueryLeaves(const CpuidQuery& query, uint32_t first, uint32_t highest) {
    std::vector<CpuidLeaf> leaves;
    if (highest < first) {
        return leaves;
    }
    // In 64 bits: a highest leaf of 0xFFFFFFFF would make the count wrap to 0.
    const uint64_t count = uint64_t{highest} - first + 1;
    for (uint64_t i = 0; i < count && i < kMaxLeavesRecorded; ++i) {
        leaves.push_back(query(first + static_cast<uint32_t>(i)));
    }
    return leaves;
}

#ifdef VRX_HAVE_CPUID

CpuidLeaf QueryLeaf(uint32_t leaf) {
    CpuidLeaf result;
    __cpuid_count(leaf, 0, result.eax, result.ebx, result.ecx, result.edx);
    return result;
}

__attribute__((target("rdrnd"))) bool Rdrand64(uint64_t& value) {
#if defined(__x86_64__)
    unsigned long long step = 0;
    if (_rdrand64_step(&step) == 0) {
        return false;
    }
    value = step;
#else
    unsigned int low = 0;
    unsigned int high = 0;
    if (_rdrand32_step(&low) == 0 || _rdrand32_step(&high) == 0) {
        return false;
    }
    value = (static_cast<uint64_t>(high) << 32) | low;
#endif
    return true;
}

#endif

bool FillFromRdrand(uint8_t* bytes, size_t count, const std::function<bool(uint64_t&)>& rdrand) {
    int failures = 0;
    size_t filled = 0;
    while (filled < count) {
        uint64_t value = 0;
        if (!rdrand(value)) {
            if (++failures >= kSourceTries) {
                return false;
            }
            continue;
        }
        const size_t n = count - filled < sizeof value ? count - filled : sizeof value;
        std::memcpy(bytes + filled, &value, n);
        filled += n;
    }
    return true;
}

} // namespace

bool CpuInfo::HasRdrand() const {
    return (leaf1Ecx & kRdrandBit) != 0;
}

CpuInfo DescribeCpu(const CpuidQuery& query) {
    CpuInfo info;
    const CpuidLeaf leaf0 = query(0);
    info.highestStandardLeaf = leaf0.eax;
    // The vendor string is spelled across EBX, EDX, ECX in that order.
    std::memcpy(info.vendor, &leaf0.ebx, 4);
    std::memcpy(info.vendor + 4, &leaf0.edx, 4);
    std::memcpy(info.vendor + 8, &leaf0.ecx, 4);
    info.isIntel = std::strcmp(info.vendor, "GenuineIntel") == 0;
    info.isAmd = std::strcmp(info.vendor, "AuthenticAMD") == 0;
    info.standardLeaves = QueryLeaves(query, 0, info.highestStandardLeaf);
    if (info.standardLeaves.size() > 1) {
        info.leaf1Ecx = info.standardLeaves[1].ecx;
        info.leaf1Edx = info.standardLeaves[1].edx;
    }
    if (info.standardLeaves.size() > kStructuredFeaturesLeaf) {
        info.leaf7Ebx = info.standardLeaves[kStructuredFeaturesLeaf].ebx;
        info.leaf7Ecx = info.standardLeaves[kStructuredFeaturesLeaf].ecx;
    }
    const uint32_t highestExtended = query(kExtendedBase).eax;
    if (highestExtended >= kExtendedBase) {
        info.highestExtendedLeaf = highestExtended;
        info.extendedLeaves = QueryLeaves(query, kExtendedBase, highestExtended);
    }
    if (info.extendedLeaves.size() > 1) {
        info.extendedLeaf1Ecx = info.extendedLeaves[1].ecx;
        info.extendedLeaf1Edx = info.extendedLeaves[1].edx;
    }
    if (info.extendedLeaves.size() > kBrandLastLeaf - kExtendedBase) {
        char* out = info.brand;
        for (uint32_t leaf = kBrandFirstLeaf; leaf <= kBrandLastLeaf; ++leaf) {
            const CpuidLeaf& part = info.extendedLeaves[leaf - kExtendedBase];
            for (uint32_t word : {part.eax, part.ebx, part.ecx, part.edx}) {
                std::memcpy(out, &word, 4);
                out += 4;
            }
        }
    }
    return info;
}

const CpuInfo& GetCpuInfo() {
#ifdef VRX_HAVE_CPUID
    static const CpuInfo info = DescribeCpu(QueryLeaf);
#else
    static const CpuInfo info;
#endif
    return info;
}

bool RandomBytesFrom(void* buffer, size_t count, const RandomSources& sources) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    if (sources.system) {
        for (int attempt = 0; attempt < kSourceTries; ++attempt) {
            if (sources.system(bytes, count)) {
                return true;
            }
        }
    }
    if (sources.rdrand && FillFromRdrand(bytes, count, sources.rdrand)) {
        return true;
    }
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(static_cast<unsigned>(std::rand()) & kByteMask);
    }
    return false;
}

bool RandomBytes(void* buffer, size_t count) {
    RandomSources sources;
    sources.system = FillFromSystemRandom;
#ifdef VRX_HAVE_CPUID
    if (GetCpuInfo().HasRdrand()) {
        sources.rdrand = Rdrand64;
    }
#endif
    return RandomBytesFrom(buffer, count, sources);
}
