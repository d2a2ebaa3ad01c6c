#pragma once
// One open document: a sheet of squared paper with its objects, selection,
// undo stack and the fields its file stores. How it is shown (scroll position,
// pixels, fonts) belongs to its view (view/PaperView.h).

#include "document/UndoCommands.h"
#include "support/VRX_Serializable.h"

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct ObjectRecord;
class PaperObject;
class PaperObserver;
class TextMeasurer;

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

// The resolution of the display a paper is shown on, which sets the size of
// its grid squares. Without a display, and until told, 96 on both axes.
constexpr float kFallbackDpi = 96.0f;
struct DisplayDpi {
    float horizontal = kFallbackDpi;
    float vertical = kFallbackDpi;
};

class Paper final : public VRX_Serializable {
  public:
    Paper() = default;
    ~Paper();
    Paper(const Paper&) = delete;
    Paper& operator=(const Paper&) = delete;

    // --- Size -----------------------------------------------------------
    // Gives a new paper its size, 1..kMaxPaperPixels pixels each way, and its
    // grid squares; false for any other size, which leaves the paper as it was.
    bool SetSize(int32_t newWidth, int32_t newHeight);
    // Changes the size of a paper in use, as one undo step unless
    // `withoutUndo`; false for a size SetSize refuses.
    bool Resize(int32_t newWidth, int32_t newHeight, bool withoutUndo);
    // Recomputes blockWidth/blockHeight from `displayDpi` and linesPerInch.
    void UpdateBlockSize();

    // --- Those who show the paper -----------------------------------------
    // Observers are told of changes until removed; not owned.
    void AddObserver(PaperObserver* observer);
    void RemoveObserver(PaperObserver* observer);
    void NotifyFileNameChanged();
    void NotifyFileStored();
    void NotifySizeChanged();
    // Measures texts for their boxes and hit tests: the view that draws them
    // sets it. Without one every text measures 0 x 0.
    void SetTextMeasurer(const TextMeasurer* measurer);
    const TextMeasurer* GetTextMeasurer() const { return textMeasurer_; }
    // Lets the objects drop what they worked out from the old measurer.
    uint32_t MeasurerGeneration() const { return measurerGeneration_; }

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
    // Adds objects made from `records` on `layer`, moved by (dx, dy) and with
    // their own colours, as one undo step; they become the selection. Returns
    // how many were added.
    size_t AddRecords(const std::vector<ObjectRecord>& records, uint8_t layer, int32_t dx,
                      int32_t dy);
    // Selects the objects of `layer` that the band touches, and only those.
    bool SelectInRect(const SDL_Rect& rect, uint8_t layer);
    bool IsOverSelection(int32_t x, int32_t y) const;
    // Gives `object` the record an edit produced, as one undo step.
    bool ApplyEdit(PaperObject& object, const ObjectRecord& record);
    // Applies `change` to every selected object's record as one undo step
    // (moving to a layer, recolouring). False when nothing is selected.
    bool ChangeSelected(const std::function<void(ObjectRecord&)>& change);
    void Undo();
    // Takes back the last Undo, step for step; a new change forgets what
    // could be redone.
    void Redo();

    // --- File format ----------------------------------------------------
    bool Serialize(VRX_Buffer& buffer, bool reading) override;

    // --- Fields ---------------------------------------------------------
    int32_t nextObjectId = 0;
    uint8_t fileVersion = 3;
    bool modified = false;
    UndoStack undoStack;
    // What Undo took back, the latest on top.
    UndoStack redoStack;
    std::vector<std::shared_ptr<PaperObject>> objects;
    std::map<int32_t, std::shared_ptr<PaperObject>> selection;
    std::string filePath;
    std::string exportPath;
    std::string backgroundImagePath;
    int32_t backgroundImageX = 0;
    int32_t backgroundImageY = 0;
    uint8_t backgroundImageAlpha = 255;
    PaperPalette palette = DefaultPaperPalette();
    SDL_Color drawColor = {0, 0, 0, 0};
    int32_t unitIndex = 0;
    int32_t blocksPerUnit = 4;
    int32_t linesPerInch = 4;
    int32_t blockWidth = 24;
    int32_t blockHeight = 24;
    int32_t width = kDefaultPaperWidth;
    int32_t height = kDefaultPaperHeight;
    DisplayDpi displayDpi;
    uint8_t hiddenLayers[kLayerCount] = {};

  private:
    // Puts `command` on the undo stack as a new change.
    void Record(std::unique_ptr<UndoCommand> command);
    // Gives a new object its id (true when it got a new one) and, with a
    // place, that layer and the drawing colour, and appends it.
    bool PlaceObject(const std::shared_ptr<PaperObject>& object, const OnLayer* place);
    void PushAdded(const std::shared_ptr<PaperObject>& object, bool newId);
    // Applies `change` to the records of `targets` as one undo step.
    bool ChangeRecords(const std::vector<PaperObject*>& targets,
                       const std::function<void(ObjectRecord&)>& change);

    std::vector<PaperObserver*> observers_;
    const TextMeasurer* textMeasurer_ = nullptr;
    uint32_t measurerGeneration_ = 0;
};
