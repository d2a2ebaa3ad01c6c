#include "document/PaperObject.h"
#include "document/PaperObjectCircle.h"
#include "document/PaperObjectText.h"
#include "document/PaperTestSupport.h"
#include "view/PaperRenderer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

uint32_t ReadLe32(const ObjectRecord& record, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= uint32_t{record.bytes[offset + i]} << (8 * i);
    }
    return value;
}

} // namespace

TEST(ObjectRecordTest, FieldsSitAtTheirFileOffsetsInLittleEndian) {
    ObjectRecord record;
    record.SetKind(ObjectKind::Arrow);
    record.SetX1(-1);
    record.SetY1(0x01020304);
    record.SetX2(1056);
    record.SetY2(-816);
    record.SetLayer(200);
    record.SetAngle(-90);
    record.SetColor({10, 20, 30, 40});
    EXPECT_EQ(ReadLe32(record, 0), 6u);
    EXPECT_EQ(ReadLe32(record, 4), 0xFFFFFFFFu);
    EXPECT_EQ(record.bytes[8], 0x04);
    EXPECT_EQ(record.bytes[11], 0x01);
    EXPECT_EQ(ReadLe32(record, 12), 1056u);
    EXPECT_EQ(static_cast<int32_t>(ReadLe32(record, 16)), -816);
    EXPECT_EQ(record.bytes[249], 200);
    EXPECT_EQ(record.bytes[250], 0xA6);
    EXPECT_EQ(record.bytes[251], 0xFF);
    EXPECT_EQ(record.bytes[252], 10);
    EXPECT_EQ(record.bytes[255], 40);
    for (size_t i = 20; i < 249; ++i) {
        ASSERT_EQ(record.bytes[i], 0) << "unused byte " << i;
    }

    // A circle's radius is the low 16 bits of the second x, read signed.
    ObjectRecord circle;
    circle.SetX2(0x12348000);
    EXPECT_EQ(circle.Radius(), -32768);
    circle.SetRadius(300);
    EXPECT_EQ(circle.bytes[12], 300 & 0xFF);
    EXPECT_EQ(circle.bytes[14], 0x34) << "the upper half is left alone";
}

TEST(ObjectRecordTest, TextsAreCutTo63BytesAtACharacterStart) {
    ObjectRecord record;
    record.SetText("hello");
    EXPECT_EQ(record.Text(), "hello");
    EXPECT_EQ(record.bytes[12], 'h');

    // 62 ASCII bytes and a two-byte character that would end at byte 64.
    std::string text(62, 'a');
    text += "\xC3\xA9";
    text += "bbb";
    record.SetText(text);
    EXPECT_EQ(record.Text(), std::string(62, 'a'));
    // Exactly 63 bytes fit.
    record.SetText(std::string(61, 'a') + "\xC3\xA9" + "c");
    EXPECT_EQ(record.Text().size(), 63u);
    // A four-byte character straddling the limit goes as a whole.
    record.SetText(std::string(60, 'a') + "\xF0\x9F\x98\x80" + "x");
    EXPECT_EQ(record.Text(), std::string(60, 'a'));

    // A record from a file with 64 text bytes and no NUL is cut when the
    // object is built, also at a character start.
    ObjectRecord loaded = TextRecord(0, 0, "");
    std::memset(loaded.bytes + 12, 'z', 62);
    loaded.bytes[12 + 62] = '\xE2';
    loaded.bytes[12 + 63] = '\x82';
    loaded.bytes[12 + 64] = '\xAC';
    auto object = CreateObjectFromRecord(nullptr, loaded);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->record.Text(), std::string(62, 'z'));
}

TEST(PaperObjectTest, EachKindGetsItsClassAndUnknownKindsNone) {
    for (uint32_t kind : {0u, 2u, 5u, 6u}) {
        ObjectRecord record;
        record.SetKind(kind);
        auto object = CreateObjectFromRecord(nullptr, record);
        ASSERT_NE(object, nullptr);
        std::set<int32_t> fields;
        object->AddEditFields(fields);
        EXPECT_EQ(fields, (std::set<int32_t>{1005, 1006, 1009, 1015}));
        EXPECT_EQ(object->id, 0);
    }
    std::set<int32_t> fields;
    CreateObjectFromRecord(nullptr, CircleRecord(0, 0, 5))->AddEditFields(fields);
    EXPECT_EQ(fields, (std::set<int32_t>{1007}));
    fields.clear();
    CreateObjectFromRecord(nullptr, TextRecord(0, 0, "x"))->AddEditFields(fields);
    EXPECT_EQ(fields, (std::set<int32_t>{1001, 1008}));
    fields.clear();
    CreateObjectFromRecord(nullptr, LineRecord(ObjectKind::Rect, 0, 0, 1, 1))
        ->AddEditFields(fields);
    EXPECT_EQ(fields, (std::set<int32_t>{1005, 1006}));

    ObjectRecord unknown;
    unknown.SetKind(7);
    EXPECT_EQ(CreateObjectFromRecord(nullptr, unknown), nullptr);
    unknown.SetKind(0xFFFFFFFF);
    EXPECT_EQ(CreateObjectFromRecord(nullptr, unknown), nullptr);
}

