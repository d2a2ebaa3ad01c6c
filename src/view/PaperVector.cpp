#include "view/PaperVector.h"

#include "document/MeasurementLabel.h"
#include "document/Paper.h"
#include "document/PaperObject.h"
#include "document/PaperObjectCircle.h"
#include "document/PaperObjectLines.h"
#include "draw/DrawPrimitives.h"
#include "draw/Geometry.h"
#include "platform/FileSystem.h"
#include "support/VRX_Strings.h"
#include "view/PaperRenderer.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>
#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>

// The drawing works in paper pixels, 96 to the inch, as the raster drawing
// does. A raster shape fills whole pixels, so a 1-pixel line through pixel
// column x covers [x, x + 1): its vector twin runs through x + 0.5. Drawn back
// at 96 pixels per inch, every shape lands on the pixels of the PNG export.

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kPixelToPoint = kPointsPerInch / kPaperPixelsPerInch;
constexpr double kHalf = 0.5;
constexpr double kHairline = 1.0;
constexpr double kMarkWidth = 2.0;
constexpr double kMajorGridWidth = 2.0;
constexpr double kDashOn = 10.0;
constexpr double kDegreesToRadians = M_PI / 180.0;
constexpr double kColorScale = 255.0;
constexpr const char* kCreator = "Tessellon";

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct FontFaceDeleter {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using CairoPtr = std::unique_ptr<cairo_t, CairoDeleter>;
using FontFacePtr = std::unique_ptr<cairo_font_face_t, FontFaceDeleter>;

// ---------------------------------------------------------------------------
// The drawing font

// One FreeType library for the program's life: cairo keeps recently used
// fonts after their last user lets go, so their faces may outlive any export.
FT_Library FreeTypeLibrary() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return library;
}

// A face together with the font file it reads from, freed when cairo lets
// go of the font face that uses it.
struct HeldFace {
    std::vector<uint8_t> bytes;
    FT_Face face = nullptr;
    ~HeldFace() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
    }
};

const cairo_user_data_key_t kHeldFaceKey = {};

void ReleaseHeldFace(void* held) {
    delete static_cast<HeldFace*>(held);
}

// The drawing font as a cairo font face; none without a usable font file.
struct VectorTextFont {
    FontFacePtr face;
    // The face's FreeType face, owned by it; only read for glyph numbers.
    FT_Face glyphs = nullptr;
    double points = 0;
};

// The last font opened, kept for the next export: cairo keeps the fonts of
// recent drawings for a while, so a face of its own for every export would
// pile up copies of the font file.
struct KeptTextFont {
    FontFacePtr face;
    FT_Face glyphs = nullptr;
    const std::vector<uint8_t>* bytes = nullptr; // the face's own copy
};

VectorTextFont OpenTextFont(const DrawingFontFile& file) {
    static KeptTextFont kept;
    VectorTextFont font;
    FT_Library library = FreeTypeLibrary();
    if (file.bytes == nullptr || file.bytes->empty() || file.points <= 0 || library == nullptr) {
        return font;
    }
    if (kept.face == nullptr || *kept.bytes != *file.bytes) {
        auto held = std::make_unique<HeldFace>();
        held->bytes = *file.bytes;
        if (FT_New_Memory_Face(library, held->bytes.data(),
                               static_cast<FT_Long>(held->bytes.size()), 0, &held->face) != 0) {
            return font;
        }
        FontFacePtr face(cairo_ft_font_face_create_for_ft_face(held->face, 0));
        if (cairo_font_face_set_user_data(face.get(), &kHeldFaceKey, held.get(), ReleaseHeldFace) !=
            CAIRO_STATUS_SUCCESS) {
            return font;
        }
        kept.glyphs = held->face;
        kept.bytes = &held->bytes;
        held.release();
        kept.face = std::move(face);
    }
    font.face.reset(cairo_font_face_reference(kept.face.get()));
    font.glyphs = kept.glyphs;
    font.points = file.points;
    return font;
}

