#include "document/Paper.h"
#include "document/PaperTestSupport.h"

#include "support/VRX_Buffer.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<PaperObject> Add(Paper& paper, const ObjectRecord& record,
                                 bool keepAttributes = false) {
    EXPECT_TRUE(keepAttributes
                    ? paper.CreateAndAddObject(record)
                    : paper.CreateAndAddObject(record, OnLayer{editor->session.currentLayer}));
    return paper.objects.back();
}

void Select(Paper& paper, const std::shared_ptr<PaperObject>& object) {
    paper.selection.emplace(object->id, object);
}

std::vector<int32_t> Ids(const Paper& paper) {
    std::vector<int32_t> ids;
    for (const auto& object : paper.objects) {
        ids.push_back(object->id);
    }
    return ids;
}

} // namespace

TEST(PaperTest, AddingGivesIdsAndUndoRecordsAndTheCurrentAttributes) {
    ResetEditor();
    Paper paper;
    editor->session.currentLayer = 5;
    auto first = Add(paper, LineRecord(ObjectKind::Line, 0, 0, 10, 10));
    EXPECT_EQ(first->id, 1);
    EXPECT_EQ(first->record.Layer(), 5);
    EXPECT_EQ(first->record.Color().a, 0) << "no drawing colour chosen";
    EXPECT_TRUE(paper.modified);
    ASSERT_EQ(paper.undoStack.size(), 1u);
    EXPECT_EQ(paper.undoStack[0]->kind, UndoKind::Added);
    EXPECT_EQ(static_cast<const AddCommand&>(*paper.undoStack[0]).ids, std::vector<int32_t>{1});

    paper.drawColor = {1, 2, 3, 255};
    auto second = Add(paper, LineRecord(ObjectKind::Rect, 0, 0, 10, 10));
    EXPECT_EQ(second->id, 2);
    EXPECT_EQ(second->record.Color().b, 3);

    ObjectRecord kept = LineRecord(ObjectKind::Line, 0, 0, 1, 1);
    kept.SetLayer(9);
    auto third = Add(paper, kept, true);
    EXPECT_EQ(third->record.Layer(), 9);
    EXPECT_EQ(third->record.Color().a, 0);

    // An object that already has an id keeps it and leaves no undo step.
    auto returning = CreateObjectFromRecord(&paper, kept);
    returning->id = 77;
    paper.AddObject(returning);
    EXPECT_EQ(returning->id, 77);
    EXPECT_EQ(paper.undoStack.size(), 3u);

    // Ids skip 0 when the counter wraps.
    paper.nextObjectId = -1;
    EXPECT_EQ(Add(paper, kept)->id, 1);

    ObjectRecord unknown;
    unknown.SetKind(12);
    EXPECT_FALSE(paper.CreateAndAddObject(unknown, OnLayer{editor->session.currentLayer}));
}

TEST(PaperTest, UndoingADeletionRestoresTheObjectsExactlyAsTheyWere) {
    ResetEditor();
    Paper paper;
    editor->session.currentLayer = 2;
    auto a = Add(paper, LineRecord(ObjectKind::Line, 0, 0, 10, 10));
    editor->session.currentLayer = 3;
    paper.drawColor = {200, 0, 0, 255};
    auto b = Add(paper, LineRecord(ObjectKind::Line, 5, 5, 10, 10));
    paper.drawColor = {0, 0, 0, 0};
    auto c = Add(paper, LineRecord(ObjectKind::Line, 7, 7, 10, 10));
    Select(paper, a);
    Select(paper, b);
    paper.modified = false;
    paper.DeleteSelected();
    EXPECT_EQ(Ids(paper), std::vector<int32_t>{3});
    EXPECT_TRUE(paper.selection.empty());
    EXPECT_TRUE(paper.modified);

    // Working elsewhere in between must not change what comes back.
    editor->session.currentLayer = 11;
    paper.drawColor = {0, 255, 0, 255};
    paper.Undo();
    EXPECT_EQ(Ids(paper), (std::vector<int32_t>{1, 2, 3})) << "same drawing order";
    EXPECT_EQ(a->record.Layer(), 2);
    EXPECT_EQ(b->record.Layer(), 3);
    EXPECT_EQ(a->record.Color().a, 0) << "still drawn in the palette colour";
    EXPECT_EQ(b->record.Color().r, 200);
    EXPECT_EQ(paper.undoStack.size(), 3u) << "no new Added records";

    // Deleting with nothing selected still spends one Undo.
    paper.DeleteSelected();
    EXPECT_EQ(paper.undoStack.size(), 4u);
    paper.Undo();
    EXPECT_EQ(Ids(paper), (std::vector<int32_t>{1, 2, 3}));
    paper.Undo();
    EXPECT_EQ(Ids(paper), (std::vector<int32_t>{1, 2}));
}

