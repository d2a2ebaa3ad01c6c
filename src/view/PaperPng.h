#pragma once
// Writing a whole paper as a PNG image. The paper is drawn band by band and
// each band is compressed into the file at once, so even the largest paper
// needs only the memory of one band; the file appears complete or not at all.

#include <cstdint>
#include <functional>
#include <string>

class PaperView;

// Draws the whole paper as an export does (the grid over the whole paper when
// `showGrid`, no tool preview; black on white unless `ownPalette`) and writes
// it as an 8-bit RGB PNG to `path`, marked as 96 pixels per inch so that it
// prints at the paper's size. False when nothing can be drawn or the
// file cannot be written; an existing file at `path` is then left as it was.
bool WritePaperPng(PaperView& view, bool ownPalette, const std::string& path, bool showGrid = true);

// One band of a whole-paper render: `rows` image rows from paper row `top`,
// as 8-bit RGB, `width` * 3 bytes a row. False stops the drawing.
using PaperBandSink = std::function<bool(int top, int rows, const uint8_t* rgb)>;

// Draws the whole paper as WritePaperPng does, band by band from the top, and
// hands every band to `sink`. False when drawing failed or `sink` said stop.
bool DrawPaperInBands(PaperView& view, bool ownPalette, bool showGrid, const PaperBandSink& sink);

// Writes `width` x `height` 8-bit RGB pixels (rows from the top, no padding)
// as a PNG without a physical size to `path`, whole or not at all.
bool WriteRgbPng(const uint8_t* rgb, int width, int height, const std::string& path);
