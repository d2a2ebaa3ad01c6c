#pragma once
// Drawing a paper into its own surface: background, background image, grid,
// the visible objects with their colours, the selection and its drag preview,
// and the preview of the tool in use.

#include <SDL2/SDL_rect.h>

#include <cstdint>

class Paper;

// The largest paper that a whole-paper RenderPaper draws in one piece
// (128 MB at 16 bits per pixel); larger papers are exported band by band
// (WritePaperPng).
constexpr int64_t kMaxSingleRenderPixels = int64_t{8192} * 8192;

// wholePaper false: the visible part for the paper view, with the tool
// preview. wholePaper true: the whole paper for export or printing, without
// the tool preview. ownPalette false draws black on white. Afterwards
// `paper.renderArea` tells which paper pixels `paper.paperSurface` holds.
// False when nothing could be drawn.
bool RenderPaper(Paper& paper, bool wholePaper, bool ownPalette);

// Draws `area` (paper pixels, inside the paper) as RenderPaper does with the
// same flags. Export bands use it, so a band holds exactly the pixels a
// whole-paper render has there.
bool RenderPaperArea(Paper& paper, const SDL_Rect& area, bool wholePaper, bool ownPalette);

// How many grid lines the whole paper has in each direction (columns, rows),
// counting the line on the far edge.
SDL_Point GridLineCounts(const Paper& paper);

// Where the background image goes: its size shrunk to fit the paper when it is
// larger, keeping its proportions.
SDL_Rect BackgroundImageRect(const Paper& paper, int32_t imageWidth, int32_t imageHeight);
