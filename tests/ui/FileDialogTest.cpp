#include "DialogTestFixture.h"

#include "ui/FileDialog.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FileDialogTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        folder = fs::temp_directory_path() /
                 ("tessellon-filedialog-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "drawings");
        fs::create_directories(folder / "exports");
        fs::create_directories(folder / ".hidden folder");
        Touch("shed.tsln", 2000);
        Touch("house 10.tsln", 10);
        Touch("house 9.tsln", 10);
        Touch("notes.txt", 10);
        Touch("Barn.TSLN", 5000);
        Touch(".secret.tsln", 10);
        Touch("drawings/inner.tsln", 10);
    }
    void TearDown() override {
        fs::remove_all(folder);
        DialogTest::TearDown();
    }
    void Touch(const std::string& name, size_t bytes) {
        std::ofstream(folder / name) << std::string(bytes, 'x');
    }
    std::string Path(const std::string& name) const { return (folder / name).string(); }

    static std::vector<std::string> Listed(const Dialog& dialog) {
        std::vector<std::string> names;
        for (const DialogListItem& item : dialog.ControlAs<DialogListView>(kFileListId)->Items()) {
            names.push_back(item.text);
        }
        return names;
    }
    static int RowOf(const Dialog& dialog, const std::string& name) {
        const std::vector<std::string> names = Listed(dialog);
        for (size_t row = 0; row < names.size(); ++row) {
            if (names[row] == name) {
                return static_cast<int>(row);
            }
        }
        ADD_FAILURE() << name << " is not listed";
        return 0;
    }
    static void PushClickOnRow(const Dialog& dialog, const std::string& name, int clicks = 1) {
        const SDL_Rect row =
            dialog.ControlAs<DialogListView>(kFileListId)->RowRect(RowOf(dialog, name));
        PushClick(row.x + 30, row.y + row.h / 2, clicks);
    }
    static bool IsFileDialog(const Dialog& dialog) {
        return dialog.ControlAs<DialogListView>(kFileListId) != nullptr;
    }
    // Runs the scripts on passes 1, 2, ... of the file dialog captioned
    // `caption` (not of the messages it shows, which share its caption). Input
    // meant for after a nested dialog must come from a later pass: what is
    // queued when a nested dialog opens goes to that dialog.
    static void Script(const std::string& caption,
                       std::vector<std::function<void(Dialog&)>> scripts) {
        editor->ui.dialogPassHook = [caption, scripts](Dialog& dialog) {
            if (IsFileDialog(dialog) && dialog.Caption() == caption &&
                dialog.Passes() <= static_cast<int>(scripts.size())) {
                scripts[static_cast<size_t>(dialog.Passes() - 1)](dialog);
            }
        };
    }

    fs::path folder;
};

} // namespace

TEST_F(FileDialogTest, ListsFoldersFirstInNaturalOrderAndFiltersFilesByType) {
    std::vector<std::string> tessellonFiles;
    std::vector<std::string> allFiles;
    bool singleTypeHasNoList = false;
    OnDialogOpened([&](Dialog& dialog) {
        tessellonFiles = Listed(dialog);
        singleTypeHasNoList = dialog.ControlAs<DialogDropDown>(kFileTypeListId) == nullptr &&
                              dialog.Text(kFileTypeLabelId) == "Tessellon Files";
        SaveShot(dialog, "open_initial");
    });
    std::vector<std::string> paths = {"old"};
    EXPECT_FALSE(ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, true,
                                    "Open Tessellon file"));
    EXPECT_EQ(paths, std::vector<std::string>{"old"}) << "cancel leaves the list alone";
    EXPECT_EQ(tessellonFiles,
              (std::vector<std::string>{"..", "drawings", "exports", "Barn.TSLN", "house 9.tsln",
                                        "house 10.tsln", "shed.tsln"}));
    EXPECT_TRUE(singleTypeHasNoList);

    const FileTypeFilters twoTypes = {{"All Files", "*"}, {"Tessellon Files", "*.tsln"}};
    Script("Open", {[&](Dialog& dialog) {
                        allFiles = Listed(dialog);
                        dialog.SetFocus(kFileTypeListId);
                        PushKey(SDLK_DOWN);
                    },
                    [&](Dialog& dialog) {
                        tessellonFiles = Listed(dialog);
                        SaveShot(dialog, "open_two_types");
                    }});
    EXPECT_FALSE(ShowOpenFileDialog(*editor, paths, folder.string(), twoTypes, false, ""));
    EXPECT_EQ(allFiles.size(), 8u);
    EXPECT_EQ(allFiles.back(), "shed.tsln");
    EXPECT_EQ(tessellonFiles.size(), 7u);

    // A typed wildcard filters the list, in the folder typed before it.
    std::vector<std::string> filtered;
    std::string shownFolder;
    Script("Open", {[](Dialog&) {
                        PushText("drawings/*.TSLN");
                        PushKey(SDLK_RETURN);
                    },
                    [&](Dialog& dialog) {
                        filtered = Listed(dialog);
                        shownFolder = dialog.Text(kFileFolderEditId);
                    }});
    EXPECT_FALSE(ShowOpenFileDialog(*editor, paths, folder.string(), twoTypes, false, ""));
    EXPECT_EQ(filtered, (std::vector<std::string>{"..", "inner.tsln"}));
    EXPECT_EQ(shownFolder, Path("drawings"));
}

