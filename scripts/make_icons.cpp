// Draws the toolbox and menu icons into the folder given as the first argument:
// 36 x 36 pictograms with dark strokes on a transparent background, so that they
// read on the grey toolbox. With a second argument it also writes a contact
// sheet of all icons, small and enlarged, on the toolbox grey, to look at them.
//
// With --app-icon FOLDER NAME it draws the program's own icon instead: NAME.svg
// and NAME-SIZE.png for the sizes of the desktop's icon theme, from one list of
// shapes, so the scalable and the pixel icons show the same picture.
//
// Each icon is drawn several times larger with SDL2_gfx and then averaged down,
// which gives smooth, evenly anti-aliased edges for thick strokes and fills.
#include <SDL2/SDL.h>
#include <SDL2/SDL2_gfxPrimitives.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
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

// Drawing in icon units on the oversampled canvas, `scale` pixels a unit.
class Canvas {
  public:
    explicit Canvas(SDL_Surface* surface, double scale = kOversample)
        : surface_(surface), renderer_(SDL_CreateSoftwareRenderer(surface)), scale_(scale) {}
    ~Canvas() {
        if (renderer_ != nullptr) {
            SDL_DestroyRenderer(renderer_);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ok() const { return renderer_ != nullptr; }
    SDL_Renderer* Renderer() const { return renderer_; }

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
                      static_cast<Uint8>(std::lround(width * scale_)), color.r, color.g,
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
        for (int y = 0; y < surface_->h; ++y) {
            for (int x = 0; x < surface_->w; ++x) {
                const double ux = (x + 0.5) / scale_;
                const double uy = (y + 0.5) / scale_;
                if (inside(ux, uy)) {
                    pixels[y * stride + x] = 0;
                }
            }
        }
    }

  private:
    Sint16 Px(double units) const { return static_cast<Sint16>(std::lround(units * scale_)); }

    SDL_Surface* surface_;
    SDL_Renderer* renderer_;
    double scale_;
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

// Averages each block of the canvas into one pixel of a `size` x `size` icon,
// weighting colours by their coverage so that edges do not darken towards the
// transparent black.
SDL_Surface* Downsample(SDL_Surface* canvas, int size) {
    const int factor = canvas->w / size;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_RGBA32);
    if (icon == nullptr) {
        return nullptr;
    }
    const auto* source = static_cast<const Uint8*>(canvas->pixels);
    auto* target = static_cast<Uint8*>(icon->pixels);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const Uint8* p =
                        source + (y * factor + sy) * canvas->pitch + (x * factor + sx) * 4;
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
            out[3] = static_cast<Uint8>(std::lround(255.0 * sum[3] / (factor * factor)));
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
    result = Downsample(canvas, kIconSize);
    SDL_FreeSurface(canvas);
    return result;
}

// --- The program's icon ------------------------------------------------------

// Units of the program's icon: a 256 x 256 square, as the SVG's view box.
constexpr int kAppIconUnits = 256;
// The pixel sizes of the icon theme; the canvas is a multiple of each.
constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kAppIconCanvas = 768;

// A filled polygon, or a stroke with round ends and joins through the points.
struct Shape {
    std::vector<Point> points;
    Rgba color;
    double strokeWidth; // 0 for a fill
    bool closed;
};

// A sheet of squared paper with a room drawn on it and its width measured below.
std::vector<Shape> AppIconShapes() {
    constexpr Rgba kSheet = {252, 252, 246, 255};
    constexpr Rgba kEdge = {58, 68, 84, 255};
    constexpr Rgba kGrid = {150, 190, 232, 255};
    constexpr Rgba kWall = {28, 58, 140, 255};
    constexpr Rgba kMeasure = {206, 48, 38, 255};
    constexpr double kLeft = 32, kTop = 20, kRight = 224, kBottom = 236, kStep = 24;
    std::vector<Shape> shapes;
    const std::vector<Point> sheet = {{kLeft, kTop}, {kRight, kTop}, {kRight, kBottom}, {kLeft, kBottom}};
    shapes.push_back({sheet, kSheet, 0, true});
    for (double x = kLeft + kStep; x < kRight; x += kStep) {
        shapes.push_back({{{x, kTop}, {x, kBottom}}, kGrid, 2.5, false});
    }
    for (double y = kTop + kStep; y < kBottom; y += kStep) {
        shapes.push_back({{{kLeft, y}, {kRight, y}}, kGrid, 2.5, false});
    }
    shapes.push_back({sheet, kEdge, 6, true});
    shapes.push_back({{{80, 68}, {176, 68}, {176, 164}, {80, 164}}, kWall, 11, true});
    shapes.push_back({{{80, 124}, {136, 124}}, kWall, 6, false});
    shapes.push_back({{{80, 180}, {80, 212}}, kMeasure, 5, false});
    shapes.push_back({{{176, 180}, {176, 212}}, kMeasure, 5, false});
    shapes.push_back({{{94, 196}, {162, 196}}, kMeasure, 5, false});
    shapes.push_back({{{82, 196}, {100, 186}, {100, 206}}, kMeasure, 0, true});
    shapes.push_back({{{174, 196}, {156, 186}, {156, 206}}, kMeasure, 0, true});
    return shapes;
}

std::string SvgPoints(const std::vector<Point>& points) {
    std::string text;
    for (const Point& point : points) {
        char pair[48];
        std::snprintf(pair, sizeof pair, "%s%g,%g", text.empty() ? "" : " ", point.x, point.y);
        text += pair;
    }
    return text;
}

std::string AppIconSvg(const std::vector<Shape>& shapes) {
    char header[160];
    std::snprintf(header, sizeof header,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                  "viewBox=\"0 0 %d %d\">\n",
                  kAppIconUnits, kAppIconUnits, kAppIconUnits, kAppIconUnits);
    std::string svg = header;
    for (const Shape& shape : shapes) {
        char color[32];
        std::snprintf(color, sizeof color, "rgb(%d,%d,%d)", shape.color.r, shape.color.g,
                      shape.color.b);
        const bool polygon = shape.closed || shape.strokeWidth == 0;
        svg += std::string("  <") + (polygon ? "polygon" : "polyline") + " points=\"" +
               SvgPoints(shape.points) + "\"";
        if (shape.strokeWidth == 0) {
            svg += std::string(" fill=\"") + color + "\"/>\n";
        } else {
            char width[32];
            std::snprintf(width, sizeof width, "%g", shape.strokeWidth);
            svg += std::string(" fill=\"none\" stroke=\"") + color + "\" stroke-width=\"" + width +
                   "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
        }
    }
    return svg + "</svg>\n";
}

SDL_Surface* RenderAppIconCanvas(const std::vector<Shape>& shapes) {
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, kAppIconCanvas, kAppIconCanvas, 32,
                                                         SDL_PIXELFORMAT_RGBA32);
    if (canvas == nullptr) {
        return nullptr;
    }
    SDL_FillRect(canvas, nullptr, 0);
    Canvas drawing(canvas, static_cast<double>(kAppIconCanvas) / kAppIconUnits);
    if (!drawing.Ok()) {
        SDL_FreeSurface(canvas);
        return nullptr;
    }
    for (const Shape& shape : shapes) {
        if (shape.strokeWidth == 0) {
            drawing.Fill(shape.points, shape.color);
        } else {
            drawing.Polyline(shape.points, shape.strokeWidth, shape.closed, shape.color);
        }
    }
    SDL_RenderFlush(drawing.Renderer());
    return canvas;
}

