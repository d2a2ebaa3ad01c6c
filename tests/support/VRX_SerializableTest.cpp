#include "support/VRX_Serializable.h"

#include "support/VRX_Buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <zlib.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Held(const VRX_Buffer& buffer) {
    return buffer.length > 0 ? Bytes(buffer.data, buffer.data + buffer.length) : Bytes();
}

void Fill(VRX_Buffer& buffer, const Bytes& bytes) {
    buffer.Clear();
    buffer.Append(bytes.data(), static_cast<int64_t>(bytes.size()));
}

template <class T> Bytes Encode(T value) {
    VRX_Buffer buffer;
    EXPECT_TRUE(VRX_Serializable::SerializeInt(buffer, value, false));
    return Held(buffer);
}

// A record of a few fields, as a document would have.
class Sample final : public VRX_Serializable {
  public:
    uint32_t number = 0;
    uint8_t small = 0;
    std::string name;
    uint8_t raw[3] = {};
    bool writeNothing = false;

    bool Serialize(VRX_Buffer& buffer, bool reading) override {
        if (writeNothing) {
            return true;
        }
        return SerializeInt(buffer, number, reading) && SerializeInt(buffer, small, reading) &&
               SerializeString(buffer, name, reading) &&
               SerializeBytes(buffer, raw, sizeof raw, reading);
    }
};

std::string CompressedBlob(uint32_t announced, const std::string& content) {
    std::vector<uint8_t> stream(compressBound(content.size()));
    uLongf size = stream.size();
    compress2(stream.data(), &size, reinterpret_cast<const Bytef*>(content.data()), content.size(),
              5);
    VRX_Buffer blob;
    VRX_Serializable::SerializeInt(blob, announced, false);
    blob.Append(stream.data(), static_cast<int64_t>(size));
    return std::string(blob.data, blob.data + blob.length);
}

bool LoadCompressed(Sample& sample, const std::string& blob) {
    VRX_Buffer buffer;
    buffer.Append(blob.data(), static_cast<int64_t>(blob.size()));
    return sample.LoadFromCompressed(buffer);
}

} // namespace

TEST(VRX_SerializableTest, IntegersAreWrittenAsVariableLengthQuantities) {
    EXPECT_EQ(Encode<uint32_t>(0), Bytes({0x00}));
    EXPECT_EQ(Encode<uint32_t>(127), Bytes({0x7F}));
    EXPECT_EQ(Encode<uint32_t>(128), Bytes({0x80, 0x01}));
    EXPECT_EQ(Encode<uint16_t>(300), Bytes({0xAC, 0x02}));
    EXPECT_EQ(Encode<int32_t>(-1), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x0F}));
    EXPECT_EQ(Encode<uint8_t>(255), Bytes({0xFF, 0x01}));
    EXPECT_EQ(Encode<uint64_t>(UINT64_MAX),
              Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}));

    VRX_Buffer buffer;
    uint32_t field = 5;
    EXPECT_FALSE(VRX_Serializable::SerializeInt(buffer, &field, 3, false));
    EXPECT_EQ(buffer.length, 0) << "unsupported widths write nothing";
}

TEST(VRX_SerializableTest, ReadingIntegersChecksTheWidthAndConsumesAsDocumented) {
    VRX_Buffer buffer;
    for (uint64_t value : {UINT64_C(0), UINT64_C(127), UINT64_C(128), UINT64_C(300),
                           UINT64_C(0xFFFFFFFF), UINT64_MAX}) {
        Fill(buffer, Encode(value));
        uint64_t read = 1;
        EXPECT_TRUE(VRX_Serializable::SerializeInt(buffer, read, true));
        EXPECT_EQ(read, value);
        EXPECT_EQ(buffer.length, 0);
    }

    // 256 does not fit in one byte: the two bytes are consumed, the field kept.
    Fill(buffer, {0x80, 0x02, 0x33});
    uint8_t small = 9;
    EXPECT_FALSE(VRX_Serializable::SerializeInt(buffer, small, true));
    EXPECT_EQ(small, 9);
    EXPECT_EQ(Held(buffer), Bytes({0x33}));

    // No last byte within five: nothing is consumed.
    Fill(buffer, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01});
    uint32_t word = 9;
    EXPECT_FALSE(VRX_Serializable::SerializeInt(buffer, word, true));
    EXPECT_EQ(buffer.length, 6);
    // The buffer ends before the last byte.
    Fill(buffer, {0x80, 0x80});
    EXPECT_FALSE(VRX_Serializable::SerializeInt(buffer, word, true));
    EXPECT_EQ(buffer.length, 2);
    // Five bytes of a value above 32 bits are consumed and refused.
    Fill(buffer, {0xFF, 0xFF, 0xFF, 0xFF, 0x1F});
    EXPECT_FALSE(VRX_Serializable::SerializeInt(buffer, word, true));
    EXPECT_EQ(word, 9u);
    EXPECT_EQ(buffer.length, 0);
    // Ten bytes of a value above 64 bits are refused rather than wrapped.
    Fill(buffer, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02});
    uint64_t wide = 9;
    EXPECT_FALSE(VRX_Serializable::SerializeInt(buffer, wide, true));
    EXPECT_EQ(wide, 9u);
    // A non-minimal encoding of a small value is still that value.
    Fill(buffer, {0x85, 0x00});
    EXPECT_TRUE(VRX_Serializable::SerializeInt(buffer, small, true));
    EXPECT_EQ(small, 5);
}

