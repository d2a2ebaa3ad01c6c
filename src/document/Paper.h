#pragma once
// One open document: a sheet of squared paper with its objects, selection,
// undo stack and the off-screen surface it is drawn into.

#include "document/PaperViewCache.h"
#include "document/UndoCommands.h"
#include "draw/TextTextureCache.h"
#include "support/VRX_Serializable.h"

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct SDL_Surface;
struct SDL_Renderer;
struct SDL_Texture;
struct MENU_ITEM;
struct ObjectRecord;
class PaperObject;

struct PaperPalette {
    SDL_Color backgroundColor;
    SDL_Color gridColor;
    SDL_Color objectColor;
    SDL_Color selectionColor;
};

// The colours a new paper starts with, and the fixed black-and-white palette
// used for exports and printing.
PaperPalette DefaultPaperPalette();
PaperPalette MonochromePalette();

// 11 x 8.5 inches at 96 pixels per inch.
constexpr int32_t kDefaultPaperWidth = 1056;
constexpr int32_t kDefaultPaperHeight = 816;
constexpr int32_t kPaperPixelsPerInch = 96;
// SDL2_gfx draws with 16-bit coordinates, so no paper may be larger than this.
constexpr int32_t kMaxPaperPixels = 32767;
constexpr int kLayerCount = 16;

// Where a newly drawn object goes: onto this layer, in the paper's drawing
// colour when it has one. Objects that come back (from a file, an undo) are
// added without it and keep the layer and colour their records hold.
struct OnLayer {
    uint8_t layer;
};

class Paper final : public VRX_Serializable {
  public:
    // Registers the paper in `openPapers` and gives it its Windows-menu entry.
    Paper();
    // Unregisters it and releases objects, undo records and SDL resources.
    ~Paper();
    Paper(const Paper&) = delete;
    Paper& operator=(const Paper&) = delete;

    // --- Surfaces -------------------------------------------------------
    // The surface holds only the part of the paper being drawn (the visible
    // part, or one band of an export), never the whole paper, which may be
    // 32767 pixels square. These set the paper's size and make the surface for
    // what is visible at that size; sizes outside 1..kMaxPaperPixels fail.
    bool CreateSurface(int32_t newWidth, int32_t newHeight);
    bool ResizeSurface(int32_t newWidth, int32_t newHeight, bool withoutUndo);
    bool LoadBackgroundImage(const std::string& path);
    // Recomputes blockWidth/blockHeight from the display DPI and linesPerInch.
    void UpdateBlockSize();
    // The part of the paper that the paper view shows: (scrollX, scrollY) and
    // the view's size, cut to the paper.
    SDL_Rect VisibleArea() const;
    // Keeps the view on the paper: never scrolled further than where the
    // paper's far edge meets the view's, which a smaller paper or a larger
    // window can change.
    void KeepScrollInView();
    // Makes `paperSurface` cover `area` (paper pixels), replacing surface and
    // renderer only when the size changes. The renderer's viewport places the
    // paper so that everything is drawn at paper coordinates. False when a new
    // surface or renderer cannot be made; the old ones then stay.
    bool PrepareRenderTarget(const SDL_Rect& area);
    // Drops every rendered cache: the objects' and the primitives' texts keep
    // textures of the renderer.
    void ReleaseAllCaches();

