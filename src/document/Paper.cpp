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

namespace {

constexpr int kPaperSurfaceDepth = 16;
// Half the size of the square around the pointer that finds selected objects.
constexpr int32_t kPointerReach = 5;

bool SizeAllowed(int32_t w, int32_t h) {
    return w >= 1 && h >= 1 && w <= kMaxPaperPixels && h <= kMaxPaperPixels;
}

std::shared_ptr<PaperObject>* FindById(std::vector<std::shared_ptr<PaperObject>>& objects,
                                       int32_t id) {
    for (std::shared_ptr<PaperObject>& object : objects) {
        if (object->id == id) {
            return &object;
        }
    }
    return nullptr;
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

SDL_Point SelectionDragOffset(const Paper& paper) {
    if (gridLock) {
        return {
            static_cast<int32_t>(int64_t{WrapSub(mouseGridPos.x, dragAnchor.x)} * paper.blockWidth),
            static_cast<int32_t>(int64_t{WrapSub(mouseGridPos.y, dragAnchor.y)} *
                                 paper.blockHeight)};
    }
    return {WrapSub(mousePaperPos.x, dragAnchor.x), WrapSub(mousePaperPos.y, dragAnchor.y)};
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
    for (const UndoRecord& undo : undoStack) {
        for (const std::shared_ptr<PaperObject>& object : undo.objects) {
            object->ReleaseCache();
        }
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
        UndoRecord undo;
        undo.kind = UndoKind::Resized;
        undo.a = oldWidth;
        undo.b = oldHeight;
        undoStack.push_back(std::move(undo));
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

void Paper::AddObject(const std::shared_ptr<PaperObject>& object, bool keepAttributes) {
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
    if (!keepAttributes) {
        object->record.SetLayer(currentLayer);
        if (drawColor.a != 0) {
            object->record.SetColor(drawColor);
        }
    }
    objects.push_back(object);
    modified = true;
    if (newId) {
        UndoRecord undo;
        undo.kind = UndoKind::Added;
        undo.ids.push_back(object->id);
        undoStack.push_back(std::move(undo));
    }
}

void Paper::AddLoadedObject(const std::shared_ptr<PaperObject>& object) {
    const size_t recordsBefore = undoStack.size();
    AddObject(object, true);
    if (undoStack.size() != recordsBefore + 1) {
        return;
    }
    if (recordsBefore > 0 && undoStack[recordsBefore - 1].oneAtATime) {
        undoStack[recordsBefore - 1].ids.push_back(undoStack.back().ids.front());
        undoStack.pop_back();
    } else {
        undoStack.back().oneAtATime = true;
    }
}

bool Paper::CreateAndAddObject(const ObjectRecord& record, bool keepAttributes) {
    std::shared_ptr<PaperObject> object = CreateObjectFromRecord(this, record);
    if (object == nullptr) {
        return false;
    }
    AddObject(object, keepAttributes);
    return true;
}

void Paper::MoveObjects(int32_t dx, int32_t dy, bool selectedOnly) {
    UndoRecord undo;
    undo.kind = UndoKind::Moved;
    undo.a = dx;
    undo.b = dy;
    if (selectedOnly) {
        for (const auto& entry : selection) {
            entry.second->Move(dx, dy);
            undo.ids.push_back(entry.second->id);
        }
    } else {
        for (const std::shared_ptr<PaperObject>& object : objects) {
            object->Move(dx, dy);
            undo.ids.push_back(object->id);
        }
    }
    if (!undo.ids.empty()) {
        undoStack.push_back(std::move(undo));
        modified = true;
    }
}

void Paper::MoveAllWithLastStep(int32_t dx, int32_t dy) {
    const size_t stepsBefore = undoStack.size();
    MoveObjects(dx, dy, false);
    if (stepsBefore > 0 && undoStack.size() > stepsBefore) {
        undoStack.back().withPrevious = true;
    }
}

void Paper::DeleteSelected() {
    UndoRecord undo;
    undo.kind = UndoKind::Deleted;
    std::vector<std::shared_ptr<PaperObject>> kept;
    kept.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        std::shared_ptr<PaperObject>& object = objects[i];
        if (selection.erase(object->id) != 0) {
            undo.positions.push_back(i);
            undo.objects.push_back(std::move(object));
        } else {
            kept.push_back(std::move(object));
        }
    }
    objects = std::move(kept);
    // Pushed even when nothing was selected, so the next Undo is spent on it.
    undoStack.push_back(std::move(undo));
    selection.clear();
    modified = true;
}

bool Paper::SelectInRect(const SDL_Rect& rect) {
    selection.clear();
    for (const std::shared_ptr<PaperObject>& object : objects) {
        if (object->record.Layer() == currentLayer && object->HitTest(rect)) {
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

void Paper::EditSelected() {
    if (selection.empty()) {
        return;
    }
    if (selection.size() > 1) {
        ShowStatusNotice("To edit it must be the only object selected!");
        return;
    }
    const std::shared_ptr<PaperObject> selected = selection.begin()->second;
    std::shared_ptr<PaperObject> before = CreateObjectFromRecord(this, selected->record);
    if (before == nullptr) {
        ShowStatusNotice("Error creating temporary object!");
        return;
    }
    editedObject = selected;
    const int result = paperHooks.runEditDialog != nullptr ? paperHooks.runEditDialog(*this) : 0;
    editedObject.reset();
    if (result != 1) {
        return;
    }
    before->id = selected->id;
    UndoRecord undo;
    undo.kind = UndoKind::Edited;
    undo.objects.push_back(std::move(before));
    undoStack.push_back(std::move(undo));
    modified = true;
}

void Paper::Undo() {
    if (undoStack.empty()) {
        return;
    }
    UndoRecord& top = undoStack.back();
    if (top.oneAtATime && top.ids.size() > 1) {
        UndoRecord last;
        last.ids.push_back(top.ids.back());
        top.ids.pop_back();
        Revert(last);
        modified = true;
        return;
    }
    // One Undo takes back one command, even one that took several steps.
    bool earlierStepToo = true;
    while (earlierStepToo && !undoStack.empty()) {
        UndoRecord undo = std::move(undoStack.back());
        undoStack.pop_back();
        Revert(undo);
        earlierStepToo = undo.withPrevious;
    }
    modified = true;
}

void Paper::Revert(UndoRecord& undo) {
    switch (undo.kind) {
    case UndoKind::Added:
        for (int32_t id : undo.ids) {
            if (std::shared_ptr<PaperObject>* found = FindById(objects, id)) {
                // A removed object must not stay selected, or it could still be
                // dragged or deleted while it is invisible.
                selection.erase(id);
                objects.erase(objects.begin() + (found - objects.data()));
            }
        }
        break;
    case UndoKind::Deleted:
        // The objects come back exactly as they were: their own layer and
        // colour, and their old places in the drawing order.
        for (size_t i = 0; i < undo.objects.size(); ++i) {
            const size_t position = i < undo.positions.size()
                                        ? std::min(undo.positions[i], objects.size())
                                        : objects.size();
            objects.insert(objects.begin() + static_cast<std::ptrdiff_t>(position),
                           undo.objects[i]);
        }
        break;
    case UndoKind::Moved:
        for (int32_t id : undo.ids) {
            if (std::shared_ptr<PaperObject>* found = FindById(objects, id)) {
                (*found)->Move(WrapSub(0, undo.a), WrapSub(0, undo.b));
            }
        }
        break;
    case UndoKind::Edited:
        for (const std::shared_ptr<PaperObject>& copy : undo.objects) {
            if (std::shared_ptr<PaperObject>* found = FindById(objects, copy->id)) {
                std::swap((*found)->record, copy->record);
                (*found)->ReleaseCache();
            }
        }
        break;
    case UndoKind::Resized:
        ResizeSurface(undo.a, undo.b, true);
        break;
    }
}