// The character at the start of `text` and its length in bytes; a length
// of 0 when it starts with no valid character.
struct Utf8Character {
    char32_t code = 0;
    size_t length = 0;
};
Utf8Character FirstCharacter(std::string_view text) {
    const auto lead = static_cast<uint8_t>(text[0]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (text.size() < length) {
        return {};
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < least || code > 0x10FFFF || surrogate) {
        return {};
    }
    return {code, length};
}

// A text as cairo takes it, with each character's glyph where the screen's
// font puts it. cairo takes only valid UTF-8; a text from a file may hold any
// bytes, which the screen shows as replacement marks, and so does the
// export. The screen's font advances by whole pixels, and puts the baseline
// at its ascent, lower when a character reaches above that; the glyphs follow
// it, so that texts and measurement labels fill the same pixels as on screen
// and in a PNG, however long they are.
struct ShapedText {
    std::string utf8;
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
};

ShapedText ShapeText(const std::string& text, TTF_Font* screenFont, FT_Face face) {
    constexpr char32_t kReplacement = 0xFFFD;
    ShapedText shaped;
    shaped.utf8.reserve(text.size());
    std::vector<char32_t> codes;
    int top = 0;
    size_t at = 0;
    while (at < text.size()) {
        Utf8Character one = FirstCharacter(std::string_view(text).substr(at));
        at += std::max<size_t>(one.length, 1);
        if (one.length == 0) {
            one = {kReplacement, 3};
            shaped.utf8.append("\xEF\xBF\xBD");
        } else {
            shaped.utf8.append(text, at - one.length, one.length);
        }
        codes.push_back(one.code);
        shaped.clusters.push_back({static_cast<int>(one.length), 1});
    }
    double pen = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
        const auto index = static_cast<unsigned long>(FT_Get_Char_Index(face, codes[i]));
        shaped.glyphs.push_back({index, pen, 0});
        int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
        if (TTF_GlyphMetrics32(screenFont, codes[i], &minX, &maxX, &minY, &maxY, &advance) == 0) {
            top = std::max(top, maxY);
        }
        if (i + 1 < codes.size()) {
            advance += TTF_GetFontKerningSizeGlyphs32(screenFont, codes[i], codes[i + 1]);
        }
        pen += advance;
    }
    const double baseline = std::max(TTF_FontAscent(screenFont), top);
    for (cairo_glyph_t& glyph : shaped.glyphs) {
        glyph.y = baseline;
    }
    return shaped;
}

// A text as drawn: its top-left corner, its turn and its glyphs.
struct PlacedText {
    int32_t x;
    int32_t y;
    int32_t angle;
    ShapedText shaped;
};

// ---------------------------------------------------------------------------
// Drawing

class VectorPainter {
  public:
    // With `placed`, every text drawn is also listed there.
    VectorPainter(PaperView& view, cairo_t* cr, bool ownPalette, VectorTextFont font,
                  std::vector<PlacedText>* placed)
        : view_(view), paper_(view.paper), cr_(cr), ownPalette_(ownPalette),
          palette_(ownPalette ? view.paper.palette : MonochromePalette()), font_(std::move(font)),
          placed_(placed) {}

    void DrawPaper(bool showGrid) {
        SetColor(palette_.backgroundColor, /*opaque=*/true);
        cairo_rectangle(cr_, 0, 0, paper_.width, paper_.height);
        cairo_fill(cr_);
        DrawBackgroundImage();
        if (showGrid) {
            DrawGrid();
        }
        // Objects off the paper are left out; a file may place them anywhere.
        const SDL_Rect page = {0, 0, paper_.width, paper_.height};
        for (const auto& object : paper_.objects) {
            if (!IsOnHiddenLayer(paper_, *object) && object->GetDrawBox().Touches(page)) {
                const bool selected = paper_.selection.count(object->id) != 0;
                DrawObject(*object, ObjectColorOnPaper(*object, palette_, ownPalette_, selected));
            }
        }
    }

