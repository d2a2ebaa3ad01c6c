#pragma once
// Writing a whole paper as vectors at its true size: a one-page PDF whose page
// is the paper (an 11 x 8.5 in paper is a 792 x 612 pt page) or an SVG drawing
// sized in inches with 96 user units to the inch. Everything a PNG export shows
// is there in the same place, drawn as lines, curves and text in the drawing
// font, which is embedded. Files appear complete or not at all.

#include <cstdint>
#include <string>
#include <vector>

class PaperView;

// The kinds of file a paper can be exported as.
enum class ExportFormat { Png, Pdf, Svg };

// The format a file name asks for by its extension, in any case: ".pdf" and
// ".svg", PNG for anything else.
ExportFormat ExportFormatOfPath(const std::string& path);
// The extension of `format`'s files, with its dot: ".png", ".pdf", ".svg".
const char* ExportFormatExtension(ExportFormat format);

// The file of the font the view draws its texts in, which vector files embed,
// and the size in points (pixels, at SDL_ttf's 72 per inch) it was opened at.
struct DrawingFontFile {
    const std::vector<uint8_t>* bytes = nullptr;
    int points = 0;
};

// Draws the whole paper as an export does (the grid when `showGrid`, hidden
// layers left out, black on white unless `ownPalette`) and writes it to
// `path` as a PDF or an SVG file. Texts are left out when `font` holds no
// file. False when the paper has no size or the file cannot be written; an
// existing file at `path` is then left as it was.
bool WritePaperVector(PaperView& view, ExportFormat format, bool ownPalette,
                      const std::string& path, bool showGrid, const DrawingFontFile& font);
