#include "support/VRX_Serializable.h"

#include "support/VRX_Buffer.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>
#include <zlib.h>

namespace {

constexpr int kVlqGroupBits = 7;
constexpr uint8_t kVlqGroupMask = 0x7F;
constexpr uint8_t kVlqMoreBit = 0x80;
// The longest encoding of a 64-bit value: ten groups of seven bits.
constexpr size_t kVlqMaxBytes = 10;
// Deflate cannot expand its input more than about 1032 times (one 258-byte
// match in two bits, zlib framing aside), so a stream that claims more than
// this many bytes per compressed byte is lying and is refused before any
// memory is set aside for it.
constexpr uint64_t kMaxInflateRatio = 1032;

bool IsSupportedWidth(int width) {
    return width == 1 || width == 2 || width == 4 || width == 8;
}

// Longest accepted encoding: ceil(8 * width / 7) bytes.
size_t MaxEncodedBytes(int width) {
    return (static_cast<size_t>(width) * 8 + kVlqGroupBits - 1) / kVlqGroupBits;
}

uint64_t MaxValueOfWidth(int width) {
    return width == 8 ? std::numeric_limits<uint64_t>::max() : (uint64_t{1} << (width * 8)) - 1;
}

uint64_t LoadField(const void* field, int width) {
    uint8_t v8;
    uint16_t v16;
    uint32_t v32;
    uint64_t v64;
    switch (width) {
    case 1:
        std::memcpy(&v8, field, 1);
        return v8;
    case 2:
        std::memcpy(&v16, field, 2);
        return v16;
    case 4:
        std::memcpy(&v32, field, 4);
        return v32;
    default:
        std::memcpy(&v64, field, 8);
        return v64;
    }
}

void StoreField(void* field, int width, uint64_t value) {
    const auto v8 = static_cast<uint8_t>(value);
    const auto v16 = static_cast<uint16_t>(value);
    const auto v32 = static_cast<uint32_t>(value);
    switch (width) {
    case 1:
        std::memcpy(field, &v8, 1);
        break;
    case 2:
        std::memcpy(field, &v16, 2);
        break;
    case 4:
        std::memcpy(field, &v32, 4);
        break;
    default:
        std::memcpy(field, &value, 8);
        break;
    }
}

bool AppendVlq(VRX_Buffer& buffer, uint64_t value) {
    uint8_t bytes[kVlqMaxBytes];
    size_t n = 0;
    do {
        uint8_t group = value & kVlqGroupMask;
        value >>= kVlqGroupBits;
        if (value != 0) {
            group |= kVlqMoreBit;
        }
        bytes[n++] = group;
    } while (value != 0);
    return buffer.Append(bytes, static_cast<int64_t>(n));
}

// Reads one VLQ of at most `maxBytes` bytes from the front. Consumes nothing
// when the last byte is missing; otherwise consumes the encoding, and reports
// false if the value does not fit in 64 bits.
bool TakeVlq(VRX_Buffer& buffer, size_t maxBytes, uint64_t& value) {
    const size_t available = buffer.length < static_cast<int64_t>(maxBytes)
                                 ? static_cast<size_t>(buffer.length)
                                 : maxBytes;
    size_t size = 0;
    while (size < available && (buffer.data[size] & kVlqMoreBit) != 0) {
        ++size;
    }
    if (size == available) {
        return false;
    }
    ++size;
    value = 0;
    bool fits = true;
    for (size_t i = 0; i < size; ++i) {
        const uint64_t group = buffer.data[i] & kVlqGroupMask;
        const int shift = static_cast<int>(i) * kVlqGroupBits;
        // Bits shifted out past bit 63 would silently change the value.
        if (shift > 0 && (group >> (64 - shift)) != 0) {
            fits = false;
        }
        value |= group << shift;
    }
    buffer.Consume(static_cast<int64_t>(size));
    return fits;
}

} // namespace

bool VRX_Serializable::SerializeInt(VRX_Buffer& buffer, void* field, int width, bool reading) {
    if (!IsSupportedWidth(width) || field == nullptr) {
        return false;
    }
    if (!reading) {
        return AppendVlq(buffer, LoadField(field, width));
    }
    uint64_t value = 0;
    if (!TakeVlq(buffer, MaxEncodedBytes(width), value) || value > MaxValueOfWidth(width)) {
        return false;
    }
    StoreField(field, width, value);
    return true;
}

