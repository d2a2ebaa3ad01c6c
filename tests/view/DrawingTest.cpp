#include "document/MeasurementLabel.h"
#include "document/PaperTestSupport.h"
#include "document/Units.h"
#include "draw/DrawPrimitives.h"
#include "draw/RasterLine.h"
#include "draw/SurfacePainter.h"
#include "view/ObjectDrawing.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

const SDL_Color kInk = {255, 255, 255, 255};
const SDL_Color kPaper = {0, 0, 0, 255};

// A paper whose surface covers all of it, cleared to black, drawing in white.
struct Canvas {
    DocumentSession session;
    Paper paper;
    PaperView view;
    explicit Canvas(int w = 400, int h = 300)
        : session(w, h), view(paper, editor->shell.drawFont.get(), {w, h}) {
        paper.SetSize(w, h);
        view.PrepareRenderTarget(view.VisibleArea());
        Clear();
    }
    void Clear() {
        SDL_SetRenderDrawColor(view.Renderer(), 0, 0, 0, 255);
        SDL_RenderClear(view.Renderer());
        SDL_SetRenderDrawColor(view.Renderer(), 255, 255, 255, 255);
    }
    bool Lit(int x, int y) {
        SDL_RenderFlush(view.Renderer());
        return !SameColor(PaperPixel(view, x, y), kPaper);
    }
    std::vector<SDL_Point> LitPoints() {
        SDL_RenderFlush(view.Renderer());
        std::vector<SDL_Point> points;
        for (int y = 0; y < paper.height; ++y) {
            for (int x = 0; x < paper.width; ++x) {
                if (!SameColor(PaperPixel(view, x, y), kPaper)) {
                    points.push_back({x, y});
                }
            }
        }
        return points;
    }
};

// The error-term loop written out step by step, as the reference.
std::vector<LinePoint> LoopLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, LineTies ties) {
    std::vector<LinePoint> points;
    const int64_t dx = std::llabs(int64_t{x2} - x1);
    const int64_t dy = -std::llabs(int64_t{y2} - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int64_t err = dx + dy;
    int64_t x = x1;
    int64_t y = y1;
    for (int64_t step = 0;; ++step) {
        points.push_back({step, static_cast<int32_t>(x), static_cast<int32_t>(y)});
        if (x == x2 && y == y2) {
            break;
        }
        const int64_t e2 = 2 * err;
        const bool moveX = ties == LineTies::TowardEnd ? e2 >= dy : e2 > dy;
        const bool moveY = ties == LineTies::TowardEnd ? e2 <= dx : e2 < dx;
        if (moveX) {
            err += dy;
            x += sx;
        }
        if (moveY) {
            err += dx;
            y += sy;
        }
    }
    return points;
}

bool SamePoints(const std::vector<LinePoint>& a, const std::vector<LinePoint>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].step != b[i].step || a[i].x != b[i].x || a[i].y != b[i].y) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(RasterLineTest, ClippedWalkHasExactlyThePointsOfTheFullLoop) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> coordinate(-300, 300);
    for (int i = 0; i < 3000; ++i) {
        const int32_t x1 = coordinate(random);
        const int32_t y1 = coordinate(random);
        const int32_t x2 = coordinate(random);
        const int32_t y2 = coordinate(random);
        const SDL_Rect clip = {coordinate(random), coordinate(random), 1 + coordinate(random) + 300,
                               1 + coordinate(random) + 300};
        for (LineTies ties : {LineTies::TowardEnd, LineTies::TowardStart}) {
            const std::vector<LinePoint> full = LoopLine(x1, y1, x2, y2, ties);
            std::vector<LinePoint> expected;
            for (const LinePoint& p : full) {
                if (PointInside(clip, {p.x, p.y})) {
                    expected.push_back(p);
                }
            }
            std::vector<LinePoint> walked;
            WalkLine(x1, y1, x2, y2, ties, clip, [&](const LinePoint& p) { walked.push_back(p); });
            ASSERT_TRUE(SamePoints(walked, expected))
                << x1 << "," << y1 << " - " << x2 << "," << y2 << " ties " << int(ties);
        }
    }

    // A line of billions of pixels costs only its visible part.
    std::vector<LinePoint> visible;
    WalkLine(INT32_MIN, -5, INT32_MAX, 5, LineTies::TowardEnd, {-10, -10, 21, 21},
             [&](const LinePoint& p) { visible.push_back(p); });
    ASSERT_EQ(visible.size(), 21u);
    EXPECT_EQ(visible.front().x, -10);
    EXPECT_EQ(visible.back().x, 10);
    EXPECT_EQ(visible[10].y, 0);
}

