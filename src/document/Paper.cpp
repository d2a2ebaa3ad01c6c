#include "document/Paper.h"

#include "app/AppState.h"
#include "app/StatusNotice.h"
#include "document/PaperObject.h"
#include "draw/Geometry.h"
#include "platform/FileSystem.h"
#include "support/VRX_Strings.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <functional>

namespace {

constexpr int kPaperSurfaceDepth = 16;
// Half the size of the square around the pointer that finds selected objects.
constexpr int32_t kPointerReach = 5;

bool SizeAllowed(int32_t w, int32_t h) {
    return w >= 1 && h >= 1 && w <= kMaxPaperPixels && h <= kMaxPaperPixels;
}

} // namespace

PaperPalette DefaultPaperPalette() {
    return PaperPalette{
        {0x21, 0x28, 0x30, 0xFF}, // dark slate
        {0x00, 0x00, 0x00, 0xFF},
        {0xFF, 0xFF, 0xFF, 0xFF},
        {0xFF, 0x00, 0xFF, 0xFF},
    };
}

PaperPalette MonochromePalette() {
    return PaperPalette{
        {0xFF, 0xFF, 0xFF, 0xFF},
        {0xD0, 0xD0, 0xD0, 0xFF},
        {0x00, 0x00, 0x00, 0xFF},
        {0xFF, 0x00, 0xFF, 0xFF},
    };
}

Paper::Paper() {
    openPapers.push_back(this);
    if (paperHooks.paperCreated != nullptr) {
        paperHooks.paperCreated(*this);
    }
}

Paper::~Paper() {
    openPapers.erase(std::remove(openPapers.begin(), openPapers.end(), this), openPapers.end());
    if (paperHooks.paperDestroyed != nullptr) {
        paperHooks.paperDestroyed(*this);
    }
    // Text textures belong to the renderer: free them while it still exists,
    // also for objects someone else may keep alive.
    ReleaseAllCaches();
    undoStack.clear();
    selection.clear();
    objects.clear();
    if (backgroundTexture != nullptr) {
        SDL_DestroyTexture(backgroundTexture);
    }
    if (backgroundImage != nullptr) {
        SDL_FreeSurface(backgroundImage);
    }
    if (paperRenderer != nullptr) {
        SDL_DestroyRenderer(paperRenderer);
    }
    if (paperSurface != nullptr) {
        SDL_FreeSurface(paperSurface);
    }
}

// --- Surfaces ---------------------------------------------------------------

SDL_Rect Paper::VisibleArea() const {
    const SDL_Rect view = {scrollX, scrollY, paperViewRect.w, paperViewRect.h};
    const SDL_Rect paper = {0, 0, width, height};
    SDL_Rect area = {0, 0, 0, 0};
    if (SDL_IntersectRect(&view, &paper, &area) != SDL_TRUE) {
        return {0, 0, 0, 0};
    }
    return area;
}

void Paper::KeepScrollInView() {
    scrollX = std::clamp(scrollX, 0, std::max(width - paperViewRect.w, 0));
    scrollY = std::clamp(scrollY, 0, std::max(height - paperViewRect.h, 0));
}

void Paper::ReleaseAllCaches() {
    textCache.Clear();
    viewCache.Clear();
    for (const std::shared_ptr<PaperObject>& object : objects) {
        object->ReleaseCache();
    }
    for (const auto& entry : selection) {
        entry.second->ReleaseCache();
    }
    for (const std::unique_ptr<UndoCommand>& command : undoStack) {
        command->ReleaseCaches();
    }
}

void Paper::RecreateBackgroundTexture() {
    if (backgroundTexture != nullptr) {
        SDL_DestroyTexture(backgroundTexture);
        backgroundTexture = nullptr;
    }
    if (backgroundImage != nullptr && paperRenderer != nullptr) {
        backgroundTexture = SDL_CreateTextureFromSurface(paperRenderer, backgroundImage);
    }
}