TEST(PaperObjectTest, MovingShiftsSecondPointsOnlyWhereThereAreSome) {
    auto rect = CreateObjectFromRecord(nullptr, LineRecord(ObjectKind::Rect, 10, 20, 30, 40));
    EXPECT_TRUE(rect->Move(5, -3));
    EXPECT_EQ(rect->record.X1(), 15);
    EXPECT_EQ(rect->record.Y1(), 17);
    EXPECT_EQ(rect->record.X2(), 35);
    EXPECT_EQ(rect->record.Y2(), 37);

    auto circle = CreateObjectFromRecord(nullptr, CircleRecord(100, 100, 25, 6));
    EXPECT_FALSE(circle->Move(5, -3));
    EXPECT_EQ(circle->record.X1(), 105);
    EXPECT_EQ(circle->record.Radius(), 25);
    EXPECT_EQ(circle->record.Sides(), 6);

    auto text = CreateObjectFromRecord(nullptr, TextRecord(1, 2, "keep"));
    EXPECT_FALSE(text->Move(5, -3));
    EXPECT_EQ(text->record.Y1(), -1);
    EXPECT_EQ(text->record.Text(), "keep");

    // Coordinates from a file may sit at the ends of the range; moving wraps
    // instead of overflowing.
    auto far = CreateObjectFromRecord(nullptr, LineRecord(ObjectKind::Line, INT32_MAX, 0, 0, 0));
    far->Move(1, 0);
    EXPECT_EQ(far->record.X1(), INT32_MIN);
}

TEST(PaperObjectTest, BoundsAreOrderedAndCirclesSpanTheirRadius) {
    auto line = CreateObjectFromRecord(nullptr, LineRecord(ObjectKind::Line, 50, 10, 20, 40));
    const ObjectBounds b = line->GetBounds();
    EXPECT_EQ(b.left, 20);
    EXPECT_EQ(b.top, 10);
    EXPECT_EQ(b.right, 50);
    EXPECT_EQ(b.bottom, 40);
    const ObjectPoints r = line->GetRect();
    EXPECT_EQ(r.first.x, 50) << "GetRect keeps the stored order";

    auto circle = CreateObjectFromRecord(nullptr, CircleRecord(100, 200, 30));
    const ObjectBounds c = circle->GetBounds();
    EXPECT_EQ(c.left, 70);
    EXPECT_EQ(c.top, 170);
    EXPECT_EQ(c.right, 130);
    EXPECT_EQ(c.bottom, 230);
}

TEST(PaperObjectTest, LinesAndRectanglesAreHitOnTheirOutlineOnly) {
    auto point = CreateObjectFromRecord(nullptr, LineRecord(ObjectKind::Line, 10, 10, 10, 10));
    EXPECT_TRUE(point->HitTest({5, 5, 11, 11})) << "a line of zero length is still found";
    EXPECT_FALSE(point->HitTest({11, 11, 5, 5}));

    auto line = CreateObjectFromRecord(nullptr, LineRecord(ObjectKind::Arrow, 0, 0, 100, 100));
    EXPECT_TRUE(line->HitTest({45, 45, 11, 11}));
    EXPECT_FALSE(line->HitTest({60, 20, 11, 11}));

    auto rect = CreateObjectFromRecord(nullptr, LineRecord(ObjectKind::Rect, 0, 0, 100, 100));
    EXPECT_FALSE(rect->HitTest({40, 40, 11, 11})) << "the inside does not count";
    EXPECT_TRUE(rect->HitTest({95, 40, 11, 11}));
    EXPECT_TRUE(rect->HitTest({40, -5, 11, 11}));

    auto polygon = CreateObjectFromRecord(nullptr, CircleRecord(200, 200, 100, 6));
    EXPECT_FALSE(polygon->HitTest({195, 195, 11, 11}));
    EXPECT_TRUE(polygon->HitTest({295, 195, 11, 11})) << "the first corner at 0 degrees";
    EXPECT_TRUE(polygon->HitTest({145, 113, 11, 11})) << "on an edge between corners";
}