TEST_F(FileDialogTest, OpenReturnsOneFileTypedOrDoubleClicked) {
    std::vector<std::string> paths = {"old"};
    OnDialogOpened([](Dialog&) {
        PushText("shed.tsln");
        PushKey(SDLK_RETURN);
    });
    ASSERT_TRUE(
        ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, false, "Open"));
    EXPECT_EQ(paths, std::vector<std::string>{Path("shed.tsln")});

    OnDialogOpened([](Dialog& dialog) { PushClickOnRow(dialog, "house 9.tsln", 2); });
    ASSERT_TRUE(
        ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, false, "Open"));
    EXPECT_EQ(paths, std::vector<std::string>{Path("house 9.tsln")});

    // A full path typed in the name field works from any folder.
    OnDialogOpened([&](Dialog&) {
        PushText(Path("drawings/inner.tsln"));
        PushKey(SDLK_RETURN);
    });
    ASSERT_TRUE(ShowOpenFileDialog(*editor, paths, "/", documentFileTypes, false, "Open"));
    EXPECT_EQ(paths, std::vector<std::string>{Path("drawings/inner.tsln")});

    // A name that does not exist is answered with a message; the dialog stays.
    std::string message;
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        if (dialog.Passes() != 1) {
            return;
        }
        if (IsFileDialog(dialog)) {
            PushText("missing.tsln");
            PushKey(SDLK_RETURN);
            PushKey(SDLK_ESCAPE);
        } else {
            message = dialog.Caption();
            SaveShot(dialog, "open_not_found");
            PushKey(SDLK_RETURN);
        }
    };
    EXPECT_FALSE(
        ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, false, "Open"));
    EXPECT_EQ(message, "Open");
}

TEST_F(FileDialogTest, OpenReturnsManyFilesChosenTogether) {
    std::string nameField;
    Script("Open", {[](Dialog& dialog) {
                        PushClickOnRow(dialog, "Barn.TSLN");
                        PushKeyDown(SDLK_LCTRL, KMOD_LCTRL);
                        PushClickOnRow(dialog, "shed.tsln");
                        PushKeyUp(SDLK_LCTRL);
                    },
                    [&](Dialog& dialog) {
                        nameField = dialog.Text(kFileNameEditId);
                        SaveShot(dialog, "open_many");
                        PushKey(SDLK_RETURN);
                    }});
    std::vector<std::string> paths;
    ASSERT_TRUE(
        ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, true, "Open"));
    EXPECT_EQ(nameField, "\"Barn.TSLN\" \"shed.tsln\"");
    EXPECT_EQ(paths, (std::vector<std::string>{Path("Barn.TSLN"), Path("shed.tsln")}));

    OnDialogOpened([](Dialog&) {
        PushText("\"house 10.tsln\" \"house 9.tsln\"");
        PushKey(SDLK_RETURN);
    });
    ASSERT_TRUE(
        ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, true, "Open"));
    EXPECT_EQ(paths, (std::vector<std::string>{Path("house 10.tsln"), Path("house 9.tsln")}));

    // Without multiple selection Ctrl+click still chooses one file.
    Script("Open", {[](Dialog& dialog) {
               PushClickOnRow(dialog, "Barn.TSLN");
               PushKeyDown(SDLK_LCTRL, KMOD_LCTRL);
               PushClickOnRow(dialog, "shed.tsln");
               PushKeyUp(SDLK_LCTRL);
               PushKey(SDLK_RETURN);
           }});
    ASSERT_TRUE(
        ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, false, "Open"));
    EXPECT_EQ(paths, std::vector<std::string>{Path("shed.tsln")});
}