Paper::TargetError Paper::MakeRenderTarget(const SDL_Rect& area) {
    // A surface needs at least one pixel even when nothing of the paper shows.
    const int targetWidth = std::max(area.w, 1);
    const int targetHeight = std::max(area.h, 1);
    if (paperSurface == nullptr || paperRenderer == nullptr || paperSurface->w != targetWidth ||
        paperSurface->h != targetHeight) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(
            0, targetWidth, targetHeight, kPaperSurfaceDepth, SDL_PIXELFORMAT_RGB565);
        if (surface == nullptr) {
            return TargetError::Surface;
        }
        SDL_Renderer* newRenderer = SDL_CreateSoftwareRenderer(surface);
        if (newRenderer == nullptr) {
            SDL_FreeSurface(surface);
            return TargetError::Renderer;
        }
        // Everything made on the old renderer goes with it.
        ReleaseAllCaches();
        if (backgroundTexture != nullptr) {
            SDL_DestroyTexture(backgroundTexture);
            backgroundTexture = nullptr;
        }
        if (paperRenderer != nullptr) {
            SDL_DestroyRenderer(paperRenderer);
        }
        if (paperSurface != nullptr) {
            SDL_FreeSurface(paperSurface);
        }
        paperSurface = surface;
        paperRenderer = newRenderer;
        RecreateBackgroundTexture();
    }
    // The viewport puts the paper's origin where the covered area starts, so
    // drawing at paper coordinates lands in the right place of the surface.
    const SDL_Rect viewport = {-area.x, -area.y, width, height};
    SDL_RenderSetViewport(paperRenderer, &viewport);
    renderArea = area;
    return TargetError::None;
}

bool Paper::PrepareRenderTarget(const SDL_Rect& area) {
    return MakeRenderTarget(area) == TargetError::None;
}

void Paper::NotifyFileNameChanged() {
    if (paperHooks.fileNameChanged != nullptr) {
        paperHooks.fileNameChanged(*this);
    }
}

bool Paper::CreateSurface(int32_t newWidth, int32_t newHeight) {
    if (newWidth <= 0 || newHeight <= 0) {
        return false;
    }
    if (!SizeAllowed(newWidth, newHeight)) {
        ShowStatusNotice("Error creating paper surface!");
        return false;
    }
    width = newWidth;
    height = newHeight;
    scrollX = 0;
    scrollY = 0;
    switch (MakeRenderTarget(VisibleArea())) {
    case TargetError::Surface:
        ShowStatusNotice("Error creating paper surface!");
        return false;
    case TargetError::Renderer:
        ShowStatusNotice("Error creating paper renderer!");
        return false;
    case TargetError::None:
        break;
    }
    ReleaseAllCaches();
    mousePaperPos = {-1, -1};
    mouseGridPos = {-1, -1};
    UpdateBlockSize();
    NotifyFileNameChanged();
    return true;
}

bool Paper::ResizeSurface(int32_t newWidth, int32_t newHeight, bool withoutUndo) {
    if (!SizeAllowed(newWidth, newHeight)) {
        ShowStatusNotice("Error creating new paper surface!");
        return false;
    }
    const int32_t oldWidth = width;
    const int32_t oldHeight = height;
    const int32_t oldScrollX = scrollX;
    const int32_t oldScrollY = scrollY;
    width = newWidth;
    height = newHeight;
    // A paper that shrinks under a view scrolled far to the right or down
    // would otherwise show nothing at all.
    KeepScrollInView();
    const TargetError error = MakeRenderTarget(VisibleArea());
    if (error != TargetError::None) {
        width = oldWidth;
        height = oldHeight;
        scrollX = oldScrollX;
        scrollY = oldScrollY;
        MakeRenderTarget(VisibleArea());
        ShowStatusNotice(error == TargetError::Surface ? "Error creating new paper surface!"
                                                       : "Error creating new paper renderer!");
        return false;
    }
    if (!withoutUndo) {
        undoStack.push_back(std::make_unique<ResizeCommand>(oldWidth, oldHeight));
    }
    modified = true;
    return true;
}

