#include "tools/ToolTestSupport.h"

#include "app/EditCommands.h"
#include "app/StatusNotice.h"
#include "document/PaperFile.h"

#include <SDL2/SDL_clipboard.h>

namespace {

class EditCommandsTest : public ProgramWithPaper {
  protected:
    // A rectangle drawn with the tool, by clicks, between two paper points.
    void DrawRect(SDL_Point from, SDL_Point to) {
        ClickEntry("rect");
        ClickPaper(from.x, from.y);
        ClickPaper(to.x, to.y);
        Run();
    }
    void Ctrl(SDL_Keycode key, uint16_t more = 0) {
        app.PressKey(key, static_cast<uint16_t>(KMOD_LCTRL | more));
        Run();
    }
    std::string Notice() const { return CurrentStatusNotice(editor->ui.statusNoticeExpiry - 1); }
};

} // namespace

TEST_F(EditCommandsTest, RedoTakesBackUndosUntilTheNextChange) {
    DrawRect({48, 48}, {96, 96});
    DrawRect({144, 48}, {192, 96});
    DrawRect({240, 48}, {288, 120});
    ASSERT_EQ(paper->objects.size(), 3u);
    const std::string drawn = PaperFileBytes(*paper);

    Ctrl(SDLK_z);
    Ctrl(SDLK_z);
    EXPECT_EQ(paper->objects.size(), 1u);
    Ctrl(SDLK_z, KMOD_LSHIFT);
    Ctrl(SDLK_z, KMOD_LSHIFT);
    EXPECT_EQ(PaperFileBytes(*paper), drawn) << "the same document, byte for byte";
    Ctrl(SDLK_z, KMOD_LSHIFT);
    EXPECT_EQ(PaperFileBytes(*paper), drawn) << "nothing more to redo";

    // A change after an Undo forgets what could be redone.
    Ctrl(SDLK_z);
    DrawRect({48, 192}, {96, 240});
    EXPECT_TRUE(paper->redoStack.empty());
    Ctrl(SDLK_z, KMOD_LSHIFT);
    EXPECT_EQ(paper->objects.size(), 3u);

    // A resize with its shift is one step back and one step forth.
    paper->selection.clear();
    ASSERT_TRUE(paper->Resize(paper->width + 48, paper->height, false));
    paper->MoveObjects(48, 0, /*selectedOnly=*/false);
    paper->undoStack.back()->withPrevious = true;
    const std::string resized = PaperFileBytes(*paper);
    Ctrl(SDLK_z);
    EXPECT_NE(PaperFileBytes(*paper), resized);
    Ctrl(SDLK_z, KMOD_LSHIFT);
    EXPECT_EQ(PaperFileBytes(*paper), resized);
}

TEST_F(EditCommandsTest, CopiedObjectsPasteOntoAnotherPaperAtThePointerAsOneStep) {
    DrawRect({48, 48}, {96, 96});
    DrawRect({144, 48}, {192, 72});
    paper->objects[1]->record.SetColor({10, 20, 30, 255});
    Ctrl(SDLK_a);
    ASSERT_EQ(paper->selection.size(), 2u);
    Ctrl(SDLK_c);
    EXPECT_EQ(Notice(), "Copied 2 objects.");

    OpenTestPaper other;
    editor->session.currentLayer = 4;
    MovePaper(240, 240);
    Ctrl(SDLK_v);
    ASSERT_EQ(other.paper.objects.size(), 2u);
    const ObjectRecord& first = other.paper.objects[0]->record;
    const ObjectRecord& second = other.paper.objects[1]->record;
    EXPECT_EQ(first.Kind(), static_cast<uint32_t>(ObjectKind::Rect));
    EXPECT_EQ((SDL_Point{first.X1(), first.Y1()}), (SDL_Point{240, 240})) << "at the pointer";
    EXPECT_EQ(second.X2() - second.X1(), 48);
    EXPECT_EQ(second.Color().r, 10);
    EXPECT_EQ(first.Layer(), 4);
    EXPECT_EQ(other.paper.selection.size(), 2u) << "the pasted objects are the selection";
    Ctrl(SDLK_z);
    EXPECT_TRUE(other.paper.objects.empty()) << "one Undo takes the whole paste back";

    // Text that is no drawing leaves the paper and its undo list alone.
    const size_t steps = other.paper.undoStack.size();
    for (const char* text : {"plain words", "[{\"kind\": 1, \"x1\": ",
                             "[{\"kind\": 1, \"x1\": "
                             "1000000000000, \"y1\": 0, "
                             "\"x2\": 1, \"y2\": 1}]"}) {
        SDL_SetClipboardText(text);
        Ctrl(SDLK_v);
        EXPECT_TRUE(other.paper.objects.empty()) << text;
        EXPECT_EQ(other.paper.undoStack.size(), steps) << text;
        EXPECT_FALSE(Notice().empty()) << text;
    }

    // 100,000 objects: as many as one paste takes come in, as one step.
    std::string many = "[";
    for (int n = 0; n < 100000; ++n) {
        many += std::string(n > 0 ? "," : "") + "{\"kind\": 0, \"x1\": " + std::to_string(n % 500) +
                ", \"y1\": 5, \"x2\": 10, \"y2\": 20}";
    }
    SDL_SetClipboardText((many + "]").c_str());
    Ctrl(SDLK_v);
    EXPECT_EQ(Notice(), "Pasted 10,000 of 100,000 objects; that is the most one paste takes.");
    EXPECT_EQ(other.paper.objects.size(), 10000u);
    EXPECT_EQ(other.paper.undoStack.size(), steps + 1);
    Ctrl(SDLK_z);
    EXPECT_TRUE(other.paper.objects.empty());

    // Duplicate leaves the clipboard alone; Cut empties the selection in one step.
    editor->session.activePaper = paper;
    SDL_SetClipboardText("kept");
    Ctrl(SDLK_d);
    EXPECT_EQ(paper->objects.size(), 4u);
    char* clipboard = SDL_GetClipboardText();
    EXPECT_STREQ(clipboard, "kept");
    SDL_free(clipboard);
    Ctrl(SDLK_x);
    EXPECT_EQ(paper->objects.size(), 2u);
    Ctrl(SDLK_z);
    EXPECT_EQ(paper->objects.size(), 4u);
}

TEST_F(EditCommandsTest, MovingToALayerSaysWhereTheObjectsWent) {
    DrawRect({48, 48}, {96, 96});
    Ctrl(SDLK_a);
    Ctrl(SDLK_t);
    EXPECT_EQ(paper->objects[0]->record.Layer(), 10);
    EXPECT_EQ(Notice(), "Moved 1 object to layer 11.");
}
