#include "app/MenuTestSupport.h"

#include "app/MenuBar.h"
#include "support/VRX_Paths.h"
#include "ui/FileDialog.h"

int MenuTest::saveAnswer = -1;
std::vector<std::string> MenuTest::questions;

namespace {

int AnswerSaveQuestion(const SDL_MessageBoxData* data, int* buttonId) {
    MenuTest::questions.push_back(std::string(data->title) + ": " + data->message);
    *buttonId = MenuTest::saveAnswer;
    return 0;
}

} // namespace

void MenuTest::SetUp() {
    ASSERT_TRUE(app.Start());
    // A dialog left without input ends as if closed, so no test can hang.
    editor->ui.dialogCloseWhenIdle = true;
    saveAnswer = -1;
    questions.clear();
    editor->ui.showMessageBox = AnswerSaveQuestion;
    ASSERT_TRUE(app.RunPasses(1));
}

void MenuTest::TearDown() {
    editor->ui.dialogPassHook = nullptr;
}

MENU_ITEM* MenuTest::Item(const std::string& menu, const std::string& item,
                          const std::string& header) {
    MENU* found = FindMenu(menu);
    if (found == nullptr) {
        ADD_FAILURE() << "no menu " << menu;
        return nullptr;
    }
    bool afterHeader = header.empty();
    for (const auto& entry : found->items) {
        if (entry->kind == kMenuItemHeader && entry->caption == header) {
            afterHeader = true;
        }
        if (afterHeader && entry->caption == item) {
            return entry.get();
        }
    }
    ADD_FAILURE() << "no item " << item << " in " << menu;
    return nullptr;
}

SDL_Point MenuTest::Centre(const SDL_Rect& rect) {
    return {rect.x + rect.w / 2, rect.y + rect.h / 2};
}

void MenuTest::ReleaseAt(SDL_Point point) {
    app.Click(point.x, point.y);
    ASSERT_TRUE(app.RunPasses(1));
}

void MenuTest::Choose(const std::string& menu, const std::string& item, const std::string& header) {
    MENU* found = FindMenu(menu);
    ASSERT_NE(found, nullptr) << menu;
    ASSERT_EQ(editor->ui.openMenu, nullptr) << "a release on a title closes an open menu";
    ReleaseAt(Centre(found->titleRect));
    ASSERT_EQ(editor->ui.openMenu, found);
    MENU_ITEM* target = Item(menu, item, header);
    ASSERT_NE(target, nullptr);
    ReleaseAt(Centre(target->rect));
}

void MenuTest::OnDialog(std::function<void(Dialog&)> script) {
    editor->ui.dialogPassHook = [script = std::move(script)](Dialog& dialog) {
        if (dialog.Passes() == 1) {
            script(dialog);
        }
    };
}

std::string MenuTest::NewPaper(const std::string& answer) {
    std::string offered;
    OnDialog([&](Dialog& dialog) {
        if (dialog.Caption() != "Enter Size") {
            return;
        }
        offered = dialog.Text(1002);
        if (!answer.empty()) {
            // The offered text starts selected, so typing replaces it.
            app.TypeText(answer);
            app.PressKey(SDLK_RETURN);
        }
    });
    Choose("File", "New...");
    editor->ui.dialogPassHook = nullptr;
    return offered;
}

void MenuTest::AnswerFileDialog(const std::string& path) {
    OnDialog([this, path](Dialog& dialog) {
        if (dialog.ControlAs<DialogListView>(kFileListId) != nullptr) {
            dialog.SetFocus(kFileNameEditId);
            app.PressKey(SDLK_a, KMOD_LCTRL); // over any suggested name
            app.TypeText(path);
            app.PressKey(SDLK_RETURN);
        } else if (dialog.Caption() == "Confirm Save As") {
            app.TypeText("y");
        }
    });
}

std::string MenuTest::Documents() const {
    return GetDocumentsFolder(kProductName);
}

std::vector<std::string> MenuTest::WindowsEntries() const {
    std::vector<std::string> entries;
    bool afterSeparator = false;
    for (const auto& item : editor->ui.windowsMenu->items) {
        if (afterSeparator) {
            entries.push_back(item->caption + (item->check(item->value) ? " *" : ""));
        }
        afterSeparator = afterSeparator || item->kind == kMenuItemSeparator;
    }
    return entries;
}