  private:
    void SetColor(SDL_Color color, bool opaque = false) {
        cairo_set_source_rgba(cr_, color.r / kColorScale, color.g / kColorScale,
                              color.b / kColorScale, opaque ? 1.0 : color.a / kColorScale);
    }

    // Strokes what was laid out, `width` pixels wide.
    void Stroke(SDL_Color color, double width, cairo_line_cap_t cap) {
        SetColor(color);
        cairo_set_line_width(cr_, width);
        cairo_set_line_cap(cr_, cap);
        cairo_stroke(cr_);
    }

    // A line through the centres of the pixels at its ends. A file may put
    // an end anywhere in 32 bits, past the numbers cairo can hold, so the line
    // is cut to the coordinates the raster drawing takes, far around any
    // paper.
    void PixelSegment(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
        if (ClipSegmentToGfx(x1, y1, x2, y2)) {
            cairo_move_to(cr_, double(x1) + kHalf, double(y1) + kHalf);
            cairo_line_to(cr_, double(x2) + kHalf, double(y2) + kHalf);
        }
    }

    // A 1-pixel line covering the pixels at both ends, as a walked line does.
    void PixelLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SDL_Color color) {
        PixelSegment(x1, y1, x2, y2);
        Stroke(color, kHairline, CAIRO_LINE_CAP_SQUARE);
    }

    void DrawBackgroundImage() {
        const SDL_Surface* image = view_.BackgroundImage();
        if (image == nullptr || image->w < 1 || image->h < 1) {
            return;
        }
        // The screen blends the image only when it has transparency of its
        // own; an opaque image is drawn as it is, whatever the paper's alpha.
        SDL_BlendMode blend = SDL_BLENDMODE_NONE;
        if (view_.BackgroundTexture() != nullptr) {
            SDL_GetTextureBlendMode(view_.BackgroundTexture(), &blend);
        } else if (SDL_ISPIXELFORMAT_ALPHA(image->format->format)) {
            blend = SDL_BLENDMODE_BLEND;
        }
        const bool blended = blend != SDL_BLENDMODE_NONE;
        SurfacePtr argb(
            SDL_ConvertSurfaceFormat(const_cast<SDL_Surface*>(image), SDL_PIXELFORMAT_ARGB8888, 0));
        if (argb == nullptr) {
            return;
        }
        CairoSurfacePtr pixels(cairo_image_surface_create(
            blended ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, argb->w, argb->h));
        if (cairo_surface_status(pixels.get()) != CAIRO_STATUS_SUCCESS) {
            return;
        }
        cairo_surface_flush(pixels.get());
        uint8_t* out = cairo_image_surface_get_data(pixels.get());
        const int outStride = cairo_image_surface_get_stride(pixels.get());
        for (int y = 0; y < argb->h; ++y) {
            const auto* in = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(argb->pixels) + size_t(y) * argb->pitch);
            auto* row = reinterpret_cast<uint32_t*>(out + size_t(y) * outStride);
            for (int x = 0; x < argb->w; ++x) {
                row[x] = blended ? Premultiplied(in[x]) : in[x];
            }
        }
        cairo_surface_mark_dirty(pixels.get());

        const SDL_Rect place = BackgroundImageRect(paper_, argb->w, argb->h);
        cairo_save(cr_);
        cairo_rectangle(cr_, place.x, place.y, place.w, place.h);
        cairo_clip(cr_);
        cairo_translate(cr_, place.x, place.y);
        cairo_scale(cr_, double(place.w) / argb->w, double(place.h) / argb->h);
        cairo_set_source_surface(cr_, pixels.get(), 0, 0);
        if (blended) {
            cairo_paint_with_alpha(cr_, paper_.backgroundImageAlpha / kColorScale);
        } else {
            cairo_paint(cr_);
        }
        cairo_restore(cr_);
    }

    static uint32_t Premultiplied(uint32_t argb) {
        const uint32_t alpha = argb >> 24;
        auto channel = [alpha](uint32_t value) { return (value * alpha + 127) / 255; };
        return (alpha << 24) | (channel((argb >> 16) & 0xFF) << 16) |
               (channel((argb >> 8) & 0xFF) << 8) | channel(argb & 0xFF);
    }

    // Minor lines one pixel wide, columns at x and rows one pixel below y;
    // major lines two pixels wide over x and x + 1, and over rows y - 1 and y.
    // Each kind is one path, which keeps large papers' files small.
    void DrawGrid() {
        const SDL_Point counts = GridLineCounts(paper_);
        const double bottom =
            std::min<double>(double(counts.y) * paper_.blockHeight, paper_.height);
        const double right = std::min<double>(double(counts.x) * paper_.blockWidth, paper_.width);
        const SDL_Color minor = {palette_.gridColor.r, palette_.gridColor.g, palette_.gridColor.b,
                                 SDL_ALPHA_OPAQUE};
        for (const bool major : {false, true}) {
            for (int64_t column = 0; column < counts.x; ++column) {
                if (IsMajorGridLine(paper_, column) == major) {
                    const double x = double(column * paper_.blockWidth) + (major ? 1.0 : kHalf);
                    cairo_move_to(cr_, x, 0);
                    cairo_line_to(cr_, x, bottom);
                }
            }
            for (int64_t row = 0; row < counts.y; ++row) {
                if (IsMajorGridLine(paper_, row) == major) {
                    const double y = double(row * paper_.blockHeight) + (major ? 0.0 : 1.0 + kHalf);
                    cairo_move_to(cr_, 0, y);
                    cairo_line_to(cr_, right, y);
                }
            }
            Stroke(major ? palette_.gridColor : minor, major ? kMajorGridWidth : kHairline,
                   CAIRO_LINE_CAP_BUTT);
        }
    }

    void DrawObject(const PaperObject& object, SDL_Color color) {
        const ObjectRecord& record = object.record;
        switch (object.Kind()) {
        case ObjectKind::Circle:
            DrawCircle(record, color);
            break;
        case ObjectKind::Text:
            DrawText(record.X1(), record.Y1(), color, record.Text(), record.Angle());
            break;
        case ObjectKind::Rect:
            DrawRect(record, color);
            break;
        case ObjectKind::Line:
            PixelSegment(record.X1(), record.Y1(), record.X2(), record.Y2());
            Stroke(color, kPlainLineWidth, CAIRO_LINE_CAP_BUTT);
            break;
        case ObjectKind::DashedLine:
            DrawDashedLine(record.X1(), record.Y1(), record.X2(), record.Y2(), color);
            break;
        case ObjectKind::Arrow:
            DrawArrow(record.X1(), record.Y1(), record.X2(), record.Y2(), color);
            break;
        case ObjectKind::Measurement:
            DrawMeasurement(record.X1(), record.Y1(), record.X2(), record.Y2(), color);
            break;
        }
    }

    void DrawCircle(const ObjectRecord& record, SDL_Color color) {
        if (record.Sides() < kMinPolygonSides) {
            cairo_new_sub_path(cr_);
            cairo_arc(cr_, record.X1() + kHalf, record.Y1() + kHalf, record.Radius(), 0, 2 * M_PI);
        } else {
            const PolygonCorners corners = PolygonVertices(
                record.X1(), record.Y1(), record.Radius(), record.Sides(), record.Angle());
            for (size_t i = 0; i < corners.x.size(); ++i) {
                const double x = corners.x[i] + kHalf;
                const double y = corners.y[i] + kHalf;
                i == 0 ? cairo_move_to(cr_, x, y) : cairo_line_to(cr_, x, y);
            }
            cairo_close_path(cr_);
        }
        Stroke(color, kHairline, CAIRO_LINE_CAP_BUTT);
    }

    // The outline through the centres of the corner pixels, as SDL draws a
    // rectangle's four lines.
    void DrawRect(const ObjectRecord& record, SDL_Color color) {
        const int64_t left = record.X1();
        const int64_t top = record.Y1();
        const int64_t right = record.X2() - 1;
        const int64_t bottom = record.Y2() - 1;
        PixelSegment(left, top, right, top);
        PixelSegment(right, top, right, bottom);
        PixelSegment(right, bottom, left, bottom);
        PixelSegment(left, bottom, left, top);
        Stroke(color, kHairline, CAIRO_LINE_CAP_SQUARE);
    }

    // The raster dash is 10 pixels on, 10 off, counted in steps along the
    // line's longer axis; a step there is `stretch` long along the line, and
    // the line reaches half a step past each end pixel's centre.
    void DrawDashedLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SDL_Color color) {
        const double dx = double(int64_t{x2} - x1);
        const double dy = double(int64_t{y2} - y1);
        const double steps = std::max(std::fabs(dx), std::fabs(dy));
        if (steps == 0) {
            PixelLine(x1, y1, x2, y2, color);
            return;
        }
        int64_t ax = x1, ay = y1, bx = x2, by = y2;
        if (!ClipSegmentToGfx(ax, ay, bx, by)) {
            return;
        }
        // Half a step further at each end, with the dashes counted from
        // where the line really starts, however much was cut off.
        const double ux = dx / steps * kHalf;
        const double uy = dy / steps * kHalf;
        cairo_move_to(cr_, double(ax) + kHalf - ux, double(ay) + kHalf - uy);
        cairo_line_to(cr_, double(bx) + kHalf + ux, double(by) + kHalf + uy);
        const double stretch = std::hypot(dx, dy) / steps;
        const double dash = kDashOn * stretch;
        const double cut = std::hypot(double(ax - x1), double(ay - y1));
        cairo_set_dash(cr_, &dash, 1, cut);
        Stroke(color, kHairline, CAIRO_LINE_CAP_BUTT);
        cairo_set_dash(cr_, nullptr, 0, 0);
    }

    void DrawArrow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SDL_Color color) {
        const ArrowHead head = ArrowHeadCorners(x1, y1, x2, y2);
        PixelSegment(x1, y1, x2, y2);
        PixelSegment(head.left.x, head.left.y, x2, y2);
        PixelSegment(head.right.x, head.right.y, x2, y2);
        PixelSegment(head.right.x, head.right.y, head.left.x, head.left.y);
        Stroke(color, kHairline, CAIRO_LINE_CAP_SQUARE);
    }

    void DrawMeasurement(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SDL_Color color) {
        const MeasurementGeometry g = MeasureMeasurement(x1, y1, x2, y2);
        for (const MarkStroke& stroke : MeasurementMarkStrokes(x1, y1, x2, y2, g)) {
            if (g.kind == MeasurementCase::Slanted) {
                // Drawn twice on screen, the copy a pixel lower, for weight.
                PixelSegment(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
                PixelSegment(stroke.x1, stroke.y1 + 1, stroke.x2, stroke.y2 + 1);
                Stroke(color, kHairline, CAIRO_LINE_CAP_SQUARE);
            } else {
                PixelSegment(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
                Stroke(color, kMarkWidth, CAIRO_LINE_CAP_BUTT);
            }
        }
        const MeasurementLabelLayout layout = LayOutMeasurementLabel(paper_, g);
        const std::vector<SDL_Point> corners = CentredLineCorners(layout.sizes, g.centre);
        for (size_t i = 0; i < corners.size(); ++i) {
            DrawText(corners[i].x, corners[i].y, color, layout.lines[i], 0);
        }
    }

    // A text with its top-left corner at (x, y), turned clockwise about that
    // corner by `angle` degrees.
    void DrawText(int32_t x, int32_t y, SDL_Color color, const std::string& text, int32_t angle) {
        // Without the screen's font, the screen shows no texts either.
        if (font_.face == nullptr || view_.Font() == nullptr || text.empty()) {
            return;
        }
        cairo_save(cr_);
        cairo_translate(cr_, x, y);
        cairo_rotate(cr_, angle * kDegreesToRadians);
        cairo_set_font_face(cr_, font_.face.get());
        // SDL_ttf opens its font at 72 per inch: its points are pixels.
        cairo_set_font_size(cr_, font_.points);
        SetColor(color);
        ShapedText shaped = ShapeText(text, view_.Font(), font_.glyphs);
        cairo_show_text_glyphs(cr_, shaped.utf8.data(), static_cast<int>(shaped.utf8.size()),
                               shaped.glyphs.data(), static_cast<int>(shaped.glyphs.size()),
                               shaped.clusters.data(), static_cast<int>(shaped.clusters.size()),
                               cairo_text_cluster_flags_t{});
        cairo_restore(cr_);
        if (placed_ != nullptr) {
            placed_->push_back({x, y, angle, std::move(shaped)});
        }
    }

    PaperView& view_;
    const Paper& paper_;
    cairo_t* cr_;
    bool ownPalette_;
    PaperPalette palette_;
    VectorTextFont font_;
    std::vector<PlacedText>* placed_;
};

// cairo hands the file's bytes over as it makes them.
cairo_status_t WriteToFile(void* file, const unsigned char* data, unsigned int length) {
    return static_cast<AtomicFileWriter*>(file)->Write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                     : CAIRO_STATUS_WRITE_ERROR;
}
cairo_status_t WriteToString(void* text, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(text)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// cairo sizes an SVG drawing in points; the root element is made to name the
// paper's size in inches instead, over a user space of paper pixels.
bool SizeSvgInInches(std::string& svg, const Paper& paper) {
    const size_t root = svg.find("<svg");
    const size_t rootEnd = root == std::string::npos ? root : svg.find('>', root);
    if (rootEnd == std::string::npos) {
        return false;
    }
    std::string head = svg.substr(root, rootEnd - root);
    auto setAttribute = [&head](const char* name, const std::string& value) {
        const std::string prefix = std::string(" ") + name + "=\"";
        const size_t at = head.find(prefix);
        if (at == std::string::npos) {
            return false;
        }
        const size_t start = at + prefix.size();
        const size_t end = head.find('"', start);
        if (end == std::string::npos) {
            return false;
        }
        head.replace(start, end - start, value);
        return true;
    };
    auto inches = [](int32_t pixels) {
        char text[32];
        std::snprintf(text, sizeof text, "%.7g", double(pixels) / kPaperPixelsPerInch);
        return std::string(text) + "in";
    };
    const std::string viewBox =
        "0 0 " + std::to_string(paper.width) + " " + std::to_string(paper.height);
    if (!setAttribute("width", inches(paper.width)) ||
        !setAttribute("height", inches(paper.height)) || !setAttribute("viewBox", viewBox)) {
        return false;
    }
    svg.replace(root, rootEnd - root, head);
    return true;
}

// `text` as XML character data. Control characters XML cannot hold become
// replacement marks, one for one, so that every character keeps its place.
std::string XmlEscaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                escaped += "\xEF\xBF\xBD";
            } else {
                escaped += c;
            }
            break;
        }
    }
    return escaped;
}