TEST(DrawPrimitivesTest, PixelLinesMatchSdlLinesOnAWholePaper) {
    Canvas canvas(200, 200);
    SDL_Surface* reference =
        SDL_CreateRGBSurfaceWithFormat(0, 200, 200, 16, SDL_PIXELFORMAT_RGB565);
    SDL_Renderer* sdl = SDL_CreateSoftwareRenderer(reference);
    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> coordinate(0, 199);
    for (int i = 0; i < 300; ++i) {
        const int x1 = coordinate(random);
        const int y1 = coordinate(random);
        const int x2 = coordinate(random);
        const int y2 = coordinate(random);
        canvas.Clear();
        SurfacePainter painter = canvas.view.Painter();
        DrawPixelLine(painter, x1, y1, x2, y2, kInk);
        SDL_SetRenderDrawColor(sdl, 0, 0, 0, 255);
        SDL_RenderClear(sdl);
        SDL_SetRenderDrawColor(sdl, 255, 255, 255, 255);
        SDL_RenderDrawLine(sdl, x1, y1, x2, y2);
        SDL_RenderFlush(sdl);
        ASSERT_EQ(0, std::memcmp(reference->pixels, canvas.view.Surface()->pixels,
                                 size_t(reference->pitch) * reference->h))
            << x1 << "," << y1 << " - " << x2 << "," << y2;
    }
    SDL_DestroyRenderer(sdl);
    SDL_FreeSurface(reference);
}

TEST(DrawPrimitivesTest, DashedLinesAreTenPixelsOnTenOff) {
    Canvas canvas;
    SurfacePainter painter = canvas.view.Painter();
    DrawDashedLine(painter, 0, 0, 39, 0, kInk);
    for (int x = 0; x < 45; ++x) {
        EXPECT_EQ(canvas.Lit(x, 0), (x <= 9) || (x >= 20 && x <= 29)) << "x = " << x;
    }

    canvas.Clear();
    painter = canvas.view.Painter();
    DrawDashedLine(painter, 0, 0, 0, 5, kInk);
    EXPECT_EQ(canvas.LitPoints().size(), 6u);

    canvas.Clear();
    painter = canvas.view.Painter();
    DrawDashedLine(painter, 7, 7, 7, 7, kInk);
    const std::vector<SDL_Point> single = canvas.LitPoints();
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].x, 7);

    // Slanted: the pattern counts steps of the walk, not distance.
    canvas.Clear();
    painter = canvas.view.Painter();
    DrawDashedLine(painter, 0, 0, 39, 39, kInk);
    EXPECT_TRUE(canvas.Lit(9, 9));
    EXPECT_FALSE(canvas.Lit(10, 10));
    EXPECT_TRUE(canvas.Lit(20, 20));
    EXPECT_FALSE(canvas.Lit(39, 39)) << "the end point falls in a gap";
}

TEST(DrawPrimitivesTest, ArrowHeadsAreTenLongAndTwentyWide) {
    Canvas canvas;
    SurfacePainter painter = canvas.view.Painter();
    DrawArrow(painter, 50, 50, 150, 50, kInk);
    for (SDL_Point p : {SDL_Point{140, 40}, SDL_Point{140, 60}, SDL_Point{140, 50},
                        SDL_Point{150, 50}, SDL_Point{145, 45}, SDL_Point{145, 55}}) {
        EXPECT_TRUE(canvas.Lit(p.x, p.y)) << p.x << "," << p.y;
    }
    EXPECT_FALSE(canvas.Lit(139, 39));
    EXPECT_FALSE(canvas.Lit(151, 50));

    canvas.Clear();
    painter = canvas.view.Painter();
    DrawArrow(painter, 50, 50, 50, 150, kInk);
    EXPECT_TRUE(canvas.Lit(60, 140));
    EXPECT_TRUE(canvas.Lit(40, 140));
    EXPECT_TRUE(canvas.Lit(50, 150));
    EXPECT_FALSE(canvas.Lit(61, 141));
}

