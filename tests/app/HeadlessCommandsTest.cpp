#include "document/ObjectsJson.h"
#include "document/PaperFile.h"
#include "document/PaperTestSupport.h"
#include "support/TempFolder.h"
#include "view/PaperRenderer.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs a shell command, capturing both output streams.
CommandResult RunCommand(const std::string& commandLine) {
    const std::string out = TestPath("stdout.txt");
    const std::string err = TestPath("stderr.txt");
    const std::string command = commandLine + " >'" + out + "' 2>'" + err + "'";
    CommandResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

// Runs the real program without any display.
CommandResult RunTessellon(const std::string& arguments) {
    return RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '" +
                      std::string(TESSELLON_BINARY) + "' " + arguments);
}

// Just enough JSON to check what --info prints; any deviation from the
// grammar, invalid UTF-8 included, fails the parse.
struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    double number = 0;
    bool boolean = false;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& name) const {
        static const Json missing;
        const auto found = fields.find(name);
        return found != fields.end() ? found->second : missing;
    }
    const Json& operator[](size_t index) const { return items.at(index); }
    int Int() const { return static_cast<int>(number); }
};

class JsonParser {
  public:
    explicit JsonParser(const std::string& text) : text_(text) {}

    bool Parse(Json& value) { return Value(value) && (Skip(), position_ == text_.size()); }

  private:
    void Skip() {
        while (position_ < text_.size() && std::strchr(" \t\r\n", text_[position_]) != nullptr) {
            ++position_;
        }
    }
    bool Literal(const char* word) {
        const size_t length = std::strlen(word);
        if (text_.compare(position_, length, word) != 0) {
            return false;
        }
        position_ += length;
        return true;
    }
    bool Value(Json& value) {
        Skip();
        if (position_ >= text_.size()) {
            return false;
        }
        const char c = text_[position_];
        if (c == '{') {
            value.type = Json::Type::Object;
            ++position_;
            Skip();
            if (position_ < text_.size() && text_[position_] == '}') {
                ++position_;
                return true;
            }
            for (;;) {
                Json key;
                Skip();
                if (!String(key.text)) {
                    return false;
                }
                Skip();
                if (!Literal(":") || !Value(value.fields[key.text])) {
                    return false;
                }
                Skip();
                if (Literal("}")) {
                    return true;
                }
                if (!Literal(",")) {
                    return false;
                }
            }
        }
        if (c == '[') {
            value.type = Json::Type::Array;
            ++position_;
            Skip();
            if (Literal("]")) {
                return true;
            }
            for (;;) {
                value.items.emplace_back();
                if (!Value(value.items.back())) {
                    return false;
                }
                Skip();
                if (Literal("]")) {
                    return true;
                }
                if (!Literal(",")) {
                    return false;
                }
            }
        }
        if (c == '"') {
            value.type = Json::Type::String;
            return String(value.text);
        }
        if (Literal("true") || Literal("false")) {
            value.type = Json::Type::Bool;
            value.boolean = text_[position_ - 1] == 'e' && text_[position_ - 2] == 'u';
            return true;
        }
        if (Literal("null")) {
            return true;
        }
        size_t used = 0;
        try {
            value.number = std::stod(text_.substr(position_, 32), &used);
        } catch (...) {
            return false;
        }
        value.type = Json::Type::Number;
        position_ += used;
        return used > 0;
    }
    bool String(std::string& out) {
        if (!Literal("\"")) {
            return false;
        }
        while (position_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[position_++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20) {
                return false;
            }
            if (c == '\\') {
                if (position_ >= text_.size()) {
                    return false;
                }
                const char e = text_[position_++];
                if (e == 'u') {
                    const unsigned code = std::stoul(text_.substr(position_, 4), nullptr, 16);
                    position_ += 4;
                    out += static_cast<char>(code); // only control characters are escaped
                } else {
                    const char* from = "\"\\/bfnrt";
                    const char* to = "\"\\/\b\f\n\r\t";
                    const char* at = std::strchr(from, e);
                    if (at == nullptr) {
                        return false;
                    }
                    out += to[at - from];
                }
            } else if (c >= 0x80) {
                // A whole, valid UTF-8 sequence.
                const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
                if (length == 0 || c > 0xF4 || position_ + length - 1 > text_.size()) {
                    return false;
                }
                out += static_cast<char>(c);
                for (size_t i = 1; i < length; ++i) {
                    const auto next = static_cast<unsigned char>(text_[position_++]);
                    if ((next & 0xC0) != 0x80) {
                        return false;
                    }
                    out += static_cast<char>(next);
                }
            } else {
                out += static_cast<char>(c);
            }
        }
        return false;
    }

