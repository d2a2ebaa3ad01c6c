#include "view/PaperRenderer.h"
#include "document/PaperTestSupport.h"
#include "tools/ToolSupport.h"
#include "view/ObjectDrawing.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

const SDL_Color kDarkSlate = {0x21, 0x28, 0x30, 0xFF};
const SDL_Color kBlack = {0, 0, 0, 255};
const SDL_Color kWhite = {255, 255, 255, 255};
const SDL_Color kMagenta = {255, 0, 255, 255};

std::shared_ptr<PaperObject> Add(Paper& paper, ObjectRecord record, uint8_t layer = 0,
                                 SDL_Color color = {0, 0, 0, 0}) {
    record.SetLayer(layer);
    record.SetColor(color);
    EXPECT_TRUE(paper.CreateAndAddObject(record));
    return paper.objects.back();
}

// A paper holding one of each kind of object, several turned or slanted.
void AddEveryKind(Paper& paper) {
    Add(paper, LineRecord(ObjectKind::Line, 20, 30, 380, 170));
    Add(paper, LineRecord(ObjectKind::DashedLine, 30, 400, 520, 190), 0, {255, 200, 0, 255});
    Add(paper, LineRecord(ObjectKind::Arrow, 600, 40, 430, 260));
    Add(paper, LineRecord(ObjectKind::Arrow, 100, 450, 100, 300), 0, {0, 255, 0, 255});
    Add(paper, LineRecord(ObjectKind::Measurement, 50, 480, 350, 480));
    Add(paper, LineRecord(ObjectKind::Measurement, 650, 60, 651, 400));
    Add(paper, LineRecord(ObjectKind::Measurement, 400, 320, 620, 450), 0, {0, 200, 255, 255});
    Add(paper, LineRecord(ObjectKind::Rect, 440, 300, 300, 380));
    Add(paper, CircleRecord(200, 250, 60));
    Add(paper, CircleRecord(520, 120, 70, 5, 15), 0, {255, 80, 80, 255});
    Add(paper, TextRecord(150, 60, "Kitchen 4.2 m"));
    Add(paper, TextRecord(560, 300, "Turned", 37), 0, {255, 255, 0, 255});
    Add(paper, TextRecord(40, 420, "Upwards", -90));
}

// A 700 x 500 paper with a grid and one of each kind, and a view of it.
struct EveryKindPaper {
    DocumentSession session{2000, 2000};
    Paper paper;
    PaperView view{paper,
                   editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h}};
    EveryKindPaper() {
        EXPECT_TRUE(paper.SetSize(700, 500));
        paper.palette.gridColor = {60, 70, 90, 255};
        AddEveryKind(paper);
    }
};

struct Image {
    int w = 0;
    int h = 0;
    std::vector<uint16_t> pixels;
    uint16_t At(int x, int y) const { return pixels[size_t(y) * w + x]; }
};

// A copy of what the paper's surface holds for its render area.
Image Capture(const PaperView& view) {
    Image image;
    image.w = view.RenderArea().w;
    image.h = view.RenderArea().h;
    for (int y = 0; y < image.h; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(
            static_cast<const uint8_t*>(view.Surface()->pixels) + y * view.Surface()->pitch);
        image.pixels.insert(image.pixels.end(), row, row + image.w);
    }
    return image;
}

// Counts pixels in a region that are not the colour `background`.
int CountInk(const PaperView& view, SDL_Rect region, SDL_Color background) {
    int count = 0;
    for (int y = region.y; y < region.y + region.h; ++y) {
        for (int x = region.x; x < region.x + region.w; ++x) {
            count += SameColor(PaperPixel(view, x, y), Stored(view, background)) ? 0 : 1;
        }
    }
    return count;
}

int previewCalls = 0;
SDL_Color previewColor = {0, 0, 0, 0};
void RecordPreview(PaperView& view) {
    ++previewCalls;
    SDL_GetRenderDrawColor(view.Renderer(), &previewColor.r, &previewColor.g, &previewColor.b,
                           &previewColor.a);
}

