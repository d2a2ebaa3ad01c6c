#include "document/ObjectsJson.h"
#include "document/PaperObject.h"
#include "document/PaperTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

void ExpectSameRecords(const std::vector<ObjectRecord>& actual,
                       const std::vector<ObjectRecord>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    const auto bytes = [](const ObjectRecord& record) {
        return std::vector<uint8_t>(std::begin(record.bytes), std::end(record.bytes));
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(bytes(actual[i]), bytes(expected[i])) << "record " << i;
    }
}

std::string LineJson(int64_t x1) {
    return "{\"kind\": 0, \"x1\": " + std::to_string(x1) + ", \"y1\": 5, \"x2\": 10, \"y2\": 20}";
}

} // namespace

TEST(ObjectsJsonTest, CopiedObjectsOfEveryKindPasteBackByteForByte) {
    std::vector<ObjectRecord> records;
    const ObjectKind lineKinds[] = {ObjectKind::Line, ObjectKind::DashedLine, ObjectKind::Arrow,
                                    ObjectKind::Measurement, ObjectKind::Rect};
    int32_t i = 0;
    for (ObjectKind kind : lineKinds) {
        ObjectRecord record = LineRecord(kind, -32768 + i, 7 * i, 32767 - i, -i);
        record.SetLayer(uint8_t(i * 3));
        record.SetColor({uint8_t(40 * i), 200, 7, uint8_t(i % 2 == 0 ? 0 : 255)});
        records.push_back(record);
        ++i;
    }
    records.push_back(CircleRecord(100, 120, 40));
    records.push_back(CircleRecord(-300, 9000, 32767, 6, -45));
    ObjectRecord turned = TextRecord(30, 40,
                                     "Schuppen 3\xC3\x97"
                                     "4 m \xE2\x80\x93 \xC3\x98 \"A\"\\\t",
                                     90);
    turned.SetLayer(15);
    turned.SetColor({1, 2, 3, 255});
    records.push_back(turned);
    // A full text field: one letter and 31 two-byte characters.
    std::string full = "x";
    for (int c = 0; c < 31; ++c) {
        full += "\xC3\xA9";
    }
    records.push_back(TextRecord(0, 0, full, -1));

    std::vector<std::shared_ptr<PaperObject>> objects;
    std::vector<const PaperObject*> copied;
    for (const ObjectRecord& record : records) {
        objects.push_back(CreateObjectFromRecord(nullptr, record));
        objects.back()->id = int32_t(objects.size()) * 10;
        copied.push_back(objects.back().get());
    }
    const std::string clipboard = ObjectsToJson(copied);
    const std::string firstLine = "[\n  {\"id\": 10, \"kind\": 0, \"kindName\": \"Line\", \"x1\": "
                                  "-32768, \"y1\": 0, \"x2\": 32767, \"y2\": 0, \"layer\": 0, "
                                  "\"angle\": 0, \"color\": [0, 200, 7, 0]},\n";
    EXPECT_EQ(clipboard.substr(0, firstLine.size()), firstLine);

    const PastedObjects pasted = ObjectsFromJson(clipboard);
    EXPECT_EQ(pasted.message, "Pasted 9 objects.");
    ExpectSameRecords(pasted.records, records);

    // The whole --info document pastes its objects too.
    const std::string info =
        "{\"version\": 3, \"hiddenLayers\": [0, 1], \"objects\": " + clipboard +
        ", \"objectColor\": [1, 2, 3, 4]}";
    ExpectSameRecords(ObjectsFromJson(info).records, records);

    // What a script may write: any order, no spaces, unknown fields, and the
    // optional fields left out.
    const PastedObjects scripted = ObjectsFromJson(
        R"([{"y2":4,"note":{"by":["me",{"x1":999999}]},"x2":3,"kind":4,"y1":2,"x1":1,"id":"a"},)"
        R"({"kind":1,"x1":-8,"y1":9.0,"radius":5,"kindName":"Rect"}])");
    EXPECT_EQ(scripted.message, "Pasted 2 objects.");
    ExpectSameRecords(scripted.records,
                      {LineRecord(ObjectKind::Rect, 1, 2, 3, 4), CircleRecord(-8, 9, 5)});
    // One line copied out of such a list is one object.
    ExpectSameRecords(
        ObjectsFromJson(R"( {"kind": 6, "x1": 1, "y1": 2, "x2": 3, "y2": 4} )").records,
        {LineRecord(ObjectKind::Arrow, 1, 2, 3, 4)});
}

