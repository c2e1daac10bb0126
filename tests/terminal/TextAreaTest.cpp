#include "framework/ui/terminal/TextArea.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wdx::terminal {
namespace {

using F = TFunctionKey;
using Lines = std::vector<std::string>;

// A key, and the lines and the caret (line, offset) after it, from "ab" / "cde" with the caret
// after "c".
struct Step {
  TKey Key;
  Lines Text;
  int Line;
  size_t Offset;
};

TEST(TextArea, KeysMoveAcrossLinesBreakAndJoinThem) {
  TTextArea area{1, 1};
  Lines lines = {"ab", "cde"};
  const Step steps[] = {
      {TKey::Named(F::Up), {"ab", "cde"}, 0, 1},
      {TKey::Named(F::End), {"ab", "cde"}, 0, 2},
      {TKey::Named(F::Right), {"ab", "cde"}, 1, 0},  // past the end: the next line's start
      {TKey::Named(F::Left), {"ab", "cde"}, 0, 2},
      {TKey::Named(F::Enter), {"ab", "", "cde"}, 1, 0},
      {TKey::Named(F::Backspace), {"ab", "cde"}, 0, 2},  // at a line's start: joins it
      {TKey::Named(F::Delete), {"abcde"}, 0, 2},         // at its end: joins the next
      {TKey::Character('x'), {"abxcde"}, 0, 3},
      {TKey::Named(F::PageDown), {"abxcde"}, 0, 3},  // no line below
  };
  for (const Step& step : steps) {
    bool changed = false;
    EXPECT_TRUE(area.Key(lines, step.Key, false, 5, changed));
    EXPECT_EQ(lines, step.Text);
    EXPECT_EQ(area.Line, step.Line);
    EXPECT_EQ(area.Offset, step.Offset);
  }
  // Read-only, nothing changes but the caret.
  bool changed = true;
  EXPECT_TRUE(area.Key(lines, TKey::Named(F::Enter), true, 5, changed));
  EXPECT_FALSE(changed);
  EXPECT_EQ(lines, Lines{"abxcde"});
  EXPECT_FALSE(area.Key(lines, TKey::Named(F::CtrlTab), false, 5, changed));
}

TEST(TextArea, TheViewFollowsTheCaret) {
  TTextArea area;
  const Lines lines = {"0", "1", "2", "3", "4 long line"};
  area.Line = 4;
  area.Offset = 11;
  area.Fit(lines, 2, 5);
  EXPECT_EQ(area.TopLine, 3);
  EXPECT_EQ(area.LeftCells, 7);  // the caret in the last of 5 cells
  area.Line = 0;
  area.Offset = 0;
  area.Fit(lines, 2, 5);
  EXPECT_EQ(area.TopLine, 0);
  EXPECT_EQ(area.LeftCells, 0);
}

}  // namespace
}  // namespace wdx::terminal
