#include "document/MeasurementLabel.h"

#include "document/Paper.h"
#include "document/TextMeasurer.h"
#include "document/Units.h"

#include <algorithm>

namespace {

// The joined label must be this much narrower than the measured span.
constexpr int64_t kLabelFitMargin = 20;

} // namespace

SDL_Point MeasureText(const Paper& paper, const std::string& text) {
    const TextMeasurer* measurer = paper.GetTextMeasurer();
    return measurer != nullptr ? measurer->Measure(text) : SDL_Point{0, 0};
}

MeasurementLabelLayout LayOutMeasurementLabel(const Paper& paper, const MeasurementGeometry& g) {
    const MeasurementLabel label = FormatMeasurementLabel(paper, static_cast<double>(g.length));
    MeasurementLabelLayout layout;
    if (!label.second.empty()) {
        const std::string joined = label.first + " " + label.second;
        const SDL_Point size = MeasureText(paper, joined);
        if (size.x < g.fitWidth - kLabelFitMargin) {
            layout.joined = true;
            layout.lines = {joined};
            layout.sizes = {size};
            return layout;
        }
        layout.lines = {label.first, label.second};
    } else {
        layout.lines = {label.first};
    }
    for (const std::string& line : layout.lines) {
        layout.sizes.push_back(MeasureText(paper, line));
    }
    return layout;
}

int32_t TotalTextHeight(const std::vector<SDL_Point>& sizes) {
    int32_t total = 0;
    for (const SDL_Point& size : sizes) {
        total += size.y;
    }
    return total;
}

std::vector<SDL_Point> CentredLineCorners(const std::vector<SDL_Point>& sizes, SDL_Point centre) {
    std::vector<SDL_Point> corners;
    int32_t y = centre.y - TotalTextHeight(sizes) / 2;
    for (const SDL_Point& size : sizes) {
        corners.push_back({centre.x - size.x / 2, y});
        y += size.y;
    }
    return corners;
}

SDL_Rect MeasurementLabelRect(const Paper& paper, const MeasurementGeometry& geometry) {
    const MeasurementLabelLayout layout = LayOutMeasurementLabel(paper, geometry);
    int32_t width = 0;
    for (const SDL_Point& size : layout.sizes) {
        width = std::max(width, size.x);
    }
    const int32_t height = TotalTextHeight(layout.sizes);
    return {geometry.centre.x - width / 2 - 1, geometry.centre.y - height / 2, width + 2, height};
}
