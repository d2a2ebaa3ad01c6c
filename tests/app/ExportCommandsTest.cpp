#include "app/MenuTestSupport.h"

#include "app/Editor.h"
#include "app/ExportCommands.h"
#include "app/FileCommands.h"
#include "app/PaperWindows.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "document/PaperTestSupport.h"
#include "support/VRX_Paths.h"
#include "ui/Dialog.h"
#include "ui/FileDialog.h"
#include "view/PaperView.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kPaperWidth = 480;
constexpr int kPaperHeight = 384;
// A minor grid line of the default 24-pixel blocks, away from every object.
constexpr int kGridX = 48;
constexpr int kGridY = 300;
const SDL_Color kWhite = {255, 255, 255, 255};
// A background that the paper's 16-bit surface keeps exactly.
const SDL_Color kBlue = {0, 0, 255, 255};

std::string Notice() {
    return editor->ui.statusNotice;
}

SDL_Color ImagePixel(const std::string& path, int x, int y) {
    int w = 0;
    int h = 0;
    const std::vector<uint8_t> rgb = LoadImageRgb(path, w, h);
    if (rgb.empty() || x >= w || y >= h) {
        ADD_FAILURE() << "no pixel " << x << "," << y << " in " << path;
        return {0, 0, 0, 0};
    }
    const uint8_t* pixel = &rgb[(size_t(y) * w + x) * 3];
    return {pixel[0], pixel[1], pixel[2], 255};
}

// What a shell command prints on its standard output.
std::string CommandOutput(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char buffer[4096];
    size_t got = 0;
    while (pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        output.append(buffer, got);
    }
    return output;
}

// The page size pdfinfo tells for a PDF ("792 x 612 pts", without the name
// of a known size after it); empty for anything else.
std::string PdfPageSize(const std::string& path) {
    const std::string info = CommandOutput("pdfinfo '" + path + "' 2>/dev/null");
    const size_t line = info.find("Page size:");
    if (line == std::string::npos) {
        return {};
    }
    const size_t start = info.find_first_not_of(' ', line + 10);
    const size_t end = info.find(" pts", start);
    return end == std::string::npos ? std::string() : info.substr(start, end + 4 - start);
}

// The name of the root element of an XML file; empty when it does not parse.
std::string XmlRoot(const std::string& path) {
    return CommandOutput("python3 -c 'import sys, xml.etree.ElementTree as t; "
                         "print(t.parse(sys.argv[1]).getroot().tag)' '" +
                         path + "' 2>/dev/null");
}

constexpr const char* kSvgRoot = "{http://www.w3.org/2000/svg}svg\n";

// PATH with a folder of stand-in programs in front, for as long as it lives.
class FakePrograms {
  public:
    explicit FakePrograms(const fs::path& folder, bool keepSystemPath = true) : folder_(folder) {
        fs::create_directories(folder_);
        const char* path = std::getenv("PATH");
        saved_ = path != nullptr ? path : "";
        const std::string front = folder_.string();
        setenv("PATH", keepSystemPath ? (front + ":" + saved_).c_str() : front.c_str(), 1);
    }
    ~FakePrograms() { setenv("PATH", saved_.c_str(), 1); }
    FakePrograms(const FakePrograms&) = delete;
    FakePrograms& operator=(const FakePrograms&) = delete;

    // A program that writes its arguments, one a line, to <name>.args, copies
    // the file named last to <name>.copy while it still exists, and exits with
    // `status`.
    void Add(const std::string& name, int status) const {
        const fs::path script = folder_ / name;
        // $0 is the script's own path: PATH lookup gives the full one.
        WriteFile(script, "#!/bin/sh\n"
                          "PATH=/usr/bin:/bin\n"
                          "for last; do :; done\n"
                          "cp -- \"$last\" \"$0.copy\"\n"
                          "printf '%s\\n' \"$@\" > \"$0.args.part\"\n"
                          "mv -- \"$0.args.part\" \"$0.args\"\n"
                          "exit " +
                              std::to_string(status) + "\n");
        fs::permissions(script, fs::perms::owner_all);
    }
    std::string Arguments(const std::string& name) const {
        return ReadFile(folder_ / (name + ".args"));
    }
    std::string Copy(const std::string& name) const {
        return (folder_ / (name + ".copy")).string();
    }
    // Waits for a program started without waiting to have recorded its call.
    bool WaitFor(const std::string& name) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(folder_ / (name + ".args"))) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

  private:
    fs::path folder_;
    std::string saved_;
};

