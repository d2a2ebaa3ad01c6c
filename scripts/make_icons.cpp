// Draws the toolbox and menu icons into the folder given as the first argument:
// 36 x 36 pictograms with dark strokes on a transparent background, so that they
// read on the grey toolbox. With a second argument it also writes a contact
// sheet of all icons, small and enlarged, on the toolbox grey, to look at them.
//
// Each icon is drawn four times larger with SDL2_gfx and then averaged down,
// which gives smooth, evenly anti-aliased edges for thick strokes and fills.
#include <SDL2/SDL.h>
#include <SDL2/SDL2_gfxPrimitives.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kIconSize = 36;
constexpr int kOversample = 4;
constexpr int kCanvasSize = kIconSize * kOversample;
constexpr double kPi = 3.14159265358979323846;

struct Rgba {
    Uint8 r, g, b, a;
};

constexpr Rgba kInk = {34, 34, 38, 255};
constexpr Rgba kPaper = {255, 255, 255, 255};
constexpr Rgba kPaletteWood = {236, 214, 170, 255};
constexpr SDL_Color kToolboxGrey = {208, 208, 208, 255};

struct Point {
    double x, y;
};

// Drawing in icon units (0..36) on the oversampled canvas.
class Canvas {
  public:
    explicit Canvas(SDL_Surface* surface)
        : surface_(surface), renderer_(SDL_CreateSoftwareRenderer(surface)) {}
    ~Canvas() {
        if (renderer_ != nullptr) {
            SDL_DestroyRenderer(renderer_);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ok() const { return renderer_ != nullptr; }

    // A straight stroke with round ends.
    void Line(Point a, Point b, double width, Rgba color = kInk) {
        const double radius = width / 2.0;
        Dot(a, radius, color);
        Dot(b, radius, color);
        // SDL2_gfx draws a stray box for a line without length.
        if (Px(a.x) == Px(b.x) && Px(a.y) == Px(b.y)) {
            return;
        }
        thickLineRGBA(renderer_, Px(a.x), Px(a.y), Px(b.x), Px(b.y),
                      static_cast<Uint8>(std::lround(width * kOversample)), color.r, color.g,
                      color.b, color.a);
    }

    // Strokes through the points with round joins.
    void Polyline(const std::vector<Point>& points, double width, bool closed, Rgba color = kInk) {
        for (size_t index = 1; index < points.size(); ++index) {
            Line(points[index - 1], points[index], width, color);
        }
        if (closed && points.size() > 2) {
            Line(points.back(), points.front(), width, color);
        }
    }

    void Dot(Point center, double radius, Rgba color = kInk) {
        filledCircleRGBA(renderer_, Px(center.x), Px(center.y), Px(radius), color.r, color.g,
                         color.b, color.a);
    }

    void Fill(const std::vector<Point>& points, Rgba color) {
        std::vector<Sint16> xs;
        std::vector<Sint16> ys;
        for (const Point& point : points) {
            xs.push_back(Px(point.x));
            ys.push_back(Px(point.y));
        }
        filledPolygonRGBA(renderer_, xs.data(), ys.data(), static_cast<int>(points.size()), color.r,
                          color.g, color.b, color.a);
    }

    // Makes everything inside the polygon or circle transparent again.
    void Erase(const std::function<bool(double x, double y)>& inside) {
        SDL_RenderFlush(renderer_);
        auto* pixels = static_cast<Uint32*>(surface_->pixels);
        const int stride = surface_->pitch / 4;
        for (int y = 0; y < kCanvasSize; ++y) {
            for (int x = 0; x < kCanvasSize; ++x) {
                const double ux = (x + 0.5) / kOversample;
                const double uy = (y + 0.5) / kOversample;
                if (inside(ux, uy)) {
                    pixels[y * stride + x] = 0;
                }
            }
        }
    }

  private:
    static Sint16 Px(double units) { return static_cast<Sint16>(std::lround(units * kOversample)); }

    SDL_Surface* surface_;
    SDL_Renderer* renderer_;
};

// Points on an ellipse arc from angle `from` to `to` in degrees (0 = right, clockwise).
std::vector<Point> Arc(Point center, double rx, double ry, double from, double to, int steps) {
    std::vector<Point> points;
    for (int step = 0; step <= steps; ++step) {
        const double angle = (from + (to - from) * step / steps) * kPi / 180.0;
        points.push_back({center.x + rx * std::cos(angle), center.y + ry * std::sin(angle)});
    }
    return points;
}

double DistanceToSegment(double x, double y, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

// --- The icons ------------------------------------------------------------

void DrawSelect(Canvas& c) {
    // The classic pointer: white body, dark outline, tip at the top left.
    const std::vector<Point> arrow = {{10, 4},  {10, 28},   {15.5, 23},  {19.5, 32},
                                      {24, 30}, {20, 21.5}, {27.5, 21.5}};
    c.Fill(arrow, kPaper);
    c.Polyline(arrow, 2.2, true);
}

void DrawLine(Canvas& c) {
    c.Line({8, 28}, {28, 8}, 3);
    c.Dot({8, 28}, 3.2);
    c.Dot({28, 8}, 3.2);
}

// A filled arrow head at `tip`, pointing away from `from`.
void ArrowHead(Canvas& c, Point from, Point tip, double length, double halfWidth) {
    const double dx = tip.x - from.x;
    const double dy = tip.y - from.y;
    const double norm = std::hypot(dx, dy);
    const double ux = dx / norm;
    const double uy = dy / norm;
    const Point base = {tip.x - ux * length, tip.y - uy * length};
    c.Fill({tip,
            {base.x - uy * halfWidth, base.y + ux * halfWidth},
            {base.x + uy * halfWidth, base.y - ux * halfWidth}},
           kInk);
}

void DrawArrow(Canvas& c) {
    c.Line({7, 29}, {23, 13}, 3);
    ArrowHead(c, {7, 29}, {30, 6}, 11, 6);
}

void DrawDashedLine(Canvas& c) {
    // Four dashes along the diagonal, the gaps as long as the round ends allow.
    const Point start = {7, 29};
    const Point end = {29, 7};
    constexpr int kDashes = 4;
    constexpr double kDashShare = 0.45;
    for (int dash = 0; dash < kDashes; ++dash) {
        const double t0 = static_cast<double>(dash) / (kDashes - 1 + kDashShare);
        const double t1 = t0 + kDashShare / (kDashes - 1 + kDashShare);
        c.Line({start.x + (end.x - start.x) * t0, start.y + (end.y - start.y) * t0},
               {start.x + (end.x - start.x) * t1, start.y + (end.y - start.y) * t1}, 3);
    }
}

void DrawRect(Canvas& c) {
    c.Polyline({{6, 9}, {30, 9}, {30, 27}, {6, 27}}, 3, true);
}

void DrawText(Canvas& c) {
    c.Line({8, 8}, {28, 8}, 3.6);
    c.Line({8, 8}, {8, 11.5}, 2.6); // small serifs at the ends of the bar
    c.Line({28, 8}, {28, 11.5}, 2.6);
    c.Line({18, 8}, {18, 29}, 3.6);
    c.Line({14, 29}, {22, 29}, 3);
}

void DrawCircle(Canvas& c) {
    c.Polyline(Arc({18, 18}, 12, 12, 0, 360, 72), 3, true);
    c.Dot({18, 18}, 1.8);
}

void DrawMeasurement(Canvas& c) {
    // A dimension line between two extension ticks, with arrow heads on the ticks.
    c.Line({5, 11}, {5, 25}, 2.2);
    c.Line({31, 11}, {31, 25}, 2.2);
    c.Line({10, 18}, {26, 18}, 2.2);
    ArrowHead(c, {18, 18}, {6.5, 18}, 6.5, 3.6);
    ArrowHead(c, {18, 18}, {29.5, 18}, 6.5, 3.6);
}

void DrawChooseColor(Canvas& c) {
    // A painter's palette with a thumb hole and four paints.
    const std::vector<Point> outline = Arc({18, 18.5}, 15, 12.5, 0, 360, 72);
    c.Fill(outline, kPaletteWood);
    c.Polyline(outline, 2, true);
    const Point hole = {22.5, 25};
    c.Erase([&](double x, double y) { return std::hypot(x - hole.x, y - hole.y) < 3.2; });
    c.Polyline(Arc(hole, 3.2, 3.2, 0, 360, 32), 1.8, true);
    const Point paints[] = {{10, 15.5}, {16.5, 11}, {24.5, 12}, {26.8, 19}};
    const Rgba colors[] = {
        {220, 40, 40, 255}, {245, 200, 30, 255}, {40, 160, 60, 255}, {40, 90, 220, 255}};
    for (int index = 0; index < 4; ++index) {
        c.Dot(paints[index], 3.2, kInk);
        c.Dot(paints[index], 2.2, colors[index]);
    }
}

void DrawChecked(Canvas& c) {
    c.Polyline({{7, 19}, {14.5, 26.5}, {29, 9}}, 4.4, false);
}

void DrawHidden(Canvas& c) {
    // An eye, struck through, with a clear gap on both sides of the stroke. The
    // lids are two circle arcs meeting in the corners (4,18) and (32,18), 9 units
    // above and below the middle.
    constexpr double kHalfWidth = 14;
    constexpr double kOpening = 9;
    const double radius = (kHalfWidth * kHalfWidth + kOpening * kOpening) / (2 * kOpening);
    const double corner = std::atan2(radius - kOpening, kHalfWidth) * 180.0 / kPi;
    c.Polyline(Arc({18, 18 - kOpening + radius}, radius, radius, 180 + corner, 360 - corner, 40),
               2.4, false);
    c.Polyline(Arc({18, 18 + kOpening - radius}, radius, radius, corner, 180 - corner, 40), 2.4,
               false);
    c.Dot({18, 18}, 5.6);
    const Point a = {6, 31};
    const Point b = {30, 5};
    c.Erase([&](double x, double y) { return DistanceToSegment(x, y, a, b) < 2.9; });
    c.Line(a, b, 2.6);
}

struct Icon {
    const char* name;
    void (*draw)(Canvas&);
};

const Icon kIcons[] = {
    {"tool_select", DrawSelect},
    {"tool_line", DrawLine},
    {"tool_arrow", DrawArrow},
    {"tool_dashed_line", DrawDashedLine},
    {"tool_rect", DrawRect},
    {"tool_text", DrawText},
    {"tool_circle", DrawCircle},
    {"tool_measurement", DrawMeasurement},
    {"tool_choose_color", DrawChooseColor},
    {"checked", DrawChecked},
    {"hidden", DrawHidden},
};

// Averages each 4 x 4 block of the canvas into one pixel, weighting colours by
// their coverage so that edges do not darken towards the transparent black.
SDL_Surface* Downsample(SDL_Surface* canvas) {
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormat(0, kIconSize, kIconSize, 32, SDL_PIXELFORMAT_RGBA32);
    if (icon == nullptr) {
        return nullptr;
    }
    const auto* source = static_cast<const Uint8*>(canvas->pixels);
    auto* target = static_cast<Uint8*>(icon->pixels);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < kOversample; ++sy) {
                for (int sx = 0; sx < kOversample; ++sx) {
                    const Uint8* p = source + (y * kOversample + sy) * canvas->pitch +
                                     (x * kOversample + sx) * 4;
                    const double alpha = p[3] / 255.0;
                    sum[0] += p[0] * alpha;
                    sum[1] += p[1] * alpha;
                    sum[2] += p[2] * alpha;
                    sum[3] += alpha;
                }
            }
            Uint8* out = target + y * icon->pitch + x * 4;
            for (int channel = 0; channel < 3; ++channel) {
                out[channel] =
                    sum[3] > 0 ? static_cast<Uint8>(std::lround(sum[channel] / sum[3])) : 0;
            }
            out[3] = static_cast<Uint8>(std::lround(255.0 * sum[3] / (kOversample * kOversample)));
        }
    }
    return icon;
}