TEST(PaperObjectTest, DrawnDistanceFollowsEachKindsDrawing) {
    DocumentSession session;
    ActiveTestPaper active;
    const auto distance = [&](const ObjectRecord& record, SDL_Point p) {
        return CreateObjectFromRecord(&active.paper, record)->DrawnDistance(p);
    };
    // A measurement shows end marks and a centred label, nothing between them.
    const ObjectRecord across = LineRecord(ObjectKind::Measurement, 50, 480, 350, 480);
    EXPECT_LE(distance(across, {50, 470}), 1.0) << "the end of a tick";
    EXPECT_LE(distance(across, {58, 480}), 1.0) << "the stub";
    EXPECT_EQ(distance(across, {200, 480}), 0.0) << "the label";
    EXPECT_GT(distance(across, {110, 480}), 10.0) << "between stub and label";
    const ObjectRecord slanted = LineRecord(ObjectKind::Measurement, 400, 320, 620, 450);
    EXPECT_LE(distance(slanted, {400, 320}), 1.0);
    EXPECT_EQ(distance(slanted, {510, 385}), 0.0);
    EXPECT_GT(distance(slanted, {455, 352}), 10.0);

    const ObjectRecord arrow = LineRecord(ObjectKind::Arrow, 0, 0, 100, 0);
    EXPECT_EQ(distance(arrow, {90, 6}), 0.0) << "the back of the head";
    EXPECT_EQ(distance(arrow, {50, 6}), 6.0);

    // SDL draws a rectangle's far edges inside its second corner.
    const ObjectRecord rect = LineRecord(ObjectKind::Rect, 0, 0, 100, 100);
    EXPECT_EQ(distance(rect, {99, 50}), 0.0);
    EXPECT_EQ(distance(rect, {103, 50}), 4.0);
    EXPECT_EQ(distance(rect, {50, 40}), 40.0) << "the inside is not drawn";

    const ObjectRecord hexagon = CircleRecord(200, 200, 100, 6);
    EXPECT_LE(distance(hexagon, {150, 114}), 1.0) << "on the outline";
    EXPECT_GT(distance(hexagon, {200, 200}), 80.0);
    EXPECT_EQ(distance(CircleRecord(0, 0, -5), {5, 0}), std::numeric_limits<double>::infinity())
        << "a negative radius draws no circle";
}

TEST(PaperObjectTest, CirclesAreSampledAlongTheirPerimeter) {
    // Radius 10: no chord below 45 degrees reaches 15 pixels, so the perimeter
    // is sampled every 44 degrees: 0, 44, 88, ...
    auto small = CreateObjectFromRecord(nullptr, CircleRecord(0, 0, 10));
    EXPECT_TRUE(small->HitTest({10, 0, 1, 1})) << "0 degrees";
    const SDL_Point at44 = {TruncToInt32(std::cos(44 * kDegreesToRadians) * 10),
                            TruncToInt32(std::sin(44 * kDegreesToRadians) * 10)};
    EXPECT_TRUE(small->HitTest({at44.x, at44.y, 1, 1})) << "44 degrees";
    const SDL_Point at22 = {TruncToInt32(std::cos(22 * kDegreesToRadians) * 10),
                            TruncToInt32(std::sin(22 * kDegreesToRadians) * 10)};
    EXPECT_FALSE(small->HitTest({at22.x, at22.y, 1, 1})) << "between two samples";
    EXPECT_FALSE(small->HitTest({-3, -3, 7, 7})) << "the centre is not the outline";

    // Radius 1000: the one-degree chord is 17 pixels, so every degree counts.
    auto large = CreateObjectFromRecord(nullptr, CircleRecord(0, 0, 1000));
    for (int degrees : {1, 17, 213, 359}) {
        const SDL_Point p = {TruncToInt32(std::cos(degrees * kDegreesToRadians) * 1000),
                             TruncToInt32(std::sin(degrees * kDegreesToRadians) * 1000)};
        EXPECT_TRUE(large->HitTest({p.x, p.y, 1, 1})) << degrees;
    }
}