TEST_F(FileDialogTest, NavigatesIntoFoldersAndBackUp) {
    std::vector<std::string> shown;
    auto folderShown = [&](Dialog& dialog) { shown.push_back(dialog.Text(kFileFolderEditId)); };
    Script("Open", {[&](Dialog& dialog) {
                        folderShown(dialog);
                        PushClickOnRow(dialog, "drawings", 2);
                    },
                    [&](Dialog& dialog) {
                        folderShown(dialog);
                        EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"..", "inner.tsln"}));
                        PushClickOn(dialog, kFileUpButtonId);
                    },
                    [&](Dialog& dialog) {
                        folderShown(dialog);
                        dialog.SetFocus(kFileNameEditId); // the click left it on Up
                        PushText("exports/");
                        PushKey(SDLK_RETURN);
                    },
                    [&](Dialog& dialog) {
                        folderShown(dialog);
                        EXPECT_EQ(dialog.Text(kFileNameEditId), "")
                            << "the typed folder was used up";
                        // Enter on ".." in the list goes up.
                        dialog.SetFocus(kFileListId);
                        PushKey(SDLK_HOME);
                        PushKey(SDLK_RETURN);
                    },
                    [&](Dialog& dialog) {
                        folderShown(dialog);
                        // A path typed into the folder field.
                        dialog.SetFocus(kFileFolderEditId);
                        PushText(Path("drawings"));
                        PushKey(SDLK_RETURN);
                    },
                    [&](Dialog& dialog) {
                        folderShown(dialog);
                        PushKey(SDLK_a, KMOD_LCTRL);
                        PushText("/no/such/folder");
                        PushKey(SDLK_RETURN); // a message; Enter dismisses it
                        PushKey(SDLK_RETURN);
                    },
                    [&](Dialog& dialog) { folderShown(dialog); }});
    std::vector<std::string> paths;
    EXPECT_FALSE(
        ShowOpenFileDialog(*editor, paths, folder.string(), documentFileTypes, false, "Open"));
    EXPECT_EQ(shown, (std::vector<std::string>{folder.string(), Path("drawings"), folder.string(),
                                               Path("exports"), folder.string(), Path("drawings"),
                                               "/no/such/folder"}))
        << "a path that does not exist stays in the field to be corrected";
}

TEST_F(FileDialogTest, SaveAddsTheTypesExtensionOnlyToNamesWithoutADot) {
    auto save = [&](const std::string& typed, const std::string& start) {
        OnDialogOpened([typed](Dialog& dialog) {
            if (dialog.Caption() == "Save Tessellon file") {
                PushKey(SDLK_a, KMOD_LCTRL);
                PushText(typed);
                PushKey(SDLK_RETURN);
            }
        });
        std::string path;
        if (!ShowSaveFileDialog(*editor, path, start, documentFileTypes, "Save Tessellon file")) {
            return std::string("cancelled");
        }
        return path;
    };
    EXPECT_EQ(save("plan", folder.string()), Path("plan.tsln"));
    EXPECT_EQ(save("plan.old", folder.string()), Path("plan.old"));
    EXPECT_EQ(save("drawings/plan", folder.string()), Path("drawings/plan.tsln"));
    // A dot in a folder's name does not count as the file's extension.
    fs::create_directories(folder / "v1.2");
    EXPECT_EQ(save("plan", Path("v1.2")), Path("v1.2/plan.tsln"));
    // The folder of a typed path must exist.
    EXPECT_EQ(save("nowhere/plan", folder.string()), "cancelled");
}

TEST_F(FileDialogTest, SaveStartsInTheSuggestedFilesFolderWithItsName) {
    std::string nameField;
    std::string folderField;
    Script("Save", {[&](Dialog& dialog) {
               nameField = dialog.Text(kFileNameEditId);
               folderField = dialog.Text(kFileFolderEditId);
               SaveShot(dialog, "save_suggested");
               PushKey(SDLK_RETURN);
           }});
    std::string path = Path("drawings/inner.tsln");
    // It exists, so the question comes; closing the queue answers No.
    EXPECT_FALSE(ShowSaveFileDialog(*editor, path, folder.string(), pngFileTypes, "Save"));
    EXPECT_EQ(path, Path("drawings/inner.tsln"));
    EXPECT_EQ(nameField, "inner.tsln");
    EXPECT_EQ(folderField, Path("drawings"));
}

TEST_F(FileDialogTest, ANameTypedOverTheSuggestedOneReplacesIt) {
    Script("Save", {[](Dialog&) {
               PushText("other");
               PushKey(SDLK_RETURN);
           }});
    std::string path = Path("drawings/inner.tsln");
    ASSERT_TRUE(ShowSaveFileDialog(*editor, path, folder.string(), documentFileTypes, "Save"));
    EXPECT_EQ(path, Path("drawings/other.tsln"));
}

