#pragma once
// Drawing a paper into its own surface: background, background image, grid,
// the visible objects with their colours, the selection and its drag preview,
// and the preview of the tool in use.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <functional>
#include <type_traits>

class Paper;
class PaperObject;
class PaperView;
struct PaperPalette;

// What the editor shows of the document besides the document itself, as
// plain fields. The view's cached picture is keyed by every byte of it, so a
// new field is in the key without anyone remembering to put it there; the
// check below keeps the struct free of padding, whose bytes would be noise.
struct ViewOptions {
    // The selection being dragged: drawn dimmed where it is and bright
    // `dragOffset` away.
    SDL_Point dragOffset = {0, 0};
    bool showGrid = true;
    bool draggingSelection = false;
    uint8_t unused[2] = {};
};
static_assert(std::has_unique_object_representations_v<ViewOptions>,
              "every byte of ViewOptions must be a field");

// The renderer is told what is shown rather than reading the program's
// state. The default is the document alone, grid shown.
struct RenderOverlay : ViewOptions {
    // Draws the tool in progress over a view render; whole-paper renders
    // (exports, printing) never show it, and it is drawn after the cached
    // picture, so it is no part of the key.
    std::function<void(PaperView&)> toolPreview;
};

// The largest paper that a whole-paper RenderPaper draws in one piece
// (128 MB at 16 bits per pixel); larger papers are exported band by band
// (WritePaperPng).
constexpr int64_t kMaxSingleRenderPixels = int64_t{8192} * 8192;

// wholePaper false: the visible part for the paper view, with the tool
// preview. wholePaper true: the whole paper for export or printing, without
// the tool preview. ownPalette false draws black on white. Afterwards the
// view's RenderArea() tells which paper pixels its Surface() holds.
// False when nothing could be drawn.
bool RenderPaper(PaperView& view, bool wholePaper, bool ownPalette,
                 const RenderOverlay& overlay = {});

// Draws `area` (paper pixels, inside the paper) as RenderPaper does with the
// same flags. Export bands use it, so a band holds exactly the pixels a
// whole-paper render has there.
bool RenderPaperArea(PaperView& view, const SDL_Rect& area, bool wholePaper, bool ownPalette,
                     const RenderOverlay& overlay = {});

// The colour `object` is drawn in with `palette`: its own colour or the
// palette's, the selection colour for a selected one when `ownPalette`; in
// black and white (not `ownPalette`) own colours become greys.
SDL_Color ObjectColorOnPaper(const PaperObject& object, const PaperPalette& palette,
                             bool ownPalette, bool selected);
// True when `object` lies on a layer the paper hides.
bool IsOnHiddenLayer(const Paper& paper, const PaperObject& object);

// Whether grid line `index` (counted from the top or left edge) is a major
// line: every unit's first, when a unit has several blocks and the squares
// are large enough to tell them apart.
bool IsMajorGridLine(const Paper& paper, int64_t index);

// How many grid lines the whole paper has in each direction (columns, rows),
// counting the line on the far edge.
SDL_Point GridLineCounts(const Paper& paper);

// Where the background image goes: its size shrunk to fit the paper when it is
// larger, keeping its proportions.
SDL_Rect BackgroundImageRect(const Paper& paper, int32_t imageWidth, int32_t imageHeight);