// cairo draws an SVG's texts as the outlines of their glyphs, which look the
// same everywhere but cannot be selected or searched. Every text is laid
// over its outlines once more as a transparent text element in the drawing
// font, character by character where the outlines are.
void AddSelectableTexts(std::string& svg, const std::vector<PlacedText>& texts,
                        const std::string& family, int points) {
    const size_t end = svg.rfind("</svg>");
    if (texts.empty() || end == std::string::npos) {
        return;
    }
    std::string layer = "<g fill-opacity=\"0\" font-family=\"" + XmlEscaped(family) +
                        "\" font-size=\"" + std::to_string(points) + "\" xml:space=\"preserve\">\n";
    char number[32];
    for (const PlacedText& text : texts) {
        std::snprintf(number, sizeof number, "%d %d", text.x, text.y);
        layer += "<text transform=\"translate(" + std::string(number) + ") rotate(" +
                 std::to_string(text.angle) + ")\" x=\"";
        for (size_t i = 0; i < text.shaped.glyphs.size(); ++i) {
            std::snprintf(number, sizeof number, i == 0 ? "%g" : " %g", text.shaped.glyphs[i].x);
            layer += number;
        }
        std::snprintf(number, sizeof number, "%g",
                      text.shaped.glyphs.empty() ? 0.0 : text.shaped.glyphs.front().y);
        layer +=
            "\" y=\"" + std::string(number) + "\">" + XmlEscaped(text.shaped.utf8) + "</text>\n";
    }
    layer += "</g>\n";
    svg.insert(end, layer);
}

} // namespace

