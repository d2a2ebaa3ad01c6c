#include "view/PaperView.h"

#include "document/PaperTestSupport.h"
#include "view/ObjectDrawing.h"

#include <gtest/gtest.h>

TEST(PaperViewTest, AShrinkingPaperStaysInTheViewWhichHoldsOnlyWhatItShows) {
    DocumentSession session(800, 600);
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {800, 600});
    ASSERT_TRUE(paper.SetSize(kMaxPaperPixels, kMaxPaperPixels));
    ASSERT_TRUE(view.PrepareRenderTarget(view.VisibleArea()));
    EXPECT_EQ(view.Surface()->w, 800) << "only the visible part is held, never the whole paper";
    EXPECT_EQ(view.Surface()->h, 600);

    ASSERT_TRUE(paper.Resize(5000, 4000, false));
    view.scrollX = 4200;
    view.scrollY = 3400;
    ASSERT_TRUE(paper.Resize(2000, 500, false));
    EXPECT_EQ(view.scrollX, 1200) << "the far edge stays in sight";
    EXPECT_EQ(view.scrollY, 0) << "a paper lower than the view is shown from its top";
    const SDL_Rect area = view.VisibleArea();
    EXPECT_EQ(area.w, 800);
    EXPECT_EQ(area.h, 500);

    // Growing keeps the place the user was looking at.
    view.scrollX = 300;
    ASSERT_TRUE(paper.Resize(6000, 6000, false));
    EXPECT_EQ(view.scrollX, 300);
    // So does undoing a shrink.
    ASSERT_TRUE(paper.Resize(1000, 1000, false));
    EXPECT_EQ(view.scrollX, 200);
    paper.Undo();
    EXPECT_EQ(paper.width, 6000);
    EXPECT_EQ(view.scrollX, 200);
}

TEST(PaperViewTest, BackgroundImageFailuresAreReported) {
    DocumentSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {800, 600});
    ASSERT_TRUE(paper.SetSize(200, 100));
    std::string problem;
    EXPECT_FALSE(view.LoadBackgroundImage("/nonexistent/folder/plan.png", problem));
    EXPECT_EQ(problem.rfind("Error opening plan.png: ", 0), 0u) << problem;
    EXPECT_TRUE(paper.backgroundImagePath.empty());
    EXPECT_EQ(view.BackgroundTexture(), nullptr);
}

TEST(PaperViewTest, TextsAreDrawnInTheColourAskedForEachTime) {
    DocumentSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {400, 200});
    ASSERT_TRUE(paper.SetSize(400, 200));
    ASSERT_TRUE(view.PrepareRenderTarget(view.VisibleArea()));
    auto object = CreateObjectFromRecord(&paper, TextRecord(10, 10, "Door"));
    const auto shows = [&view](SDL_Color color) {
        SDL_RenderFlush(view.Renderer());
        for (int x = 10; x < 60; ++x) {
            for (int y = 10; y < 35; ++y) {
                if (SameColor(PaperPixel(view, x, y), color)) {
                    return true;
                }
            }
        }
        return false;
    };
    DrawObject(view, *object, {255, 0, 0, 255});
    EXPECT_TRUE(shows({255, 0, 0, 255}));
    DrawObject(view, *object, {0, 255, 0, 255});
    EXPECT_TRUE(shows({0, 255, 0, 255})) << "a kept texture of another colour is not reused";

    // An empty text has nothing to render and draws nothing, without failing.
    SDL_SetRenderDrawColor(view.Renderer(), 0, 0, 0, 255);
    SDL_RenderClear(view.Renderer());
    DrawObject(view, *CreateObjectFromRecord(&paper, TextRecord(10, 10, "")), {255, 255, 255, 255});
    EXPECT_FALSE(shows({255, 255, 255, 255}));
}
