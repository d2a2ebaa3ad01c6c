#include "document/Paper.h"

#include "document/PaperObject.h"
#include "document/PaperObserver.h"
#include "draw/Geometry.h"

#include <algorithm>
#include <functional>

namespace {

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

Paper::~Paper() {
    // Undo records and the selection share the objects; drop them in the
    // order that leaves no record pointing at a freed neighbour.
    redoStack.clear();
    undoStack.clear();
    selection.clear();
    objects.clear();
}

// --- Size -------------------------------------------------------------------

bool Paper::SetSize(int32_t newWidth, int32_t newHeight) {
    if (!SizeAllowed(newWidth, newHeight)) {
        return false;
    }
    width = newWidth;
    height = newHeight;
    UpdateBlockSize();
    NotifyFileNameChanged();
    return true;
}

bool Paper::Resize(int32_t newWidth, int32_t newHeight, bool withoutUndo) {
    if (!SizeAllowed(newWidth, newHeight)) {
        return false;
    }
    const int32_t oldWidth = width;
    const int32_t oldHeight = height;
    width = newWidth;
    height = newHeight;
    if (!withoutUndo) {
        Record(std::make_unique<ResizeCommand>(oldWidth, oldHeight));
    }
    modified = true;
    NotifySizeChanged();
    return true;
}

// --- Observers --------------------------------------------------------------

void Paper::AddObserver(PaperObserver* observer) {
    if (observer != nullptr &&
        std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void Paper::RemoveObserver(PaperObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Paper::NotifyFileNameChanged() {
    // A copy: an observer may stop observing while it is told.
    const std::vector<PaperObserver*> observers = observers_;
    for (PaperObserver* observer : observers) {
        observer->FileNameChanged(*this);
    }
}

void Paper::NotifyFileStored() {
    const std::vector<PaperObserver*> observers = observers_;
    for (PaperObserver* observer : observers) {
        observer->FileStored(*this);
    }
}

void Paper::NotifySizeChanged() {
    const std::vector<PaperObserver*> observers = observers_;
    for (PaperObserver* observer : observers) {
        observer->SizeChanged(*this);
    }
}

void Paper::SetTextMeasurer(const TextMeasurer* measurer) {
    if (measurer != textMeasurer_) {
        textMeasurer_ = measurer;
        ++measurerGeneration_;
    }
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
        Record(std::make_unique<AddCommand>(std::vector<int32_t>{object->id}));
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
        Record(std::move(command));
    }
    redoStack.clear();
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

size_t Paper::AddRecords(const std::vector<ObjectRecord>& records, uint8_t layer, int32_t dx,
                         int32_t dy) {
    std::vector<int32_t> ids;
    selection.clear();
    for (ObjectRecord record : records) {
        record.SetLayer(layer);
        std::shared_ptr<PaperObject> object = CreateObjectFromRecord(this, record);
        if (object == nullptr) {
            continue;
        }
        object->Move(dx, dy);
        PlaceObject(object, nullptr);
        ids.push_back(object->id);
        selection.emplace(object->id, object);
    }
    if (!ids.empty()) {
        Record(std::make_unique<AddCommand>(std::move(ids)));
    }
    return selection.size();
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
        Record(std::make_unique<MoveCommand>(std::move(ids), dx, dy));
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
    Record(std::make_unique<DeleteCommand>(std::move(removed), std::move(positions)));
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
            return false;
        }
        copy->id = target->id;
        before.push_back(std::move(copy));
    }
    for (PaperObject* target : targets) {
        change(target->record);
    }
    Record(std::make_unique<EditCommand>(std::move(before)));
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
        redoStack.push_back(std::make_unique<LoadStepCommand>());
        modified = true;
        return;
    }
    // One Undo takes back one command, even one that took several steps.
    bool earlierStepToo = true;
    while (earlierStepToo && !undoStack.empty()) {
        std::unique_ptr<UndoCommand> command = std::move(undoStack.back());
        undoStack.pop_back();
        command->Undo(*this);
        earlierStepToo = command->withPrevious;
        redoStack.push_back(std::move(command));
    }
    modified = true;
}

void Paper::Redo() {
    if (redoStack.empty()) {
        return;
    }
    if (dynamic_cast<LoadStepCommand*>(redoStack.back().get()) != nullptr) {
        // One object of a loaded document: the load's own entry puts it back.
        redoStack.pop_back();
        if (auto* loaded =
                undoStack.empty() ? nullptr : dynamic_cast<LoadCommand*>(undoStack.back().get());
            loaded != nullptr) {
            loaded->Redo(*this);
        }
        modified = true;
        return;
    }
    // The steps one Undo took back together come back together, first step first.
    do {
        std::unique_ptr<UndoCommand> command = std::move(redoStack.back());
        redoStack.pop_back();
        command->Redo(*this);
        undoStack.push_back(std::move(command));
    } while (!redoStack.empty() && redoStack.back()->withPrevious &&
             dynamic_cast<LoadStepCommand*>(redoStack.back().get()) == nullptr);
    modified = true;
}

void Paper::Record(std::unique_ptr<UndoCommand> command) {
    undoStack.push_back(std::move(command));
    redoStack.clear();
}
