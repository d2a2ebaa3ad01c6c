#include "app/EditCommands.h"

#include "app/Editor.h"
#include "app/Layout.h"
#include "app/StatusNotice.h"
#include "document/ObjectsJson.h"
#include "document/Paper.h"
#include "document/PaperObject.h"
#include "support/VRX_Strings.h"
#include "ui/EditObjectDialog.h"
#include "ui/TextPrompt.h"

#include <SDL2/SDL_clipboard.h>
#include <SDL2/SDL_stdinc.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr int kLayerCountShown = 16;

Paper* Active() {
    return editor->session.activePaper;
}

// The selected objects in drawing order, so a paste keeps which lies on top.
std::vector<const PaperObject*> SelectedInOrder(const Paper& paper) {
    std::vector<const PaperObject*> selected;
    for (const std::shared_ptr<PaperObject>& object : paper.objects) {
        if (paper.selection.count(object->id) != 0) {
            selected.push_back(object.get());
        }
    }
    return selected;
}

// The top-left corner of what `records` draw.
SDL_Point TopLeftOf(Paper& paper, const std::vector<ObjectRecord>& records) {
    int32_t left = INT32_MAX;
    int32_t top = INT32_MAX;
    for (const ObjectRecord& record : records) {
        std::shared_ptr<PaperObject> object = CreateObjectFromRecord(&paper, record);
        if (object == nullptr) {
            continue;
        }
        const ObjectBounds bounds = object->GetBounds();
        left = std::min(left, bounds.left);
        top = std::min(top, bounds.top);
    }
    return records.empty() || left == INT32_MAX ? SDL_Point{0, 0} : SDL_Point{left, top};
}

// Adds `records` to `paper` with their corner at `place`, as one undo step.
size_t AddAt(Paper& paper, const std::vector<ObjectRecord>& records, SDL_Point place) {
    const SDL_Point corner = TopLeftOf(paper, records);
    return paper.AddRecords(records, editor->session.currentLayer, place.x - corner.x,
                            place.y - corner.y);
}

bool PointerOverPaper(const Paper& paper) {
    const SDL_Point pointer = editor->session.mousePaperPos;
    return IsInside(editor->shell.paperViewRect, editor->session.mouseWindowPos) &&
           pointer.x >= 0 && pointer.y >= 0 && pointer.x < paper.width && pointer.y < paper.height;
}

std::vector<ObjectRecord> RecordsOf(const std::vector<const PaperObject*>& objects) {
    std::vector<ObjectRecord> records;
    records.reserve(objects.size());
    for (const PaperObject* object : objects) {
        records.push_back(object->record);
    }
    return records;
}

// Puts the selected objects on the system clipboard; says so and answers
// false when it cannot (`verb` names the command in the message).
bool CopyToClipboard(const Paper& paper, const char* verb) {
    if (SDL_SetClipboardText(ObjectsToJson(SelectedInOrder(paper)).c_str()) != 0) {
        ShowStatusNotice(std::string("Couldn't ") + verb + ": " + SDL_GetError());
        return false;
    }
    return true;
}

} // namespace

SDL_Point PastePlace(const Paper& paper, SDL_Point copied) {
    if (PointerOverPaper(paper)) {
        return {editor->session.mouseGridPos.x * paper.blockWidth,
                editor->session.mouseGridPos.y * paper.blockHeight};
    }
    return {copied.x + paper.blockWidth, copied.y + paper.blockHeight};
}

void UndoActivePaper(uint64_t, MENU_ITEM*) {
    if (Paper* paper = Active(); paper != nullptr) {
        paper->Undo();
    }
}

void RedoActivePaper(uint64_t, MENU_ITEM*) {
    if (Paper* paper = Active(); paper != nullptr) {
        paper->Redo();
    }
}

void CopySelection(uint64_t, MENU_ITEM*) {
    if (Paper* paper = Active(); paper != nullptr && !paper->selection.empty()) {
        const size_t count = paper->selection.size();
        if (CopyToClipboard(*paper, "copy")) {
            ShowStatusNotice("Copied " + FormatCount(static_cast<int64_t>(count)) +
                             (count == 1 ? " object." : " objects."));
        }
    }
}