// Drives the commands through the real menu bar.
class ExportCommandsTest : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        folder = app.HomeFolder() / "work";
        fs::create_directories(folder);
    }

    // A new 5 x 4 inch paper (24-pixel blocks) with a coloured background, a
    // line, a coloured rectangle and a text, made active.
    Paper& DrawnPaper() {
        NewPaper("5x4");
        EXPECT_NE(editor->session.activePaper, nullptr);
        Draw(*editor->session.activePaper);
        return *editor->session.activePaper;
    }
    static void Draw(Paper& paper) {
        paper.palette.backgroundColor = kBlue;
        paper.CreateAndAddObject(LineRecord(ObjectKind::Line, 30, 30, 200, 120),
                                 OnLayer{editor->session.currentLayer});
        ObjectRecord rect = LineRecord(ObjectKind::Rect, 250, 40, 400, 200);
        rect.SetColor({200, 50, 100, 255});
        paper.CreateAndAddObject(rect);
        paper.CreateAndAddObject(TextRecord(60, 220, "Shed 1:50"),
                                 OnLayer{editor->session.currentLayer});
    }
    // Such a paper stored at `path` and opened from there, made active.
    Paper& OpenedPaper(const fs::path& path) {
        {
            Paper made;
            EXPECT_TRUE(made.SetSize(kPaperWidth, kPaperHeight));
            Draw(made);
            EXPECT_TRUE(SavePaper(made, path.string()));
        }
        EXPECT_TRUE(OpenPaperFile(path.string()));
        EXPECT_NE(editor->session.activePaper, nullptr);
        return *editor->session.activePaper;
    }

    // Answers the next save dialog with `path` (Escape when empty) and
    // returns, through `offered`, the path it suggested and, through
    // `offeredType`, the file type it showed. With `typeKeys` the keys are
    // typed into the file type list first.
    void AnswerSave(const std::string& path, std::string* offered = nullptr,
                    const std::string& typeKeys = "", std::string* offeredType = nullptr) {
        editor->ui.dialogPassHook = [=, this](Dialog& dialog) {
            if (dialog.Control(kFileNameEditId) == nullptr) {
                return;
            }
            if (dialog.Passes() == 1) {
                if (offered != nullptr) {
                    *offered = dialog.Text(kFileFolderEditId) + "/" + dialog.Text(kFileNameEditId);
                }
                if (offeredType != nullptr) {
                    *offeredType = dialog.Text(kFileTypeListId);
                }
                if (!typeKeys.empty()) {
                    dialog.SetFocus(kFileTypeListId);
                    app.TypeText(typeKeys);
                    return;
                }
            } else if (dialog.Passes() != 2 || typeKeys.empty()) {
                return;
            }
            if (path.empty()) {
                app.PressKey(SDLK_ESCAPE);
                return;
            }
            dialog.SetText(kFileNameEditId, path);
            dialog.SetFocus(kFileNameEditId);
            app.PressKey(SDLK_RETURN);
        };
    }
    // Answers the next folder browser with `chosen` and returns, through
    // `offered`, the folder it showed first. With `typeKeys` the keys are
    // typed into its file type list before OK.
    void AnswerFolder(const std::string& chosen, std::string* offered,
                      const std::string& typeKeys = "") {
        editor->ui.dialogPassHook = [=, this](Dialog& dialog) {
            if (dialog.Control(kFileFolderEditId) == nullptr) {
                return;
            }
            const int okPass = typeKeys.empty() ? 2 : 3;
            if (dialog.Passes() == 1) {
                *offered = dialog.Text(kFileFolderEditId);
                dialog.SetText(kFileFolderEditId, chosen);
                dialog.SetFocus(kFileFolderEditId);
                app.PressKey(SDLK_RETURN);
            } else if (dialog.Passes() < okPass) {
                dialog.SetFocus(kFileTypeListId);
                app.TypeText(typeKeys);
            } else if (dialog.Passes() == okPass) {
                const SDL_Rect ok = dialog.ControlRect(kIdOk);
                app.Click(ok.x + ok.w / 2, ok.y + ok.h / 2);
            }
        };
    }

    std::string In(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

} // namespace