TEST(VRX_SerializableTest, BytesAndStringsNeedAllTheirBytes) {
    VRX_Buffer buffer;
    std::vector<uint8_t> field(256, 0xAA);
    Fill(buffer, Bytes(255, 0x11));
    EXPECT_FALSE(VRX_Serializable::SerializeBytes(buffer, field.data(), 256, true));
    EXPECT_EQ(buffer.length, 255);
    EXPECT_EQ(field[0], 0xAA);
    EXPECT_TRUE(VRX_Serializable::SerializeBytes(buffer, field.data(), 0, true));
    EXPECT_TRUE(VRX_Serializable::SerializeBytes(buffer, field.data(), 255, true));
    EXPECT_EQ(field[254], 0x11);
    EXPECT_EQ(buffer.length, 0);

    std::string text("a\0b", 3);
    buffer.Clear();
    ASSERT_TRUE(VRX_Serializable::SerializeString(buffer, text, false));
    EXPECT_EQ(Held(buffer), Bytes({0x03, 'a', 0x00, 'b'}));
    std::string read = "old";
    EXPECT_TRUE(VRX_Serializable::SerializeString(buffer, read, true));
    EXPECT_EQ(read, text);

    Fill(buffer, {0x00});
    EXPECT_TRUE(VRX_Serializable::SerializeString(buffer, read, true));
    EXPECT_EQ(read, "");
    Fill(buffer, {0x05, 'a', 'b'});
    EXPECT_FALSE(VRX_Serializable::SerializeString(buffer, read, true));
    EXPECT_EQ(read, "");
    // A length that needs more than 32 bits fails like an oversized integer.
    Fill(buffer, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01});
    EXPECT_FALSE(VRX_Serializable::SerializeString(buffer, read, true));
}

TEST(VRX_SerializableTest, ObjectsRoundTripPlainAndCompressed) {
    Sample original;
    original.number = 0xDEADBEEF;
    original.small = 200;
    original.name = std::string(5000, 'q') + "end";
    original.raw[0] = 1;
    original.raw[2] = 3;

    const std::string plain = original.SaveToString();
    ASSERT_FALSE(plain.empty());
    VRX_Buffer buffer;
    buffer.Append(plain.data(), static_cast<int64_t>(plain.size()));
    Sample fromPlain;
    ASSERT_TRUE(fromPlain.LoadFromBuffer(buffer));
    EXPECT_EQ(fromPlain.number, original.number);
    EXPECT_EQ(fromPlain.name, original.name);

    const std::string compressed = original.SaveToCompressed(5);
    ASSERT_FALSE(compressed.empty());
    EXPECT_LT(compressed.size(), plain.size());
    Sample fromCompressed;
    ASSERT_TRUE(LoadCompressed(fromCompressed, compressed));
    EXPECT_EQ(fromCompressed.small, 200);
    EXPECT_EQ(fromCompressed.name, original.name);
    EXPECT_EQ(fromCompressed.raw[2], 3);

    Sample empty;
    empty.writeNothing = true;
    EXPECT_EQ(empty.SaveToString(), "");
    const std::string emptyCompressed = empty.SaveToCompressed(5);
    ASSERT_GE(emptyCompressed.size(), 2u);
    EXPECT_EQ(emptyCompressed[0], '\0') << "size 0, then a zlib stream of nothing";
    EXPECT_EQ(emptyCompressed, CompressedBlob(0, ""));
    EXPECT_TRUE(LoadCompressed(empty, emptyCompressed));

    // A megabyte that does not compress comes out in several pieces, still
    // the very stream zlib's one-shot compress2 writes.
    Sample noisy;
    uint32_t state = 12345;
    noisy.name.resize(size_t{1} << 20);
    for (char& c : noisy.name) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    const std::string noisyPlain = noisy.SaveToString();
    const std::string noisyCompressed = noisy.SaveToCompressed(5);
    EXPECT_EQ(noisyCompressed,
              CompressedBlob(static_cast<uint32_t>(noisyPlain.size()), noisyPlain));
    Sample fromNoisy;
    ASSERT_TRUE(LoadCompressed(fromNoisy, noisyCompressed));
    EXPECT_EQ(fromNoisy.name, noisy.name);
}

TEST(VRX_SerializableTest, HostileCompressedDataIsRefused) {
    Sample original;
    original.name = "some text worth compressing, some text worth compressing";
    const std::string good = original.SaveToCompressed(5);
    Sample sample;

    // 4 GB announced in a few bytes: refused before any memory is set aside.
    EXPECT_FALSE(LoadCompressed(sample, CompressedBlob(0xFFFFFFFF, "tiny")));
    // The stream inflates to fewer or more bytes than announced.
    const std::string content = original.SaveToString();
    EXPECT_FALSE(LoadCompressed(sample, CompressedBlob(content.size() + 1, content)));
    EXPECT_FALSE(LoadCompressed(sample, CompressedBlob(content.size() - 1, content)));
    EXPECT_TRUE(LoadCompressed(sample, CompressedBlob(content.size(), content)));
    // A stream that really inflates that far, but further than the caller allows.
    VRX_Buffer limited;
    const std::string exact = CompressedBlob(content.size(), content);
    limited.Append(exact.data(), static_cast<int64_t>(exact.size()));
    EXPECT_FALSE(sample.LoadFromCompressed(limited, content.size() - 1));
    // Truncated and damaged streams.
    for (size_t cut = 0; cut < good.size(); ++cut) {
        EXPECT_FALSE(LoadCompressed(sample, good.substr(0, cut))) << "cut at " << cut;
    }
    std::string damaged = good;
    damaged[good.size() / 2] ^= 0x5A;
    EXPECT_FALSE(LoadCompressed(sample, damaged));
    EXPECT_FALSE(LoadCompressed(sample, std::string(1, '\x80'))) << "no end to the size";
}
