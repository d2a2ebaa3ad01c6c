#include "document/UndoCommands.h"

#include "document/Paper.h"
#include "document/PaperObject.h"
#include "draw/Geometry.h"

#include <algorithm>

namespace {

// Ids sorted for lookup: a command may hold every object of a large paper.
class IdSet {
  public:
    explicit IdSet(std::vector<int32_t> ids) : ids_(std::move(ids)) {
        std::sort(ids_.begin(), ids_.end());
    }
    bool Has(int32_t id) const { return std::binary_search(ids_.begin(), ids_.end(), id); }

  private:
    std::vector<int32_t> ids_;
};

// Where the object with `id` stands in the drawing order, or the list's size.
size_t PositionOf(const Paper& paper, int32_t id) {
    const auto found = std::find_if(paper.objects.begin(), paper.objects.end(),
                                    [id](const auto& object) { return object->id == id; });
    return static_cast<size_t>(found - paper.objects.begin());
}

// Takes the objects with `ids` off the paper and out of the selection (a
// removed object must not stay selected, or it could still be dragged or
// deleted while it is invisible). Returns them with their former places,
// lowest first, which is the order in which they go back.
void TakeOff(Paper& paper, const std::vector<int32_t>& ids,
             std::vector<std::shared_ptr<PaperObject>>& taken, std::vector<size_t>& positions) {
    taken.clear();
    positions.clear();
    const IdSet wanted(ids);
    std::vector<std::shared_ptr<PaperObject>> kept;
    kept.reserve(paper.objects.size());
    for (size_t i = 0; i < paper.objects.size(); ++i) {
        std::shared_ptr<PaperObject>& object = paper.objects[i];
        if (wanted.Has(object->id)) {
            paper.selection.erase(object->id);
            positions.push_back(i);
            taken.push_back(std::move(object));
        } else {
            kept.push_back(std::move(object));
        }
    }
    paper.objects = std::move(kept);
}

// The reverse of TakeOff: with positions ascending, each lands where it was.
void PutBack(Paper& paper, const std::vector<std::shared_ptr<PaperObject>>& objects,
             const std::vector<size_t>& positions) {
    for (size_t i = 0; i < objects.size(); ++i) {
        const size_t position = i < positions.size() ? std::min(positions[i], paper.objects.size())
                                                     : paper.objects.size();
        paper.objects.insert(paper.objects.begin() + static_cast<std::ptrdiff_t>(position),
                             objects[i]);
    }
}

std::vector<int32_t> IdsOf(const std::vector<std::shared_ptr<PaperObject>>& objects) {
    std::vector<int32_t> ids;
    ids.reserve(objects.size());
    for (const auto& object : objects) {
        ids.push_back(object->id);
    }
    return ids;
}

void MoveByIds(Paper& paper, const std::vector<int32_t>& ids, int32_t dx, int32_t dy) {
    const IdSet moved(ids);
    for (const std::shared_ptr<PaperObject>& object : paper.objects) {
        if (moved.Has(object->id)) {
            object->Move(dx, dy);
        }
    }
}

} // namespace

void AddCommand::Undo(Paper& paper) {
    TakeOff(paper, ids, removed_, positions_);
}

void AddCommand::Redo(Paper& paper) {
    PutBack(paper, removed_, positions_);
    removed_.clear();
    positions_.clear();
}

void LoadCommand::Append(int32_t id) {
    // Ids wrap around past the largest int32_t, so the run's next id does too.
    if (!runs_.empty() &&
        WrapAdd(runs_.back().first, static_cast<int32_t>(runs_.back().count)) == id) {
        ++runs_.back().count;
    } else {
        runs_.push_back({id, 1});
    }
    ++count_;
}

void LoadCommand::UndoLast(Paper& paper) {
    if (runs_.empty()) {
        return;
    }
    IdRun& last = runs_.back();
    const int32_t id = WrapAdd(last.first, static_cast<int32_t>(last.count - 1));
    if (--last.count == 0) {
        runs_.pop_back();
    }
    --count_;
    std::vector<std::shared_ptr<PaperObject>> taken;
    std::vector<size_t> positions;
    TakeOff(paper, {id}, taken, positions);
    if (!taken.empty()) {
        removed_.push_back(std::move(taken.front()));
        positions_.push_back(positions.front());
    }
}

void LoadCommand::Redo(Paper& paper) {
    if (removed_.empty()) {
        return;
    }
    PutBack(paper, {removed_.back()}, {positions_.back()});
    Append(removed_.back()->id);
    removed_.pop_back();
    positions_.pop_back();
}

void DeleteCommand::Undo(Paper& paper) {
    PutBack(paper, objects, positions_);
}

void DeleteCommand::Redo(Paper& paper) {
    std::vector<std::shared_ptr<PaperObject>> taken;
    TakeOff(paper, IdsOf(objects), taken, positions_);
}

void MoveCommand::Undo(Paper& paper) {
    MoveByIds(paper, ids, WrapSub(0, dx), WrapSub(0, dy));
}

void MoveCommand::Redo(Paper& paper) {
    MoveByIds(paper, ids, dx, dy);
}

void EditCommand::Swap(Paper& paper) {
    for (const std::shared_ptr<PaperObject>& copy : copies_) {
        const size_t position = PositionOf(paper, copy->id);
        if (position < paper.objects.size()) {
            PaperObject& object = *paper.objects[position];
            std::swap(object.record, copy->record);
        }
    }
}

void ResizeCommand::Swap(Paper& paper) {
    const int32_t width = paper.width;
    const int32_t height = paper.height;
    if (paper.Resize(width_, height_, /*withoutUndo=*/true)) {
        width_ = width;
        height_ = height;
    }
}
