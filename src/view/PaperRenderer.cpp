#include "view/PaperRenderer.h"

#include "document/Paper.h"
#include "document/PaperObject.h"
#include "draw/DrawPrimitives.h"
#include "draw/Geometry.h"
#include "draw/SurfacePainter.h"
#include "view/ObjectDrawing.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

constexpr Uint8 kMajorGridWidth = 2;
// With this many lines per inch or more, squares are too small for major lines.
constexpr int32_t kMajorLinesBelowLinesPerInch = 12;
// Grid lines are cut to the drawn area plus this much, so that their ends
// fall outside it (and within SDL2_gfx's 16-bit range).
constexpr int64_t kGridSlack = 1;
// A major line is two pixels wide and drawn one pixel off its grid position.
constexpr int64_t kGridReach = 2;

bool IsMajorLine(const Paper& paper, int64_t index) {
    return paper.blocksPerUnit > 1 && paper.linesPerInch < kMajorLinesBelowLinesPerInch &&
           index % paper.blocksPerUnit == 0;
}

// Lines are at index * spacing for index in [0, count); these are the indices
// whose lines can touch [low, high).
void IndexRange(int64_t spacing, int64_t count, int64_t low, int64_t high, int64_t& first,
                int64_t& last) {
    first = std::max<int64_t>(0, (low - kGridReach) / spacing);
    last = std::min<int64_t>(count - 1, (high + kGridReach) / spacing);
}

void DrawGrid(PaperView& view, const PaperPalette& palette, const SDL_Rect& area) {
    const Paper& paper = view.paper;
    SurfacePainter painter = view.Painter();
    const SDL_Point counts = GridLineCounts(paper);
    const int64_t bw = paper.blockWidth;
    const int64_t bh = paper.blockHeight;
    const SDL_Color minor = {palette.gridColor.r, palette.gridColor.g, palette.gridColor.b,
                             SDL_ALPHA_OPAQUE};
    const SDL_Color major = palette.gridColor;
    const int64_t areaRight = int64_t{area.x} + area.w;
    const int64_t areaBottom = int64_t{area.y} + area.h;

    // Every line is cut to the area: the whole-paper grid runs past the paper's
    // far edges, and a cut line has the same pixels inside the area.
    const int64_t columnTop = std::max<int64_t>(0, area.y - kGridSlack);
    const int64_t columnBottom = std::min<int64_t>(counts.y * bh, areaBottom + kGridSlack - 1);
    int64_t first = 0;
    int64_t last = -1;
    IndexRange(bw, counts.x, area.x, areaRight, first, last);
    for (int64_t column = first; column <= last; ++column) {
        const int64_t x = column * bw;
        if (IsMajorLine(paper, column)) {
            painter.ThickLine(ToGfx(x + 1), ToGfx(columnTop), ToGfx(x + 1), ToGfx(columnBottom),
                              kMajorGridWidth, major);
        } else {
            painter.Line(static_cast<int32_t>(x), static_cast<int32_t>(columnTop),
                         static_cast<int32_t>(x), static_cast<int32_t>(columnBottom), minor);
        }
    }

    const int64_t rowLeft = std::max<int64_t>(0, area.x - kGridSlack);
    const int64_t rowRight = std::min<int64_t>(counts.x * bw, areaRight + kGridSlack - 1);
    IndexRange(bh, counts.y, area.y, areaBottom, first, last);
    for (int64_t row = first; row <= last; ++row) {
        const int64_t y = row * bh;
        if (IsMajorLine(paper, row)) {
            // The rows y - 1 and y, as a 2-pixel thick line draws them; drawn as
            // a box because SDL2_gfx rounds such a line at y = 0 to nothing,
            // which lost the paper's top edge.
            painter.Box(ToGfx(rowLeft), ToGfx(y - kMajorGridWidth + 1), ToGfx(rowRight), ToGfx(y),
                        major);
        } else {
            painter.Line(static_cast<int32_t>(rowLeft), static_cast<int32_t>(y + 1),
                         static_cast<int32_t>(rowRight), static_cast<int32_t>(y + 1), minor);
        }
    }
}