    const std::string& text_;
    size_t position_ = 0;
};

void ExpectColor(const Json& value, SDL_Color color) {
    ASSERT_EQ(value.items.size(), 4u);
    EXPECT_EQ(value[0].Int(), color.r);
    EXPECT_EQ(value[1].Int(), color.g);
    EXPECT_EQ(value[2].Int(), color.b);
    EXPECT_EQ(value[3].Int(), color.a);
}

// A document with one object of every kind and every setting away from its default.
void FillPaper(Paper& paper) {
    paper.unitIndex = 1;
    paper.blocksPerUnit = 2;
    paper.linesPerInch = 8;
    paper.UpdateBlockSize();
    paper.palette.backgroundColor = {250, 245, 230, 255};
    paper.palette.gridColor = {120, 140, 200, 255};
    paper.palette.objectColor = {20, 20, 60, 255};
    paper.drawColor = {1, 2, 3, 255};
    paper.hiddenLayers[2] = 1;
    paper.hiddenLayers[14] = 1;
    paper.backgroundImagePath = "";
    paper.backgroundImageX = -7;
    paper.backgroundImageY = 9;
    paper.backgroundImageAlpha = 99;
    const ObjectKind lineKinds[] = {ObjectKind::Line, ObjectKind::Measurement, ObjectKind::Rect,
                                    ObjectKind::DashedLine, ObjectKind::Arrow};
    int32_t i = 0;
    for (ObjectKind kind : lineKinds) {
        ObjectRecord record = LineRecord(kind, 20 + i * 40, 30 + i, 300 - i * 20, 250 + i * 7);
        record.SetLayer(uint8_t(i + 1));
        record.SetColor({uint8_t(i * 50), 100, 0, uint8_t(i == 0 ? 0 : 255)});
        paper.CreateAndAddObject(record);
        ++i;
    }
    paper.CreateAndAddObject(CircleRecord(200, 150, 80, 2, 0));
    paper.CreateAndAddObject(CircleRecord(250, 180, -5, 7, -45));
    ObjectRecord text = TextRecord(40, 60, "Say \"hi\"\\\t", 33);
    // Bytes that are not UTF-8, as a damaged or foreign file may hold.
    text.bytes[ObjectRecord::kTextOffset + 10] = '\xFF';
    text.bytes[ObjectRecord::kTextOffset + 11] = '\xC3';
    text.SetLayer(40);
    paper.CreateAndAddObject(text);
    paper.CreateAndAddObject(TextRecord(120, 280, "Plan 1:50"));
}

} // namespace