int WriteAppIcon(const std::string& folder, const std::string& name) {
    const std::vector<Shape> shapes = AppIconShapes();
    const std::string svgPath = folder + "/" + name + ".svg";
    std::ofstream(svgPath, std::ios::binary) << AppIconSvg(shapes);
    SDL_Surface* canvas = RenderAppIconCanvas(shapes);
    if (canvas == nullptr) {
        std::fprintf(stderr, "make_icons: %s\n", SDL_GetError());
        return 1;
    }
    int status = 0;
    for (const int size : kAppIconSizes) {
        SDL_Surface* icon = Downsample(canvas, size);
        const std::string path = folder + "/" + name + "-" + std::to_string(size) + ".png";
        if (icon == nullptr || IMG_SavePNG(icon, path.c_str()) != 0) {
            std::fprintf(stderr, "make_icons: %s: %s\n", path.c_str(), SDL_GetError());
            status = 1;
        }
        SDL_FreeSurface(icon);
    }
    SDL_FreeSurface(canvas);
    return status;
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
    if (argc == 4 && std::strcmp(argv[1], "--app-icon") == 0) {
        return WriteAppIcon(argv[2], argv[3]);
    }
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER [CONTACT_SHEET.png]\n"
                             "       make_icons --app-icon OUTPUT_FOLDER NAME\n");
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
