#include "view/PaperVector.h"
#include "document/PaperTestSupport.h"
#include "support/TempFolder.h"
#include "view/PaperPng.h"

#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> DrawingFontBytes() {
    std::ifstream file(TESSELLON_RESOURCE_DIR "/fonts/cad.ttf", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// What a command printed, or "" when it could not run.
std::string CommandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r"); pipe != nullptr) {
        char buffer[4096];
        size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, got);
        }
        pclose(pipe);
    }
    return out;
}

// A plan with one of everything, lines at every slope the drawing treats
// differently, texts turned and straight, a text whose bytes are no UTF-8,
// a large object on a hidden layer and objects reaching far off the paper.
void DrawEveryKind(Paper& paper) {
    auto add = [&paper](const ObjectRecord& record, uint8_t layer = 0) {
        paper.CreateAndAddObject(record, OnLayer{layer});
    };
    add(LineRecord(ObjectKind::Line, 40, 40, 400, 40));
    add(LineRecord(ObjectKind::Line, 40, 60, 300, 200));
    add(LineRecord(ObjectKind::Line, 420, 40, 420, 300));
    add(LineRecord(ObjectKind::DashedLine, 40, 240, 400, 240));
    add(LineRecord(ObjectKind::DashedLine, 40, 260, 200, 700));
    add(LineRecord(ObjectKind::DashedLine, 60, 700, 390, 520));
    add(LineRecord(ObjectKind::Arrow, 480, 60, 700, 200));
    add(LineRecord(ObjectKind::Arrow, 700, 260, 480, 260));
    add(LineRecord(ObjectKind::Arrow, 600, 300, 600, 420));
    add(LineRecord(ObjectKind::Measurement, 500, 480, 900, 480));
    add(LineRecord(ObjectKind::Measurement, 980, 100, 980, 700));
    add(LineRecord(ObjectKind::Measurement, 520, 560, 860, 760));
    add(LineRecord(ObjectKind::Measurement, 240, 760, 300, 760)); // label stacked
    add(LineRecord(ObjectKind::Rect, 760, 40, 940, 180));
    add(LineRecord(ObjectKind::Rect, 300, 300, 200, 380)); // drawn right to left
    add(CircleRecord(800, 330, 60));
    add(CircleRecord(700, 650, 45, 6, 15));
    add(CircleRecord(120, 420, 50, 3, 0));
    add(TextRecord(240, 420, "Shed 8' x 10'"));
    add(TextRecord(260, 520, "Door", 30));
    add(TextRecord(120, 560, "North wall", 270));
    add(TextRecord(420, 700, "Bad \xff\xfe \x01 <bytes> & \"quotes\""));
    add(LineRecord(ObjectKind::Rect, 10, 10, 1040, 800), 5);
    paper.hiddenLayers[5] = 1;
    // Ends far past the paper, where a file may put them: the dashes still
    // count from the real start.
    add(LineRecord(ObjectKind::DashedLine, -100003, 790, 1000, 790));
    add(LineRecord(ObjectKind::Line, 2000000000, -2000000000, -2000000000, 2000000000));
    add(TextRecord(2000000000, 300, "far away"));
}

// A striped image behind the paper, as the user may trace over a photo.
void PutStripedImageBehind(PaperView& view) {
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, SDL_PIXELFORMAT_RGB888);
    for (int band = 0; band < 48; band += 8) {
        const SDL_Rect stripe = {0, band, 64, 4};
        SDL_FillRect(image, &stripe, SDL_MapRGB(image->format, 20, 20, 20));
    }
    const std::string path = TestPath("stripes.png");
    IMG_SavePNG(image, path.c_str());
    SDL_FreeSurface(image);
    std::string error;
    EXPECT_TRUE(view.LoadBackgroundImage(path, error)) << error;
    view.paper.backgroundImageX = 700;
    view.paper.backgroundImageY = 380;
    std::remove(path.c_str());
}

// Whether every pixel at least as dark as `dark` in `a` has a pixel darker
// than `near` in `b` at most one pixel away; names the first that has not.
::testing::AssertionResult InkWithinAPixel(const std::vector<uint8_t>& a,
                                           const std::vector<uint8_t>& b, int w, int h, int dark,
                                           int near) {
    auto luma = [w](const std::vector<uint8_t>& rgb, int x, int y) {
        const uint8_t* p = &rgb[(size_t(y) * w + x) * 3];
        return (p[0] * 299 + p[1] * 587 + p[2] * 114) / 1000;
    };
    int misses = 0;
    std::string first;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (luma(a, x, y) > dark) {
                continue;
            }
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    found = nx >= 0 && ny >= 0 && nx < w && ny < h && luma(b, nx, ny) < near;
                }
            }
            if (!found && misses++ == 0) {
                first = std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    if (misses == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << misses << " pixels without a match, first at " << first;
}

} // namespace

