// The compressed-blob reader: a size prefix and a zlib stream, inflated while
// a small object reads its fields from it.

#include "support/VRX_Buffer.h"
#include "support/VRX_Serializable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr uint64_t kMaxInflated = 1 << 20;

class Blob final : public VRX_Serializable {
  public:
    bool Serialize(VRX_Buffer& buffer, bool reading) override {
        return SerializeInt(buffer, number, reading) && SerializeInt(buffer, small, reading) &&
               SerializeString(buffer, text, reading) &&
               SerializeBytes(buffer, raw, sizeof raw, reading) &&
               SerializeInt(buffer, wide, reading);
    }
    bool operator==(const Blob& other) const {
        return number == other.number && small == other.small && text == other.text &&
               std::memcmp(raw, other.raw, sizeof raw) == 0 && wide == other.wide;
    }

    uint32_t number = 0;
    uint8_t small = 0;
    std::string text;
    uint8_t raw[16] = {};
    uint64_t wide = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Blob plain;
    {
        VRX_Buffer buffer;
        buffer.Set(data, static_cast<int64_t>(size));
        plain.LoadFromBuffer(buffer);
    }
    Blob blob;
    VRX_Buffer buffer;
    buffer.Set(data, static_cast<int64_t>(size));
    if (!blob.LoadFromCompressed(buffer, kMaxInflated)) {
        return 0;
    }
    // What was read is written and read again unchanged.
    const std::string again = blob.SaveToCompressed(5);
    Blob copy;
    VRX_Buffer second;
    second.Set(again.data(), static_cast<int64_t>(again.size()));
    if (!copy.LoadFromCompressed(second, kMaxInflated) || !(copy == blob)) {
        std::abort();
    }
    return 0;
}