TEST(PaperTest, RectangleSelectionTakesOnlyTheCurrentLayer) {
    ResetEditor();
    Paper paper;
    editor->session.currentLayer = 0;
    auto onZero = Add(paper, LineRecord(ObjectKind::Line, 0, 0, 100, 0));
    editor->session.currentLayer = 1;
    auto onOne = Add(paper, LineRecord(ObjectKind::Line, 0, 10, 100, 10));
    auto missed = Add(paper, LineRecord(ObjectKind::Line, 0, 500, 100, 500));
    paper.hiddenLayers[1] = 1;
    EXPECT_TRUE(paper.SelectInRect({40, -5, 20, 30}, editor->session.currentLayer));
    ASSERT_EQ(paper.selection.size(), 1u);
    EXPECT_EQ(paper.selection.begin()->first, onOne->id) << "hidden layers stay selectable";
    editor->session.currentLayer = 7;
    EXPECT_FALSE(paper.SelectInRect({40, -5, 20, 30}, editor->session.currentLayer));
    EXPECT_TRUE(paper.selection.empty());
    (void)onZero;
    (void)missed;

    Select(paper, onOne);
    EXPECT_TRUE(paper.IsOverSelection(50, 14));
    EXPECT_TRUE(paper.IsOverSelection(50, 5));
    EXPECT_FALSE(paper.IsOverSelection(50, 16));
    EXPECT_FALSE(paper.IsOverSelection(50, 0)) << "only selected objects count";
}

TEST(PaperTest, MovingAndUndoingMoves) {
    ResetEditor();
    Paper paper;
    auto rect = Add(paper, LineRecord(ObjectKind::Rect, 10, 10, 50, 50));
    auto circle = Add(paper, CircleRecord(100, 100, 20));
    paper.modified = false;
    const size_t steps = paper.undoStack.size();
    paper.MoveObjects(24, 0, true);
    EXPECT_EQ(paper.undoStack.size(), steps) << "an empty selection moves nothing";
    EXPECT_FALSE(paper.modified);

    Select(paper, rect);
    paper.MoveObjects(24, 0, true);
    EXPECT_EQ(rect->record.X1(), 34);
    EXPECT_EQ(rect->record.X2(), 74);
    EXPECT_EQ(circle->record.X1(), 100);
    EXPECT_TRUE(paper.modified);
    paper.MoveObjects(-3, 7, false);
    EXPECT_EQ(circle->record.Y1(), 107);
    EXPECT_EQ(static_cast<const MoveCommand&>(*paper.undoStack.back()).ids,
              (std::vector<int32_t>{1, 2}));

    paper.Undo();
    paper.Undo();
    EXPECT_EQ(rect->record.X1(), 10);
    EXPECT_EQ(rect->record.X2(), 50);
    EXPECT_EQ(circle->record.Y1(), 100);

    // Undoing an addition also drops the object from the selection.
    paper.Undo();
    EXPECT_EQ(Ids(paper), std::vector<int32_t>{1});
    Select(paper, rect);
    paper.Undo();
    EXPECT_TRUE(paper.objects.empty());
    EXPECT_TRUE(paper.selection.empty());
    paper.Undo(); // nothing left: nothing happens
}

TEST(PaperTest, AnAppliedEditIsOneUndoStep) {
    ResetEditor();
    Paper paper;
    auto line = Add(paper, LineRecord(ObjectKind::Line, 10, 10, 50, 50));
    const size_t steps = paper.undoStack.size();
    ObjectRecord edited = line->record;
    edited.SetX1(999);
    paper.modified = false;
    ASSERT_TRUE(paper.ApplyEdit(*line, edited));
    EXPECT_EQ(line->record.X1(), 999);
    EXPECT_TRUE(paper.modified);
    ASSERT_EQ(paper.undoStack.size(), steps + 1);
    EXPECT_EQ(paper.undoStack.back()->kind, UndoKind::Edited);
    paper.Undo();
    EXPECT_EQ(line->record.X1(), 10);
    EXPECT_EQ(line->id, 1);
}