TEST(PaperObjectTest, PolygonCornersFollowTheAccumulatedAngle) {
    PolygonCorners square = PolygonVertices(100, 100, 50, 4, 0);
    ASSERT_EQ(square.x.size(), 4u);
    EXPECT_EQ(square.x[0], 150);
    EXPECT_EQ(square.y[1], 150);
    EXPECT_EQ(square.x[2], 50);
    EXPECT_EQ(square.y[3], 50);
    PolygonCorners turned = PolygonVertices(100, 100, 50, 4, 90);
    EXPECT_EQ(turned.y[0], 150) << "the first corner turns clockwise";
    // 360 / 7 accumulated in double precision gives exactly seven corners.
    EXPECT_EQ(PolygonVertices(0, 0, 10, 7, 0).x.size(), 7u);
    // A side count from a file cannot make a corner list of billions.
    EXPECT_EQ(PolygonVertices(0, 0, 10, INT32_MAX, 0).x.size(),
              static_cast<size_t>(kMaxPolygonSides));
}

TEST(PaperObjectTest, TextsAreFoundByTheirTurnedBox) {
    Paper paper;
    FixedTextMeasurer measurer;
    paper.SetTextMeasurer(&measurer);
    auto object = CreateObjectFromRecord(&paper, TextRecord(100, 100, "Wall"));
    auto* text = static_cast<PaperObjectText*>(object.get());
    const SDL_Point size = text->TextSize();
    ASSERT_GT(size.x, 10);
    ASSERT_GT(size.y, 10);
    ObjectPoints rect = object->GetRect();
    EXPECT_EQ(rect.second.x, 100 + size.x);
    EXPECT_EQ(rect.second.y, 100 + size.y);
    EXPECT_TRUE(object->HitTest({100 + size.x / 2, 100 + size.y / 2 - 2, 5, 5}))
        << "the diagonals cross the middle";
    EXPECT_FALSE(object->HitTest({100 + size.x / 2, 101, 2, 2}))
        << "the top edge is not tested as a segment";
    EXPECT_TRUE(object->HitTest({98, 98, 5, 5})) << "a corner";

    // Turned by 90 degrees the text hangs down to the left of its origin.
    object->record.SetAngle(90);
    rect = object->GetRect();
    // Truncating the turned offsets toward zero may keep a pixel of the far side.
    EXPECT_NEAR(rect.second.x, 100 - size.y, 1);
    EXPECT_NEAR(rect.second.y, 100 + size.x, 1);
    EXPECT_TRUE(object->HitTest({100 - size.y - 2, 100 + size.x - 2, 5, 5}));
    EXPECT_FALSE(object->HitTest({100 + size.x - 2, 100 + size.y - 2, 5, 5}));
    const ObjectBounds bounds = object->GetBounds();
    EXPECT_EQ(bounds.left, rect.second.x);
    EXPECT_EQ(bounds.bottom, rect.second.y);

    // The size follows a text edited in place, and the measurer.
    object->record.SetText("Kitchen");
    EXPECT_EQ(text->TextSize().x, 70);
    paper.SetTextMeasurer(nullptr);
    EXPECT_EQ(text->TextSize().x, 0);
}

TEST(PaperObjectTest, MeasurementLabelsFollowTheirPlaceAndTheMeasurer) {
    Paper paper;
    FixedTextMeasurer measurer;
    paper.SetTextMeasurer(&measurer);
    // A short measurement's label reaches beyond its end marks on both sides.
    auto first =
        CreateObjectFromRecord(&paper, LineRecord(ObjectKind::Measurement, 100, 100, 110, 100));
    auto second =
        CreateObjectFromRecord(&paper, LineRecord(ObjectKind::Measurement, 100, 300, 130, 300));
    const PixelBox labelled = first->GetDrawBox();
    const PixelBox longer = second->GetDrawBox();
    EXPECT_LT(labelled.left, 100 - 14);
    EXPECT_EQ(longer.top, labelled.top + 200) << "each measurement keeps its own label";
    first->record.SetX1(600);
    first->record.SetX2(610);
    EXPECT_EQ(first->GetDrawBox().left, labelled.left + 500) << "a measurement moved in place";
    EXPECT_EQ(second->GetDrawBox().left, longer.left);

    paper.SetTextMeasurer(nullptr);
    EXPECT_GT(first->GetDrawBox().left, labelled.left + 500) << "no label without a measurer";
}
