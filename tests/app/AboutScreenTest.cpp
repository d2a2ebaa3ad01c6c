#include "app/AppHarness.h"

#include "app/AboutScreen.h"
#include "app/AboutState.h"
#include "app/Editor.h"
#include "app/FileCommands.h"
#include "app/PaperWindows.h"
#include "document/Paper.h"

#include <SDL2/SDL_ttf.h>
#include <gtest/gtest.h>
#include <physfs.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const SDL_Color kBlack = {0, 0, 0, 255};
const SDL_Color kDropBlue = {0, 128, 255, 255};

// Serves `values` in turn, one per draw (a one-byte draw takes the low byte),
// then keeps repeating the last one.
RandomByteSource Scripted(std::vector<uint32_t> values) {
    auto next = std::make_shared<size_t>(0);
    return [values = std::move(values), next](void* buffer, size_t count) {
        const uint32_t value = values[std::min(*next, values.size() - 1)];
        ++*next;
        std::memset(buffer, 0, count);
        std::memcpy(buffer, &value, std::min(count, sizeof value));
        return true;
    };
}

bool IsLight(const SDL_Color& color) {
    return color.r > 160 && color.g > 160 && color.b > 160;
}

int Speed(int velocity) {
    return std::abs(velocity);
}

int answeredQuestions = 0;
int answerWith = 0;

int AnswerSaveQuestion(const SDL_MessageBoxData* /*data*/, int* buttonId) {
    ++answeredQuestions;
    *buttonId = answerWith;
    return 0;
}

// Starts the program with the About screen showing.
void StartAbout(AppHarness& app) {
    ASSERT_TRUE(app.Start());
    editor->ui.aboutRequested = true;
}

// Shows a window smaller than the program allows, as a broken window manager
// might; the resize event, which would enlarge it again, is dropped.
void ShrinkWindowBelowMinimum(int width, int height) {
    SDL_SetWindowMinimumSize(editor->shell.window.get(), 1, 1);
    SDL_SetWindowSize(editor->shell.window.get(), width, height);
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_WINDOWEVENT);
}

SDL_Rect TextRect() {
    return {editor->ui.aboutState.textPosition.x, editor->ui.aboutState.textPosition.y,
            editor->ui.aboutState.textWidth, editor->ui.aboutState.textHeight};
}

} // namespace

TEST(AboutScreenTest, AKeyOrASingleClickEndsTheScreen) {
    AppHarness app;
    StartAbout(app);
    ASSERT_TRUE(app.RunPasses(2));
    EXPECT_TRUE(editor->ui.aboutRequested) << "nothing pressed yet";
    EXPECT_EQ(app.PixelAt(1, 1), kBlack);

    app.PressKey(SDLK_SPACE);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_FALSE(editor->ui.aboutRequested);
    EXPECT_EQ(editor->shell.framePeriodMs, 66);
    // The leaving frame itself was still the About screen's.
    EXPECT_EQ(app.PixelAt(1, 1), kBlack);

    editor->shell.framePeriodMs = 0;
    editor->ui.aboutRequested = true;
    app.MouseMove(300, 200);
    app.MouseDown(310, 210);
    app.KeyUp(SDLK_a);
    app.MouseUp(320, 220, SDL_BUTTON_LEFT, 2);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_TRUE(editor->ui.aboutRequested)
        << "a press, a key release or a second release does not leave";
    EXPECT_EQ(editor->session.mouseWindowPos, (SDL_Point{320, 220}));

    app.Click(500, 400, SDL_BUTTON_RIGHT);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_FALSE(editor->ui.aboutRequested);
    EXPECT_EQ(editor->shell.framePeriodMs, 66);
    EXPECT_EQ(editor->session.mouseWindowPos, (SDL_Point{500, 400}));
}

TEST(AboutScreenTest, TheSecondHalfOfADoubleClickStaysWithTheScreen) {
    AppHarness app;
    StartAbout(app);
    app.DoubleClick(400, 300);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_FALSE(editor->ui.aboutRequested);
    // The second press and release went nowhere else.
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0);
}