TEST(HeadlessCommandsTest, InfoDescribesEveryFieldOfEveryKind) {
    DocumentSession session;
    Paper paper;
    ASSERT_TRUE(paper.SetSize(640, 480));
    FillPaper(paper);
    const std::string path = TestPath("info.tsln");
    ASSERT_TRUE(SavePaper(paper, path));

    const CommandResult result = RunTessellon("--info '" + path + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    Json info;
    ASSERT_TRUE(JsonParser(result.out).Parse(info)) << result.out;
    EXPECT_EQ(info["version"].Int(), 3);
    EXPECT_TRUE(info["compressed"].boolean);
    EXPECT_EQ(info["width"].Int(), 640);
    EXPECT_EQ(info["height"].Int(), 480);
    EXPECT_EQ(info["unitIndex"].Int(), 1);
    EXPECT_EQ(info["blocksPerUnit"].Int(), 2);
    EXPECT_EQ(info["linesPerInch"].Int(), 8);
    ExpectColor(info["backgroundColor"], paper.palette.backgroundColor);
    ExpectColor(info["gridColor"], paper.palette.gridColor);
    ExpectColor(info["objectColor"], paper.palette.objectColor);
    ExpectColor(info["drawColor"], paper.drawColor);
    ASSERT_EQ(info["hiddenLayers"].items.size(), 16u);
    for (size_t layer = 0; layer < 16; ++layer) {
        EXPECT_EQ(info["hiddenLayers"][layer].Int(), paper.hiddenLayers[layer]);
    }
    EXPECT_EQ(info["backgroundImagePath"].type, Json::Type::String);
    EXPECT_EQ(info["backgroundImageX"].Int(), -7);
    EXPECT_EQ(info["backgroundImageY"].Int(), 9);
    EXPECT_EQ(info["backgroundImageAlpha"].Int(), 99);

    const Json& objects = info["objects"];
    ASSERT_EQ(objects.items.size(), paper.objects.size());
    const char* names[] = {"Line", "Circle", "Measurement", "Text", "Rect", "DashedLine", "Arrow"};
    for (size_t i = 0; i < paper.objects.size(); ++i) {
        SCOPED_TRACE("object " + std::to_string(i));
        const ObjectRecord& r = paper.objects[i]->record;
        const Json& o = objects[i];
        EXPECT_EQ(o["id"].Int(), int(i + 1));
        EXPECT_EQ(o["kind"].Int(), int(r.Kind()));
        EXPECT_EQ(o["kindName"].text, names[r.Kind()]);
        EXPECT_EQ(o["x1"].Int(), r.X1());
        EXPECT_EQ(o["y1"].Int(), r.Y1());
        EXPECT_EQ(o["layer"].Int(), r.Layer());
        EXPECT_EQ(o["angle"].Int(), r.Angle());
        ExpectColor(o["color"], r.Color());
        switch (static_cast<ObjectKind>(r.Kind())) {
        case ObjectKind::Circle:
            EXPECT_EQ(o["radius"].Int(), r.Radius());
            EXPECT_EQ(o["sides"].Int(), r.Sides());
            EXPECT_EQ(o["x2"].type, Json::Type::Null);
            break;
        case ObjectKind::Text:
            EXPECT_EQ(o["text"].type, Json::Type::String);
            break;
        default:
            EXPECT_EQ(o["x2"].Int(), r.X2());
            EXPECT_EQ(o["y2"].Int(), r.Y2());
            break;
        }
    }
    EXPECT_EQ(objects[7]["text"].text, "Say \"hi\"\\\t\xEF\xBF\xBD\xEF\xBF\xBD")
        << "broken bytes come out as replacement characters";
    EXPECT_EQ(objects[8]["text"].text, "Plan 1:50");
    // What --info prints can be pasted as it is.
    EXPECT_EQ(ObjectsFromJson(result.out).message, "Pasted 9 objects.");

    // An uncompressed file says so.
    paper.fileVersion = 0x83;
    const std::string plain = TestPath("plain.tsln");
    std::ofstream(plain, std::ios::binary) << "TSPF\x83" << paper.SaveToString();
    const CommandResult plainResult = RunTessellon("--info '" + plain + "'");
    ASSERT_EQ(plainResult.status, 0) << plainResult.err;
    Json plainInfo;
    ASSERT_TRUE(JsonParser(plainResult.out).Parse(plainInfo));
    EXPECT_FALSE(plainInfo["compressed"].boolean);
    EXPECT_EQ(plainInfo["objects"].items.size(), paper.objects.size());
}

TEST(HeadlessCommandsTest, ExportHasThePixelsOfTheWholePaperRender) {
    DocumentSession session;
    {
        Paper paper;
        ASSERT_TRUE(paper.SetSize(640, 480));
        FillPaper(paper);
        ASSERT_TRUE(SavePaper(paper, TestPath("export.tsln")));
    }
    Paper paper;
    ASSERT_TRUE(LoadPaper(paper, TestPath("export.tsln")));
    PaperView view(paper, editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    struct Case {
        const char* options;
        bool colour;
        bool grid;
    };
    for (const Case& c :
         {Case{"", false, true}, Case{"--color", true, true},
          Case{"--no-grid --color", true, false}, Case{"--no-grid", false, false}}) {
        SCOPED_TRACE(c.options);
        const std::string png = TestPath("export.png");
        std::remove(png.c_str());
        const CommandResult result = RunTessellon("--export '" + png + "' " + c.options + " '" +
                                                  TestPath("export.tsln") + "'");
        ASSERT_EQ(result.status, 0) << result.err;
        int w = 0;
        int h = 0;
        const std::vector<uint8_t> exported = LoadImageRgb(png, w, h);
        ASSERT_EQ(w, 640);
        ASSERT_EQ(h, 480);
        RenderOverlay overlay;
        overlay.showGrid = c.grid;
        ASSERT_TRUE(RenderPaper(view, true, c.colour, overlay));
        EXPECT_TRUE(exported == RenderedRgb(view));
    }

    // The extension asks for vectors instead; any other keeps the PNG.
    for (const char* name : {"export.pdf", "export.svg", "export.image"}) {
        SCOPED_TRACE(name);
        const CommandResult result =
            RunTessellon("--export '" + TestPath(name) + "' '" + TestPath("export.tsln") + "'");
        ASSERT_EQ(result.status, 0) << result.err;
    }
    EXPECT_EQ(ReadText(TestPath("export.pdf")).substr(0, 5), "%PDF-");
    const CommandResult fonts = RunCommand("pdffonts '" + TestPath("export.pdf") + "'");
    EXPECT_NE(fonts.out.find("TrueType"), std::string::npos)
        << "the texts are in the drawing font, embedded\n"
        << fonts.out;
    const CommandResult svg = RunCommand("python3 -c 'import sys, xml.etree.ElementTree as t; "
                                         "print(t.parse(sys.argv[1]).getroot().tag)' '" +
                                         TestPath("export.svg") + "'");
    EXPECT_EQ(svg.out, "{http://www.w3.org/2000/svg}svg\n") << svg.err;
    EXPECT_EQ(ReadText(TestPath("export.image")).substr(0, 4), "\x89PNG");
}

TEST(HeadlessCommandsTest, FailuresAndMisuseAreToldApart) {
    DocumentSession session;
    const CommandResult version = RunTessellon("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("Tessellon ") + TESSELLON_VERSION + "\n");
    const CommandResult help = RunTessellon("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--export OUT.png"), std::string::npos);

    for (const char* misuse : {"--export", "--export out.png", "--info", "--info a b",
                               "--frobnicate", "--export out.png --sepia doc.tsln"}) {
        const CommandResult result = RunTessellon(misuse);
        EXPECT_EQ(result.status, 2) << misuse;
        EXPECT_NE(result.err.find("Usage:"), std::string::npos) << misuse;
    }

    const std::string corrupt = TestPath("corrupt.tsln");
    std::ofstream(corrupt, std::ios::binary) << "TSPF\x83\x05";
    CommandResult result = RunTessellon("--info '" + corrupt + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("File is corrupt!"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
    const std::string png = TestPath("never.png");
    result = RunTessellon("--export '" + png + "' '" + corrupt + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("File is corrupt!"), std::string::npos);
    EXPECT_FALSE(std::ifstream(png).good());
    result = RunTessellon("--info '" + TestPath("missing.tsln") + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Error opening file for read!"), std::string::npos);
}

namespace {

// Mean of each colour channel over a whole RGB image.
std::vector<double> MeanColour(const std::vector<uint8_t>& rgb) {
    std::vector<double> mean(3, 0.0);
    for (size_t i = 0; i < rgb.size(); ++i) {
        mean[i % 3] += rgb[i];
    }
    for (double& channel : mean) {
        channel /= static_cast<double>(rgb.size() / 3);
    }
    return mean;
}

} // namespace

TEST(HeadlessCommandsTest, ThumbnailIsTheWholeColourPaperShrunkToFit) {
    DocumentSession session;
    const std::string document = TestPath("letter.tsln");
    {
        // An upright letter paper crowded with coloured objects.
        Paper paper;
        ASSERT_TRUE(paper.SetSize(816, 1056));
        paper.palette.backgroundColor = {250, 235, 200, 255};
        for (int i = 0; i < 5000; ++i) {
            ObjectRecord record =
                LineRecord(i % 3 == 0 ? ObjectKind::Rect : ObjectKind::Line, (i * 37) % 800,
                           (i * 53) % 1040, (i * 91) % 810, (i * 17) % 1050);
            record.SetColor({uint8_t(i % 200), 40, 160, 255});
            paper.CreateAndAddObject(record);
        }
        ASSERT_TRUE(SavePaper(paper, document));
    }
    const std::string full = TestPath("full.png");
    ASSERT_EQ(RunTessellon("--export '" + full + "' --color '" + document + "'").status, 0);
    const std::string thumbnail = TestPath("thumb.png");
    const CommandResult result =
        RunTessellon("--thumbnail 128 '" + document + "' '" + thumbnail + "'");
    ASSERT_EQ(result.status, 0) << result.err;

    int w = 0;
    int h = 0;
    const std::vector<uint8_t> small = LoadImageRgb(thumbnail, w, h);
    EXPECT_EQ(h, 128) << "the longer side fills the size";
    EXPECT_EQ(w, 99) << "the paper keeps its shape";
    int fullW = 0;
    int fullH = 0;
    const std::vector<double> expected = MeanColour(LoadImageRgb(full, fullW, fullH));
    const std::vector<double> got = MeanColour(small);
    for (size_t channel = 0; channel < 3; ++channel) {
        EXPECT_NEAR(got[channel], expected[channel], 1.5) << "channel " << channel;
    }

    // A paper smaller than the size is not blown up.
    const std::string card = TestPath("card.tsln");
    {
        Paper paper;
        ASSERT_TRUE(paper.SetSize(96, 48));
        ASSERT_TRUE(SavePaper(paper, card));
    }
    ASSERT_EQ(RunTessellon("--thumbnail 256 '" + card + "' '" + thumbnail + "'").status, 0);
    LoadImageRgb(thumbnail, w, h);
    EXPECT_EQ(w, 96);
    EXPECT_EQ(h, 48);
}

TEST(HeadlessCommandsTest, ThumbnailOfABadFileWritesNothing) {
    DocumentSession session;
    const std::string corrupt = TestPath("corrupt.tsln");
    std::ofstream(corrupt, std::ios::binary) << "TSPF\x83\x05";
    const std::string thumbnail = TestPath("thumb.png");
    std::ofstream(thumbnail) << "earlier";

    CommandResult result = RunTessellon("--thumbnail 128 '" + corrupt + "' '" + thumbnail + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("File is corrupt!"), std::string::npos) << result.err;
    EXPECT_EQ(ReadText(thumbnail), "earlier");
    for (const char* size : {"0", "-5", "12x", "1025", "''"}) {
        result = RunTessellon(std::string("--thumbnail ") + size + " '" + corrupt + "' '" +
                              thumbnail + "'");
        EXPECT_EQ(result.status, 2) << size;
    }
    EXPECT_EQ(RunTessellon("--thumbnail 128 '" + corrupt + "'").status, 2);
    EXPECT_EQ(ReadText(thumbnail), "earlier");
}

TEST(HeadlessCommandsTest, ConvertSavesAnyVersionAsTheProgramDoes) {
    DocumentSession session;
    // A first-version document, stored uncompressed: no drawing colour, hidden
    // layers or image yet, one line.
    std::string old = "TSPF\x80";
    old += std::string{120, 96, 2, 8, 3};
    old += std::string{'\xff', '\xff', '\xff', '\xff', 0, 0, '\xff', '\xff', 0, 0, 0, '\xff'};
    old += std::string(1, 1);
    const ObjectRecord line = LineRecord(ObjectKind::Line, 10, 20, 30, 40);
    old.append(reinterpret_cast<const char*>(line.bytes), kObjectRecordSize);
    const std::string oldPath = TestPath("old.tsln");
    std::ofstream(oldPath, std::ios::binary) << old;

    const std::string converted = TestPath("converted.tsln");
    CommandResult result = RunTessellon("--convert '" + oldPath + "' '" + converted + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    Paper paper;
    PaperFileHeader header;
    ASSERT_TRUE(LoadPaper(paper, converted, &header));
    EXPECT_EQ(header.version, 3);
    EXPECT_TRUE(header.compressed);
    EXPECT_EQ(paper.width, 120);
    ASSERT_EQ(paper.objects.size(), 1u);
    EXPECT_EQ(paper.objects[0]->record.X2(), 30);
    // What the program itself would save, byte for byte.
    const std::string programs = TestPath("programs.tsln");
    ASSERT_TRUE(SavePaper(paper, programs));
    EXPECT_EQ(ReadTestFile(converted), ReadTestFile(programs));

    result = RunTessellon("--convert --uncompressed '" + converted + "' '" + converted + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_TRUE(LoadPaper(paper, converted, &header));
    EXPECT_FALSE(header.compressed);

    // A corrupt input, or an output that cannot be written, fails and says why;
    // a file already at the output is left as it was.
    const std::string corrupt = TestPath("corrupt.tsln");
    std::ofstream(corrupt, std::ios::binary) << "TSPF\x83\x05";
    result = RunTessellon("--convert '" + corrupt + "' '" + programs + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("File is corrupt!"), std::string::npos) << result.err;
    EXPECT_EQ(ReadTestFile(programs).substr(0, 4), "TSPF");
    result = RunTessellon("--convert '" + oldPath + "' '" + TestPath("no/such/dir.tsln") + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(result.err.empty());
    for (const char* misuse :
         {"--convert", "--convert a.tsln", "--convert a b c", "--convert a b --fast"}) {
        EXPECT_EQ(RunTessellon(misuse).status, 2) << misuse;
    }
}
