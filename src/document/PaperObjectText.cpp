#include "document/PaperObjectText.h"

#include "document/Paper.h"
#include "document/TextMeasurer.h"
#include "draw/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// A turned copy may reach a pixel past its exact corners.
constexpr int64_t kTurnedTextMargin = 2;

constexpr uint64_t kFnvOffset = 0xCBF29CE484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001B3ull;

uint64_t FoldByte(uint64_t digest, uint8_t byte) {
    return (digest ^ byte) * kFnvPrime;
}

uint64_t FoldWord(uint64_t digest, uint64_t word) {
    for (int i = 0; i < 8; ++i) {
        digest = FoldByte(digest, static_cast<uint8_t>(word >> (8 * i)));
    }
    return digest;
}

// A 64-bit FNV-1a digest of what a text's size depends on: the measurer, its
// generation and the text up to its NUL. Never 0, which stands for "not
// measured". Two different inputs giving one digest is as unlikely as 2^-64.
uint64_t MeasuringKey(const TextMeasurer* measurer, uint32_t generation,
                      const ObjectRecord& record) {
    uint64_t digest = FoldWord(kFnvOffset, reinterpret_cast<uintptr_t>(measurer));
    digest = FoldWord(digest, generation);
    const uint8_t* field = record.bytes + ObjectRecord::kTextOffset;
    for (size_t i = 0; i < ObjectRecord::kTextFieldSize && field[i] != 0; ++i) {
        digest = FoldByte(digest, field[i]);
    }
    return digest != 0 ? digest : 1;
}

} // namespace

PaperObjectText::PaperObjectText(Paper* owner, const ObjectRecord& record)
    : PaperObject(owner, record) {
    this->record.TerminateText();
}

SDL_Point PaperObjectText::TextSize() const {
    const TextMeasurer* measurer = owner != nullptr ? owner->GetTextMeasurer() : nullptr;
    const uint32_t generation = owner != nullptr ? owner->MeasurerGeneration() : 0;
    const uint64_t key = MeasuringKey(measurer, generation, record);
    if (key != measuredKey_) {
        measuredKey_ = key;
        measuredSize_ = measurer != nullptr ? measurer->Measure(record.Text()) : SDL_Point{0, 0};
    }
    return measuredSize_;
}

PaperObjectText::Corners PaperObjectText::RotatedCorners() const {
    const SDL_Point size = TextSize();
    const int32_t x = record.X1();
    const int32_t y = record.Y1();
    const int32_t right = WrapAdd(x, size.x);
    const int32_t bottom = WrapAdd(y, size.y);
    const double angle = record.Angle();
    return {{x, y},
            RotatePoint(x, bottom, x, y, angle),
            RotatePoint(right, y, x, y, angle),
            RotatePoint(right, bottom, x, y, angle)};
}

ObjectPoints PaperObjectText::GetRect() const {
    const Corners corners = RotatedCorners();
    return {corners.a, corners.d};
}

void PaperObjectText::AddEditFields(std::set<int32_t>& fields) const {
    fields.insert({kEditFieldText, kEditFieldAngle});
}

bool PaperObjectText::HasSecondPoint(int32_t /*dx*/, int32_t /*dy*/) const {
    return false;
}

bool PaperObjectText::HitTest(const SDL_Rect& rect) const {
    const Corners k = RotatedCorners();
    if (PointInside(rect, k.a) || PointInside(rect, k.b) || PointInside(rect, k.c) ||
        PointInside(rect, k.d)) {
        return true;
    }
    // B-C and D-A cross the box; its top and bottom edges are not tested.
    return SegmentTouches(rect, k.a, k.b) || SegmentTouches(rect, k.b, k.c) ||
           SegmentTouches(rect, k.c, k.d) || SegmentTouches(rect, k.d, k.a);
}

double PaperObjectText::DrawnDistance(SDL_Point point) const {
    // The point turned back about the origin lies in the text's own frame,
    // where the box is upright.
    const SDL_Point size = TextSize();
    const double a = record.Angle() * kDegreesToRadians;
    const double dx = double(point.x) - record.X1();
    const double dy = double(point.y) - record.Y1();
    const double along = std::cos(a) * dx + std::sin(a) * dy;
    const double across = std::cos(a) * dy - std::sin(a) * dx;
    return BoxDistance(along, across, 0.0, 0.0, std::max(size.x - 1, 0), std::max(size.y - 1, 0));
}

PixelBox PaperObjectText::GetDrawBox() const {
    const SDL_Point size = TextSize();
    const double x = record.X1();
    const double y = record.Y1();
    const double a = record.Angle() * kDegreesToRadians;
    const double c = std::cos(a);
    const double s = std::sin(a);
    double left = x;
    double right = x;
    double top = y;
    double bottom = y;
    for (const SDL_Point corner : {SDL_Point{size.x, 0}, SDL_Point{0, size.y}, size}) {
        const double px = x + c * corner.x - s * corner.y;
        const double py = y + s * corner.x + c * corner.y;
        left = std::min(left, px);
        right = std::max(right, px);
        top = std::min(top, py);
        bottom = std::max(bottom, py);
    }
    return PixelBox{static_cast<int64_t>(std::floor(left)), static_cast<int64_t>(std::floor(top)),
                    static_cast<int64_t>(std::ceil(right)), static_cast<int64_t>(std::ceil(bottom))}
        .Grown(kTurnedTextMargin);
}