TEST(AboutScreenTest, ClosingTheWindowAsksAboutUnsavedPapersLikeANormalClose) {
    AppHarness app;
    StartAbout(app);
    editor->ui.showMessageBox = AnswerSaveQuestion;
    answerWith = kSaveQuestionCancel;
    Paper* paper = AddOpenPaper(std::make_unique<Paper>()).document.get();
    paper->modified = true;
    editor->session.activePaper = paper;

    app.CloseWindow();
    app.PressKey(SDLK_ESCAPE);
    EXPECT_TRUE(app.RunPasses(1)) << "Cancel keeps the program running";
    EXPECT_EQ(answeredQuestions, 1);
    EXPECT_FALSE(editor->ui.quitRequested);
    EXPECT_FALSE(editor->ui.aboutRequested) << "the close request left the About screen";
    EXPECT_EQ(editor->session.openPapers.size(), 1u);

    answerWith = kSaveQuestionNo;
    editor->ui.aboutRequested = true;
    app.CloseWindow();
    EXPECT_FALSE(app.RunPasses(1)) << "No closes the paper and ends the loop";
    EXPECT_EQ(answeredQuestions, 2);
    EXPECT_TRUE(editor->ui.quitRequested);
    EXPECT_TRUE(editor->session.openPapers.empty());
}

TEST(AboutScreenTest, KeepsTheFiftyNewestCircles) {
    AppHarness app;
    StartAbout(app);
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_EQ(editor->ui.aboutState.circles.size(), 1u) << "the first frame starts a circle";
    const AboutCircle first = editor->ui.aboutState.circles[0];
    EXPECT_EQ(first.angle, first.step) << "it grows in its first frame already";
    EXPECT_GE(first.radius, 10);
    EXPECT_LE(first.radius, 256);
    EXPECT_GE(first.step, 10);
    EXPECT_LE(first.step, 50);

    // The circle draws itself and then the next one is scheduled half a second on.
    for (int pass = 0; pass < 40 && editor->ui.aboutState.circles.back().angle < 360; ++pass) {
        ASSERT_TRUE(app.RunPasses(1));
        ASSERT_EQ(editor->ui.aboutState.circles.size(), 1u);
    }
    EXPECT_EQ(editor->ui.aboutState.circles.back().angle, 360);
    const uint32_t now = SDL_GetTicks();
    EXPECT_LE(editor->ui.aboutState.nextCircleTime, now + 500);
    EXPECT_GE(editor->ui.aboutState.nextCircleTime + 100, now + 500);

    editor->ui.aboutState.circles.assign(50, first);
    for (int index = 0; index < 50; ++index) {
        editor->ui.aboutState.circles[index].x = 1000 + index; // a mark to follow each one
        editor->ui.aboutState.circles[index].angle = 360;
    }
    editor->ui.aboutState.nextCircleTime = 1;
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_EQ(editor->ui.aboutState.circles.size(), 50u);
    EXPECT_EQ(editor->ui.aboutState.circles.front().x, 1001) << "the oldest went";
    EXPECT_EQ(editor->ui.aboutState.circles[48].x, 1049);
    EXPECT_LT(editor->ui.aboutState.circles.back().x, 1000) << "the new one came last";
    EXPECT_EQ(editor->ui.aboutState.nextCircleTime, 0u);
}

TEST(AboutScreenTest, AtMostFiveDropsFallAndANewOneFollowsAnEmptyList) {
    AppHarness app;
    StartAbout(app);
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_EQ(editor->ui.aboutState.drops.size(), 1u);
    const AboutDrop& drop = editor->ui.aboutState.drops[0];
    EXPECT_EQ(drop.trail[0].y, 3) << "it starts at the top and falls 3 pixels a frame";
    EXPECT_GE(drop.trail[0].x, 9);
    EXPECT_LE(drop.trail[0].x, 1014);
    EXPECT_GE(drop.driftPeriod, 1);
    EXPECT_LE(drop.driftPeriod, 10);

    size_t most = 0;
    for (int pass = 0; pass < 30; ++pass) {
        editor->ui.aboutState.nextDropTime = 1; // always due
        ASSERT_TRUE(app.RunPasses(1));
        ASSERT_LE(editor->ui.aboutState.drops.size(), 5u);
        most = std::max(most, editor->ui.aboutState.drops.size());
    }
    EXPECT_EQ(most, 5u);

    // With no drop due, only an empty list brings the next one, at once.
    int restarts = 0;
    for (int pass = 0; pass < 800 && restarts < 2; ++pass) {
        editor->ui.aboutState.nextDropTime = SDL_GetTicks() + 1000000;
        const size_t before = editor->ui.aboutState.drops.size();
        ASSERT_TRUE(app.RunPasses(1));
        if (before == 0) {
            EXPECT_EQ(editor->ui.aboutState.drops.size(), 1u);
            ++restarts;
        } else {
            EXPECT_LE(editor->ui.aboutState.drops.size(), before);
        }
    }
    EXPECT_EQ(restarts, 2) << "the drops fall out of the window in time";
}