void CutSelection(uint64_t, MENU_ITEM*) {
    // Nothing is deleted that could not be kept.
    if (Paper* paper = Active();
        paper != nullptr && !paper->selection.empty() && CopyToClipboard(*paper, "cut")) {
        paper->DeleteSelected();
    }
}

void PasteClipboard(uint64_t, MENU_ITEM*) {
    Paper* paper = Active();
    if (paper == nullptr) {
        return;
    }
    char* text = SDL_GetClipboardText();
    const std::string clipboard = text != nullptr ? text : "";
    SDL_free(text);
    const PastedObjects pasted = ObjectsFromJson(clipboard);
    if (!pasted.records.empty()) {
        const SDL_Point copied = TopLeftOf(*paper, pasted.records);
        AddAt(*paper, pasted.records, PastePlace(*paper, copied));
    }
    ShowStatusNotice(pasted.message);
}

void DuplicateSelection(uint64_t, MENU_ITEM*) {
    Paper* paper = Active();
    if (paper == nullptr || paper->selection.empty()) {
        return;
    }
    const std::vector<ObjectRecord> records = RecordsOf(SelectedInOrder(*paper));
    const SDL_Point corner = TopLeftOf(*paper, records);
    AddAt(*paper, records, {corner.x + paper->blockWidth, corner.y + paper->blockHeight});
}

void DeleteSelection(uint64_t, MENU_ITEM*) {
    if (Paper* paper = Active(); paper != nullptr && !paper->selection.empty()) {
        paper->DeleteSelected();
    }
}

void SelectAllOnLayer(uint64_t, MENU_ITEM*) {
    Paper* paper = Active();
    if (paper == nullptr) {
        return;
    }
    paper->selection.clear();
    for (const std::shared_ptr<PaperObject>& object : paper->objects) {
        if (object->record.Layer() == editor->session.currentLayer) {
            paper->selection.emplace(object->id, object);
        }
    }
}

void EditSelectedObjectCommand(uint64_t, MENU_ITEM*) {
    if (Paper* paper = Active(); paper != nullptr) {
        EditSelectedObject(*editor, *paper);
    }
}

void MoveSelectionToLayer(Paper& paper, uint8_t layer) {
    const size_t count = paper.selection.size();
    if (!paper.ChangeSelected([layer](ObjectRecord& record) { record.SetLayer(layer); })) {
        return;
    }
    ShowStatusNotice("Moved " + FormatCount(static_cast<int64_t>(count)) +
                     (count == 1 ? " object" : " objects") + " to layer " +
                     std::to_string(layer + 1) + ".");
}

void MoveSelectionToLayerCommand(uint64_t, MENU_ITEM*) {
    Paper* paper = Active();
    if (paper == nullptr || paper->selection.empty()) {
        return;
    }
    std::string answer;
    if (!ShowTextPrompt(*editor, "Move to Layer", "Move the selection to layer (1 to 16):",
                        std::to_string(editor->session.currentLayer + 1), answer)) {
        return;
    }
    char* end = nullptr;
    const long layer = std::strtol(answer.c_str(), &end, 10);
    if (end == answer.c_str() || *end != '\0' || layer < 1 || layer > kLayerCountShown) {
        ShowStatusNotice("There is no layer \"" + answer + "\"; layers are 1 to 16.");
        return;
    }
    MoveSelectionToLayer(*paper, static_cast<uint8_t>(layer - 1));
}

bool CanUndo(uint64_t) {
    return Active() != nullptr && !Active()->undoStack.empty();
}

bool CanRedo(uint64_t) {
    return Active() != nullptr && !Active()->redoStack.empty();
}

bool HasSelection(uint64_t) {
    return Active() != nullptr && !Active()->selection.empty();
}

bool HasOneSelected(uint64_t) {
    return Active() != nullptr && Active()->selection.size() == 1;
}

bool CanPaste(uint64_t) {
    return Active() != nullptr && SDL_HasClipboardText() == SDL_TRUE;
}

bool HasActivePaper(uint64_t) {
    return Active() != nullptr;
}
