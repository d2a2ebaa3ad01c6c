#pragma once
// One document as the window shows it: where it is scrolled to, the
// off-screen surface its visible part is drawn into, the textures and cached
// pictures of that drawing, and the font its texts are drawn and measured in.
// The document itself knows none of this.

#include "document/Paper.h"
#include "document/PaperObserver.h"
#include "document/TextMeasurer.h"
#include "draw/SdlOwners.h"
#include "draw/SurfacePainter.h"
#include "draw/TextTextureCache.h"
#include "view/ViewDamage.h"

#include <SDL2/SDL_rect.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct SDL_Window;
typedef struct _TTF_Font TTF_Font;

// Measures texts in one font, for a document's boxes and hit tests. Every
// frame measures each measurement label again, and shaping a text costs far
// more than drawing its shapes, so sizes are kept; the font never changes, so
// the text alone is the key.
class FontTextMeasurer final : public TextMeasurer {
  public:
    explicit FontTextMeasurer(TTF_Font* font) : font_(font) {}
    SDL_Point Measure(const std::string& text) const override;

  private:
    // Beyond this many texts the sizes start over rather than grow without end.
    static constexpr size_t kMaxKeptSizes = 8192;
    TTF_Font* font_;
    mutable std::unordered_map<std::string, SDL_Point> sizes_;
};

// The DPI of the display `window` is on; 96 on both axes when it cannot tell.
DisplayDpi WindowDisplayDpi(SDL_Window* window);

class PaperView final : public PaperObserver {
  public:
    // Shows `paper` in a view of `viewSize` pixels, its texts drawn and
    // measured in `font` (none: texts are not drawn and measure 0 x 0). The
    // paper must outlive the view; it measures its texts through the view
    // while the view lives (a view made for a moment, for an export, hands
    // the measuring back to the one before it).
    PaperView(Paper& paper, TTF_Font* font, SDL_Point viewSize);
    ~PaperView() override;
    PaperView(const PaperView&) = delete;
    PaperView& operator=(const PaperView&) = delete;

    Paper& paper;

    // --- Scrolling ------------------------------------------------------
    // The size of the window area that shows the paper.
    SDL_Point ViewSize() const { return viewSize_; }
    // Changes it and keeps the scroll position on the paper.
    void SetViewSize(SDL_Point viewSize);
    // The part of the paper the view shows: (scrollX, scrollY) and the view's
    // size, cut to the paper.
    SDL_Rect VisibleArea() const;
    // Keeps the view on the paper: never scrolled further than where the
    // paper's far edge meets the view's, which a smaller paper or a larger
    // window can change.
    void KeepScrollInView();
    int32_t scrollX = 0;
    int32_t scrollY = 0;

    // --- Render target --------------------------------------------------
    // The surface holds only the part of the paper being drawn (the visible
    // part, or one band of an export), never the whole paper, which may be
    // 32767 pixels square. Makes it cover `area` (paper pixels), replacing
    // surface and renderer only when the size changes; the renderer's
    // viewport places the paper so that everything is drawn at paper
    // coordinates. False when a new surface or renderer cannot be made; the
    // old ones then stay, and `error` says which failed.
    bool PrepareRenderTarget(const SDL_Rect& area, std::string* error = nullptr);
    SDL_Surface* Surface() const { return surface_.get(); }
    SDL_Renderer* Renderer() const { return renderer_.get(); }
    // Paints shapes onto Surface() in one pass, with the pixels the renderer
    // would give them: at paper coordinates, inside the renderer's current
    // viewport and clip rectangle. What the renderer has queued is drawn
    // first, so a painter taken after renderer drawing comes out on top of
    // it; renderer drawing after painting needs a new painter before the next
    // shape. Draws nothing without a render target.
    SurfacePainter Painter();
    // The paper pixels Surface() holds, from its top-left pixel on.
    SDL_Rect RenderArea() const { return renderArea_; }
    // Drops every picture and texture made from the document.
    void ReleaseAllCaches();

    // --- Texts ----------------------------------------------------------
    TTF_Font* Font() const { return font_; }
    // Texts drawn on the paper, kept between frames.
    TextTextureCache textCache;

    // --- The view's picture -----------------------------------------------
    // What the last view frame drew, so that the next one draws only what
    // changed: the damaged rectangles, and the strips a scroll uncovers.
    struct Picture {
        // The surface holds a drawing of `area` made under `sceneKey` (all
        // it depends on besides the objects and the scroll position).
        bool valid = false;
        uint64_t sceneKey = 0;
        SDL_Rect area = {0, 0, 0, 0};
        std::vector<DrawnObject> objects;
        // A tool preview is drawn over the picture on the surface; the
        // picture without it is kept here while it is.
        SurfacePtr clean;
        bool previewShown = false;
    };
    Picture picture;
    // The next view frame draws the whole picture afresh.
    void InvalidatePicture() { picture.valid = false; }
    // The part of the surface (its own pixels, from its corner) whose pixels
    // changed since the last call; empty when none did.
    SDL_Rect TakeChangedArea();
    // Adds to what TakeChangedArea will answer.
    void MarkChanged(const SDL_Rect& surfaceArea);

    // --- Background image -------------------------------------------------
    // Reads the image at `path` and shows it behind the paper, recording the
    // path in the document. False, with the message for the user in `error`,
    // when it cannot be read; the old image then stays.
    bool LoadBackgroundImage(const std::string& path, std::string& error);
    // Null without an image.
    SDL_Texture* BackgroundTexture() const { return backgroundTexture_.get(); }
    // The decoded image, null without one.
    const SDL_Surface* BackgroundImage() const { return backgroundImage_.get(); }

    // A paper that shrinks under a view scrolled far to the right or down
    // would otherwise show nothing at all.
    void SizeChanged(Paper& resized) override;

  private:
    FontTextMeasurer measurer_;
    // The measurer the paper had before this view, given back when it goes.
    const TextMeasurer* previousMeasurer_;
    TTF_Font* font_;
    SDL_Point viewSize_;
    SurfacePtr surface_;
    RendererPtr renderer_;
    SDL_Rect renderArea_ = {0, 0, 0, 0};
    SDL_Rect changed_ = {0, 0, 0, 0};
    // The decoded image, kept so that a new renderer gets its texture without
    // reading the file again.
    SurfacePtr backgroundImage_;
    TexturePtr backgroundTexture_;
};