TEST(PaperTest, SizesOutsideTheDrawingRangeAreRefusedAndResizesUndo) {
    Paper paper;
    EXPECT_FALSE(paper.SetSize(0, 100));
    EXPECT_FALSE(paper.SetSize(100, -1));
    EXPECT_FALSE(paper.SetSize(kMaxPaperPixels + 1, 100));
    EXPECT_EQ(paper.width, kDefaultPaperWidth) << "a refused size changes nothing";

    ASSERT_TRUE(paper.SetSize(kMaxPaperPixels, kMaxPaperPixels));
    EXPECT_EQ(paper.blockWidth, 24);

    paper.modified = false;
    EXPECT_FALSE(paper.Resize(kMaxPaperPixels + 1, 10, false));
    EXPECT_FALSE(paper.Resize(10, 0, false));
    EXPECT_TRUE(paper.undoStack.empty());
    EXPECT_FALSE(paper.modified);

    ASSERT_TRUE(paper.Resize(500, 400, false));
    EXPECT_EQ(paper.width, 500);
    EXPECT_TRUE(paper.modified);
    ASSERT_EQ(paper.undoStack.size(), 1u);
    paper.Undo();
    EXPECT_EQ(paper.width, kMaxPaperPixels);
    EXPECT_EQ(paper.height, kMaxPaperPixels);
    EXPECT_TRUE(paper.undoStack.empty()) << "undoing a resize pushes nothing";
}

TEST(PaperTest, EveryUndoneCommandCanBeDoneAgainToTheSameDocument) {
    Paper paper;
    FixedTextMeasurer measurer;
    paper.SetTextMeasurer(&measurer);
    ASSERT_TRUE(paper.SetSize(480, 480));
    const auto bytes = [&paper] {
        VRX_Buffer buffer;
        EXPECT_TRUE(paper.Serialize(buffer, false));
        return std::vector<uint8_t>(buffer.data, buffer.data + buffer.length);
    };
    // One document state after each user command.
    std::vector<std::vector<uint8_t>> states = {bytes()};
    const auto a = Add(paper, LineRecord(ObjectKind::Line, 10, 10, 90, 40));
    states.push_back(bytes());
    const auto b = Add(paper, CircleRecord(200, 200, 30, 5, 15));
    states.push_back(bytes());
    Add(paper, TextRecord(50, 300, "Shed door", 30));
    states.push_back(bytes());
    Select(paper, a);
    Select(paper, b);
    paper.MoveObjects(24, -5, true);
    states.push_back(bytes());
    paper.ChangeSelected([](ObjectRecord& record) { record.SetLayer(7); });
    states.push_back(bytes());
    paper.ChangeSelected([](ObjectRecord& record) { record.SetColor({9, 8, 7, 255}); });
    states.push_back(bytes());
    paper.selection.erase(b->id);
    paper.DeleteSelected();
    states.push_back(bytes());
    ASSERT_TRUE(paper.Resize(600, 520, false));
    paper.MoveAllWithLastStep(60, 20);
    states.push_back(bytes());

    // Undo back to the empty paper, one command at a time, keeping what was
    // undone the way a redo list would.
    std::vector<std::vector<std::unique_ptr<UndoCommand>>> undone;
    for (size_t state = states.size() - 1; state > 0; --state) {
        std::vector<std::unique_ptr<UndoCommand>> steps;
        bool earlierStepToo = true;
        while (earlierStepToo) {
            steps.push_back(std::move(paper.undoStack.back()));
            paper.undoStack.pop_back();
            steps.back()->Undo(paper);
            earlierStepToo = steps.back()->withPrevious;
        }
        EXPECT_TRUE(bytes() == states[state - 1]) << "after undoing to state " << state - 1;
        undone.push_back(std::move(steps));
    }
    EXPECT_TRUE(paper.undoStack.empty());
    for (size_t state = 1; state < states.size(); ++state) {
        std::vector<std::unique_ptr<UndoCommand>>& steps = undone.back();
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            (*step)->Redo(paper);
        }
        EXPECT_TRUE(bytes() == states[state]) << "after redoing to state " << state;
        undone.pop_back();
    }
}
