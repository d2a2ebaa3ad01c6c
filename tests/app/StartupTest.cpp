#include "app/AppHarness.h"

#include "app/Editor.h"
#include "app/WindowGeometry.h"

#include "support/VRX_Network.h"
#include <SDL2/SDL_ttf.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const SDL_Color kWorkspace = {33, 40, 48, 255};
const SDL_Color kStatusGreen = {0, 128, 0, 255};

bool IsLight(const SDL_Color& color) {
    return color.r > 160 && color.g > 160 && color.b > 160;
}

// The program copied into a folder of its own with resources beside it that lack
// `missingResource`.
std::filesystem::path CopyProgramWithout(const std::filesystem::path& folder,
                                         const std::string& missingResource) {
    namespace fs = std::filesystem;
    const fs::path program = folder / "bin" / "tessellon";
    fs::create_directories(program.parent_path());
    fs::copy_file(TESSELLON_BINARY, program);
    fs::copy(TESSELLON_RESOURCE_DIR, folder / "bin" / "resources", fs::copy_options::recursive);
    fs::remove(folder / "bin" / "resources" / missingResource);
    return program;
}

} // namespace

TEST(StartupTest, OpensTheWorkspaceWindowWithTheStatusStrip) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.RunPasses(1));

    EXPECT_EQ(app.WindowTitle(), "Tessellon/Linux64");
    EXPECT_EQ(app.WindowSize().x, 1024);
    EXPECT_EQ(app.WindowSize().y, 768);

    // The regions tile the window: menu bar on top, status strip at the bottom,
    // toolbox at the left of the paper view.
    EXPECT_EQ(editor->shell.menuBarRect.y, 0);
    EXPECT_GE(editor->shell.menuBarRect.h, 20);
    EXPECT_EQ(editor->shell.statusBarRect.y + editor->shell.statusBarRect.h, 768);
    EXPECT_EQ(editor->shell.toolboxRect.y, editor->shell.menuBarRect.h);
    EXPECT_GE(editor->shell.toolboxRect.w, 86);
    EXPECT_EQ(editor->shell.paperViewRect.x, editor->shell.toolboxRect.w);
    EXPECT_EQ(editor->shell.paperViewRect.x + editor->shell.paperViewRect.w, 1024);
    EXPECT_EQ(editor->shell.paperViewRect.y + editor->shell.paperViewRect.h,
              editor->shell.statusBarRect.y);

    EXPECT_EQ(app.PixelAt(600, 400), kWorkspace);
    EXPECT_EQ(app.PixelAt(1020, editor->shell.statusBarRect.y + 1), kStatusGreen);
    EXPECT_EQ(app.PixelAt(1020, 767), kStatusGreen);

    // "No file loaded." in white at the left of the strip.
    int textWidth = 0;
    TTF_SizeUTF8(editor->shell.statusFont.get(), "No file loaded.", &textWidth, nullptr);
    const SDL_Rect text = app.BoundsOfPixels(editor->shell.statusBarRect, IsLight);
    EXPECT_GE(text.x, 5);
    EXPECT_LE(text.x, 8);
    EXPECT_NEAR(text.x + text.w, 5 + textWidth, 4);
    EXPECT_GE(text.y, editor->shell.statusBarRect.y + 2);

    EXPECT_NE(app.LogText().find("Ready to go!\n"), std::string::npos);
    // Started before the program state is set up, and still up afterwards.
    EXPECT_TRUE(VRX_NetworkRunning());
    EXPECT_EQ(VRX_NetworkUsers(), 1);
}

TEST(StartupTest, ClosingTheWindowStoresItsGeometryAndClosesTheLog) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    app.CloseWindow();
    app.MouseMove(300, 300); // queued after the quit request: never handled
    ASSERT_TRUE(app.RunUntilQuit(3));
    EXPECT_TRUE(editor->ui.quitRequested);
    EXPECT_EQ(editor->session.mouseWindowPos.x, 0);

    const SDL_Point position = app.WindowPosition();
    app.Exit();
    const std::string settings = app.Settings();
    EXPECT_NE(settings.find("[window]\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("last_x=" + std::to_string(position.x) + "\r\n"), std::string::npos);
    EXPECT_NE(settings.find("last_y=" + std::to_string(position.y) + "\r\n"), std::string::npos);
    EXPECT_NE(settings.find("last_w=1024\r\n"), std::string::npos);
    EXPECT_NE(settings.find("last_h=768\r\n"), std::string::npos);

    // Once the log is closed, messages go only to SDL's usual output.
    SDL_Log("after the log was closed");
    const std::string log = app.LogText();
    EXPECT_NE(log.find("Ready to go!\n"), std::string::npos);
    EXPECT_EQ(log.find("after the log was closed"), std::string::npos);
}

TEST(StartupTest, StoredGeometryIsUsedWithinTheDisplay) {
    // The headless display is 1024 x 768.
    {
        AppHarness app;
        app.WriteSettings("[window]\r\nlast_x=-50\r\nlast_y=-30\r\nlast_w=800\r\nlast_h=600\r\n");
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.WindowSize().x, 1024) << "raised to the minimum size";
        EXPECT_EQ(app.WindowSize().y, 768);
        EXPECT_EQ(app.WindowPosition().x, 0) << "the title bar was above the display";
        EXPECT_EQ(app.WindowPosition().y, 0);
    }
    {
        AppHarness app;
        app.WriteSettings(
            "[other]\nlast_w=1100\n[Window]\n last_W = 1300 \nlast_h=900\nlast_x=7\n");
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.WindowSize().x, 1024) << "cut to the display";
        EXPECT_EQ(app.WindowSize().y, 768);
        EXPECT_EQ(app.WindowPosition().x, 7) << "a position on the display is kept";
    }

    // A window left on a monitor that is gone comes back onto the first one;
    // one on a second monitor stays there.
    const std::vector<SDL_Rect> displays = {{0, 0, 1920, 1040}, {1920, 0, 1280, 984}};
    WindowGeometry fitted = FitToDisplays({5000, -2000, 1500, 1200}, displays);
    EXPECT_EQ(fitted.width, 1500);
    EXPECT_EQ(fitted.height, 1040);
    EXPECT_EQ(fitted.x, 420);
    EXPECT_EQ(fitted.y, 0);
    fitted = FitToDisplays({2000, 100, 1500, 900}, displays);
    EXPECT_EQ(fitted.x, 2000);
    EXPECT_EQ(fitted.y, 100);
    EXPECT_EQ(fitted.width, 1280);
    fitted = FitToDisplays({SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 8192, 8192}, displays);
    EXPECT_TRUE(SDL_WINDOWPOS_ISCENTERED(fitted.x));
    EXPECT_EQ(fitted.width, 1920);
    EXPECT_EQ(fitted.height, 1040);
}