const RenderOverlay kNoGrid = [] {
    RenderOverlay overlay;
    overlay.showGrid = false;
    return overlay;
}();

} // namespace

TEST(PaperRendererTest, GridHasMinorAndMajorLinesOverTheWholePaper) {
    DocumentSession session(2000, 2000);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(1056, 816));
    ASSERT_EQ(paper.blockWidth, 24);
    const SDL_Point counts = GridLineCounts(paper);
    EXPECT_EQ(counts.x, 45);
    EXPECT_EQ(counts.y, 35);

    ASSERT_TRUE(RenderPaper(view, true, true));
    SaveForInspection(view, "grid");
    EXPECT_EQ(view.RenderArea().w, 1056);
    EXPECT_TRUE(PixelIs(view, 24, 50, kBlack)) << "minor vertical line on its position";
    EXPECT_TRUE(PixelIs(view, 25, 50, kDarkSlate));
    EXPECT_TRUE(PixelIs(view, 50, 25, kBlack)) << "minor horizontal line one lower";
    EXPECT_TRUE(PixelIs(view, 50, 24, kDarkSlate));
    // 4 blocks per unit at 4 lines per inch: a two-pixel line every inch.
    EXPECT_TRUE(PixelIs(view, 96, 50, kBlack));
    EXPECT_TRUE(PixelIs(view, 97, 50, kBlack));
    EXPECT_TRUE(PixelIs(view, 98, 50, kDarkSlate));
    EXPECT_TRUE(PixelIs(view, 50, 95, kBlack));
    EXPECT_TRUE(PixelIs(view, 50, 96, kBlack));
    EXPECT_TRUE(PixelIs(view, 50, 97, kDarkSlate));
    // Every line runs the whole length of the paper.
    EXPECT_TRUE(PixelIs(view, 1032, 815, kBlack));
    EXPECT_TRUE(PixelIs(view, 1055, 793, kBlack));

    int columns = 0;
    for (int x = 0; x < 1056; ++x) {
        columns += SameColor(PaperPixel(view, x, 13), Stored(view, kBlack)) ? 1 : 0;
    }
    EXPECT_EQ(columns, 44 + 11) << "44 lines inside the paper, 11 of them two pixels wide";

    // 12 lines per inch: squares too small for major lines.
    paper.linesPerInch = 12;
    paper.UpdateBlockSize();
    ASSERT_TRUE(RenderPaper(view, true, true));
    EXPECT_TRUE(PixelIs(view, 96, 50, kBlack));
    EXPECT_TRUE(PixelIs(view, 97, 50, kDarkSlate));

    ASSERT_TRUE(RenderPaper(view, true, true, kNoGrid));
    EXPECT_EQ(CountInk(view, {0, 0, 200, 200}, kDarkSlate), 0);
}

TEST(PaperRendererTest, BlackAndWhiteTurnsColoursGreyAndHidesTheSelection) {
    DocumentSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(300, 200));
    auto coloured =
        Add(paper, LineRecord(ObjectKind::Rect, 10, 10, 50, 50), 0, {200, 50, 100, 255});
    auto plain = Add(paper, LineRecord(ObjectKind::Rect, 60, 10, 100, 50));
    auto selected = Add(paper, LineRecord(ObjectKind::Rect, 110, 10, 150, 50));
    paper.selection.emplace(selected->id, selected);

    ASSERT_TRUE(RenderPaper(view, true, false, kNoGrid));
    EXPECT_TRUE(PixelIs(view, 0, 0, kWhite));
    EXPECT_TRUE(PixelIs(view, 10, 30, {100, 100, 100, 255}));
    EXPECT_TRUE(PixelIs(view, 60, 30, kBlack));
    EXPECT_TRUE(PixelIs(view, 110, 30, kBlack));

    ASSERT_TRUE(RenderPaper(view, true, true, kNoGrid));
    EXPECT_TRUE(PixelIs(view, 0, 0, kDarkSlate));
    EXPECT_TRUE(PixelIs(view, 10, 30, {200, 50, 100, 255}));
    EXPECT_TRUE(PixelIs(view, 60, 30, kWhite));
    EXPECT_TRUE(PixelIs(view, 110, 30, kMagenta));

    ASSERT_TRUE(RenderPaper(view, true, false));
    EXPECT_TRUE(PixelIs(view, 24, 100, {0xD0, 0xD0, 0xD0, 255})) << "light grey grid";
}

