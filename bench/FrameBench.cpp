// Whole window frames of the real program with 5,000 objects on a letter
// paper: the paper view, toolbox, menus and status line drawn, the view
// uploaded and the frame presented, as the main loop does after input.

#include "BenchDocument.h"
#include "app/Editor.h"
#include "app/Frame.h"
#include "app/PaperWindows.h"
#include "app/Shutdown.h"
#include "app/Startup.h"
#include "document/Paper.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kObjectCount = 5000;
// Where the program keeps its settings under XDG_CONFIG_HOME.
constexpr const char* kProductFolderName = "Tessellon";
// The largest paper there is: 341 x 341 inches.
constexpr int32_t kHugePaperSide = 32736;

// The program started in a window of 1024 x 768 (no display needed), in a
// home folder of its own, with one letter paper of `kObjectCount` objects.
class ProgramSession {
  public:
    explicit ProgramSession(SDL_Point paperSize = {kDefaultPaperWidth, kDefaultPaperHeight}) {
        home_ = std::filesystem::temp_directory_path() /
                ("tessellon-bench-" + std::to_string(::getpid()));
        const std::filesystem::path config = home_ / ".config" / kProductFolderName;
        std::filesystem::create_directories(config);
        std::ofstream(config / "settings.conf") << "[window]\nlast_w=1024\nlast_h=768\n";
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ / ".config").c_str(), 1);
        setenv("XDG_STATE_HOME", (home_ / ".state").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::string program = "tessellon";
        char* argv[] = {program.data(), nullptr};
        up_ = StartUp(1, argv) == 0;
        if (!up_) {
            return;
        }
        // A new paper, as File > New opens one.
        Paper& paper = *AddOpenPaper(NewDocument()).document;
        SetActivePaper(&paper);
        paper.SetSize(paperSize.x, paperSize.y);
        Populate(paper, {0, 0, paperSize.x, paperSize.y}, kObjectCount);
        RenderFrame();
    }
    ~ProgramSession() {
        ShutdownProgram();
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    bool Up(benchmark::State& state) {
        if (!up_) {
            state.SkipWithError("the program did not start");
        }
        return up_;
    }
    Paper& Document() { return *editor->session.activePaper; }
    PaperView& View() { return *ActiveView(); }

  private:
    std::filesystem::path home_;
    bool up_ = false;
};

void BM_FrameIdle(benchmark::State& state) {
    ProgramSession program;
    if (!program.Up(state)) {
        return;
    }
    for (auto _ : state) {
        RenderFrame();
    }
}
BENCHMARK(BM_FrameIdle)->Unit(benchmark::kMillisecond);

void BM_FrameMoveOneObject(benchmark::State& state) {
    ProgramSession program;
    if (!program.Up(state)) {
        return;
    }
    Paper& paper = program.Document();
    const std::shared_ptr<PaperObject> object = paper.objects[paper.objects.size() / 2];
    paper.selection.emplace(object->id, object);
    RenderFrame();
    int32_t step = paper.blockWidth;
    for (auto _ : state) {
        paper.MoveObjects(step, 0, true);
        step = -step;
        RenderFrame();
    }
}
BENCHMARK(BM_FrameMoveOneObject)->Unit(benchmark::kMillisecond);

void BM_FrameScrollOneBlock(benchmark::State& state) {
    ProgramSession program;
    if (!program.Up(state)) {
        return;
    }
    PaperView& view = program.View();
    int32_t step = program.Document().blockHeight;
    for (auto _ : state) {
        view.scrollY += step;
        step = -step;
        RenderFrame();
    }
}
BENCHMARK(BM_FrameScrollOneBlock)->Unit(benchmark::kMillisecond);

void FullRedraws(benchmark::State& state, SDL_Point paperSize, bool farCorner) {
    ProgramSession program(paperSize);
    if (!program.Up(state)) {
        return;
    }
    PaperView& view = program.View();
    if (farCorner) {
        view.scrollX = paperSize.x;
        view.scrollY = paperSize.y;
        view.KeepScrollInView();
    }
    for (auto _ : state) {
        view.InvalidatePicture();
        RenderFrame();
    }
}

void BM_FrameFullRedraw(benchmark::State& state) {
    FullRedraws(state, {kDefaultPaperWidth, kDefaultPaperHeight}, false);
}
BENCHMARK(BM_FrameFullRedraw)->Unit(benchmark::kMillisecond);

void BM_FrameFullRedrawHugePaper(benchmark::State& state) {
    FullRedraws(state, {kHugePaperSide, kHugePaperSide}, true);
}
BENCHMARK(BM_FrameFullRedrawHugePaper)->Unit(benchmark::kMillisecond);

} // namespace