// The PDF drawn back at 96 pixels per inch puts its ink where the PNG export
// does, within a pixel: a missing, moved or wrongly scaled object, a shown
// hidden layer, a dash out of step or a grid line or image off its place would
// leave pixels unmatched.
TEST(PaperVectorTest, APdfDrawnBackAtTheScreensScaleMatchesThePngExport) {
    DocumentSession session(800, 600);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {800, 600});
    DrawEveryKind(paper);
    PutStripedImageBehind(view);
    const std::vector<uint8_t> font = DrawingFontBytes();
    ASSERT_FALSE(font.empty());
    const std::string png = TestPath("plan.png");
    const std::string pdf = TestPath("plan.pdf");
    const std::string drawnBack = TestPath("drawn-back");
    ASSERT_TRUE(WritePaperPng(view, false, png));
    ASSERT_TRUE(WritePaperVector(view, ExportFormat::Pdf, false, pdf, true, {&font, 18}));

    EXPECT_NE(CommandOutput("pdfinfo '" + pdf + "'").find(" 792 x 612 pts"), std::string::npos);
    EXPECT_NE(CommandOutput("pdffonts '" + pdf + "'").find(" yes "), std::string::npos)
        << "the drawing font is embedded";
    EXPECT_NE(CommandOutput("pdftotext '" + pdf + "' -").find("North wall"), std::string::npos)
        << "texts stay texts";
    ASSERT_EQ(
        std::system(("pdftoppm -r 96 -png -singlefile '" + pdf + "' '" + drawnBack + "'").c_str()),
        0);
    int w = 0;
    int h = 0;
    const std::vector<uint8_t> expected = LoadImageRgb(png, w, h);
    int pw = 0;
    int ph = 0;
    const std::vector<uint8_t> actual = LoadImageRgb(drawnBack + ".png", pw, ph);
    ASSERT_EQ(pw, w);
    ASSERT_EQ(ph, h);
    // The objects, black, and everything drawn, the grid's light grey too.
    EXPECT_TRUE(InkWithinAPixel(expected, actual, w, h, 96, 176)) << "objects in the PDF";
    EXPECT_TRUE(InkWithinAPixel(actual, expected, w, h, 96, 176)) << "objects in the PNG";
    EXPECT_TRUE(InkWithinAPixel(expected, actual, w, h, 216, 248)) << "grid in the PDF";
    EXPECT_TRUE(InkWithinAPixel(actual, expected, w, h, 216, 248)) << "grid in the PNG";
    for (const std::string& path : {png, pdf, drawnBack + ".png"}) {
        std::remove(path.c_str());
    }
}

// An SVG names the paper's size in inches over a user space of 96 units to
// the inch, is well-formed XML and holds its texts as text; a file that cannot be written leaves an
// older one as it was.
TEST(PaperVectorTest, AnSvgIsSizedInInchesHoldsItsTextsAndIsWrittenWholeOrNotAtAll) {
    DocumentSession session(800, 600);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {800, 600});
    DrawEveryKind(paper);
    const std::vector<uint8_t> font = DrawingFontBytes();
    const std::string svg = TestPath("plan.svg");
    ASSERT_TRUE(WritePaperVector(view, ExportFormat::Svg, true, svg, true, {&font, 18}));
    const std::string root = CommandOutput(
        "python3 -c \"import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); "
        "print(r.get('width'), r.get('height'), r.get('viewBox')); "
        "[print(t.text) for t in r.iter('{http://www.w3.org/2000/svg}text')]\" '" +
        svg + "'");
    EXPECT_EQ(root.substr(0, root.find('\n')), "11in 8.5in 0 0 1056 816");
    // Texts can be selected and searched, even those whose bytes were no text.
    EXPECT_NE(root.find("\nNorth wall\n"), std::string::npos) << root;
    EXPECT_NE(root.find("\nBad \uFFFD\uFFFD \uFFFD <bytes> & \"quotes\"\n"), std::string::npos)
        << root;

    std::ofstream(svg) << "old drawing";
    EXPECT_FALSE(WritePaperVector(view, ExportFormat::Svg, true, svg + "/x.svg", true, {}));
    paper.width = 0;
    EXPECT_FALSE(WritePaperVector(view, ExportFormat::Pdf, true, svg, true, {&font, 18}));
    EXPECT_EQ(ReadTestFile(svg), "old drawing");
    std::remove(svg.c_str());
}
