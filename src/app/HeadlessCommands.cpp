#include "app/HeadlessCommands.h"

#include "app/Editor.h"
#include "app/ExportCommands.h"
#include "app/ResourceFont.h"
#include "app/ResourcePath.h"
#include "document/ObjectsJson.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "document/PaperObject.h"
#include "view/PaperThumbnail.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>
#include <physfs.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// The largest thumbnail the freedesktop sizes ask for ("xx-large").
constexpr int kMaxThumbnailSize = 1024;

// The short form of the manual page (tessellon.1); keep the two alike.
constexpr const char* kUsage =
    "Usage: tessellon [FILE.tsln...]\n"
    "       tessellon --export OUT.png [--color] [--no-grid] FILE.tsln\n"
    "       tessellon --thumbnail SIZE FILE.tsln OUT.png\n"
    "       tessellon --info FILE.tsln\n"
    "       tessellon --convert IN.tsln OUT.tsln [--uncompressed]\n"
    "       tessellon --help | --version\n"
    "\n"
    "Without an option, opens a window with each FILE as a paper of its own.\n"
    "\n"
    "  --export     draw the document as a PNG, PDF or SVG file at its true size, as\n"
    "               OUT's extension asks (.pdf, .svg; PNG for any other); black and\n"
    "               white unless --color; --no-grid leaves the grid out\n"
    "  --thumbnail  draw the whole document in colour, shrunk to fit SIZE x SIZE\n"
    "               pixels (1 to 1024) keeping its shape, as a PNG image\n"
    "  --info       describe the document and its objects as JSON\n"
    "  --convert    read a document of any version and save it as the program does\n"
    "               (the current version, compressed unless --uncompressed)\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n"
    "\n"
    "Exit status: 0 success, 1 failure (unreadable or corrupt document, image or\n"
    "document not written), 2 wrong arguments.\n"
    "Files: settings and log in $XDG_CONFIG_HOME/Tessellon/ (else ~/.config/Tessellon/);\n"
    "see the manual page tessellon(1).\n";

bool IsOption(const char* argument) {
    return std::strncmp(argument, "--", 2) == 0;
}

int UsageError(const char* problem) {
    std::fprintf(stderr, "tessellon: %s\n\n%s", problem, kUsage);
    return kExitUsage;
}

} // namespace

void WritePaperJson(std::FILE* out, const Paper& paper, const PaperFileHeader& header) {
    std::string hidden = "[";
    for (int layer = 0; layer < kLayerCount; ++layer) {
        hidden += (layer > 0 ? ", " : "") + std::to_string(paper.hiddenLayers[layer]);
    }
    hidden += "]";
    std::fputs("{\n", out);
    auto field = [out](const char* name, const std::string& value) {
        std::fputs(("  " + JsonString(name) + ": " + value + ",\n").c_str(), out);
    };
    field("version", std::to_string(header.version));
    field("compressed", header.compressed ? "true" : "false");
    field("width", std::to_string(paper.width));
    field("height", std::to_string(paper.height));
    field("unitIndex", std::to_string(paper.unitIndex));
    field("blocksPerUnit", std::to_string(paper.blocksPerUnit));
    field("linesPerInch", std::to_string(paper.linesPerInch));
    field("backgroundColor", JsonColor(paper.palette.backgroundColor));
    field("gridColor", JsonColor(paper.palette.gridColor));
    field("objectColor", JsonColor(paper.palette.objectColor));
    field("drawColor", JsonColor(paper.drawColor));
    field("hiddenLayers", hidden);
    field("backgroundImagePath", JsonString(paper.backgroundImagePath));
    field("backgroundImageX", std::to_string(paper.backgroundImageX));
    field("backgroundImageY", std::to_string(paper.backgroundImageY));
    field("backgroundImageAlpha", std::to_string(paper.backgroundImageAlpha));
    std::fputs("  \"objects\": [", out);
    // One object at a time: a document of a million objects would otherwise
    // be held a second time as text.
    std::string line;
    for (size_t i = 0; i < paper.objects.size(); ++i) {
        line = i > 0 ? ",\n    " : "\n    ";
        AppendObjectJson(line, *paper.objects[i]);
        std::fwrite(line.data(), 1, line.size(), out);
    }
    std::fputs(paper.objects.empty() ? "]\n}\n" : "\n  ]\n}\n", out);
}

namespace {

// --- Libraries -----------------------------------------------------------------

// SDL without video, SDL_image, and for drawing also SDL_ttf with the drawing
// font from the resource tree; all shut down again in reverse order.
class HeadlessLibraries {
  public:
    explicit HeadlessLibraries(const char* argv0) {
        SDL_Init(0);
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG | IMG_INIT_TIF | IMG_INIT_WEBP);
        physfs_ = PHYSFS_init(argv0) != 0;
    }
    ~HeadlessLibraries() {
        editor->shell.drawFont.reset(); // before TTF_Quit
        if (ttf_) {
            TTF_Quit();
        }
        if (physfs_) {
            PHYSFS_deinit();
        }
        IMG_Quit();
        SDL_Quit();
    }
    HeadlessLibraries(const HeadlessLibraries&) = delete;
    HeadlessLibraries& operator=(const HeadlessLibraries&) = delete;

    bool OpenDrawFont() {
        ttf_ = TTF_Init() == 0;
        if (!ttf_ || !physfs_) {
            std::fprintf(stderr, "Couldn't load draw font: %s\n", SDL_GetError());
            return false;
        }
        SetUpResourceSearchPath();
        // Kept whole: PDF and SVG exports embed the font's file.
        editor->shell.drawFont.reset();
        editor->shell.drawFont.reset(OpenResourceFontKeepingFile(kDrawFontFile, kDrawFontPoints,
                                                                 editor->shell.drawFontFile));
        if (editor->shell.drawFont == nullptr) {
            std::fprintf(stderr, "Couldn't load draw font: %s\n", SDL_GetError());
            return false;
        }
        return true;
    }