TEST_F(ExportCommandsTest, ExportOffersTheDocumentsNameThenTheLastExport) {
    Paper& paper = OpenedPaper(folder / "shed.tsln");
    std::string offered;
    AnswerSave(In("out.png"), &offered);
    Choose("File", "Export B&W PNG...");
    EXPECT_EQ(offered, In("shed.png"));
    EXPECT_EQ(Notice(), "Image saved.");
    EXPECT_TRUE(fs::is_regular_file(In("out.png")));
    EXPECT_EQ(paper.exportPath, In("out.png"));

    AnswerSave("", &offered);
    Choose("File", "Export B&W PNG...");
    EXPECT_EQ(offered, In("out.png")) << "the last export's path comes first";
    EXPECT_EQ(paper.exportPath, In("out.png")) << "Cancel changes nothing";

    // Only the file name's extension is replaced, never a dot in a folder.
    Paper unnamed;
    EXPECT_EQ(SuggestedExportPath(unnamed), "");
    unnamed.filePath = "/plans/v1.2/shed";
    EXPECT_EQ(SuggestedExportPath(unnamed), "/plans/v1.2/shed.png");
    unnamed.filePath = "/plans/v1.2/shed.old.tsln";
    EXPECT_EQ(SuggestedExportPath(unnamed), "/plans/v1.2/shed.old.png");
}

TEST_F(ExportCommandsTest, ExportKeepsAPngExtensionInAnyCaseAndAddsOneOtherwise) {
    DrawnPaper();
    AnswerSave(In("shed.jpg"));
    Choose("File", "Export Color PNG...");
    EXPECT_TRUE(fs::is_regular_file(In("shed.jpg.png")));
    EXPECT_FALSE(fs::exists(In("shed.jpg")));

    AnswerSave(In("shed.PNG"));
    Choose("File", "Export Color PNG...");
    EXPECT_TRUE(fs::is_regular_file(In("shed.PNG")));
    EXPECT_FALSE(fs::exists(In("shed.PNG.png")));

    // The dialog asked about shed.jpg; the name really written is asked about too.
    WriteFile(In("shed.jpg.png"), "keep me");
    std::vector<std::string> replaceQuestions;
    AnswerSave(In("shed.jpg"));
    auto answerSave = editor->ui.dialogPassHook;
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        if (dialog.Caption() == "Confirm Save As" && dialog.Passes() == 1) {
            replaceQuestions.push_back(dialog.Text(kIdNone));
            app.TypeText("n");
        } else {
            answerSave(dialog);
        }
    };
    Choose("File", "Export Color PNG...");
    EXPECT_EQ(replaceQuestions,
              std::vector<std::string>{"shed.jpg.png already exists.\nDo you want to replace it?"});
    EXPECT_EQ(ReadFile(In("shed.jpg.png")), "keep me");
}