ExportFormat ExportFormatOfPath(const std::string& path) {
    if (EndsWithIgnoringCase(path, ".pdf")) {
        return ExportFormat::Pdf;
    }
    if (EndsWithIgnoringCase(path, ".svg")) {
        return ExportFormat::Svg;
    }
    return ExportFormat::Png;
}

const char* ExportFormatExtension(ExportFormat format) {
    switch (format) {
    case ExportFormat::Pdf:
        return ".pdf";
    case ExportFormat::Svg:
        return ".svg";
    case ExportFormat::Png:
        break;
    }
    return ".png";
}

bool WritePaperVector(PaperView& view, ExportFormat format, bool ownPalette,
                      const std::string& path, bool showGrid, const DrawingFontFile& font) {
    const Paper& paper = view.paper;
    if (paper.width < 1 || paper.height < 1 || format == ExportFormat::Png) {
        return false;
    }
    AtomicFileWriter file;
    if (!file.Open(path)) {
        return false;
    }
    std::string svg;
    std::vector<PlacedText> placed;
    std::string family;
    CairoSurfacePtr surface;
    if (format == ExportFormat::Pdf) {
        surface.reset(cairo_pdf_surface_create_for_stream(
            WriteToFile, &file, paper.width * kPixelToPoint, paper.height * kPixelToPoint));
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, kCreator);
        if (!paper.filePath.empty()) {
            const std::string title(GetFileName(paper.filePath));
            cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
        }
    } else {
        surface.reset(
            cairo_svg_surface_create_for_stream(WriteToString, &svg, paper.width, paper.height));
        cairo_svg_surface_restrict_to_version(surface.get(), CAIRO_SVG_VERSION_1_1);
    }
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    {
        CairoPtr cr(cairo_create(surface.get()));
        if (format == ExportFormat::Pdf) {
            cairo_scale(cr.get(), kPixelToPoint, kPixelToPoint);
        }
        cairo_rectangle(cr.get(), 0, 0, paper.width, paper.height);
        cairo_clip(cr.get());
        VectorTextFont textFont = OpenTextFont(font);
        if (textFont.glyphs != nullptr && textFont.glyphs->family_name != nullptr) {
            family = textFont.glyphs->family_name;
        }
        VectorPainter(view, cr.get(), ownPalette, std::move(textFont),
                      format == ExportFormat::Svg ? &placed : nullptr)
            .DrawPaper(showGrid);
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
            return false;
        }
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    if (format == ExportFormat::Svg) {
        AddSelectableTexts(svg, placed, family, font.points);
        if (!SizeSvgInInches(svg, paper) || !file.Write(svg)) {
            return false;
        }
    }
    return file.Commit();
}