bool Paper::LoadBackgroundImage(const std::string& path) {
    const std::string name(GetFileName(path));
    // The path may come from a document: a pipe or device there must not block.
    if (!IsReadableFile(path)) {
        ShowStatusNotice("Error opening " + name + ": not a readable file");
        return false;
    }
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        ShowStatusNotice("Error opening " + name + ": " + SDL_GetError());
        return false;
    }
    SDL_Texture* texture = nullptr;
    if (paperRenderer != nullptr) {
        texture = SDL_CreateTextureFromSurface(paperRenderer, image);
        if (texture == nullptr) {
            ShowStatusNotice(std::string("Error creating texture: ") + SDL_GetError());
            SDL_FreeSurface(image);
            return false;
        }
    }
    if (backgroundTexture != nullptr) {
        SDL_DestroyTexture(backgroundTexture);
    }
    if (backgroundImage != nullptr) {
        SDL_FreeSurface(backgroundImage);
    }
    backgroundImage = image;
    backgroundTexture = texture;
    backgroundImagePath = path;
    return true;
}

// --- Objects ----------------------------------------------------------------

void Paper::AddObject(const std::shared_ptr<PaperObject>& object) {
    PushAdded(object, PlaceObject(object, nullptr));
}

void Paper::AddObject(const std::shared_ptr<PaperObject>& object, OnLayer place) {
    PushAdded(object, PlaceObject(object, &place));
}

// An object that already had an id comes back from somewhere and is no new step.
void Paper::PushAdded(const std::shared_ptr<PaperObject>& object, bool newId) {
    if (newId) {
        undoStack.push_back(std::make_unique<AddCommand>(std::vector<int32_t>{object->id}));
    }
}

bool Paper::PlaceObject(const std::shared_ptr<PaperObject>& object, const OnLayer* place) {
    bool newId = false;
    if (object->id == 0) {
        // Ids wrap around like the 32-bit counter they come from, skipping 0.
        nextObjectId = WrapAdd(nextObjectId, 1);
        if (nextObjectId == 0) {
            nextObjectId = 1;
        }
        object->id = nextObjectId;
        newId = true;
    }
    if (place != nullptr) {
        object->record.SetLayer(place->layer);
        if (drawColor.a != 0) {
            object->record.SetColor(drawColor);
        }
    }
    objects.push_back(object);
    modified = true;
    return newId;
}

void Paper::AddLoadedObject(const std::shared_ptr<PaperObject>& object) {
    if (!PlaceObject(object, nullptr)) {
        return;
    }
    auto* loaded = undoStack.empty() ? nullptr : dynamic_cast<LoadCommand*>(undoStack.back().get());
    if (loaded == nullptr) {
        auto command = std::make_unique<LoadCommand>();
        loaded = command.get();
        undoStack.push_back(std::move(command));
    }
    loaded->Append(object->id);
}

bool Paper::CreateAndAddObject(const ObjectRecord& record) {
    std::shared_ptr<PaperObject> object = CreateObjectFromRecord(this, record);
    if (object == nullptr) {
        return false;
    }
    AddObject(object);
    return true;
}

bool Paper::CreateAndAddObject(const ObjectRecord& record, OnLayer place) {
    std::shared_ptr<PaperObject> object = CreateObjectFromRecord(this, record);
    if (object == nullptr) {
        return false;
    }
    AddObject(object, place);
    return true;
}

void Paper::MoveObjects(int32_t dx, int32_t dy, bool selectedOnly) {
    std::vector<int32_t> ids;
    if (selectedOnly) {
        for (const auto& entry : selection) {
            entry.second->Move(dx, dy);
            ids.push_back(entry.second->id);
        }
    } else {
        for (const std::shared_ptr<PaperObject>& object : objects) {
            object->Move(dx, dy);
            ids.push_back(object->id);
        }
    }
    if (!ids.empty()) {
        undoStack.push_back(std::make_unique<MoveCommand>(std::move(ids), dx, dy));
        modified = true;
    }
}

