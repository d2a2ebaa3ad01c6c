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
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr Uint8 kMajorGridWidth = 2;
// With this many lines per inch or more, squares are too small for major lines.
constexpr int32_t kMajorLinesBelowLinesPerInch = 12;
// Grid lines are cut to the drawn area plus this much, so that their ends
// fall outside it (and within SDL2_gfx's 16-bit range).
constexpr int64_t kGridSlack = 1;
// A major line is two pixels wide and drawn one pixel off its grid position.
constexpr int64_t kGridReach = 2;
// Texts drawn only in small redraws are let go past this many.
constexpr size_t kMaxTextsBetweenSweeps = 2048;

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
        if (IsMajorGridLine(paper, column)) {
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
        if (IsMajorGridLine(paper, row)) {
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

} // namespace

bool IsMajorGridLine(const Paper& paper, int64_t index) {
    return paper.blocksPerUnit > 1 && paper.linesPerInch < kMajorLinesBelowLinesPerInch &&
           index % paper.blocksPerUnit == 0;
}

SDL_Color ObjectColorOnPaper(const PaperObject& object, const PaperPalette& palette,
                             bool ownPalette, bool selected) {
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

bool IsOnHiddenLayer(const Paper& paper, const PaperObject& object) {
    const uint8_t layer = object.record.Layer();
    return layer < kLayerCount && paper.hiddenLayers[layer] != 0;
}

namespace {

// An object's drawing: dimmed where it is and bright `dragOffset` away while
// the selection is dragged, else in its colour. Only what touches `area` is
// drawn, nothing without one. Returns the box of every pixel the drawing can
// touch.
PixelBox DrawOneObject(PaperView& view, const PaperObject& object, const PaperPalette& palette,
                       bool ownPalette, const RenderOverlay& overlay, const SDL_Rect* area) {
    Paper& paper = view.paper;
    const bool selected = paper.selection.count(object.id) != 0;
    PixelBox all = DrawnObject{}.Box();
    auto draw = [&](const PaperObject& shown, SDL_Color color) {
        const PixelBox drawn = shown.GetDrawBox();
        all = all.right < all.left
                  ? drawn
                  : PixelBox{std::min(all.left, drawn.left), std::min(all.top, drawn.top),
                             std::max(all.right, drawn.right), std::max(all.bottom, drawn.bottom)};
        if (area != nullptr && drawn.Touches(*area)) {
            DrawObject(view, shown, color);
        }
    };
    if (overlay.draggingSelection && selected) {
        draw(object, Half(palette.selectionColor));
        std::shared_ptr<PaperObject> moved = CreateObjectFromRecord(&paper, object.record);
        if (moved != nullptr) {
            moved->Move(overlay.dragOffset.x, overlay.dragOffset.y);
            draw(*moved, palette.selectionColor);
        }
        return all;
    }
    draw(object, ObjectColorOnPaper(object, palette, ownPalette, selected));
    return all;
}

// Every object that shows, in document order, onto `area`. With `drawn`, what
// each object looked like and where it drew is kept for the next frame.
void DrawObjects(PaperView& view, const PaperPalette& palette, bool ownPalette,
                 const SDL_Rect& area, const RenderOverlay& overlay,
                 std::vector<DrawnObject>* drawn) {
    Paper& paper = view.paper;
    for (size_t i = 0; i < paper.objects.size(); ++i) {
        const PaperObject& object = *paper.objects[i];
        if (IsOnHiddenLayer(paper, object)) {
            continue;
        }
        const PixelBox box = DrawOneObject(view, object, palette, ownPalette, overlay, &area);
        if (drawn != nullptr) {
            (*drawn)[i].SetBox(box);
        }
    }
}

// What each object looks like now, without its box: its record, whether it is
// selected and how far a drag carries it.
std::vector<DrawnObject> DescribeObjects(const Paper& paper, const RenderOverlay& overlay) {
    std::vector<DrawnObject> objects(paper.objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        const PaperObject& object = *paper.objects[i];
        DrawnObject& described = objects[i];
        const bool selected = paper.selection.count(object.id) != 0;
        const bool dragged = selected && overlay.draggingSelection;
        const int32_t state[4] = {selected, dragged, dragged ? overlay.dragOffset.x : 0,
                                  dragged ? overlay.dragOffset.y : 0};
        ViewFingerprint look;
        look.Add(object.id);
        look.Add(state);
        look.Add(object.record.bytes);
        described.look = look.Value();
    }
    return objects;
}

// Everything the view picture depends on besides the objects, the selection
// and the scroll position: when it changes, the whole view is drawn again.
uint64_t SceneKey(const PaperView& view, const SDL_Rect& area, bool ownPalette,
                  const RenderOverlay& overlay) {
    const Paper& paper = view.paper;
    ViewFingerprint key;
    key.Add(area.w);
    key.Add(area.h);
    key.Add(ownPalette);
    key.Add(overlay.showGrid);
    key.Add(view.Font());
    key.Add(paper.palette);
    key.Add(paper.width);
    key.Add(paper.height);
    key.Add(paper.blockWidth);
    key.Add(paper.blockHeight);
    key.Add(paper.blocksPerUnit);
    key.Add(paper.linesPerInch);
    key.Add(paper.unitIndex);
    key.Add(paper.displayDpi);
    key.Add(paper.hiddenLayers);
    key.Add(view.BackgroundTexture());
    key.Add(paper.backgroundImageX);
    key.Add(paper.backgroundImageY);
    key.Add(paper.backgroundImageAlpha);
    key.Add(paper.backgroundImagePath.data(), paper.backgroundImagePath.size());
    return key.Value();
}

void DrawPicture(PaperView& view, const SDL_Rect& area, bool ownPalette,
                 const RenderOverlay& overlay, std::vector<DrawnObject>* drawn = nullptr) {
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
        DrawObjects(view, palette, ownPalette, area, overlay, drawn);
    }
    // Carries out the queued drawing, so the surface holds the picture.
    SDL_RenderFlush(renderer);
    view.textCache.Sweep();
}

// Draws `damage` of the picture again, each rectangle clipped, with what lies
// under it: the paper, its image, the grid and the objects touching it.
void RedrawDamage(PaperView& view, bool ownPalette, const RenderOverlay& overlay,
                  const DamageRegion& damage) {
    const Paper& paper = view.paper;
    SDL_Renderer* renderer = view.Renderer();
    const PaperPalette palette = ownPalette ? paper.palette : MonochromePalette();
    const std::vector<DrawnObject>& drawn = view.picture.objects;
    for (const SDL_Rect& rect : damage.Rects()) {
        // The clip is in viewport coordinates, which are paper coordinates.
        SDL_RenderSetClipRect(renderer, &rect);
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer, palette.backgroundColor.r, palette.backgroundColor.g,
                               palette.backgroundColor.b, SDL_ALPHA_OPAQUE);
        SDL_RenderFillRect(renderer, &rect);
        if (view.BackgroundTexture() != nullptr) {
            DrawBackgroundImage(view);
        }
        if (overlay.showGrid) {
            // Grid lines cut to the rectangle have the same pixels in it.
            DrawGrid(view, palette, rect);
        }
        for (size_t i = 0; i < drawn.size(); ++i) {
            if (drawn[i].HasBox() && drawn[i].Box().Touches(rect)) {
                DrawOneObject(view, *paper.objects[i], palette, ownPalette, overlay, &rect);
            }
        }
        SDL_RenderFlush(renderer);
    }
    SDL_RenderSetClipRect(renderer, nullptr);
    // Texts are let go on whole redraws, when it is known which still show;
    // this bounds what many small redraws (a label changing as it is dragged)
    // would otherwise gather.
    if (view.textCache.Size() > kMaxTextsBetweenSweeps) {
        view.textCache.Sweep();
    }
}

// Moves the surface's pixels by (dx, dy); what moves off it is lost, what it
// uncovers keeps its old pixels until drawn.
void ShiftPixels(SDL_Surface* surface, int dx, int dy) {
    const int bytesPerPixel = surface->format->BytesPerPixel;
    const int width = surface->w - std::abs(dx);
    const int height = surface->h - std::abs(dy);
    if (width <= 0 || height <= 0) {
        return;
    }
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    const int fromX = std::max(0, -dx);
    const int toX = std::max(0, dx);
    auto moveRow = [&](int row) {
        std::memmove(pixels + size_t(row + dy) * surface->pitch + size_t(toX) * bytesPerPixel,
                     pixels + size_t(row) * surface->pitch + size_t(fromX) * bytesPerPixel,
                     size_t(width) * bytesPerPixel);
    };
    // Rows go in the order that never overwrites a row still to be moved.
    if (dy > 0) {
        for (int row = surface->h - 1 - dy; row >= 0; --row) {
            moveRow(row);
        }
    } else {
        for (int row = -dy; row < surface->h; ++row) {
            moveRow(row);
        }
    }
}

bool SameShape(const SDL_Surface* a, const SDL_Surface* b) {
    return a->w == b->w && a->h == b->h && a->format->format == b->format->format;
}

// A plain copy of a surface's pixels onto another of the same shape.
void CopyPixels(const SDL_Surface* from, SDL_Surface* to) {
    for (int row = 0; row < from->h; ++row) {
        std::memcpy(static_cast<uint8_t*>(to->pixels) + size_t(row) * to->pitch,
                    static_cast<const uint8_t*>(from->pixels) + size_t(row) * from->pitch,
                    size_t(from->w) * from->format->BytesPerPixel);
    }
}

// Keeps a copy of `from` in `to`, made anew when the shape differs.
bool KeepCopy(const SDL_Surface* from, SurfacePtr& to) {
    if (to == nullptr || !SameShape(from, to.get())) {
        to.reset(SDL_CreateRGBSurfaceWithFormat(0, from->w, from->h, from->format->BitsPerPixel,
                                                from->format->format));
        if (to == nullptr) {
            return false;
        }
    }
    CopyPixels(from, to.get());
    return true;
}

SDL_Rect ToSurface(const SDL_Rect& paperRect, const SDL_Rect& area) {
    return {paperRect.x - area.x, paperRect.y - area.y, paperRect.w, paperRect.h};
}

// Brings the view's picture of `area` up to date, drawing as little as it can:
// nothing when nothing changed, the damaged rectangles when objects changed,
// the uncovered strips when it scrolled, everything when the scene changed.
void UpdateViewPicture(PaperView& view, const SDL_Rect& area, bool ownPalette,
                       const RenderOverlay& overlay) {
    PaperView::Picture& picture = view.picture;
    SDL_Surface* surface = view.Surface();
    if (picture.previewShown) {
        // The tool preview goes: the surface gets the picture under it back.
        if (picture.clean != nullptr && SameShape(picture.clean.get(), surface)) {
            CopyPixels(picture.clean.get(), surface);
        } else {
            picture.valid = false;
        }
        picture.previewShown = false;
        view.MarkChanged({0, 0, surface->w, surface->h});
    }

    std::vector<DrawnObject> now = DescribeObjects(view.paper, overlay);
    const uint64_t sceneKey = SceneKey(view, area, ownPalette, overlay);
    const SDL_Rect before = picture.area;
    const int dx = before.x - area.x;
    const int dy = before.y - area.y;
    bool whole = !picture.valid || picture.sceneKey != sceneKey || std::abs(dx) >= area.w ||
                 std::abs(dy) >= area.h;
    // A scaled background image is not cut exactly the same when clipped.
    if (SDL_Texture* image = view.BackgroundTexture(); image != nullptr && !whole) {
        int w = 0;
        int h = 0;
        SDL_QueryTexture(image, nullptr, nullptr, &w, &h);
        const SDL_Rect placed = BackgroundImageRect(view.paper, w, h);
        whole = placed.w != w || placed.h != h;
    }

    DamageRegion damage(area);
    const PaperPalette palette = ownPalette ? view.paper.palette : MonochromePalette();
    if (!whole) {
        auto boxOf = [&](size_t index) {
            const PaperObject& object = *view.paper.objects[index];
            return IsOnHiddenLayer(view.paper, object)
                       ? DrawnObject{}.Box()
                       : DrawOneObject(view, object, palette, ownPalette, overlay, nullptr);
        };
        whole = !FindDamage(picture.objects, now, boxOf, damage);
    }
    if (!whole && (dx != 0 || dy != 0)) {
        ShiftPixels(surface, dx, dy);
        // The strips the scroll uncovered: the area less what it had before.
        if (dx != 0) {
            damage.Add(
                SDL_Rect{dx > 0 ? area.x : area.x + area.w + dx, area.y, std::abs(dx), area.h});
        }
        if (dy != 0) {
            damage.Add(
                SDL_Rect{area.x, dy > 0 ? area.y : area.y + area.h + dy, area.w, std::abs(dy)});
        }
        view.MarkChanged({0, 0, surface->w, surface->h});
    }

    if (whole) {
        for (DrawnObject& object : now) {
            object.SetBox(DrawnObject{}.Box());
        }
        DrawPicture(view, area, ownPalette, overlay, &now);
        picture.objects = std::move(now);
        view.MarkChanged({0, 0, surface->w, surface->h});
    } else if (!damage.Empty()) {
        // The damage is drawn with the objects as they are now.
        picture.objects = std::move(now);
        RedrawDamage(view, ownPalette, overlay, damage);
        view.MarkChanged(ToSurface(damage.Bounds(), area));
    }
    picture.valid = true;
    picture.sceneKey = sceneKey;
    picture.area = area;
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
        view.InvalidatePicture();
        view.MarkChanged({0, 0, area.w, area.h});
    } else {
        UpdateViewPicture(view, area, ownPalette, overlay);
    }

    if (!wholePaper && overlay.toolPreview) {
        // The picture under the preview is kept, to be put back next frame.
        PaperView::Picture& picture = view.picture;
        if (KeepCopy(view.Surface(), picture.clean)) {
            picture.previewShown = true;
        } else {
            view.InvalidatePicture();
        }
        const SDL_Color tool = paper.drawColor.a != 0 ? paper.drawColor : paper.palette.objectColor;
        SetPaperDrawColor(renderer, {tool.r, tool.g, tool.b, SDL_ALPHA_OPAQUE});
        overlay.toolPreview(view);
        view.MarkChanged({0, 0, area.w, area.h});
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