TEST(PaperRendererTest, HiddenLayersVanishButLayersAbove15AreAlwaysDrawn) {
    DocumentSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(300, 200));
    Add(paper, LineRecord(ObjectKind::Rect, 10, 10, 50, 50), 3);
    Add(paper, LineRecord(ObjectKind::Rect, 60, 10, 100, 50), 20);
    Add(paper, LineRecord(ObjectKind::Rect, 110, 10, 150, 50), 4);
    paper.hiddenLayers[3] = 1;
    paper.hiddenLayers[4] = 0;
    ASSERT_TRUE(RenderPaper(view, true, true, kNoGrid));
    EXPECT_TRUE(PixelIs(view, 10, 30, kDarkSlate));
    EXPECT_TRUE(PixelIs(view, 60, 30, kWhite));
    EXPECT_TRUE(PixelIs(view, 110, 30, kWhite));
    ASSERT_TRUE(RenderPaper(view, false, true, kNoGrid));
    EXPECT_TRUE(PixelIs(view, 10, 30, kDarkSlate)) << "hidden in the view too";
}

TEST(PaperRendererTest, LargeBackgroundImagesShrinkToFitKeepingTheirShape) {
    DocumentSession session(2000, 2000);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(1056, 816));
    SDL_Rect rect = BackgroundImageRect(paper, 2000, 1000);
    EXPECT_EQ(rect.w, 1056);
    EXPECT_EQ(rect.h, 528);
    rect = BackgroundImageRect(paper, 500, 2000);
    EXPECT_EQ(rect.w, 204);
    EXPECT_EQ(rect.h, 816);
    paper.backgroundImageX = 30;
    paper.backgroundImageY = 40;
    rect = BackgroundImageRect(paper, 300, 200);
    EXPECT_EQ(rect.x, 30);
    EXPECT_EQ(rect.y, 40);
    EXPECT_EQ(rect.w, 300) << "smaller images keep their size";
    EXPECT_EQ(rect.h, 200);

    // The real thing: a red 2000 x 1000 picture over a plain paper.
    const std::string path = TestPath("background.png");
    SDL_Surface* red = SDL_CreateRGBSurfaceWithFormat(0, 2000, 1000, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(red, nullptr, SDL_MapRGBA(red->format, 255, 0, 0, 255));
    ASSERT_EQ(IMG_SavePNG(red, path.c_str()), 0);
    SDL_FreeSurface(red);
    paper.backgroundImageX = paper.backgroundImageY = 0;
    std::string problem;
    ASSERT_TRUE(view.LoadBackgroundImage(path, problem)) << problem;
    EXPECT_EQ(paper.backgroundImagePath, path);
    ASSERT_TRUE(RenderPaper(view, true, true, kNoGrid));
    EXPECT_TRUE(PixelIs(view, 1055, 527, {255, 0, 0, 255}));
    EXPECT_TRUE(PixelIs(view, 1055, 528, kDarkSlate));

    // A new renderer (here: a different view size) gets the image again.
    editor->shell.paperViewRect = {0, 0, 500, 300};
    ASSERT_TRUE(RenderPaper(view, false, true, kNoGrid));
    EXPECT_TRUE(PixelIs(view, 499, 299, {255, 0, 0, 255}));
    std::remove(path.c_str());
}

TEST(PaperRendererTest, AnyPartOfThePaperRendersExactlyAsTheWholePaperDoes) {
    EveryKindPaper sheet;
    Paper& paper = sheet.paper;
    PaperView& view = sheet.view;
    ASSERT_TRUE(RenderPaper(view, true, true));
    SaveForInspection(view, "every_kind");
    const Image whole = Capture(view);

    // Tiles of awkward sizes at awkward places, each drawn on its own.
    const int tileWidth = 137;
    const int tileHeight = 91;
    for (int top = 0; top < paper.height; top += tileHeight) {
        for (int left = 0; left < paper.width; left += tileWidth) {
            const SDL_Rect area = {left, top, std::min(tileWidth, paper.width - left),
                                   std::min(tileHeight, paper.height - top)};
            ASSERT_TRUE(RenderPaperArea(view, area, true, true));
            const Image tile = Capture(view);
            for (int y = 0; y < area.h; ++y) {
                for (int x = 0; x < area.w; ++x) {
                    ASSERT_EQ(tile.At(x, y), whole.At(left + x, top + y))
                        << "pixel " << left + x << "," << top + y;
                }
            }
        }
    }
}