  private:
    bool physfs_ = false;
    bool ttf_ = false;
};

// Loads as the program does; the loader's own message on failure.
bool LoadForCommand(Paper& paper, const std::string& path, PaperFileHeader& header) {
    const FileReport report = LoadPaper(paper, path, &header);
    if (!report) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), report.message.c_str());
        return false;
    }
    return true;
}

// Loads `document` and hands it to `write`, which makes the image `output`.
int WriteDocumentImage(const char* argv0, const std::string& document, const std::string& output,
                       const std::function<bool(PaperView&)>& write) {
    HeadlessLibraries libraries(argv0);
    if (!libraries.OpenDrawFont()) {
        return kExitFailure;
    }
    Paper paper;
    PaperFileHeader header;
    if (!LoadForCommand(paper, document, header)) {
        return kExitFailure;
    }
    PaperView view(paper, editor->shell.drawFont.get(), {0, 0});
    // A background image that cannot be shown is worth a warning, not a failure.
    std::string problem;
    if (!paper.backgroundImagePath.empty() &&
        !view.LoadBackgroundImage(paper.backgroundImagePath, problem)) {
        std::fprintf(stderr, "%s: %s\n", document.c_str(), problem.c_str());
    }
    if (!write(view)) {
        std::fprintf(stderr, "%s: Error saving image!\n", output.c_str());
        return kExitFailure;
    }
    return kExitSuccess;
}

int RunExport(const char* argv0, const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || IsOption(arguments[1].c_str())) {
        return UsageError("--export needs the image to write");
    }
    const std::string output = arguments[1];
    bool colour = false;
    bool grid = true;
    std::string document;
    for (size_t i = 2; i < arguments.size(); ++i) {
        if (arguments[i] == "--color") {
            colour = true;
        } else if (arguments[i] == "--no-grid") {
            grid = false;
        } else if (IsOption(arguments[i].c_str()) || !document.empty()) {
            return UsageError(("unexpected argument " + arguments[i]).c_str());
        } else {
            document = arguments[i];
        }
    }
    if (document.empty()) {
        return UsageError("--export needs a document");
    }
    return WriteDocumentImage(argv0, document, output, [&](PaperView& view) {
        return WritePaperFile(view, colour, output, grid);
    });
}

// A whole number in [1, kMaxThumbnailSize], nothing else.
bool ParseThumbnailSize(const std::string& text, int& size) {
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, size);
    return error == std::errc() && rest == end && size >= 1 && size <= kMaxThumbnailSize;
}

int RunThumbnail(const char* argv0, const std::vector<std::string>& arguments) {
    if (arguments.size() != 4) {
        return UsageError("--thumbnail needs SIZE, the document and the image to write");
    }
    int size = 0;
    if (!ParseThumbnailSize(arguments[1], size)) {
        return UsageError(("bad thumbnail size " + arguments[1]).c_str());
    }
    const std::string& output = arguments[3];
    return WriteDocumentImage(argv0, arguments[2], output, [&](PaperView& view) {
        return WritePaperThumbnail(view, size, output);
    });
}

int RunInfo(const char* argv0, const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || IsOption(arguments[1].c_str())) {
        return UsageError("--info needs exactly one document");
    }
    HeadlessLibraries libraries(argv0);
    int status = kExitSuccess;
    {
        Paper paper;
        PaperFileHeader header;
        if (!LoadForCommand(paper, arguments[1], header)) {
            status = kExitFailure;
        } else {
            WritePaperJson(stdout, paper, header);
        }
    }
    return status;
}

int RunConvert(const char* argv0, const std::vector<std::string>& arguments) {
    bool compressed = true;
    std::vector<std::string> files;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--uncompressed") {
            compressed = false;
        } else if (IsOption(arguments[i].c_str())) {
            return UsageError(("unexpected argument " + arguments[i]).c_str());
        } else {
            files.push_back(arguments[i]);
        }
    }
    if (files.size() != 2) {
        return UsageError("--convert needs the document to read and the one to write");
    }
    HeadlessLibraries libraries(argv0);
    Paper paper;
    PaperFileHeader header;
    if (!LoadForCommand(paper, files[0], header)) {
        return kExitFailure;
    }
    const FileReport saved = SavePaper(paper, files[1], compressed);
    if (!saved) {
        std::fprintf(stderr, "%s: %s\n", files[1].c_str(), saved.message.c_str());
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace

bool IsHeadlessCommand(int argc, char** argv) {
    return argc >= 2 && argv[1] != nullptr && IsOption(argv[1]);
}

int RunHeadlessCommand(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    if (arguments.empty()) {
        return UsageError("no command");
    }
    const char* argv0 = argc > 0 ? argv[0] : nullptr;
    const std::string& command = arguments[0];
    int status = kExitUsage;
    if (command == "--help" && arguments.size() == 1) {
        std::fputs(kUsage, stdout);
        status = kExitSuccess;
    } else if (command == "--version" && arguments.size() == 1) {
        std::printf("Tessellon %s\n", TESSELLON_VERSION);
        status = kExitSuccess;
    } else if (command == "--export") {
        status = RunExport(argv0, arguments);
    } else if (command == "--thumbnail") {
        status = RunThumbnail(argv0, arguments);
    } else if (command == "--info") {
        status = RunInfo(argv0, arguments);
    } else if (command == "--convert") {
        status = RunConvert(argv0, arguments);
    } else {
        status = UsageError(("unknown command " + command).c_str());
    }
    ResetEditor();
    return status;
}
