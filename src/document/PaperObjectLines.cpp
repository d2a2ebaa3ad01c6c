#include "document/PaperObjectLines.h"

#include "document/MeasurementLabel.h"
#include "document/Paper.h"
#include "draw/DrawPrimitives.h"

#include <SDL2/SDL_rect.h>

#include <algorithm>
#include <deque>
#include <limits>
#include <mutex>
#include <vector>

namespace {

// How far the drawing of each kind can reach beyond the box of its two points:
// the width of a thick line, an arrow head (10 back, 10 across), measurement
// ticks (10 across, anti-aliased and doubled one pixel lower).
constexpr int64_t kLineMargin = 2;
constexpr int64_t kDashedLineMargin = 1;
constexpr int64_t kArrowMargin = 16;
constexpr int64_t kMeasurementMarkMargin = 14;

// A measurement's label box with everything it was worked out from.
struct LabelBoxCache {
    const void* measurer;
    int32_t x1, y1, x2, y2;
    int32_t blockWidth, blocksPerUnit, unitIndex;
    uint32_t generation;
    SDL_Rect rect;

    bool SameInputs(const LabelBoxCache& other) const {
        return measurer == other.measurer && x1 == other.x1 && y1 == other.y1 && x2 == other.x2 &&
               y2 == other.y2 && blockWidth == other.blockWidth &&
               blocksPerUnit == other.blocksPerUnit && unitIndex == other.unitIndex &&
               generation == other.generation;
    }
};

// The label boxes of all measurements, in numbered slots that a line takes on
// its first measuring and gives back when it goes. Slots never move once made,
// so a reference stays good while others are added.
class LabelBoxSlots {
  public:
    uint32_t Take() {
        const std::lock_guard<std::mutex> hold(mutex_);
        if (!free_.empty()) {
            const uint32_t slot = free_.back();
            free_.pop_back();
            return slot;
        }
        entries_.emplace_back();
        return static_cast<uint32_t>(entries_.size());
    }
    void Give(uint32_t slot) {
        const std::lock_guard<std::mutex> hold(mutex_);
        free_.push_back(slot);
    }
    LabelBoxCache& At(uint32_t slot) {
        const std::lock_guard<std::mutex> hold(mutex_);
        return entries_[slot - 1];
    }

  private:
    std::mutex mutex_;
    std::deque<LabelBoxCache> entries_;
    std::vector<uint32_t> free_;
};

// Never destroyed: lines held until the program's globals go still give their
// slots back.
LabelBoxSlots& LabelBoxes() {
    static auto* slots = new LabelBoxSlots;
    return *slots;
}

} // namespace

PaperObjectLines::~PaperObjectLines() {
    if (labelSlot_ != 0) {
        LabelBoxes().Give(labelSlot_);
    }
}

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
    const LabelBoxCache inputs = {owner->GetTextMeasurer(),
                                  record.X1(),
                                  record.Y1(),
                                  record.X2(),
                                  record.Y2(),
                                  owner->blockWidth,
                                  owner->blocksPerUnit,
                                  owner->unitIndex,
                                  owner->MeasurerGeneration(),
                                  {0, 0, 0, 0}};
    const bool fresh = labelSlot_ == 0;
    if (fresh) {
        labelSlot_ = LabelBoxes().Take();
    }
    LabelBoxCache& kept = LabelBoxes().At(labelSlot_);
    if (fresh || !kept.SameInputs(inputs)) {
        kept = inputs;
        kept.rect = MeasurementLabelRect(
            *owner, MeasureMeasurement(inputs.x1, inputs.y1, inputs.x2, inputs.y2));
    }
    return kept.rect;
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