    // --- Objects --------------------------------------------------------
    void AddObject(const std::shared_ptr<PaperObject>& object);
    void AddObject(const std::shared_ptr<PaperObject>& object, OnLayer place);
    bool CreateAndAddObject(const ObjectRecord& record);
    bool CreateAndAddObject(const ObjectRecord& record, OnLayer place);
    // Adds an object read from a file, keeping its layer and colour; Undo takes
    // such objects back one at a time, last first, like any added object.
    void AddLoadedObject(const std::shared_ptr<PaperObject>& object);
    void MoveObjects(int32_t dx, int32_t dy, bool selectedOnly);
    // Moves every object as the second step of the command whose record is on
    // top of the undo stack (the shift of a resize), so that one Undo takes
    // back both and never leaves a state the user did not see.
    void MoveAllWithLastStep(int32_t dx, int32_t dy);
    void DeleteSelected();
    // Selects the objects of `layer` that the band touches, and only those.
    bool SelectInRect(const SDL_Rect& rect, uint8_t layer);
    bool IsOverSelection(int32_t x, int32_t y) const;
    // Gives `object` the record an edit produced, as one undo step.
    bool ApplyEdit(PaperObject& object, const ObjectRecord& record);
    // Applies `change` to every selected object's record as one undo step
    // (moving to a layer, recolouring). False when nothing is selected.
    bool ChangeSelected(const std::function<void(ObjectRecord&)>& change);
    void Undo();

    // --- File format ----------------------------------------------------
    bool Serialize(VRX_Buffer& buffer, bool reading) override;

    // --- Fields ---------------------------------------------------------
    int32_t nextObjectId = 0;
    uint8_t fileVersion = 3;
    bool modified = false;
    UndoStack undoStack;
    std::vector<std::shared_ptr<PaperObject>> objects;
    std::map<int32_t, std::shared_ptr<PaperObject>> selection;
    MENU_ITEM* windowMenuItem = nullptr;
    SDL_Surface* paperSurface = nullptr;
    // The paper pixels `paperSurface` holds, from its top-left pixel on.
    SDL_Rect renderArea = {0, 0, 0, 0};
    SDL_Texture* backgroundTexture = nullptr;
    // The decoded background image, kept so that a new renderer gets its
    // texture without reading the file again.
    SDL_Surface* backgroundImage = nullptr;
    std::string filePath;
    std::string exportPath;
    std::string backgroundImagePath;
    int32_t backgroundImageX = 0;
    int32_t backgroundImageY = 0;
    uint8_t backgroundImageAlpha = 255;
    SDL_Renderer* paperRenderer = nullptr;
    PaperPalette palette = DefaultPaperPalette();
    SDL_Color drawColor = {0, 0, 0, 0};
    int32_t unitIndex = 0;
    int32_t blocksPerUnit = 4;
    int32_t linesPerInch = 4;
    int32_t blockWidth = 24;
    int32_t blockHeight = 24;
    int32_t width = kDefaultPaperWidth;
    int32_t height = kDefaultPaperHeight;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    uint8_t hiddenLayers[kLayerCount] = {};
    // Texts drawn by the drawing primitives, kept between frames.
    TextTextureCache textCache;
    // The last view picture, reused while nothing shown has changed.
    PaperViewCache viewCache;

  private:
    // Gives a new object its id (true when it got a new one) and, with a
    // place, that layer and the drawing colour, and appends it.
    bool PlaceObject(const std::shared_ptr<PaperObject>& object, const OnLayer* place);
    void PushAdded(const std::shared_ptr<PaperObject>& object, bool newId);
    // Applies `change` to the records of `targets` as one undo step.
    bool ChangeRecords(const std::vector<PaperObject*>& targets,
                       const std::function<void(ObjectRecord&)>& change);
    enum class TargetError { None, Surface, Renderer };
    TargetError MakeRenderTarget(const SDL_Rect& area);
    void RecreateBackgroundTexture();
    void NotifyFileNameChanged();
};

// What the rest of the program does when a paper changes in ways that are shown
// elsewhere: its Windows-menu entry, the recent-file list and the window
// title. The user interface installs these
// in `paperHooks` (app/AppState.h) at start-up; without them (headless use,
// document tests) nothing happens.
struct PaperHooks {
    void (*paperCreated)(Paper& paper) = nullptr;
    void (*paperDestroyed)(Paper& paper) = nullptr;
    // The file name shown for the paper changed (its Windows-menu caption).
    void (*fileNameChanged)(Paper& paper) = nullptr;
    // The paper was loaded from or saved to `filePath`.
    void (*fileStored)(Paper& paper) = nullptr;
};