void Paper::MoveAllWithLastStep(int32_t dx, int32_t dy) {
    const size_t stepsBefore = undoStack.size();
    MoveObjects(dx, dy, false);
    if (stepsBefore > 0 && undoStack.size() > stepsBefore) {
        undoStack.back()->withPrevious = true;
    }
}

void Paper::DeleteSelected() {
    std::vector<std::shared_ptr<PaperObject>> removed;
    std::vector<size_t> positions;
    std::vector<std::shared_ptr<PaperObject>> kept;
    kept.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        std::shared_ptr<PaperObject>& object = objects[i];
        if (selection.erase(object->id) != 0) {
            positions.push_back(i);
            removed.push_back(std::move(object));
        } else {
            kept.push_back(std::move(object));
        }
    }
    objects = std::move(kept);
    // Pushed even when nothing was selected, so the next Undo is spent on it.
    undoStack.push_back(std::make_unique<DeleteCommand>(std::move(removed), std::move(positions)));
    selection.clear();
    modified = true;
}

bool Paper::SelectInRect(const SDL_Rect& rect, uint8_t layer) {
    selection.clear();
    for (const std::shared_ptr<PaperObject>& object : objects) {
        if (object->record.Layer() == layer && object->HitTest(rect)) {
            selection.emplace(object->id, object);
        }
    }
    return !selection.empty();
}

bool Paper::IsOverSelection(int32_t x, int32_t y) const {
    const SDL_Rect reach = {WrapSub(x, kPointerReach), WrapSub(y, kPointerReach),
                            2 * kPointerReach + 1, 2 * kPointerReach + 1};
    for (const auto& entry : selection) {
        if (entry.second->HitTest(reach)) {
            return true;
        }
    }
    return false;
}

bool Paper::ApplyEdit(PaperObject& object, const ObjectRecord& record) {
    return ChangeRecords({&object}, [&record](ObjectRecord& edited) { edited = record; });
}

bool Paper::ChangeSelected(const std::function<void(ObjectRecord&)>& change) {
    if (selection.empty()) {
        return false;
    }
    std::vector<PaperObject*> targets;
    targets.reserve(selection.size());
    for (const auto& entry : selection) {
        targets.push_back(entry.second.get());
    }
    return ChangeRecords(targets, change);
}

bool Paper::ChangeRecords(const std::vector<PaperObject*>& targets,
                          const std::function<void(ObjectRecord&)>& change) {
    // The records as they were, so one Undo gives every object back its old
    // fields.
    std::vector<std::shared_ptr<PaperObject>> before;
    before.reserve(targets.size());
    for (const PaperObject* target : targets) {
        std::shared_ptr<PaperObject> copy = CreateObjectFromRecord(this, target->record);
        if (copy == nullptr) {
            ShowStatusNotice("Error creating temporary object!");
            return false;
        }
        copy->id = target->id;
        before.push_back(std::move(copy));
    }
    for (PaperObject* target : targets) {
        change(target->record);
        // A text's rendered texture shows the old text or colour.
        target->ReleaseCache();
    }
    undoStack.push_back(std::make_unique<EditCommand>(std::move(before)));
    modified = true;
    return true;
}

void Paper::Undo() {
    if (undoStack.empty()) {
        return;
    }
    // The objects of a loaded document share one entry but go one per Undo.
    if (auto* loaded = dynamic_cast<LoadCommand*>(undoStack.back().get());
        loaded != nullptr && loaded->Count() > 1) {
        loaded->UndoLast(*this);
        modified = true;
        return;
    }
    // One Undo takes back one command, even one that took several steps.
    bool earlierStepToo = true;
    while (earlierStepToo && !undoStack.empty()) {
        const std::unique_ptr<UndoCommand> command = std::move(undoStack.back());
        undoStack.pop_back();
        command->Undo(*this);
        earlierStepToo = command->withPrevious;
    }
    modified = true;
}
