#include "framework/ui/terminal/LineEdit.h"

#include <gtest/gtest.h>

#include <string>

namespace wdx::terminal {
namespace {

// Types into a field `width` characters wide as the dialog does: the key, then the redraw.
struct Field {
  std::string Text;
  TLineEdit Caret;
  size_t Width;

  void Press(const TKey& key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      Caret.Key(Text, key, false, [&](const std::string& text) { Text = text; });
      Caret.Fit(Text.size(), Width);
    }
  }
  std::string Shown() const { return Text.substr(Caret.Scroll, Width); }
};

TEST(LineEdit, TheFieldAlwaysShowsTheCaretAndAsMuchTextAsFits) {
  Field field{"WEBHOST", {7, 0}, 10};
  field.Press(TKey::Character('x'), 8);
  EXPECT_EQ(field.Shown(), "Txxxxxxxx");
  EXPECT_EQ(field.Caret.Cursor - field.Caret.Scroll, 9u);  // the cell after the text
  // Deleting back to the original text shows it whole again, the caret after it.
  field.Press(TKey::Named(TFunctionKey::Backspace), 8);
  EXPECT_EQ(field.Shown(), "WEBHOST");
  EXPECT_EQ(field.Caret.Scroll, 0u);
  EXPECT_EQ(field.Caret.Cursor, 7u);
  // Home and End scroll as far as the caret needs, and no further.
  field.Press(TKey::Character('y'), 10);
  field.Press(TKey::Named(TFunctionKey::Home));
  EXPECT_EQ(field.Shown(), "WEBHOSTyyy");
  field.Press(TKey::Named(TFunctionKey::End));
  EXPECT_EQ(field.Shown(), "yyyyyyyyy");
  // Deleting at the end from the middle pulls text back in from the left.
  field.Press(TKey::Named(TFunctionKey::Left), 3);
  field.Press(TKey::Named(TFunctionKey::Delete), 3);
  EXPECT_EQ(field.Shown(), "STyyyyyyy");
  EXPECT_LE(field.Caret.Scroll, field.Caret.Cursor);
}

TEST(LineEdit, KeysEditTheTextAtTheCaretUnlessReadOnly) {
  TLineEdit caret{2, 0};
  std::string text = "abcd";
  auto commit = [&](const std::string& changed) { text = changed; };
  EXPECT_TRUE(caret.Key(text, TKey::Character('X'), false, commit));
  EXPECT_EQ(text, "abXcd");
  EXPECT_TRUE(caret.Key(text, TKey::Named(TFunctionKey::Delete), false, commit));
  EXPECT_EQ(text, "abXd");
  EXPECT_TRUE(caret.Key(text, TKey::Character(127), false, commit));  // Backspace as DEL
  EXPECT_EQ(text, "abd");
  EXPECT_TRUE(caret.Key(text, TKey::Character('Z'), true, commit));
  EXPECT_EQ(text, "abd");
  EXPECT_FALSE(caret.Key(text, TKey::Named(TFunctionKey::Up), false, commit));
  EXPECT_FALSE(caret.Key(text, TKey::Character('\t'), false, commit));
}

}  // namespace
}  // namespace wdx::terminal