SDL_Surface* RenderIcon(const Icon& icon) {
    SDL_Surface* canvas =
        SDL_CreateRGBSurfaceWithFormat(0, kCanvasSize, kCanvasSize, 32, SDL_PIXELFORMAT_RGBA32);
    if (canvas == nullptr) {
        return nullptr;
    }
    SDL_FillRect(canvas, nullptr, 0);
    SDL_Surface* result = nullptr;
    {
        Canvas drawing(canvas);
        if (drawing.Ok()) {
            icon.draw(drawing);
        }
    }
    result = Downsample(canvas);
    SDL_FreeSurface(canvas);
    return result;
}

// Every icon at its size and enlarged eight times, on the toolbox grey.
bool WriteContactSheet(const std::vector<SDL_Surface*>& icons, const std::string& path) {
    constexpr int kEnlarged = kIconSize * 8;
    constexpr int kGap = 12;
    constexpr int kColumns = 4;
    const int count = static_cast<int>(icons.size());
    const int rows = (count + kColumns - 1) / kColumns;
    const int cellWidth = kIconSize + kGap + kEnlarged + kGap;
    const int cellHeight = kEnlarged + kGap;
    SDL_Surface* sheet = SDL_CreateRGBSurfaceWithFormat(
        0, kColumns * cellWidth + kGap, rows * cellHeight + kGap, 32, SDL_PIXELFORMAT_RGBA32);
    if (sheet == nullptr) {
        return false;
    }
    SDL_FillRect(sheet, nullptr,
                 SDL_MapRGBA(sheet->format, kToolboxGrey.r, kToolboxGrey.g, kToolboxGrey.b, 255));
    for (int index = 0; index < count; ++index) {
        const int left = kGap + (index % kColumns) * cellWidth;
        const int top = kGap + (index / kColumns) * cellHeight;
        SDL_SetSurfaceBlendMode(icons[index], SDL_BLENDMODE_BLEND);
        SDL_Rect small = {left, top, kIconSize, kIconSize};
        SDL_BlitSurface(icons[index], nullptr, sheet, &small);
        SDL_Rect large = {left + kIconSize + kGap, top, kEnlarged, kEnlarged};
        SDL_BlitScaled(icons[index], nullptr, sheet, &large);
    }
    const bool saved = IMG_SavePNG(sheet, path.c_str()) == 0;
    SDL_FreeSurface(sheet);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER [CONTACT_SHEET.png]\n");
        return 2;
    }
    std::vector<SDL_Surface*> icons;
    int status = 0;
    for (const Icon& icon : kIcons) {
        SDL_Surface* surface = RenderIcon(icon);
        const std::string path = std::string(argv[1]) + "/" + icon.name + ".png";
        if (surface == nullptr || IMG_SavePNG(surface, path.c_str()) != 0) {
            std::fprintf(stderr, "make_icons: %s: %s\n", path.c_str(), SDL_GetError());
            status = 1;
        }
        if (surface != nullptr) {
            icons.push_back(surface);
        }
    }
    if (status == 0 && argc == 3 && !WriteContactSheet(icons, argv[2])) {
        std::fprintf(stderr, "make_icons: %s: %s\n", argv[2], SDL_GetError());
        status = 1;
    }
    for (SDL_Surface* surface : icons) {
        SDL_FreeSurface(surface);
    }
    return status;
}
