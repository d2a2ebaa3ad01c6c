#pragma once
// Drawing a paper into its own surface: background, background image, grid,
// the visible objects with their colours, the selection and its drag preview,
// and the preview of the tool in use.

#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <functional>

class Paper;

// What the editor shows with the document: the renderer is told it rather
// than reading the program's state. The default is the document alone, grid
// shown.
struct RenderOverlay {
    bool showGrid = true;
    // The selection being dragged: drawn dimmed where it is and bright
    // `dragOffset` away.
    bool draggingSelection = false;
    SDL_Point dragOffset = {0, 0};
    // Draws the tool in progress over a view render; whole-paper renders
    // (exports, printing) never show it.
    std::function<void(Paper&)> toolPreview;
};

// The largest paper that a whole-paper RenderPaper draws in one piece
// (128 MB at 16 bits per pixel); larger papers are exported band by band
// (WritePaperPng).
constexpr int64_t kMaxSingleRenderPixels = int64_t{8192} * 8192;

// wholePaper false: the visible part for the paper view, with the tool
// preview. wholePaper true: the whole paper for export or printing, without
// the tool preview. ownPalette false draws black on white. Afterwards
// `paper.renderArea` tells which paper pixels `paper.paperSurface` holds.
// False when nothing could be drawn.
bool RenderPaper(Paper& paper, bool wholePaper, bool ownPalette, const RenderOverlay& overlay = {});

// Draws `area` (paper pixels, inside the paper) as RenderPaper does with the
// same flags. Export bands use it, so a band holds exactly the pixels a
// whole-paper render has there.
bool RenderPaperArea(Paper& paper, const SDL_Rect& area, bool wholePaper, bool ownPalette,
                     const RenderOverlay& overlay = {});

// How many grid lines the whole paper has in each direction (columns, rows),
// counting the line on the far edge.
SDL_Point GridLineCounts(const Paper& paper);

// Where the background image goes: its size shrunk to fit the paper when it is
// larger, keeping its proportions.
SDL_Rect BackgroundImageRect(const Paper& paper, int32_t imageWidth, int32_t imageHeight);