void DrawBackgroundImage(PaperView& view) {
    SDL_Texture* texture = view.BackgroundTexture();
    int w = 0;
    int h = 0;
    if (SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0) {
        return;
    }
    const SDL_Rect destination = BackgroundImageRect(view.paper, w, h);
    SDL_SetTextureAlphaMod(texture, view.paper.backgroundImageAlpha);
    SDL_RenderCopy(view.Renderer(), texture, nullptr, &destination);
}

SDL_Color Half(SDL_Color color) {
    return {static_cast<Uint8>(color.r * 0.5), static_cast<Uint8>(color.g * 0.5),
            static_cast<Uint8>(color.b * 0.5), color.a};
}

SDL_Color ObjectColor(const PaperObject& object, const PaperPalette& palette, bool ownPalette,
                      bool selected) {
    const SDL_Color own = object.record.Color();
    if (ownPalette) {
        if (selected) {
            return palette.selectionColor;
        }
        return own.a != 0 ? own : palette.objectColor;
    }
    // Black and white: the selection is not shown, own colours become greys.
    if (own.a != 0) {
        const auto grey = static_cast<Uint8>(std::max({own.r, own.g, own.b}) / 2);
        return {grey, grey, grey, SDL_ALPHA_OPAQUE};
    }
    return palette.objectColor;
}

void DrawObjects(PaperView& view, const PaperPalette& palette, bool ownPalette,
                 const SDL_Rect& area, const RenderOverlay& overlay) {
    Paper& paper = view.paper;
    const SDL_Point dragOffset = overlay.dragOffset;
    for (const std::shared_ptr<PaperObject>& object : paper.objects) {
        const uint8_t layer = object->record.Layer();
        if (layer < kLayerCount && paper.hiddenLayers[layer] != 0) {
            continue;
        }
        const bool selected = paper.selection.count(object->id) != 0;
        if (overlay.draggingSelection && selected) {
            if (object->GetDrawBox().Touches(area)) {
                DrawObject(view, *object, Half(palette.selectionColor));
            }
            std::shared_ptr<PaperObject> moved = CreateObjectFromRecord(&paper, object->record);
            if (moved != nullptr) {
                moved->Move(dragOffset.x, dragOffset.y);
                if (moved->GetDrawBox().Touches(area)) {
                    DrawObject(view, *moved, palette.selectionColor);
                }
            }
            continue;
        }
        if (object->GetDrawBox().Touches(area)) {
            DrawObject(view, *object, ObjectColor(*object, palette, ownPalette, selected));
        }
    }
}

// Everything the view picture (before the tool preview) is drawn from.
uint64_t ViewKey(const PaperView& view, const SDL_Rect& area, bool ownPalette,
                 const RenderOverlay& overlay) {
    const Paper& paper = view.paper;
    ViewFingerprint key;
    key.Add(area);
    key.Add(ownPalette);
    key.Add(static_cast<const ViewOptions&>(overlay));
    key.Add(view.Font());
    key.Add(paper.palette);
    key.Add(paper.width);
    key.Add(paper.height);
    key.Add(paper.blockWidth);
    key.Add(paper.blockHeight);
    key.Add(paper.blocksPerUnit);
    key.Add(paper.linesPerInch);
    key.Add(paper.unitIndex);
    key.Add(paper.hiddenLayers);
    key.Add(view.BackgroundTexture());
    key.Add(paper.backgroundImageX);
    key.Add(paper.backgroundImageY);
    key.Add(paper.backgroundImageAlpha);
    key.Add(paper.backgroundImagePath.data(), paper.backgroundImagePath.size());
    key.Add(paper.objects.size());
    for (const std::shared_ptr<PaperObject>& object : paper.objects) {
        key.Add(object->id);
        key.Add(object->record.bytes);
    }
    key.Add(paper.selection.size());
    for (const auto& entry : paper.selection) {
        key.Add(entry.first);
    }
    return key.Value();
}

