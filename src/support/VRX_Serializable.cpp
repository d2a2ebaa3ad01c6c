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
    buffer.Ensure(static_cast<int64_t>(maxBytes));
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

// Inflates one zlib stream into a buffer on demand, never past the size the
// file announced (plus one byte, to notice a stream that holds more).
class InflatingSource final : public VRX_BufferSource {
  public:
    InflatingSource(std::vector<uint8_t>& compressed, uint64_t announced) : announced_(announced) {
        stream_.next_in = compressed.data();
        stream_.avail_in = static_cast<uInt>(compressed.size());
        started_ = inflateInit(&stream_) == Z_OK;
    }
    ~InflatingSource() override {
        if (started_) {
            inflateEnd(&stream_);
        }
    }
    InflatingSource(const InflatingSource&) = delete;
    InflatingSource& operator=(const InflatingSource&) = delete;

    bool Started() const { return started_; }

    bool Refill(VRX_Buffer& buffer) override {
        uint8_t chunk[kInflateChunk];
        const size_t produced = Inflate(chunk, sizeof chunk);
        return produced > 0 && buffer.Append(chunk, static_cast<int64_t>(produced));
    }

    uint64_t Remaining() const override {
        return produced_ < announced_ ? announced_ - produced_ : 0;
    }

    // Runs the stream to its end; true when it was whole and exactly as long
    // as announced.
    bool Finish() {
        uint8_t chunk[kInflateChunk];
        while (!ended_ && !failed_ && Inflate(chunk, sizeof chunk) > 0) {
        }
        return ended_ && !failed_ && produced_ == announced_;
    }

  private:
    static constexpr size_t kInflateChunk = 64 * 1024;

    // Inflates into `out` until something comes out or the stream stops.
    size_t Inflate(uint8_t* out, size_t room) {
        size_t produced = 0;
        while (produced == 0 && started_ && !ended_ && !failed_) {
            const uint64_t allowed = announced_ + 1 - produced_;
            stream_.next_out = out;
            stream_.avail_out = static_cast<uInt>(room < allowed ? room : allowed);
            const uInt before = stream_.avail_out;
            const int result = inflate(&stream_, Z_NO_FLUSH);
            produced = before - stream_.avail_out;
            produced_ += produced;
            if (result == Z_STREAM_END) {
                ended_ = true;
            } else if (result != Z_OK || produced_ > announced_) {
                failed_ = true;
            }
        }
        return failed_ ? 0 : produced;
    }

    z_stream stream_{};
    uint64_t announced_;
    uint64_t produced_ = 0;
    bool started_ = false;
    bool ended_ = false;
    bool failed_ = false;
};

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
    if (n > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) ||
        !buffer.Ensure(static_cast<int64_t>(n))) {
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
    // The claimed length is checked against what can still come before any
    // of it is produced.
    if (!SerializeInt(buffer, size, true) || buffer.Available() < size ||
        !buffer.Ensure(static_cast<int64_t>(size))) {
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
    if (size > maxSize || size > compressedSize * kMaxInflateRatio ||
        compressedSize > std::numeric_limits<uInt>::max()) {
        return false;
    }
    // The fields are read while the stream inflates, a piece at a time, so
    // memory follows what the fields really hold rather than what the size
    // prefix claims.
    std::vector<uint8_t> compressed;
    if (compressedSize > 0) {
        compressed.assign(buffer.data, buffer.data + compressedSize);
    }
    buffer.Clear();
    InflatingSource inflater(compressed, size);
    if (!inflater.Started()) {
        return false;
    }
    buffer.source = &inflater;
    const bool read = Serialize(buffer, true);
    buffer.source = nullptr;
    // Bytes after the fields are allowed, but the stream must still be whole
    // and inflate to exactly the announced size.
    return read && inflater.Finish();
}

std::string VRX_Serializable::SaveToString() {
    VRX_Buffer buffer;
    if (!Serialize(buffer, false) || buffer.length == 0) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(buffer.data),
                       static_cast<size_t>(buffer.length));
}

namespace {

// Deflates `source` into a zlib stream appended to `out`, growing `out` as the
// stream comes rather than reserving compressBound up front: a document's
// fields shrink tenfold or more, and touching a buffer as large as the input
// would cost more than the deflating.
bool DeflateInto(std::string& out, const uint8_t* source, size_t size, int level) {
    z_stream stream{};
    if (deflateInit(&stream, level) != Z_OK) {
        return false;
    }
    static constexpr Bytef kNothing = 0; // zlib wants a valid pointer even for no input
    stream.next_in = const_cast<Bytef*>(source != nullptr ? source : &kNothing);
    stream.avail_in = static_cast<uInt>(size);
    constexpr size_t kChunk = size_t{1} << 18;
    int result = Z_OK;
    try {
        while (result == Z_OK) {
            const size_t used = out.size();
            out.resize(used + kChunk);
            stream.next_out = reinterpret_cast<Bytef*>(out.data() + used);
            stream.avail_out = static_cast<uInt>(kChunk);
            result = deflate(&stream, Z_FINISH);
            out.resize(used + kChunk - stream.avail_out);
        }
    } catch (const std::exception&) {
        result = Z_MEM_ERROR;
    }
    deflateEnd(&stream);
    return result == Z_STREAM_END;
}

} // namespace

std::string VRX_Serializable::SaveToCompressed(int level) {
    VRX_Buffer fields;
    if (!Serialize(fields, false) ||
        static_cast<uint64_t>(fields.length) > std::numeric_limits<uint32_t>::max()) {
        return {};
    }
    VRX_Buffer sizeField;
    uint32_t uncompressedSize = static_cast<uint32_t>(fields.length);
    if (!SerializeInt(sizeField, uncompressedSize, false)) {
        return {};
    }
    std::string result(reinterpret_cast<const char*>(sizeField.data),
                       static_cast<size_t>(sizeField.length));
    if (!DeflateInto(result, fields.data, static_cast<size_t>(fields.length), level)) {
        return {};
    }
    return result;
}
