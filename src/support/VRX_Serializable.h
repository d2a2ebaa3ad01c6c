#pragma once
// Base of objects that read and write their fields through one routine, so a
// format is defined once for both directions.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

class VRX_Buffer;

class VRX_Serializable {
  public:
    // Appends the fields (reading false) or takes them from the front (reading true).
    virtual bool Serialize(VRX_Buffer& buffer, bool reading) = 0;

    bool LoadFromBuffer(VRX_Buffer& buffer);
    // VLQ of the uncompressed size, then one zlib stream. A size above
    // `maxSize` is refused before anything is inflated: a small stream can
    // inflate to gigabytes.
    bool LoadFromCompressed(VRX_Buffer& buffer,
                            uint64_t maxSize = std::numeric_limits<uint32_t>::max());
    // Empty string on failure.
    std::string SaveToString();
    std::string SaveToCompressed(int level);

    // Variable-length quantity of an unsigned field of 1, 2, 4 or 8 bytes.
    static bool SerializeInt(VRX_Buffer& buffer, void* field, int width, bool reading);
    template <class T> static bool SerializeInt(VRX_Buffer& buffer, T& field, bool reading) {
        static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
        return SerializeInt(buffer, &field, static_cast<int>(sizeof(T)), reading);
    }
    static bool SerializeBytes(VRX_Buffer& buffer, void* field, size_t n, bool reading);
    static bool SerializeString(VRX_Buffer& buffer, std::string& text, bool reading);

  protected:
    ~VRX_Serializable() = default;
};