TEST(AboutScreenTest, TheFirstShowingPlacesTheTextAndMovesItDownAndRight) {
    AppHarness app;
    StartAbout(app);
    // Every draw is 300: the text starts at (300, 300) with 300 % 6 + 5 = 5
    // pixels a frame; circles are dark red (bytes 44, 1, 0).
    editor->ui.aboutRandomSource = Scripted({300});
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_NE(editor->ui.aboutState.textTexture, nullptr);
    EXPECT_EQ(editor->ui.aboutState.textPosition, (SDL_Point{305, 305}));
    EXPECT_EQ(editor->ui.aboutState.textVelocity, (SDL_Point{5, 5}));
    // Two centred lines in the 22-point drafting font.
    EXPECT_GT(editor->ui.aboutState.textWidth, 200);
    EXPECT_LT(editor->ui.aboutState.textWidth, 700);
    EXPECT_GT(editor->ui.aboutState.textHeight, 40);
    EXPECT_LT(editor->ui.aboutState.textHeight, 120);

    const SDL_Rect window = {0, 0, 1024, 768};
    const SDL_Rect white = app.BoundsOfPixels(window, IsLight);
    SDL_Rect drawn;
    ASSERT_EQ(SDL_IntersectRect(&white, &white, &drawn), SDL_TRUE) << "white text is drawn";
    const SDL_Rect text = TextRect();
    SDL_Rect inside;
    SDL_IntersectRect(&white, &text, &inside);
    EXPECT_EQ(inside.w, white.w) << "all white is inside the text";
    EXPECT_EQ(inside.h, white.h);
    EXPECT_GT(white.w, editor->ui.aboutState.textWidth / 2);

    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.aboutState.textPosition, (SDL_Point{310, 310}));
}

TEST(AboutScreenTest, TheTextStaysInTheWindowAndBouncesAtSixToFifteen) {
    AppHarness app;
    StartAbout(app);
    ASSERT_TRUE(app.RunPasses(1));
    const SDL_Point start = editor->ui.aboutState.textVelocity;
    EXPECT_TRUE(Speed(start.x) >= 5 && Speed(start.x) <= 15) << start.x;
    EXPECT_TRUE(Speed(start.y) >= 5 && Speed(start.y) <= 15) << start.y;

    int bounces = 0;
    for (int pass = 0; pass < 400; ++pass) {
        editor->ui.aboutState.nextDropTime = 1; // many drops, so that some hit the text
        const SDL_Point before = editor->ui.aboutState.textVelocity;
        ASSERT_TRUE(app.RunPasses(1));
        const SDL_Rect text = TextRect();
        ASSERT_GE(text.x, 0);
        ASSERT_GE(text.y, 0);
        ASSERT_LE(text.x + text.w, 1024);
        ASSERT_LE(text.y + text.h, 768);
        const SDL_Point after = editor->ui.aboutState.textVelocity;
        using Change = std::pair<int, int>;
        for (const Change& change : {Change{before.x, after.x}, Change{before.y, after.y}}) {
            if (change.first != change.second) {
                ++bounces;
                EXPECT_GE(Speed(change.second), 6);
                EXPECT_LE(Speed(change.second), 15);
            }
        }
        // A wall turns the text around; a drop may send it either way.
        if (before.x != after.x) {
            EXPECT_NE(before.x > 0, after.x > 0);
        }
    }
    EXPECT_GT(bounces, 4);
}

TEST(AboutScreenTest, BounceSpeedsTurnAroundWithinSixToFifteen) {
    for (int old : {-101, -40, -15, -6, -1, 0, 1, 5, 10, 15, 40}) {
        for (int draw = 0; draw < 50; ++draw) {
            const int velocity = NewBounceVelocity(old);
            EXPECT_GE(Speed(velocity), 6) << old;
            EXPECT_LE(Speed(velocity), 15) << old;
            EXPECT_EQ(velocity<0, old> 0) << old;
        }
    }

    // r % 51 - 25 - old, drawn again until it is a speed in the wanted direction.
    editor->ui.aboutRandomSource = Scripted({30, 31});
    EXPECT_EQ(NewBounceVelocity(0), 6) << "5 is too slow";
    editor->ui.aboutRandomSource = Scripted({51 + 40});
    EXPECT_EQ(NewBounceVelocity(0), 15);
    editor->ui.aboutRandomSource = Scripted({0, 9, 29});
    EXPECT_EQ(NewBounceVelocity(10), -6) << "-35 and -26 are too fast";
    editor->ui.aboutRandomSource = Scripted({30});
    EXPECT_EQ(NewBounceVelocity(-10), 15);
    editor->ui.aboutRandomSource = Scripted({0, 50, 34});
    EXPECT_EQ(NewBounceVelocity(-6), 15) << "-19 goes the wrong way, 31 is too fast";

    // A source that never lands in range still yields a valid speed.
    editor->ui.aboutRandomSource = Scripted({0});
    const int stuck = NewBounceVelocity(0);
    EXPECT_GE(stuck, 6);
    EXPECT_LE(stuck, 15);
}