void DrawPicture(PaperView& view, const SDL_Rect& area, bool ownPalette,
                 const RenderOverlay& overlay) {
    const Paper& paper = view.paper;
    SDL_Renderer* renderer = view.Renderer();
    const PaperPalette palette = ownPalette ? paper.palette : MonochromePalette();
    SDL_SetRenderDrawColor(renderer, palette.backgroundColor.r, palette.backgroundColor.g,
                           palette.backgroundColor.b, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer);
    if (area.w > 0 && area.h > 0) {
        if (view.BackgroundTexture() != nullptr) {
            DrawBackgroundImage(view);
        }
        if (overlay.showGrid) {
            DrawGrid(view, palette, area);
        }
        DrawObjects(view, palette, ownPalette, area, overlay);
    }
    // Carries out the queued drawing, so the surface holds the picture.
    SDL_RenderFlush(renderer);
    view.textCache.Sweep();
}

} // namespace

SDL_Point GridLineCounts(const Paper& paper) {
    return {paper.width / std::max(1, paper.blockWidth) + 1,
            paper.height / std::max(1, paper.blockHeight) + 1};
}

SDL_Rect BackgroundImageRect(const Paper& paper, int32_t imageWidth, int32_t imageHeight) {
    SDL_Rect rect = {paper.backgroundImageX, paper.backgroundImageY, imageWidth, imageHeight};
    if ((imageWidth > paper.width || imageHeight > paper.height) && imageWidth > 0 &&
        imageHeight > 0) {
        const int64_t scaledHeight = int64_t{imageHeight} * paper.width / imageWidth;
        if (scaledHeight > paper.height) {
            rect.w = static_cast<int32_t>(int64_t{imageWidth} * paper.height / imageHeight);
            rect.h = paper.height;
        } else {
            rect.w = paper.width;
            rect.h = static_cast<int32_t>(scaledHeight);
        }
    }
    return rect;
}

bool RenderPaperArea(PaperView& view, const SDL_Rect& area, bool wholePaper, bool ownPalette,
                     const RenderOverlay& overlay) {
    if (!view.PrepareRenderTarget(area)) {
        return false;
    }
    const Paper& paper = view.paper;
    SDL_Renderer* renderer = view.Renderer();
    if (wholePaper) {
        // An export shows the document as it is, never a drag in progress.
        RenderOverlay document;
        document.showGrid = overlay.showGrid;
        DrawPicture(view, area, ownPalette, document);
    } else {
        // A view frame reuses the last picture while nothing it shows changed.
        const uint64_t key = ViewKey(view, area, ownPalette, overlay);
        if (!view.viewCache.Restore(key, view.Surface())) {
            DrawPicture(view, area, ownPalette, overlay);
            view.viewCache.Store(key, view.Surface());
        }
    }

    if (!wholePaper && overlay.toolPreview) {
        const SDL_Color tool = paper.drawColor.a != 0 ? paper.drawColor : paper.palette.objectColor;
        SetPaperDrawColor(renderer, {tool.r, tool.g, tool.b, SDL_ALPHA_OPAQUE});
        overlay.toolPreview(view);
    }
    SDL_RenderPresent(renderer);
    if (wholePaper) {
        SDL_RenderFlush(renderer);
    }
    return true;
}

bool RenderPaper(PaperView& view, bool wholePaper, bool ownPalette, const RenderOverlay& overlay) {
    const Paper& paper = view.paper;
    if (!wholePaper) {
        return RenderPaperArea(view, view.VisibleArea(), false, ownPalette, overlay);
    }
    if (int64_t{paper.width} * paper.height > kMaxSingleRenderPixels) {
        return false;
    }
    return RenderPaperArea(view, {0, 0, paper.width, paper.height}, true, ownPalette, overlay);
}
