#pragma once
// The paper's undo history: each change the user can take back is a small
// command that knows how to undo itself and how to do itself again.

#include <SDL2/SDL_pixels.h>

#include <cstdint>
#include <memory>
#include <vector>

class Paper;
class PaperObject;

enum class UndoKind : int32_t { Added = 0, Deleted = 1, Moved = 2, Edited = 3, Resized = 4 };

class UndoCommand {
  public:
    explicit UndoCommand(UndoKind commandKind) : kind(commandKind) {}
    virtual ~UndoCommand() = default;
    UndoCommand(const UndoCommand&) = delete;
    UndoCommand& operator=(const UndoCommand&) = delete;

    // Puts the paper back as it was before the change...
    virtual void Undo(Paper& paper) = 0;
    // ...and makes the change again after an Undo.
    virtual void Redo(Paper& paper) = 0;

    const UndoKind kind;
    // Taken back together with the command below it: the second step of one
    // user command (the shift of a resize), which one Undo takes back whole.
    bool withPrevious = false;
};

using UndoStack = std::vector<std::unique_ptr<UndoCommand>>;

// New objects, by id: undoing removes them, redoing puts the same objects back
// where they stood in the drawing order.
class AddCommand final : public UndoCommand {
  public:
    explicit AddCommand(std::vector<int32_t> addedIds)
        : UndoCommand(UndoKind::Added), ids(std::move(addedIds)) {}
    void Undo(Paper& paper) override;
    void Redo(Paper& paper) override;
    const std::vector<int32_t> ids;

  private:
    std::vector<std::shared_ptr<PaperObject>> removed_;
    std::vector<size_t> positions_;
};

// The objects of a loaded document: one entry however many there are (a
// document may hold a million), yet each Undo takes back one, last first, as
// for objects added one by one.
class LoadCommand final : public UndoCommand {
  public:
    LoadCommand() : UndoCommand(UndoKind::Added) {}
    void Append(int32_t id);
    size_t Count() const { return count_; }
    // Takes back the last object still on the paper, leaving the others.
    void UndoLast(Paper& paper);
    void Undo(Paper& paper) override { UndoLast(paper); }
    // Puts back the object the last UndoLast took.
    void Redo(Paper& paper) override;

  private:
    // A loaded document's objects get consecutive ids, so they are kept as
    // runs: a few bytes for the whole document instead of four an object.
    struct IdRun {
        int32_t first;
        uint32_t count;
    };
    std::vector<IdRun> runs_;
    size_t count_ = 0;
    std::vector<std::shared_ptr<PaperObject>> removed_;
    std::vector<size_t> positions_;
};

// On the redo list only: one object of a loaded document that an Undo took
// back, which the load's own entry (still on the undo stack) puts back.
class LoadStepCommand final : public UndoCommand {
  public:
    LoadStepCommand() : UndoCommand(UndoKind::Added) {}
    void Undo(Paper& /*paper*/) override {}
    void Redo(Paper& /*paper*/) override {}
};

// Removed objects with the places they had, so that they come back exactly
// as they were: their own layer and colour, and their place in the order.
class DeleteCommand final : public UndoCommand {
  public:
    DeleteCommand(std::vector<std::shared_ptr<PaperObject>> removed, std::vector<size_t> positions)
        : UndoCommand(UndoKind::Deleted), objects(std::move(removed)),
          positions_(std::move(positions)) {}
    void Undo(Paper& paper) override;
    void Redo(Paper& paper) override;
    const std::vector<std::shared_ptr<PaperObject>> objects;

  private:
    std::vector<size_t> positions_;
};

class MoveCommand final : public UndoCommand {
  public:
    MoveCommand(std::vector<int32_t> movedIds, int32_t moveX, int32_t moveY)
        : UndoCommand(UndoKind::Moved), ids(std::move(movedIds)), dx(moveX), dy(moveY) {}
    void Undo(Paper& paper) override;
    void Redo(Paper& paper) override;
    const std::vector<int32_t> ids;
    const int32_t dx;
    const int32_t dy;
};

// Objects whose records changed (an edit, a layer move, a recolouring): the
// command holds copies with the other records, and both Undo and Redo swap
// them with the objects' own.
class EditCommand final : public UndoCommand {
  public:
    explicit EditCommand(std::vector<std::shared_ptr<PaperObject>> otherRecords)
        : UndoCommand(UndoKind::Edited), copies_(std::move(otherRecords)) {}
    void Undo(Paper& paper) override { Swap(paper); }
    void Redo(Paper& paper) override { Swap(paper); }

  private:
    void Swap(Paper& paper);
    std::vector<std::shared_ptr<PaperObject>> copies_;
};

// A new paper size; the objects' shift, if any, is a MoveCommand joined to it.
class ResizeCommand final : public UndoCommand {
  public:
    ResizeCommand(int32_t otherWidth, int32_t otherHeight)
        : UndoCommand(UndoKind::Resized), width_(otherWidth), height_(otherHeight) {}
    void Undo(Paper& paper) override { Swap(paper); }
    void Redo(Paper& paper) override { Swap(paper); }

  private:
    void Swap(Paper& paper);
    int32_t width_;
    int32_t height_;
};
