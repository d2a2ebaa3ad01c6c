#include "view/PaperView.h"

#include "platform/FileSystem.h"
#include "support/VRX_Strings.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>

namespace {

constexpr int kPaperSurfaceDepth = 16;

} // namespace

SDL_Point FontTextMeasurer::Measure(const std::string& text) const {
    if (font_ == nullptr) {
        return {0, 0};
    }
    const auto kept = sizes_.find(text);
    if (kept != sizes_.end()) {
        return kept->second;
    }
    int w = 0;
    int h = 0;
    const SDL_Point size =
        TTF_SizeUTF8(font_, text.c_str(), &w, &h) == 0 ? SDL_Point{w, h} : SDL_Point{0, 0};
    if (sizes_.size() >= kMaxKeptSizes) {
        sizes_.clear();
    }
    sizes_.emplace(text, size);
    return size;
}

DisplayDpi WindowDisplayDpi(SDL_Window* window) {
    int displayIndex = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
    if (displayIndex < 0) {
        displayIndex = 0;
    }
    float horizontal = 0.0f;
    float vertical = 0.0f;
    // Written so that a NaN from a confused driver counts as no answer too.
    if (SDL_GetDisplayDPI(displayIndex, nullptr, &horizontal, &vertical) != 0 ||
        !(horizontal > 0.0f) || !(vertical > 0.0f)) {
        return DisplayDpi{};
    }
    return DisplayDpi{horizontal, vertical};
}

PaperView::PaperView(Paper& paper, TTF_Font* font, SDL_Point viewSize)
    : paper(paper), measurer_(font), previousMeasurer_(paper.GetTextMeasurer()), font_(font),
      viewSize_(viewSize) {
    paper.SetTextMeasurer(&measurer_);
    paper.AddObserver(this);
}

PaperView::~PaperView() {
    paper.RemoveObserver(this);
    // Text textures belong to the renderer: they go before it does.
    textCache.Clear();
    if (paper.GetTextMeasurer() == &measurer_) {
        paper.SetTextMeasurer(previousMeasurer_);
    }
}

void PaperView::SetViewSize(SDL_Point viewSize) {
    viewSize_ = viewSize;
    KeepScrollInView();
}

SDL_Rect PaperView::VisibleArea() const {
    const SDL_Rect view = {scrollX, scrollY, viewSize_.x, viewSize_.y};
    const SDL_Rect whole = {0, 0, paper.width, paper.height};
    SDL_Rect area = {0, 0, 0, 0};
    if (SDL_IntersectRect(&view, &whole, &area) != SDL_TRUE) {
        return {0, 0, 0, 0};
    }
    return area;
}

void PaperView::KeepScrollInView() {
    scrollX = std::clamp(scrollX, 0, std::max(paper.width - viewSize_.x, 0));
    scrollY = std::clamp(scrollY, 0, std::max(paper.height - viewSize_.y, 0));
}

void PaperView::SizeChanged(Paper& /*resized*/) {
    KeepScrollInView();
}

void PaperView::ReleaseAllCaches() {
    textCache.Clear();
    InvalidatePicture();
    picture.clean.reset();
}

SDL_Rect PaperView::TakeChangedArea() {
    const SDL_Rect changed = changed_;
    changed_ = {0, 0, 0, 0};
    return changed;
}

void PaperView::MarkChanged(const SDL_Rect& surfaceArea) {
    if (SDL_RectEmpty(&surfaceArea) == SDL_TRUE) {
        return;
    }
    if (SDL_RectEmpty(&changed_) == SDL_TRUE) {
        changed_ = surfaceArea;
    } else {
        SDL_UnionRect(&changed_, &surfaceArea, &changed_);
    }
}

bool PaperView::PrepareRenderTarget(const SDL_Rect& area, std::string* error) {
    // A surface needs at least one pixel even when nothing of the paper shows.
    const int targetWidth = std::max(area.w, 1);
    const int targetHeight = std::max(area.h, 1);
    if (surface_ == nullptr || renderer_ == nullptr || surface_->w != targetWidth ||
        surface_->h != targetHeight) {
        SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(
            0, targetWidth, targetHeight, kPaperSurfaceDepth, SDL_PIXELFORMAT_RGB565));
        if (surface == nullptr) {
            if (error != nullptr) {
                *error = "surface";
            }
            return false;
        }
        RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
        if (renderer == nullptr) {
            if (error != nullptr) {
                *error = "renderer";
            }
            return false;
        }
        // Everything made on the old renderer goes with it.
        ReleaseAllCaches();
        backgroundTexture_.reset();
        renderer_ = std::move(renderer);
        surface_ = std::move(surface);
        if (backgroundImage_ != nullptr) {
            backgroundTexture_.reset(
                SDL_CreateTextureFromSurface(renderer_.get(), backgroundImage_.get()));
        }
    }
    // The viewport puts the paper's origin where the covered area starts, so
    // drawing at paper coordinates lands in the right place of the surface.
    const SDL_Rect viewport = {-area.x, -area.y, paper.width, paper.height};
    SDL_RenderSetViewport(renderer_.get(), &viewport);
    renderArea_ = area;
    return true;
}

SurfacePainter PaperView::Painter() {
    SDL_Renderer* renderer = renderer_.get();
    if (renderer == nullptr) {
        return SurfacePainter(nullptr, {0, 0, 0, 0});
    }
    SDL_RenderFlush(renderer);
    SDL_Rect viewport = {0, 0, 0, 0};
    SDL_RenderGetViewport(renderer, &viewport);
    SDL_Rect clip = {0, 0, 0, 0};
    SDL_RenderGetClipRect(renderer, &clip);
    return SurfacePainter(surface_.get(), viewport,
                          SDL_RenderIsClipEnabled(renderer) == SDL_TRUE ? &clip : nullptr);
}

bool PaperView::LoadBackgroundImage(const std::string& path, std::string& error) {
    const std::string name(GetFileName(path));
    // The path may come from a document: a pipe or device there must not block.
    if (!IsReadableFile(path)) {
        error = "Error opening " + name + ": not a readable file";
        return false;
    }
    SurfacePtr image(IMG_Load(path.c_str()));
    if (image == nullptr) {
        error = "Error opening " + name + ": " + SDL_GetError();
        return false;
    }
    TexturePtr texture;
    if (renderer_ != nullptr) {
        texture.reset(SDL_CreateTextureFromSurface(renderer_.get(), image.get()));
        if (texture == nullptr) {
            error = std::string("Error creating texture: ") + SDL_GetError();
            return false;
        }
    }
    // The renderer finishes drawing with the old texture before it goes.
    backgroundTexture_ = std::move(texture);
    backgroundImage_ = std::move(image);
    paper.backgroundImagePath = path;
    return true;
}
