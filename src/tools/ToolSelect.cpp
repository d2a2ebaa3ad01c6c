#include "tools/ToolSelect.h"

#include "document/Paper.h"
#include "document/PaperObject.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"
#include "view/PaperView.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

// A hand seldom holds the mouse perfectly still while it clicks: a release
// this many pixels or fewer from the press is still a click.
constexpr int64_t kClickSlop = 3;
// A click picks what is drawn this near the pointer, so that a one- or
// two-pixel outline does not need pixel-exact aim.
constexpr double kClickReach = 4.0;
// The key that chooses each layer, as the status line names it.
constexpr char kLayerKeys[] = "1234567890TYUIOP";
static_assert(sizeof kLayerKeys - 1 == kLayerCount);

// One edge of the band: from the smaller end, covering both end pixels.
void Span(int32_t a, int32_t b, int& from, int& size) {
    const int64_t low = std::min(a, b);
    const int64_t extent = std::llabs(int64_t{b} - a) + 1;
    from = static_cast<int>(low);
    size = static_cast<int>(std::min<int64_t>(extent, INT32_MAX));
}

// The object drawn nearest `point`, within reach, of those `accept` takes; of
// equally near ones the topmost (the last drawn).
template <class Accept>
std::shared_ptr<PaperObject> NearestDrawn(const Paper& paper, SDL_Point point, Accept accept) {
    std::shared_ptr<PaperObject> nearest;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (auto it = paper.objects.rbegin(); it != paper.objects.rend(); ++it) {
        if (!accept(**it)) {
            continue;
        }
        const double distance = (*it)->DrawnDistance(point);
        if (distance <= kClickReach && distance < nearestDistance) {
            nearest = *it;
            nearestDistance = distance;
        }
    }
    return nearest;
}

// A click that found nothing on the current layer: when it is over an object
// the user can see on another layer, say how to reach that one.
void PointToOtherLayer(const ToolContext& context, SDL_Point point) {
    const Paper& paper = *context.paper;
    const auto visibleElsewhere = [&paper, &context](const PaperObject& object) {
        const uint8_t layer = object.record.Layer();
        return layer != context.layer && layer < kLayerCount && paper.hiddenLayers[layer] == 0;
    };
    const std::shared_ptr<PaperObject> other = NearestDrawn(paper, point, visibleElsewhere);
    if (other != nullptr) {
        context.host->ShowNotice(std::string("That object is on layer ") +
                                 kLayerKeys[other->record.Layer()] +
                                 "; press its key to work on it.");
    }
}

void SelectByClick(const ToolContext& context, SDL_Point point) {
    Paper& paper = *context.paper;
    const bool adding = context.shiftHeld;
    const std::shared_ptr<PaperObject> hit =
        NearestDrawn(paper, point, [&context](const PaperObject& object) {
            return object.record.Layer() == context.layer;
        });
    if (!adding) {
        paper.selection.clear();
    }
    if (hit == nullptr) {
        PointToOtherLayer(context, point);
    } else if (!adding || paper.selection.erase(hit->id) == 0) {
        paper.selection.emplace(hit->id, hit);
    }
}

void SelectByBand(const ToolContext& context, const SDL_Rect& band) {
    Paper& paper = *context.paper;
    if (!context.shiftHeld) {
        paper.SelectInRect(band, context.layer);
        return;
    }
    for (const std::shared_ptr<PaperObject>& object : paper.objects) {
        if (object->record.Layer() == context.layer && object->HitTest(band)) {
            paper.selection.emplace(object->id, object);
        }
    }
}

} // namespace

void ToolSelect::Begin(const ToolContext& context) {
    start_ = context.paperPos;
}

SDL_Rect ToolSelect::Band(const ToolContext& context) const {
    SDL_Rect band = {0, 0, 0, 0};
    Span(start_.x, context.paperPos.x, band.x, band.w);
    Span(start_.y, context.paperPos.y, band.y, band.h);
    return band;
}

bool ToolSelect::IsClick(const ToolContext& context) const {
    return std::llabs(int64_t{context.paperPos.x} - start_.x) <= kClickSlop &&
           std::llabs(int64_t{context.paperPos.y} - start_.y) <= kClickSlop;
}

bool ToolSelect::Click(const ToolContext& context) {
    if (context.paper != nullptr) {
        if (IsClick(context)) {
            SelectByClick(context, start_);
        } else {
            SelectByBand(context, Band(context));
        }
    }
    return false;
}

void ToolSelect::Render(PaperView& view, const ToolContext& context) {
    // Twice, the copy one pixel right and down, so the band stands out on any grid.
    const SDL_Rect band = Band(context);
    const SDL_Rect shadow = {band.x + 1, band.y + 1, band.w, band.h};
    SurfacePainter painter = view.Painter();
    const SDL_Color color = CurrentDrawingColor(view.paper);
    painter.Rect(band, color);
    painter.Rect(shadow, color);
}

const ToolRegistrar<ToolSelect> kSelectRegistration("select");