// A part redrawn under a clip rectangle on the view's renderer, as after a
// small change: inside the clip the picture is exactly the whole one, outside
// it only the cleared background, whatever part of the paper the surface holds.
TEST(PaperRendererTest, ARedrawUnderAClipRectangleTouchesOnlyTheClip) {
    EveryKindPaper sheet;
    Paper& paper = sheet.paper;
    PaperView& view = sheet.view;
    ASSERT_TRUE(RenderPaper(view, true, true));
    const Image whole = Capture(view);

    const SDL_Rect area = {90, 40, 560, 430};
    // Viewport coordinates, which are paper coordinates.
    for (const SDL_Rect clip :
         {SDL_Rect{95, 45, 300, 250}, SDL_Rect{380, 220, 400, 300}, SDL_Rect{0, 0, 120, 90}}) {
        // Drawn once first: a render target of a new size comes with a new renderer.
        ASSERT_TRUE(RenderPaperArea(view, area, true, true));
        SDL_RenderSetClipRect(view.Renderer(), &clip);
        ASSERT_TRUE(RenderPaperArea(view, area, true, true));
        SDL_RenderSetClipRect(view.Renderer(), nullptr);
        const Image part = Capture(view);
        int inside = 0;
        for (int y = 0; y < area.h; ++y) {
            for (int x = 0; x < area.w; ++x) {
                const SDL_Point p = {area.x + x, area.y + y};
                if (SDL_PointInRect(&p, &clip)) {
                    ++inside;
                    ASSERT_EQ(part.At(x, y), whole.At(p.x, p.y)) << "pixel " << p.x << "," << p.y;
                } else {
                    ASSERT_TRUE(SameColor(PaperPixel(view, p.x, p.y),
                                          Stored(view, paper.palette.backgroundColor)))
                        << "pixel " << p.x << "," << p.y << " outside the clip";
                }
            }
        }
        EXPECT_GT(inside, 0);
    }
}

TEST(PaperRendererTest, ViewOfAScrolledBigPaperShowsWhatIsThere) {
    DocumentSession session(1000, 700);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(20000, 16000));
    AddEveryKind(paper);
    // Move everything far into the paper; add one object near the origin.
    paper.MoveObjects(15000, 12000, false);
    Add(paper, LineRecord(ObjectKind::Rect, 10, 10, 500, 500));
    view.scrollX = 14900;
    view.scrollY = 11950;
    ASSERT_TRUE(RenderPaper(view, false, true));
    SaveForInspection(view, "scrolled_view");
    EXPECT_EQ(view.RenderArea().x, 14900);
    EXPECT_EQ(view.RenderArea().y, 11950);
    EXPECT_EQ(view.RenderArea().w, 1000);
    EXPECT_EQ(view.RenderArea().h, 700);
    EXPECT_EQ(view.Surface()->w, 1000) << "never a surface of the whole paper";
    const Image shown = Capture(view);

    // The same pixels as a larger part of the paper rendered around it.
    ASSERT_TRUE(RenderPaperArea(view, {14800, 11900, 1300, 900}, false, true));
    const Image larger = Capture(view);
    for (int y = 0; y < shown.h; ++y) {
        for (int x = 0; x < shown.w; ++x) {
            ASSERT_EQ(shown.At(x, y), larger.At(x + 100, y + 50)) << x << "," << y;
        }
    }
    ASSERT_TRUE(RenderPaper(view, false, true));
    // The rectangle of the every-kind paper, moved: its corner at (15440, 12300).
    EXPECT_TRUE(PixelIs(view, 15440, 12340, kWhite));
    EXPECT_TRUE(PixelIs(view, 15370, 12340, kDarkSlate)) << "inside the rectangle";

    // Scrolled past the end: only what is left of the paper.
    view.scrollX = 19500;
    ASSERT_TRUE(RenderPaper(view, false, true));
    EXPECT_EQ(view.RenderArea().w, 500);
}