TEST(DrawPrimitivesTest, MeasurementsChooseTheirCaseAndPlaceTheirMarks) {
    MeasurementGeometry g = MeasureMeasurement(10, 10, 10, 60);
    EXPECT_EQ(g.kind, MeasurementCase::Vertical);
    EXPECT_EQ(g.length, 50);
    EXPECT_EQ(g.fitWidth, 0);
    g = MeasureMeasurement(11, 10, 10, 60);
    EXPECT_EQ(g.kind, MeasurementCase::Vertical) << "one pixel off still counts as vertical";
    EXPECT_EQ(g.length, 50);
    EXPECT_EQ(g.x0, 11);
    g = MeasureMeasurement(10, 60, 10, 10);
    EXPECT_EQ(g.y0, 10) << "measured from the top point";
    g = MeasureMeasurement(100, 21, 20, 20);
    EXPECT_EQ(g.kind, MeasurementCase::Horizontal);
    EXPECT_EQ(g.x0, 20);
    EXPECT_EQ(g.y0, 20);
    EXPECT_EQ(g.length, 80);
    EXPECT_EQ(g.centre.x, 60);
    g = MeasureMeasurement(0, 0, -30, 40);
    EXPECT_EQ(g.kind, MeasurementCase::Slanted);
    EXPECT_EQ(g.length, 50);
    EXPECT_EQ(g.fitWidth, -30) << "a leftward slant never fits a joined label";
    EXPECT_EQ(g.centre.x, -15);
    EXPECT_EQ(g.centre.y, 20);

    Canvas canvas;
    DrawMeasurement(canvas.view, 100, 10, 100, 160, kInk);
    EXPECT_TRUE(canvas.Lit(91, 10)) << "tick across the top end";
    EXPECT_TRUE(canvas.Lit(109, 160)) << "tick across the bottom end";
    EXPECT_TRUE(canvas.Lit(100, 18)) << "stub pointing inwards";
    EXPECT_FALSE(canvas.Lit(100, 40)) << "no line joins the marks";

    canvas.Clear();
    DrawMeasurement(canvas.view, 20, 200, 320, 200, kInk);
    EXPECT_TRUE(canvas.Lit(20, 191));
    EXPECT_TRUE(canvas.Lit(320, 209));
    EXPECT_TRUE(canvas.Lit(28, 200));
    EXPECT_TRUE(canvas.Lit(312, 200));
    EXPECT_FALSE(canvas.Lit(50, 200));

    canvas.Clear();
    DrawMeasurement(canvas.view, 50, 50, 250, 250, kInk);
    EXPECT_TRUE(canvas.Lit(50 + 7, 50 - 7) || canvas.Lit(50 + 7, 50 - 6)) << "slanted tick";
    EXPECT_TRUE(canvas.Lit(250 - 7, 250 - 7) || canvas.Lit(250 - 7, 250 - 8)) << "end stub";
}

