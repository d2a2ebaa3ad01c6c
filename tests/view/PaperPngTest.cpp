#include "view/PaperPng.h"
#include "document/PaperTestSupport.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "view/PaperRenderer.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

void AddObjects(Paper& paper) {
    for (int i = 0; i < 40; ++i) {
        const int x = 50 + i * 700;
        ObjectRecord line = LineRecord(ObjectKind::Arrow, x, 10 + i % 5, x + 600, 190 - i % 7);
        paper.CreateAndAddObject(line, OnLayer{editor->session.currentLayer});
        paper.CreateAndAddObject(LineRecord(ObjectKind::Measurement, x, 60, x + 400, 130),
                                 OnLayer{editor->session.currentLayer});
        paper.CreateAndAddObject(CircleRecord(x + 300, 100, 66, i % 4 + 2, int16_t(i * 9)),
                                 OnLayer{editor->session.currentLayer});
        paper.CreateAndAddObject(TextRecord(x + 100, 66, "Band edge", int16_t(i * 17)),
                                 OnLayer{editor->session.currentLayer});
        paper.CreateAndAddObject(LineRecord(ObjectKind::DashedLine, x, 199, x + 650, 0),
                                 OnLayer{editor->session.currentLayer});
    }
}

} // namespace

TEST(PaperPngTest, ExportedImageHasThePixelsOfAWholePaperRender) {
    DocumentSession session(800, 600);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    // Wide enough that the export takes many bands of about 70 rows.
    ASSERT_TRUE(paper.SetSize(30000, 200));
    AddObjects(paper);
    const std::string path = TestPath("export.png");
    for (bool colour : {true, false}) {
        ASSERT_TRUE(WritePaperPng(view, colour, path));
        int w = 0;
        int h = 0;
        const std::vector<uint8_t> exported = LoadImageRgb(path, w, h);
        EXPECT_EQ(w, 30000);
        EXPECT_EQ(h, 200);
        ASSERT_TRUE(RenderPaper(view, true, colour));
        EXPECT_TRUE(exported == RenderedRgb(view)) << (colour ? "colour" : "black and white");
    }
    // Other programs print the image at the paper's size: 96 pixels per inch
    // is 3780 per metre on both axes, given before the image data.
    const std::string file = ReadTestFile(path);
    const size_t density = file.find("pHYs");
    ASSERT_NE(density, std::string::npos);
    EXPECT_LT(density, file.find("IDAT"));
    EXPECT_EQ(file.substr(density - 4, 4 + 4 + 9),
              std::string("\0\0\0\x09pHYs\0\0\x0e\xc4\0\0\x0e\xc4\x01", 17));
    // The small view surface comes back for the next frame.
    ASSERT_TRUE(RenderPaper(view, false, true));
    EXPECT_EQ(view.Surface()->w, 800);
    std::remove(path.c_str());
}

TEST(PaperPngTest, FailedExportLeavesNoFileAndKeepsAnOldOne) {
    DocumentSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    paper.width = 0;
    EXPECT_FALSE(WritePaperPng(view, true, TestPath("nosurface.png"))) << "a paper without size";
    ASSERT_TRUE(paper.SetSize(100, 100));
    EXPECT_FALSE(WritePaperPng(view, true, "/nonexistent-folder/out.png"));

    // A folder where the image should go: refused, nothing is left behind.
    const std::string folder = TestPath("folder");
    std::filesystem::create_directories(folder);
    EXPECT_FALSE(WritePaperPng(view, true, folder));
    EXPECT_TRUE(std::filesystem::is_empty(folder));

    // An older image stays whole when the new one cannot be written, and a
    // file of the user's beside it is never taken for a temporary file.
    const std::string path = TestPath("kept.png");
    std::ofstream(path) << "old image";
    std::ofstream(path + ".tmp") << "the user's own file";
    {
        FileSizeLimit diskFull(40);
        EXPECT_FALSE(WritePaperPng(view, false, path));
    }
    std::string kept;
    std::getline(std::ifstream(path), kept);
    EXPECT_EQ(kept, "old image");
    ASSERT_TRUE(WritePaperPng(view, false, path));
    int w = 0;
    int h = 0;
    EXPECT_FALSE(LoadImageRgb(path, w, h).empty());
    EXPECT_EQ(w, 100);
    std::string users;
    std::getline(std::ifstream(path + ".tmp"), users);
    EXPECT_EQ(users, "the user's own file");
    // The failed attempt's temporary file is gone as well.
    const std::filesystem::path image(path);
    const std::string temporaryStart = "." + image.filename().string() + ".";
    for (const auto& entry : std::filesystem::directory_iterator(image.parent_path())) {
        EXPECT_NE(entry.path().filename().string().rfind(temporaryStart, 0), 0u)
            << "left behind: " << entry.path();
    }
    std::remove(path.c_str());
    std::remove((path + ".tmp").c_str());
}

TEST(PaperPngTest, TheTopEdgeCarriesItsMajorGridLineLikeEveryOtherInch) {
    DocumentSession session(800, 600);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    ASSERT_TRUE(paper.SetSize(3 * kPaperPixelsPerInch, 2 * kPaperPixelsPerInch));
    const std::string path = TestPath("grid.png");
    ASSERT_TRUE(WritePaperPng(view, false, path));
    int w = 0;
    int h = 0;
    const std::vector<uint8_t> rgb = LoadImageRgb(path, w, h);
    ASSERT_EQ(h, 2 * kPaperPixelsPerInch);
    const auto row = [&](int y) {
        return std::vector<uint8_t>(rgb.begin() + y * w * 3, rgb.begin() + (y + 1) * w * 3);
    };
    EXPECT_TRUE(row(0) == row(kPaperPixelsPerInch)) << "row 0 is drawn as the line at one inch";
    EXPECT_FALSE(row(0) == row(1)) << "row 1 is paper between the lines";
    std::remove(path.c_str());
}