TEST_F(ExportCommandsTest, ExportWritesTheChosenTypeOrTheOneTheNameAsksFor) {
    Paper& paper = DrawnPaper();
    std::string offeredType;
    AnswerSave(In("plan"), nullptr, "PD", &offeredType);
    Choose("File", "Export B&W PNG...");
    EXPECT_EQ(offeredType, "PNG Image Files") << "PNG unless another type is chosen";
    EXPECT_EQ(Notice(), "Image saved.");
    EXPECT_EQ(paper.exportPath, In("plan.pdf"));
    EXPECT_EQ(ReadFile(In("plan.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPageSize(In("plan.pdf")), "360 x 288 pts") << "the page is the 5 x 4 in paper";
    EXPECT_NE(CommandOutput("pdffonts '" + In("plan.pdf") + "'").find("TrueType"),
              std::string::npos)
        << "the text is in the drawing font, embedded";
    EXPECT_FALSE(fs::exists(In("plan")));
    EXPECT_FALSE(fs::exists(In("plan.png")));

    // The next export offers the last one in its type; a name's own
    // extension decides over the type shown.
    std::string offered;
    AnswerSave(In("plan.svg"), &offered, "", &offeredType);
    Choose("File", "Export Color PNG...");
    EXPECT_EQ(offered, In("plan.pdf"));
    EXPECT_EQ(offeredType, "PDF Documents");
    EXPECT_EQ(Notice(), "Image saved.");
    EXPECT_EQ(XmlRoot(In("plan.svg")), kSvgRoot);
    EXPECT_FALSE(fs::exists(In("plan.svg.pdf")));
    EXPECT_EQ(paper.exportPath, In("plan.svg"));
}

TEST_F(ExportCommandsTest, LeftCtrlLeavesTheGridOutOfTheImageButNotOffTheScreen) {
    Paper& paper = DrawnPaper();
    paper.palette.backgroundColor = {255, 255, 255, 255};
    ASSERT_TRUE(app.RunPasses(1));
    const PaperView& view = *ActiveView();
    const SDL_Point onScreen = {editor->shell.paperViewRect.x + kGridX - view.scrollX,
                                editor->shell.paperViewRect.y + kGridY - view.scrollY};
    const SDL_Color screenGrid = app.PixelAt(onScreen.x, onScreen.y);
    ASSERT_NE(screenGrid, kWhite) << "the screen shows the grid";

    AnswerSave(In("grid.png"));
    Choose("File", "Export B&W PNG...");
    EXPECT_NE(ImagePixel(In("grid.png"), kGridX, kGridY), kWhite);

    // Held while the command is chosen, let go while the name is typed.
    bool ctrlHeld = true;
    editor->shell.keyHeldSource = [&](SDL_Scancode key) {
        return key == SDL_SCANCODE_LCTRL && ctrlHeld;
    };
    AnswerSave(In("plain.png"));
    auto answerSave = editor->ui.dialogPassHook;
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        ctrlHeld = false;
        answerSave(dialog);
    };
    Choose("File", "Export B&W PNG...");
    EXPECT_EQ(Notice(), "Image saved.");
    EXPECT_EQ(ImagePixel(In("plain.png"), kGridX, kGridY), kWhite);
    EXPECT_TRUE(editor->session.gridVisible);
    ASSERT_TRUE(app.RunPasses(1));
    EXPECT_EQ(app.PixelAt(onScreen.x, onScreen.y), screenGrid);
}

TEST_F(ExportCommandsTest, ExportedImagesMatchTheCommandLineExport) {
    Paper& paper = OpenedPaper(folder / "plan.tsln");
    AnswerSave(In("colour.png"));
    Choose("File", "Export Color PNG...");
    editor->shell.keyHeldSource = [](SDL_Scancode key) { return key == SDL_SCANCODE_LCTRL; };
    AnswerSave(In("plain.png"));
    Choose("File", "Export B&W PNG...");

    const auto commandLine = [&](const std::vector<std::string>& options, const std::string& out) {
        std::vector<std::string> args = {"--export", In(out)};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(paper.filePath);
        const ProgramRunResult result =
            RunProcess(TESSELLON_BINARY, args, app.HomeFolder(), folder);
        EXPECT_EQ(result.exitStatus, 0);
    };
    commandLine({"--color"}, "colour-cli.png");
    commandLine({"--no-grid"}, "plain-cli.png");

    for (const auto& [ours, theirs] :
         {std::pair{"colour.png", "colour-cli.png"}, std::pair{"plain.png", "plain-cli.png"}}) {
        int w = 0;
        int h = 0;
        int cliW = 0;
        int cliH = 0;
        const std::vector<uint8_t> image = LoadImageRgb(In(ours), w, h);
        const std::vector<uint8_t> reference = LoadImageRgb(In(theirs), cliW, cliH);
        ASSERT_FALSE(image.empty()) << ours;
        EXPECT_EQ(w, kPaperWidth);
        EXPECT_EQ(h, kPaperHeight);
        EXPECT_EQ(cliW, w);
        EXPECT_EQ(cliH, h);
        EXPECT_TRUE(image == reference) << ours << " differs from " << theirs;
    }
    // The colour image has the paper's background, the black-and-white one is white.
    EXPECT_EQ(ImagePixel(In("colour.png"), 5, 5), kBlue);
    EXPECT_EQ(ImagePixel(In("plain.png"), 5, 5), kWhite);
}

TEST_F(ExportCommandsTest, AFailedExportSaysSoAndKeepsThePath) {
    // A paper without a size cannot be drawn.
    auto sizeless = std::make_unique<Paper>();
    sizeless->width = 0;
    SetActivePaper(AddOpenPaper(std::move(sizeless)).document.get());
    AnswerSave(In("never.png"));
    Choose("File", "Export Color PNG...");
    EXPECT_EQ(Notice(), "Error saving image!");
    EXPECT_FALSE(fs::exists(In("never.png")));
    EXPECT_EQ(editor->session.activePaper->exportPath, In("never.png"));
    {
        FakePrograms fakes(folder / "bin");
        fakes.Add("lp", 0);
        Choose("File", "Print...");
        EXPECT_EQ(Notice(), "Error saving image!");
        EXPECT_EQ(fakes.Arguments("lp"), "") << "nothing to print";
    }

    // Without a paper the commands do nothing at all.
    ASSERT_TRUE(CloseAllPapers(/*force=*/true));
    editor->ui.statusNotice[0] = '\0';
    bool asked = false;
    editor->ui.dialogPassHook = [&](Dialog&) { asked = true; };
    Choose("File", "Export Color PNG...");
    Choose("Windows", "Export All Color PNG...");
    Choose("File", "Print...");
    EXPECT_FALSE(asked);
    EXPECT_EQ(Notice(), "");
}

TEST_F(ExportCommandsTest, ExportAllNamesEveryPaperAndRemembersTheFolder) {
    Paper& first = DrawnPaper();
    Paper& second = DrawnPaper();
    Paper& named = OpenedPaper(folder / "a.TSLN");
    const fs::path out = folder / "out";
    fs::create_directories(out);
    WriteFile(out / "a.png", "old");

    std::string offered;
    AnswerFolder(out.string(), &offered);
    editor->ui.statusNotice[0] = '\0';
    Choose("Windows", "Export All Color PNG...");
    EXPECT_EQ(offered + "/", GetDocumentsFolder(kProductName));
    EXPECT_EQ(editor->session.exportFolder, out.string() + "/");
    EXPECT_EQ(Notice(), "") << "success is not announced";
    EXPECT_EQ(first.exportPath, (out / "Unnamed File 1.png").string());
    EXPECT_EQ(second.exportPath, (out / "Unnamed File 2.png").string());
    EXPECT_EQ(named.exportPath, (out / "a.png").string());
    for (const char* name : {"Unnamed File 1.png", "Unnamed File 2.png", "a.png"}) {
        EXPECT_EQ(ImagePixel((out / name).string(), 5, 5), kBlue) << name;
    }

    AnswerFolder(out.string(), &offered);
    Choose("Windows", "Export All B&W PNG...");
    EXPECT_EQ(offered, out.string()) << "the second time starts in the first one's folder";
    EXPECT_EQ(ImagePixel((out / "a.png").string(), 5, 5), kWhite);

    // Cancel keeps the folder.
    editor->ui.dialogPassHook = [this](Dialog& dialog) {
        if (dialog.Passes() == 1) {
            app.PressKey(SDLK_ESCAPE);
        }
    };
    Choose("Windows", "Export All Color PNG...");
    EXPECT_EQ(editor->session.exportFolder, out.string() + "/");
}

TEST_F(ExportCommandsTest, ExportAllGivesSameNamedDocumentsTheirOwnImages) {
    fs::create_directories(folder / "one");
    fs::create_directories(folder / "two");
    Paper& first = OpenedPaper(folder / "one" / "shed.tsln");
    Paper& second = OpenedPaper(folder / "two" / "shed.tsln");
    std::string offered;
    AnswerFolder(folder.string(), &offered);
    Choose("Windows", "Export All Color PNG...");
    EXPECT_EQ(first.exportPath, In("shed.png"));
    EXPECT_EQ(second.exportPath, In("shed (2).png"));
    EXPECT_TRUE(fs::is_regular_file(In("shed.png")));
    EXPECT_TRUE(fs::is_regular_file(In("shed (2).png")));

    // With the SVG type chosen, the same names end in ".svg".
    AnswerFolder(folder.string(), &offered, "S");
    Choose("Windows", "Export All B&W PNG...");
    EXPECT_EQ(first.exportPath, In("shed.svg"));
    EXPECT_EQ(second.exportPath, In("shed (2).svg"));
    for (const char* name : {"shed.svg", "shed (2).svg"}) {
        EXPECT_EQ(XmlRoot(In(name)), kSvgRoot) << name;
    }
}

TEST_F(ExportCommandsTest, PrintHandsABlackAndWhitePdfOfThePapersSizeToThePrintQueue) {
    FakePrograms fakes(folder / "bin");
    fakes.Add("lp", 0);
    NewPaper("11x8.5");
    Paper& paper = *editor->session.activePaper;
    Draw(paper);
    paper.exportPath = In("earlier.png");
    Choose("File", "Print...");

    const std::string printFile =
        (app.ConfigFolder() / ("print." + std::to_string(::getpid()) + ".pdf")).string();
    EXPECT_EQ(Notice(), "Printed page successfully!");
    // On paper of the PDF's own size, never shrunk or grown to fit another.
    EXPECT_EQ(fakes.Arguments("lp"),
              "-o\nmedia=Custom.11x8.5in\n-o\nprint-scaling=none\n--\n" + printFile + "\n");
    EXPECT_EQ(PdfPageSize(fakes.Copy("lp")), "792 x 612 pts");
    CommandOutput("pdftoppm -r 96 -singlefile -png '" + fakes.Copy("lp") + "' '" + In("printed") +
                  "'");
    EXPECT_EQ(ImagePixel(In("printed.png"), 5, 5), kWhite) << "printed in black and white";
    EXPECT_FALSE(fs::exists(printFile)) << "removed once printed";
    EXPECT_EQ(paper.exportPath, In("earlier.png")) << "the next export does not offer it";

    // A size of no whole number of hundredths: 1000 x 816 pixels.
    NewPaper("10.42x8.5");
    Choose("File", "Print...");
    EXPECT_EQ(fakes.Arguments("lp"),
              "-o\nmedia=Custom.10.417x8.5in\n-o\nprint-scaling=none\n--\n" + printFile + "\n");
}

TEST_F(ExportCommandsTest, PrintFallsBackToTheImageViewer) {
    const std::string printFile =
        (app.ConfigFolder() / ("print." + std::to_string(::getpid()) + ".pdf")).string();
    DrawnPaper();
    {
        FakePrograms nothing(folder / "empty", /*keepSystemPath=*/false);
        Choose("File", "Print...");
        EXPECT_EQ(Notice(), "Error printing page!");
        EXPECT_FALSE(fs::exists(printFile));
    }
    {
        // The queue fails: the image goes to the viewer and stays until exit.
        FakePrograms fakes(folder / "bin");
        fakes.Add("lp", 1);
        fakes.Add("xdg-open", 0);
        Choose("File", "Print...");
        EXPECT_EQ(Notice(), "No printer took the page; it is open in the PDF viewer.");
        ASSERT_TRUE(fakes.WaitFor("xdg-open"));
        EXPECT_EQ(fakes.Arguments("xdg-open"), printFile + "\n");
        EXPECT_TRUE(fs::is_regular_file(printFile));
    }
    {
        // Neither program can be started; the file the viewer may still be
        // about to read stays.
        FakePrograms nothing(folder / "empty", /*keepSystemPath=*/false);
        Choose("File", "Print...");
        EXPECT_EQ(Notice(), "Error printing page!");
        EXPECT_TRUE(fs::is_regular_file(printFile));
    }
    app.Shutdown();
    EXPECT_FALSE(fs::exists(printFile)) << "removed at exit";
}