TEST(DrawPrimitivesTest, FeetLabelsJoinOnOneLineOnlyWhenThereIsRoom) {
    Canvas canvas(600, 300);
    Paper& paper = canvas.paper;
    paper.blockWidth = paper.blockHeight = 50;
    paper.blocksPerUnit = 1;
    paper.unitIndex = 0;
    ASSERT_NE(editor->shell.drawFont.get(), nullptr);
    int lineHeight = 0;
    TTF_SizeUTF8(editor->shell.drawFont.get(), "2'", nullptr, &lineHeight);

    // 100 pixels are 2 feet: "2'" and "(24")".
    const MeasurementLabel label = FormatMeasurementLabel(paper, 100);
    EXPECT_EQ(label.first, "2'");
    EXPECT_EQ(label.second, "(24\")");
    int joinedWidth = 0;
    TTF_SizeUTF8(editor->shell.drawFont.get(), "2' (24\")", &joinedWidth, nullptr);
    const SDL_Rect short_ = MeasurementLabelRect(paper, MeasureMeasurement(0, 100, 100, 100));
    EXPECT_EQ(short_.h, joinedWidth < 80 ? lineHeight : 2 * lineHeight);
    // One foot leaves 30 pixels between the marks: too narrow, the parts stack.
    const SDL_Rect stacked = MeasurementLabelRect(paper, MeasureMeasurement(0, 100, 50, 100));
    EXPECT_EQ(stacked.h, 2 * lineHeight);
    // A long span joins them.
    const SDL_Rect joined = MeasurementLabelRect(paper, MeasureMeasurement(0, 100, 500, 100));
    EXPECT_EQ(joined.h, lineHeight);
    EXPECT_GT(joined.w, stacked.w);
    // Vertical measurements always stack.
    EXPECT_EQ(MeasurementLabelRect(paper, MeasureMeasurement(0, 0, 0, 500)).h, 2 * lineHeight);

    // The drawn label sits centred between the marks.
    DrawMeasurement(canvas.view, 50, 150, 550, 150, kInk);
    bool labelAbove = false;
    bool labelBelow = false;
    for (int x = 250; x < 350; ++x) {
        labelAbove = labelAbove || canvas.Lit(x, 150 - lineHeight / 4);
        labelBelow = labelBelow || canvas.Lit(x, 150 + lineHeight / 4);
    }
    EXPECT_TRUE(labelAbove && labelBelow);
    EXPECT_FALSE(canvas.Lit(300, 150 - lineHeight)) << "one line only";
    SaveForInspection(canvas.view, "measurement_label");

    // A stacked label draws its two parts one above the other, both inside
    // its rectangle: ink in the upper and in the lower half, none around it.
    canvas.Clear();
    DrawMeasurement(canvas.view, 450, 20, 450, 280, kInk);
    SaveForInspection(canvas.view, "measurement_label_stacked");
    const SDL_Rect two = MeasurementLabelRect(paper, MeasureMeasurement(450, 20, 450, 280));
    auto inkInRows = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = two.x; x < two.x + two.w; ++x) {
                if (std::abs(x - 450) > 1 && canvas.Lit(x, y)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(inkInRows(two.y, two.y + lineHeight)) << "the feet";
    EXPECT_TRUE(inkInRows(two.y + lineHeight, two.y + 2 * lineHeight)) << "the inches";
    EXPECT_FALSE(inkInRows(two.y - lineHeight, two.y - 2));
    EXPECT_FALSE(inkInRows(two.y + 2 * lineHeight + 2, two.y + 3 * lineHeight));

    // Inches: a second part from 12 on; metres never.
    paper.unitIndex = 1;
    EXPECT_EQ(FormatMeasurementLabel(paper, 11.99 * 50).second, "");
    EXPECT_EQ(FormatMeasurementLabel(paper, 12 * 50).second, "(1')");
    paper.unitIndex = 2;
    EXPECT_EQ(FormatMeasurementLabel(paper, 25).first, "0.5 m");
    EXPECT_EQ(FormatMeasurementLabel(paper, 25).second, "");
}

TEST(DrawPrimitivesTest, TextTurnsClockwiseAboutItsTopLeftCorner) {
    Canvas canvas;
    DrawText(canvas.view, 200, 100, kInk, "Tessellon", 0);
    std::vector<SDL_Point> lit = canvas.LitPoints();
    ASSERT_FALSE(lit.empty());
    for (const SDL_Point& p : lit) {
        ASSERT_TRUE(p.x >= 200 && p.y >= 100) << p.x << "," << p.y;
    }
    int straightRight = 0;
    for (const SDL_Point& p : lit) {
        straightRight = std::max(straightRight, p.x);
    }

    canvas.Clear();
    DrawText(canvas.view, 200, 100, kInk, "Tessellon", 90);
    lit = canvas.LitPoints();
    ASSERT_FALSE(lit.empty());
    int lowest = 0;
    for (const SDL_Point& p : lit) {
        ASSERT_TRUE(p.x <= 200 && p.y >= 100) << p.x << "," << p.y;
        lowest = std::max(lowest, p.y);
    }
    EXPECT_NEAR(lowest - 100, straightRight - 200, 2) << "the text now runs downwards";

    canvas.Clear();
    DrawText(canvas.view, 10, 10, kInk, "", 0);
    DrawTextLines(canvas.view, {}, kInk, {50, 50});
    EXPECT_TRUE(canvas.LitPoints().empty()) << "nothing to draw is no failure";
}

TEST(DrawPrimitivesTest, MeasurementsAtTheFarEdgeOfTheLargestPaperAreCutThere) {
    Canvas canvas;
    Paper& paper = canvas.paper;
    ASSERT_TRUE(paper.Resize(kMaxPaperPixels, 300, true));
    ASSERT_TRUE(canvas.view.PrepareRenderTarget(canvas.view.VisibleArea()));
    const auto rowLit = [&canvas](int left, int y) {
        int lit = 0;
        for (int x = left; x < left + 400; ++x) {
            lit += canvas.Lit(x, y) ? 1 : 0;
        }
        return lit;
    };
    // Vertical and slanted measurements whose ticks reach past 32767.
    const auto draw = [&canvas] {
        DrawMeasurement(canvas.view, kMaxPaperPixels - 3, 100, kMaxPaperPixels - 3, 200, kInk);
        DrawMeasurement(canvas.view, kMaxPaperPixels - 200, 250, kMaxPaperPixels - 2, 240, kInk);
    };
    canvas.Clear();
    draw();
    EXPECT_EQ(rowLit(0, 100), 0) << "no tick wrapped round to the paper's left edge";
    EXPECT_EQ(rowLit(0, 200), 0);
    EXPECT_EQ(rowLit(0, 241), 0);

    canvas.view.scrollX = kMaxPaperPixels - 400;
    ASSERT_TRUE(canvas.view.PrepareRenderTarget(canvas.view.VisibleArea()));
    canvas.Clear();
    draw();
    EXPECT_TRUE(canvas.Lit(kMaxPaperPixels - 12, 100)) << "the tick's part on the paper is drawn";
    EXPECT_TRUE(canvas.Lit(kMaxPaperPixels - 1, 200));
    EXPECT_LT(rowLit(kMaxPaperPixels - 400, 100), 25);
}