bool VRX_Serializable::SerializeBytes(VRX_Buffer& buffer, void* field, size_t n, bool reading) {
    if (n == 0) {
        return true;
    }
    if (field == nullptr) {
        return false;
    }
    if (!reading) {
        return buffer.Append(field, static_cast<int64_t>(n));
    }
    if (buffer.length < 0 || static_cast<uint64_t>(buffer.length) < n) {
        return false;
    }
    std::memcpy(field, buffer.data, n);
    buffer.Consume(static_cast<int64_t>(n));
    return true;
}

bool VRX_Serializable::SerializeString(VRX_Buffer& buffer, std::string& text, bool reading) {
    if (!reading) {
        // The length is stored as 32 bits; a longer string cannot be written
        // without corrupting everything after it.
        if (text.size() > std::numeric_limits<uint32_t>::max()) {
            return false;
        }
        uint32_t size = static_cast<uint32_t>(text.size());
        return SerializeInt(buffer, size, false) &&
               buffer.Append(text.data(), static_cast<int64_t>(text.size()));
    }
    uint32_t size = 0;
    if (!SerializeInt(buffer, size, true) || buffer.length < static_cast<int64_t>(size)) {
        return false;
    }
    if (size == 0) {
        text.clear();
        return true;
    }
    text.assign(reinterpret_cast<const char*>(buffer.data), size);
    buffer.Consume(size);
    return true;
}

bool VRX_Serializable::LoadFromBuffer(VRX_Buffer& buffer) {
    return Serialize(buffer, true);
}

bool VRX_Serializable::LoadFromCompressed(VRX_Buffer& buffer, uint64_t maxSize) {
    uint32_t size = 0;
    if (!SerializeInt(buffer, size, true)) {
        return false;
    }
    const uint64_t compressedSize = static_cast<uint64_t>(buffer.length);
    if (size > maxSize || size > compressedSize * kMaxInflateRatio) {
        return false;
    }
    // Left uninitialised so that a large claim costs only the pages the
    // stream really fills before it turns out to be garbage. One spare byte
    // gives zlib somewhere to write even for an empty result.
    std::unique_ptr<uint8_t[]> inflated(new (std::nothrow) uint8_t[size + size_t{1}]);
    if (!inflated) {
        return false;
    }
    uLongf produced = size;
    const int result =
        uncompress(inflated.get(), &produced, buffer.data, static_cast<uLong>(compressedSize));
    if (result != Z_OK || produced != size || !buffer.Set(inflated.get(), size)) {
        return false;
    }
    inflated.reset();
    return Serialize(buffer, true);
}

std::string VRX_Serializable::SaveToString() {
    VRX_Buffer buffer;
    if (!Serialize(buffer, false) || buffer.length == 0) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(buffer.data),
                       static_cast<size_t>(buffer.length));
}

std::string VRX_Serializable::SaveToCompressed(int level) {
    VRX_Buffer fields;
    if (!Serialize(fields, false) ||
        static_cast<uint64_t>(fields.length) > std::numeric_limits<uint32_t>::max()) {
        return {};
    }
    const uLong sourceSize = static_cast<uLong>(fields.length);
    std::vector<uint8_t> compressed;
    try {
        compressed.resize(compressBound(sourceSize));
    } catch (const std::exception&) {
        return {};
    }
    uLongf compressedSize = compressed.size();
    // zlib wants a valid pointer even for no input.
    static constexpr Bytef kNothing = 0;
    const Bytef* source = fields.data != nullptr ? fields.data : &kNothing;
    if (compress2(compressed.data(), &compressedSize, source, sourceSize, level) != Z_OK) {
        return {};
    }
    VRX_Buffer result;
    uint32_t uncompressedSize = static_cast<uint32_t>(sourceSize);
    if (!SerializeInt(result, uncompressedSize, false) ||
        !result.Append(compressed.data(), static_cast<int64_t>(compressedSize))) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(result.data),
                       static_cast<size_t>(result.length));
}