TEST(StartupTest, AbsurdStoredValuesStayWithinReach) {
    // A damaged file must not ask for a window no machine can allocate, nor
    // wrap around into small or negative numbers.
    const WindowGeometry geometry = ParseWindowGeometry(
        "[window]\nlast_w=99999999999\nlast_h=-5\nlast_x=-99999999999\nlast_y=99999999999\n");
    EXPECT_EQ(geometry.width, 8192);
    EXPECT_EQ(geometry.height, 768);
    EXPECT_EQ(geometry.x, INT32_MIN);
    EXPECT_EQ(geometry.y, INT32_MAX);
}

TEST(StartupTest, UnreadableSettingsGiveTheDefaultWindowAndAreReplacedAtExit) {
    std::string garbage;
    for (int index = 0; index < 4096; ++index) {
        garbage += static_cast<char>((index * 7919 + 13) % 256);
    }
    std::string tooLarge = "[window]\nlast_w=1200\nlast_h=900\n";
    tooLarge += std::string(1024 * 1024, ' ');
    const std::string cases[] = {
        garbage,
        "[window] last_w=1200 last_h=900", // one line without a line feed
        tooLarge,
        "", // empty
    };
    for (const std::string& settings : cases) {
        AppHarness app;
        app.WriteSettings(settings);
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.WindowSize().x, 1024);
        EXPECT_EQ(app.WindowSize().y, 768);
        // At exit a file of no use is replaced by a good one, and what it held
        // is kept beside it unless it held nothing.
        app.CloseWindow();
        ASSERT_TRUE(app.RunUntilQuit(3));
        app.Exit();
        EXPECT_NE(app.Settings().find("last_w=1024\r\n"), std::string::npos);
        const bool setAside = settings == garbage || settings.empty();
        EXPECT_EQ(std::filesystem::exists(app.ConfigFolder() / "settings.conf.bad"),
                  setAside && !settings.empty());
        if (settings == garbage) {
            EXPECT_EQ(app.ReadConfigFile("settings.conf.bad"), garbage);
        }
    }
    // A folder in its place is no file to read: moved aside as well.
    AppHarness app;
    std::filesystem::create_directories(app.ConfigFolder() / "settings.conf" / "inside");
    ASSERT_TRUE(app.Start());
    app.CloseWindow();
    ASSERT_TRUE(app.RunUntilQuit(3));
    app.Exit();
    EXPECT_NE(app.Settings().find("[window]\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(app.ConfigFolder() / "settings.conf.bad" / "inside"));
}

TEST(StartupTest, APipeInPlaceOfTheLogDoesNotHoldUpStartUp) {
    AppHarness app;
    std::filesystem::create_directories(app.ConfigFolder());
    ASSERT_EQ(mkfifo((app.ConfigFolder() / "tessellon.log").c_str(), 0600), 0);
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.RunPasses(2));
    EXPECT_EQ(app.WindowSize().x, 1024);
}

TEST(StartupTest, AMissingArgumentFileStartsWithoutAPaper) {
    AppHarness app;
    ASSERT_TRUE(app.Start({(app.HomeFolder() / "no such paper.tsln").string()}));
    EXPECT_TRUE(app.RunPasses(2));
    EXPECT_EQ(editor->session.activePaper, nullptr);
    EXPECT_EQ(app.PixelAt(1020, editor->shell.statusBarRect.y + 1), kStatusGreen);
}

TEST(StartupTest, AMissingFontEndsStartUpWithItsMessage) {
    TempFolder folder;
    const std::filesystem::path program =
        CopyProgramWithout(std::filesystem::path(folder.Path()), "fonts/cad.ttf");
    const std::filesystem::path home = std::filesystem::path(folder.Path()) / "home";
    const ProgramRunResult result = RunProcess(program.string(), {}, home, folder.Path());
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 1);

    const std::string log = ReadFile(home / ".config" / "Tessellon" / "tessellon.log");
    EXPECT_NE(log.find("Couldn't load draw font: PhysicsFS error: "), std::string::npos) << log;
    EXPECT_EQ(log.find("Ready to go!"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home / ".config" / "Tessellon" / "settings.conf"))
        << "a failed start stores no geometry";
}
