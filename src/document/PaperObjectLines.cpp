#include "document/PaperObjectLines.h"

#include "document/MeasurementLabel.h"
#include "document/Paper.h"
#include "draw/DrawPrimitives.h"

#include <SDL2/SDL_rect.h>

#include <algorithm>
#include <limits>

namespace {

// How far the drawing of each kind can reach beyond the box of its two points:
// the width of a thick line, an arrow head (10 back, 10 across), measurement
// ticks (10 across, anti-aliased and doubled one pixel lower).
constexpr int64_t kLineMargin = 2;
constexpr int64_t kDashedLineMargin = 1;
constexpr int64_t kArrowMargin = 16;
constexpr int64_t kMeasurementMarkMargin = 14;

} // namespace

ObjectPoints PaperObjectLines::GetRect() const {
    return {{record.X1(), record.Y1()}, {record.X2(), record.Y2()}};
}

void PaperObjectLines::AddEditFields(std::set<int32_t>& fields) const {
    fields.insert({kEditFieldPosition2X, kEditFieldPosition2Y, kEditFieldSwap, kEditFieldLineType});
}

bool PaperObjectLines::HasSecondPoint(int32_t /*dx*/, int32_t /*dy*/) const {
    return true;
}

bool PaperObjectLines::HitTest(const SDL_Rect& rect) const {
    return SegmentTouches(rect, {record.X1(), record.Y1()}, {record.X2(), record.Y2()});
}

double PaperObjectLines::DrawnDistance(SDL_Point point) const {
    const SDL_Point a = {record.X1(), record.Y1()};
    const SDL_Point b = {record.X2(), record.Y2()};
    switch (Kind()) {
    case ObjectKind::Measurement:
        return MeasurementDistance(point);
    case ObjectKind::DashedLine:
        // The gaps count: the eye joins the dashes into one line.
        return SegmentDistance(point, a, b);
    case ObjectKind::Arrow: {
        const ArrowHead head = ArrowHeadCorners(a.x, a.y, b.x, b.y);
        return std::min({SegmentDistance(point, a, b), SegmentDistance(point, head.left, b),
                         SegmentDistance(point, head.right, b),
                         SegmentDistance(point, head.left, head.right)});
    }
    default:
        return OutsideStroke(SegmentDistance(point, a, b), kPlainLineWidth);
    }
}

// A measurement shows its end marks and its label, nothing in between.
double PaperObjectLines::MeasurementDistance(SDL_Point point) const {
    const MeasurementGeometry geometry =
        MeasureMeasurement(record.X1(), record.Y1(), record.X2(), record.Y2());
    double nearest = std::numeric_limits<double>::infinity();
    // A slanted mark is drawn twice, the copy one pixel lower: its centre
    // lies half a pixel down.
    const double down = geometry.kind == MeasurementCase::Slanted ? 0.5 : 0.0;
    for (const MarkStroke& stroke :
         MeasurementMarkStrokes(record.X1(), record.Y1(), record.X2(), record.Y2(), geometry)) {
        const double centre = SegmentDistance(point.x, point.y, double(stroke.x1), stroke.y1 + down,
                                              double(stroke.x2), stroke.y2 + down);
        nearest = std::min(nearest, OutsideStroke(centre, kPlainLineWidth));
    }
    const SDL_Rect label = MeasurementLabelBox();
    if (label.w > 0 && label.h > 0) {
        nearest = std::min(nearest, BoxDistance(point.x, point.y, label.x, label.y,
                                                double(label.x) + label.w - 1,
                                                double(label.y) + label.h - 1));
    }
    return nearest;
}

SDL_Rect PaperObjectLines::MeasurementLabelBox() const {
    LabelBoxCache key = {true,
                         record.X1(),
                         record.Y1(),
                         record.X2(),
                         record.Y2(),
                         owner->blockWidth,
                         owner->blocksPerUnit,
                         owner->unitIndex,
                         owner->GetTextMeasurer(),
                         owner->MeasurerGeneration(),
                         {0, 0, 0, 0}};
    if (labelBox_ == nullptr) {
        labelBox_ = std::make_unique<LabelBoxCache>();
    }
    const LabelBoxCache& old = *labelBox_;
    if (!old.valid || old.x1 != key.x1 || old.y1 != key.y1 || old.x2 != key.x2 ||
        old.y2 != key.y2 || old.blockWidth != key.blockWidth ||
        old.blocksPerUnit != key.blocksPerUnit || old.unitIndex != key.unitIndex ||
        old.measurer != key.measurer || old.generation != key.generation) {
        key.rect = MeasurementLabelRect(*owner, MeasureMeasurement(key.x1, key.y1, key.x2, key.y2));
        *labelBox_ = key;
    }
    return labelBox_->rect;
}

PixelBox PaperObjectLines::GetDrawBox() const {
    const PixelBox ends = BoxOf(record.X1(), record.Y1(), record.X2(), record.Y2());
    switch (Kind()) {
    case ObjectKind::Measurement: {
        const PixelBox marks =
            Wrap16Box(ends.Grown(kMeasurementMarkMargin), record.X1(), record.Y1());
        const SDL_Rect label = MeasurementLabelBox();
        return {std::min<int64_t>(marks.left, label.x), std::min<int64_t>(marks.top, label.y),
                std::max<int64_t>(marks.right, int64_t{label.x} + label.w),
                std::max<int64_t>(marks.bottom, int64_t{label.y} + label.h)};
    }
    case ObjectKind::DashedLine:
        return ends.Grown(kDashedLineMargin);
    case ObjectKind::Arrow:
        return ends.Grown(kArrowMargin);
    default:
        return Wrap16Box(ends.Grown(kLineMargin), record.X1(), record.Y1());
    }
}