TEST(AboutScreenTest, TheSecondShowingCarriesOnWhereTheFirstStopped) {
    AppHarness app;
    StartAbout(app);
    ASSERT_TRUE(app.RunPasses(5));
    app.PressKey(SDLK_RETURN);
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_FALSE(editor->ui.aboutRequested);
    editor->shell.framePeriodMs = 0;
    ASSERT_TRUE(app.RunPasses(3));
    EXPECT_EQ(editor->ui.aboutState.frameCounter, 6u) << "normal frames do not count";

    const AboutState shown = editor->ui.aboutState;
    editor->ui.aboutRandomSource = Scripted({300});
    editor->ui.aboutRequested = true;
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(editor->ui.aboutState.frameCounter, 7u);
    EXPECT_EQ(editor->ui.aboutState.textTexture, shown.textTexture) << "made once";
    ASSERT_FALSE(editor->ui.aboutState.circles.empty());
    EXPECT_EQ(editor->ui.aboutState.circles[0].x, shown.circles[0].x);
    EXPECT_EQ(editor->ui.aboutState.circles[0].radius, shown.circles[0].radius);
    EXPECT_EQ(editor->ui.aboutState.textPosition.x,
              std::clamp(shown.textPosition.x + shown.textVelocity.x, 0, 1024 - shown.textWidth));
}

TEST(AboutScreenTest, TheTextTextureIsReleasedAndMadeAgainWhenNeeded) {
    AppHarness app;
    StartAbout(app);
    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_NE(editor->ui.aboutState.textTexture, nullptr);
    ReleaseAboutText();
    EXPECT_EQ(editor->ui.aboutState.textTexture, nullptr);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_NE(editor->ui.aboutState.textTexture, nullptr);

    app.Shutdown();
    EXPECT_EQ(editor->ui.aboutState.textTexture, nullptr);
}

TEST(AboutScreenTest, WithoutItsFontTheTextUsesTheDrawFont) {
    AppHarness app;
    StartAbout(app);
    ASSERT_TRUE(app.RunPasses(1));
    const int ownFontHeight = editor->ui.aboutState.textHeight;
    ReleaseAboutText();
    // A broken "fonts/cad.ttf" now hides the real one (the open draw font
    // keeps reading its own copy).
    const std::filesystem::path broken = app.HomeFolder() / "broken";
    WriteFile(broken / "fonts" / "cad.ttf", "not a font");
    ASSERT_NE(PHYSFS_mount(broken.c_str(), nullptr, 0), 0);

    ASSERT_TRUE(app.RunPasses(1));
    ASSERT_NE(editor->ui.aboutState.textTexture, nullptr);
    EXPECT_LT(editor->ui.aboutState.textHeight, ownFontHeight) << "18 points instead of 22";
    EXPECT_GE(editor->ui.aboutState.textHeight, 2 * TTF_FontHeight(editor->shell.drawFont.get()))
        << "both lines";
    EXPECT_EQ(TTF_GetFontWrappedAlign(editor->shell.drawFont.get()), TTF_WRAPPED_ALIGN_LEFT)
        << "given back";
}

TEST(AboutScreenTest, AWindowTooSmallForItsShapesKeepsThemInside) {
    AppHarness app;
    StartAbout(app);
    // Every draw is the largest number: a 256-pixel circle, a drop far right.
    editor->ui.aboutRandomSource = Scripted({0xFFFFFFFFu});
    ShrinkWindowBelowMinimum(16, 12);
    ASSERT_EQ(app.WindowSize(), (SDL_Point{16, 12}));
    for (int pass = 0; pass < 20; ++pass) {
        editor->ui.aboutState.nextCircleTime = 1;
        editor->ui.aboutState.nextDropTime = 1;
        ASSERT_TRUE(app.RunPasses(1));
    }
    ASSERT_FALSE(editor->ui.aboutState.circles.empty());
    for (const AboutCircle& circle : editor->ui.aboutState.circles) {
        EXPECT_GE(circle.x - circle.radius, 0);
        EXPECT_LE(circle.x + circle.radius, 15);
        EXPECT_GE(circle.y - circle.radius, 0);
        EXPECT_LE(circle.y + circle.radius, 11);
    }
    EXPECT_GE(editor->ui.aboutState.textPosition.x, 0)
        << "a text wider than the window keeps its left edge";
    EXPECT_GE(editor->ui.aboutState.textPosition.y, 0);
    EXPECT_GT(app.CountPixels({0, 0, 16, 12}, kDropBlue), 0) << "the drops still fall";
}