TEST(PaperRendererTest, DraggedSelectionShowsTwiceAndToolPreviewGetsItsColour) {
    DocumentSession session(400, 300);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(400, 300));
    RenderOverlay overlay;
    overlay.showGrid = false;
    auto line = Add(paper, LineRecord(ObjectKind::Rect, 10, 100, 100, 150));
    paper.selection.emplace(line->id, line);
    overlay.draggingSelection = true;
    overlay.dragOffset = {50, 10};
    ASSERT_TRUE(RenderPaper(view, false, true, overlay));
    SaveForInspection(view, "drag");
    EXPECT_TRUE(PixelIs(view, 10, 120, {127, 0, 127, 255})) << "dimmed where it was";
    EXPECT_TRUE(PixelIs(view, 60, 130, kMagenta)) << "bright where it goes";
    ASSERT_TRUE(RenderPaper(view, true, true, overlay));
    EXPECT_TRUE(PixelIs(view, 10, 120, kMagenta)) << "an export shows no drag";
    EXPECT_TRUE(PixelIs(view, 60, 130, kDarkSlate));

    const SDL_Point offset = SelectionDragOffset(paper, /*gridLock=*/true, /*anchor=*/{1, 1},
                                                 /*gridPos=*/{2, 1}, /*paperPos=*/{0, 0});
    EXPECT_EQ(offset.x, 24);
    EXPECT_EQ(offset.y, 0);
    overlay.draggingSelection = false;

    overlay.toolPreview = RecordPreview;
    ASSERT_TRUE(RenderPaper(view, false, true, overlay));
    EXPECT_EQ(previewCalls, 1);
    EXPECT_TRUE(SameColor(previewColor, kWhite));
    paper.drawColor = {10, 20, 30, 40};
    ASSERT_TRUE(RenderPaper(view, false, true, overlay));
    EXPECT_TRUE(SameColor(previewColor, {10, 20, 30, 255}));
    EXPECT_EQ(previewColor.a, 255);
    ASSERT_TRUE(RenderPaper(view, true, true, overlay));
    EXPECT_EQ(previewCalls, 2) << "exports never show the tool";
}

TEST(PaperRendererTest, LabelTexturesAreKeptOnlyWhileTheyAreDrawn) {
    DocumentSession session(400, 300);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(400, 300));
    Add(paper, LineRecord(ObjectKind::Measurement, 20, 100, 380, 100));
    ASSERT_TRUE(RenderPaper(view, false, true));
    const Image first = Capture(view);
    const size_t labels = view.textCache.Size();
    EXPECT_GE(labels, 1u);
    ASSERT_TRUE(RenderPaper(view, false, true));
    EXPECT_EQ(view.textCache.Size(), labels) << "drawn again from the same textures";
    EXPECT_TRUE(first.pixels == Capture(view).pixels);

    // Small redraws cannot tell which texts still show elsewhere; the next
    // whole one can.
    paper.objects.clear();
    ASSERT_TRUE(RenderPaper(view, false, true));
    view.InvalidatePicture();
    ASSERT_TRUE(RenderPaper(view, false, true));
    EXPECT_EQ(view.textCache.Size(), 0u) << "unused labels are let go";
}