TEST_F(FileDialogTest, ReplacingAFileNeedsAYesAndNoKeepsTheDialogOpen) {
    std::vector<std::string> questions;
    const std::vector<std::string> answers = {"n", "y"};
    std::vector<std::string> nameAfterNo;
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        if (dialog.Caption() == "Confirm Save As" && dialog.Passes() == 1) {
            questions.push_back(dialog.Text(kIdNone));
            if (questions.size() == 1) {
                SaveShot(dialog, "save_overwrite_question");
            }
            PushText(answers[questions.size() - 1]);
        } else if (IsFileDialog(dialog) && dialog.Passes() == 1) {
            // "shed" becomes shed.tsln before the check, so the question is about it.
            PushText("shed");
            PushKey(SDLK_RETURN);
        } else if (IsFileDialog(dialog) && dialog.Passes() == 2) {
            nameAfterNo.push_back(dialog.Text(kFileNameEditId));
            PushKey(SDLK_RETURN); // the same name again, now answered Yes
        }
    };
    std::string path;
    ASSERT_TRUE(ShowSaveFileDialog(*editor, path, folder.string(), documentFileTypes, "Save"));
    EXPECT_EQ(path, Path("shed.tsln"));
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0], "shed.tsln already exists.\nDo you want to replace it?");
    EXPECT_EQ(nameAfterNo, std::vector<std::string>{"shed"}) << "No keeps the dialog as it was";
}

TEST_F(FileDialogTest, FolderBrowserReturnsTheShownOrChosenFolder) {
    const std::string title = "Choose Folder to Save Images To...";
    std::vector<std::string> listed;
    Script("Browse For Folder", {[&](Dialog& dialog) {
               listed = Listed(dialog);
               SaveShot(dialog, "browse_folder");
               PushKey(SDLK_RETURN);
           }});
    std::string chosen;
    ASSERT_TRUE(BrowseForFolder(*editor, title, folder.string(), chosen));
    EXPECT_EQ(chosen, folder.string()) << "nothing chosen in the list: the folder shown";
    EXPECT_EQ(listed, (std::vector<std::string>{"..", "drawings", "exports"}));

    Script("Browse For Folder", {[](Dialog& dialog) {
               PushClickOnRow(dialog, "exports");
               PushClickOn(dialog, kIdOk);
           }});
    ASSERT_TRUE(BrowseForFolder(*editor, title, folder.string(), chosen));
    EXPECT_EQ(chosen, Path("exports"));

    // A folder made in the dialog is chosen right away.
    editor->ui.dialogPassHook = [](Dialog& dialog) {
        if (dialog.Caption() == "New Folder" && dialog.Passes() == 1) {
            PushText("fresh");
            PushKey(SDLK_RETURN);
        } else if (IsFileDialog(dialog) && dialog.Passes() == 1) {
            PushKey(SDLK_m, KMOD_LALT);
        } else if (IsFileDialog(dialog) && dialog.Passes() == 2) {
            SaveShot(dialog, "browse_folder_made");
            PushClickOn(dialog, kIdOk);
        }
    };
    ASSERT_TRUE(BrowseForFolder(*editor, title, folder.string(), chosen));
    EXPECT_EQ(chosen, Path("fresh"));
    EXPECT_TRUE(fs::is_directory(folder / "fresh"));
}

TEST_F(FileDialogTest, AHugeFolderStaysUsable) {
    constexpr int kFiles = 100000;
    const fs::path huge = folder / "huge";
    fs::create_directories(huge);
    for (int i = 0; i < kFiles; ++i) {
        std::ofstream(huge / ("file " + std::to_string(i) + ".tsln"));
    }
    std::vector<std::string> lastNames;
    double slowestPassMs = 0;
    auto startOfPass = std::chrono::steady_clock::now();
    editor->ui.dialogPassHook = [&](Dialog& dialog) {
        const auto now = std::chrono::steady_clock::now();
        if (dialog.Passes() > 2) {
            slowestPassMs =
                std::max(slowestPassMs,
                         std::chrono::duration<double, std::milli>(now - startOfPass).count());
        }
        startOfPass = now;
        if (dialog.Passes() == 1) {
            dialog.SetFocus(kFileListId);
            PushKey(SDLK_END);
        } else if (dialog.Passes() == 5) {
            lastNames = {dialog.Text(kFileNameEditId)};
            SaveShot(dialog, "open_huge_folder");
            PushKey(SDLK_RETURN);
        } else if (dialog.Passes() < 5) {
            PushKey(SDLK_UP);
        }
    };
    std::vector<std::string> paths;
    ASSERT_TRUE(
        ShowOpenFileDialog(*editor, paths, huge.string(), documentFileTypes, false, "Open"));
    EXPECT_EQ(lastNames, std::vector<std::string>{"file 99996.tsln"});
    EXPECT_EQ(paths, std::vector<std::string>{(huge / "file 99996.tsln").string()});
    EXPECT_LT(slowestPassMs, kFramePeriodMs) << "a pass over a huge folder fits in a frame";
}