TEST(ObjectsJsonTest, TextFromOutsideIsRefusedOrCutAsTheMessageSays) {
    const std::string kNothing = "Nothing to paste: the clipboard holds no drawing objects.";
    const std::string valid = "[" + LineJson(1) + "]";
    for (const std::string& text :
         {std::string("Buy milk and eggs"), std::string(), valid.substr(0, valid.size() - 1),
          valid + ",", std::string("[]"), std::string("{\"objects\": 5}"),
          std::string("[{\"kind\": 7, \"x1\": 0, \"y1\": 0, \"x2\": 1, \"y2\": 1}]"),
          std::string(100000, '[') + std::string(100000, ']'),
          "[{\"kind\": 0, \"x1\": 1" + std::string(1 << 20, '0') + ", \"y1\": 0}]"}) {
        const PastedObjects pasted = ObjectsFromJson(text);
        EXPECT_TRUE(pasted.records.empty()) << text.substr(0, 60);
        EXPECT_EQ(pasted.message.substr(0, 18), "Nothing to paste: ") << text.substr(0, 60);
    }
    EXPECT_EQ(ObjectsFromJson("Buy milk").message, kNothing);
    EXPECT_EQ(ObjectsFromJson(std::string(kMaxObjectsJsonBytes, ' ') + valid).message,
              "Nothing to paste: the clipboard holds more than 40 MB of text.");

    // Coordinates past the drawing range skip their object, and only it.
    const PastedObjects far = ObjectsFromJson("[" + LineJson(1000000000000) + ", " + LineJson(3) +
                                              ", " + LineJson(-32769) + "]");
    EXPECT_EQ(far.message, "Pasted 1 of 3 objects; 2 lie outside the drawing range.");
    ExpectSameRecords(far.records, {LineRecord(ObjectKind::Line, 3, 5, 10, 20)});
    EXPECT_EQ(ObjectsFromJson("[" + LineJson(1000000000000) + "]").message,
              "Nothing to paste: the objects lie outside the drawing range of -32,768 to 32,767.");
    EXPECT_EQ(ObjectsFromJson("[5, " + LineJson(2) +
                              ", {\"kind\": 0, \"x1\": 1.5, \"y1\": 0, "
                              "\"x2\": 0, \"y2\": 0}]")
                  .message,
              "Pasted 1 of 3 objects; 2 are not drawing objects.");

    // A 10 KB text is cut to what a record holds, never inside a character.
    std::string longText;
    while (longText.size() < 10000) {
        longText += "\xC3\xA9";
    }
    const PastedObjects cut =
        ObjectsFromJson("[{\"kind\": 3, \"x1\": 0, \"y1\": 0, \"text\": \"" + longText + "\"}]");
    EXPECT_EQ(cut.message, "Pasted 1 object. 1 text was cut to 63 bytes.");
    ASSERT_EQ(cut.records.size(), 1u);
    EXPECT_EQ(cut.records[0].Text(), longText.substr(0, 62));

    // 100,000 objects: the first 10,000 are taken, all are counted.
    std::string many = "[";
    for (int n = 0; n < 100000; ++n) {
        many += (n > 0 ? "," : "") + LineJson(n % 30000);
    }
    many += "]";
    const PastedObjects most = ObjectsFromJson(many);
    EXPECT_EQ(most.message, "Pasted 10,000 of 100,000 objects; that is the most one paste takes.");
    ASSERT_EQ(most.records.size(), kMaxPastedObjects);
    EXPECT_EQ(most.records.back().X1(), 9999);
}