// The view reuses its last picture while nothing shown changed. After each
// change the program makes (many of them straight to fields, without telling
// the renderer), the view must look exactly as a fresh drawing does.
TEST(PaperRendererTest, AReusedViewPictureNeverLagsBehindTheDocument) {
    DocumentSession session(700, 500);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(700, 500));
    AddEveryKind(paper);
    RenderOverlay overlay;
    auto freshView = [&] {
        view.InvalidatePicture();
        EXPECT_TRUE(RenderPaper(view, false, true, overlay));
        return Capture(view);
    };
    auto expectCurrent = [&](const char* change) {
        ASSERT_TRUE(RenderPaper(view, false, true, overlay));
        const Image shown = Capture(view);
        const Image fresh = freshView();
        EXPECT_TRUE(shown.pixels == fresh.pixels) << "after: " << change;
    };
    ASSERT_TRUE(RenderPaper(view, false, true));
    const Image first = Capture(view);
    ASSERT_TRUE(RenderPaper(view, false, true));
    EXPECT_TRUE(Capture(view).pixels == first.pixels) << "nothing changed";

    paper.objects[0]->record.SetColor({255, 0, 0, 255});
    expectCurrent("a colour written into a record");
    paper.objects[10]->record.SetText("Pantry");
    expectCurrent("a new text");
    paper.selection.emplace(paper.objects[8]->id, paper.objects[8]);
    expectCurrent("a selection");
    overlay.draggingSelection = true;
    overlay.dragOffset = {30, 10};
    expectCurrent("a selection drag");
    overlay.dragOffset = {35, 10};
    expectCurrent("the drag going on");
    overlay.draggingSelection = false;
    paper.hiddenLayers[0] = 1;
    expectCurrent("a hidden layer");
    paper.hiddenLayers[0] = 0;
    overlay.showGrid = false;
    expectCurrent("the grid switched off");
    overlay.showGrid = true;
    paper.palette.gridColor = {0, 128, 0, 255};
    expectCurrent("a grid colour");
    paper.unitIndex = 2;
    expectCurrent("another unit in the labels");
    paper.linesPerInch = 8;
    paper.UpdateBlockSize();
    expectCurrent("another grid scale");
    view.scrollX = 50;
    expectCurrent("scrolling");
    paper.MoveObjects(3, 0, false);
    expectCurrent("moved objects");
    paper.objects.pop_back();
    expectCurrent("a removed object");
}

namespace {

// Where two pictures differ, for a failure message.
std::string Difference(const Image& a, const Image& b) {
    if (a.w != b.w || a.h != b.h) {
        return "sizes differ";
    }
    int count = 0;
    SDL_Rect box = {a.w, a.h, -1, -1};
    for (int y = 0; y < a.h; ++y) {
        for (int x = 0; x < a.w; ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                ++count;
                box = {std::min(box.x, x), std::min(box.y, y), std::max(box.w, x),
                       std::max(box.h, y)};
            }
        }
    }
    return std::to_string(count) + " pixels differ in (" + std::to_string(box.x) + "," +
           std::to_string(box.y) + ")-(" + std::to_string(box.w) + "," + std::to_string(box.h) +
           ")";
}

} // namespace

