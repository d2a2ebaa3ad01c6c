#include "ui/EditText.h"
#include "support/Utf8Text.h"

#include <gtest/gtest.h>

TEST(EditTextTest, CutsAndStepsOnlyAtCharacterBoundaries) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC"; // a, e-acute, euro sign
    EXPECT_EQ(Utf8FitBytes(text, 2), 1u);
    EXPECT_EQ(Utf8FitBytes(text, 3), 3u);
    EXPECT_EQ(Utf8FitBytes(text, 5), 3u);
    EXPECT_EQ(Utf8Next(text, 1), 3u);
    EXPECT_EQ(Utf8Previous(text, 6), 3u);
    // Stray continuation bytes never make a step run away.
    const std::string broken(10, '\x80');
    EXPECT_LE(Utf8Previous(broken, 10), 9u);
    EXPECT_GE(Utf8Previous(broken, 10), 6u);

    EditText edit(4);
    edit.SetText(text);
    EXPECT_EQ(edit.Text(), "a\xC3\xA9") << "the limit never splits a character";
    edit.MoveCaret(2, false); // inside the e-acute: snapped to its start
    EXPECT_EQ(edit.Caret(), 1u);
    EXPECT_FALSE(edit.Insert("\xE2\x82\xAC")) << "three bytes do not fit in the one left";
    EXPECT_TRUE(edit.Insert("b"));
    EXPECT_EQ(edit.Text(), "ab\xC3\xA9");
}

TEST(EditTextTest, WordMovesAndWordSelection) {
    EditText edit(100);
    edit.SetText("draw  the plan.tsln");
    edit.MoveLeft(false, true);
    EXPECT_EQ(edit.Caret(), 15u) << "to the start of \"tsln\"";
    edit.MoveHome(false);
    edit.MoveRight(true, true);
    EXPECT_EQ(edit.SelectedText(), "draw  ");
    edit.SelectWordAt(12);
    EXPECT_EQ(edit.SelectedText(), "plan");
    edit.SelectWordAt(5);
    EXPECT_EQ(edit.SelectedText(), "  ");
}