// The view draws only what changed: the boxes of changed objects and the
// strips a scroll uncovers, and it takes a tool preview away by putting back
// what lay under it. After any sequence of the changes the program makes, the
// view must hold exactly what a view drawing everything afresh holds.
TEST(PaperRendererTest, AViewDrawnPieceByPieceEqualsTheViewDrawnWhole) {
    DocumentSession session(640, 480);
    Paper paper;
    ASSERT_TRUE(paper.SetSize(1500, 1100));
    PaperView pieces(paper, editor->shell.drawFont.get(), {640, 480});
    PaperView whole(paper, editor->shell.drawFont.get(), {640, 480});
    std::mt19937 random(20261210);
    auto number = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const char* const texts[] = {"Shed", "2.4 m", "Door", "N", "Window 1.2 x 1.4"};
    auto randomRecord = [&] {
        const int x = number(-40, paper.width + 40);
        const int y = number(-40, paper.height + 40);
        ObjectRecord record;
        switch (number(0, 6)) {
        case 0:
            record = CircleRecord(x, y, static_cast<int16_t>(number(3, 120)), number(0, 8),
                                  number(0, 359));
            break;
        case 1:
            record =
                TextRecord(x, y, texts[number(0, 4)], static_cast<int16_t>(number(-2, 2) * 45));
            break;
        default: {
            const ObjectKind kinds[] = {ObjectKind::Line, ObjectKind::DashedLine, ObjectKind::Arrow,
                                        ObjectKind::Measurement, ObjectKind::Rect};
            record =
                LineRecord(kinds[number(0, 4)], x, y, x + number(-300, 300), y + number(-300, 300));
        }
        }
        record.SetLayer(static_cast<uint8_t>(number(0, 2)));
        if (number(0, 2) == 0) {
            record.SetColor({static_cast<Uint8>(number(0, 255)), static_cast<Uint8>(number(0, 255)),
                             static_cast<Uint8>(number(0, 255)), 255});
        }
        return record;
    };
    for (int i = 0; i < 150; ++i) {
        ASSERT_TRUE(paper.CreateAndAddObject(randomRecord()));
    }

    RenderOverlay overlay;
    SDL_Point previewAt = {0, 0};
    auto preview = [&](PaperView& view) {
        SDL_RenderDrawLine(view.Renderer(), previewAt.x, previewAt.y, previewAt.x + 90,
                           previewAt.y + 40);
        DrawText(view, previewAt.x, previewAt.y + 10, {200, 0, 0, 255}, "3' 4\"", 0);
    };
    auto anyObject = [&]() -> std::shared_ptr<PaperObject>& {
        return paper.objects[size_t(number(0, int(paper.objects.size()) - 1))];
    };
    const char* const changes[] = {"add",     "remove", "edit",   "move selection",
                                   "select",  "drag",   "scroll", "jump",
                                   "preview", "layer",  "resize", "nothing"};
    for (int step = 0; step < 160; ++step) {
        const int change = number(0, 11);
        switch (change) {
        case 0:
            ASSERT_TRUE(paper.CreateAndAddObject(randomRecord()));
            break;
        case 1:
            if (paper.objects.size() > 1) {
                const auto at = paper.objects.begin() + number(0, int(paper.objects.size()) - 1);
                paper.selection.erase((*at)->id);
                paper.objects.erase(at);
            }
            break;
        case 2: {
            PaperObject& object = *anyObject();
            const ObjectRecord replaced = randomRecord();
            if (replaced.Kind() == object.record.Kind()) {
                object.record = replaced;
            } else {
                object.record.SetX1(object.record.X1() + number(-50, 50));
                object.record.SetColor({0, 0, 255, 255});
            }
            break;
        }
        case 3:
            paper.MoveObjects(number(-2, 2), number(-2, 2), true);
            break;
        case 4: {
            const std::shared_ptr<PaperObject>& object = anyObject();
            if (paper.selection.erase(object->id) == 0) {
                paper.selection.emplace(object->id, object);
            }
            break;
        }
        case 5:
            overlay.draggingSelection = number(0, 2) != 0;
            overlay.dragOffset = {number(-100, 100), number(-100, 100)};
            break;
        case 6:
            pieces.scrollX += number(-70, 70);
            pieces.scrollY += number(-70, 70);
            break;
        case 7:
            pieces.scrollX = number(0, paper.width);
            pieces.scrollY = number(0, paper.height);
            break;
        case 8:
            previewAt = {pieces.scrollX + number(0, 600), pieces.scrollY + number(0, 440)};
            if (overlay.toolPreview) {
                overlay.toolPreview = nullptr;
            } else {
                overlay.toolPreview = preview;
            }
            break;
        case 9:
            paper.hiddenLayers[number(0, 2)] ^= 1;
            break;
        case 10:
            pieces.SetViewSize({number(600, 640), number(440, 480)});
            whole.SetViewSize(pieces.ViewSize());
            break;
        default:
            break;
        }
        pieces.KeepScrollInView();
        whole.scrollX = pieces.scrollX;
        whole.scrollY = pieces.scrollY;
        ASSERT_TRUE(RenderPaper(pieces, false, true, overlay));
        whole.InvalidatePicture();
        ASSERT_TRUE(RenderPaper(whole, false, true, overlay));
        const Image drawn = Capture(pieces);
        const Image fresh = Capture(whole);
        ASSERT_TRUE(drawn.pixels == fresh.pixels)
            << "step " << step << " (" << changes[change] << "): " << Difference(drawn, fresh);
    }
}
