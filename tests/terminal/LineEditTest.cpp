#include "framework/ui/terminal/LineEdit.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "framework/ui/terminal/CellText.h"

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
      Caret.Fit(Text, Width);
    }
  }
  std::string Shown() const {
    const std::string rest = Text.substr(Caret.Scroll);
    return rest.substr(0, FittingPrefix(rest, static_cast<int>(Width)));
  }
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

// A character is one step for the caret whatever its bytes; a wide one takes two cells, and a
// combining mark goes with the letter before it.
TEST(LineEdit, CaretAndScrollGoByCharactersAndCells) {
  const std::string previous = std::setlocale(LC_CTYPE, nullptr);
  ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8"));
  Field field{"Сохранить", {0, 0}, 6};
  field.Press(TKey::Named(TFunctionKey::End));
  EXPECT_EQ(field.Shown(), "анить");
  field.Press(TKey::Named(TFunctionKey::Backspace), 2);
  EXPECT_EQ(field.Text, "Сохрани");
  field.Press(TKey::Character(U'保'), 2);
  EXPECT_EQ(field.Text, "Сохрани保保");
  EXPECT_EQ(field.Shown(), "и保保");  // five cells and the caret's
  field.Press(TKey::Named(TFunctionKey::Home));
  field.Press(TKey::Named(TFunctionKey::Right));
  field.Press(TKey::Named(TFunctionKey::Delete));
  EXPECT_EQ(field.Text, "Схрани保保");
  field.Text = "e\u0301x";  // é as a letter and a combining accent
  field.Caret = {0, 0};
  field.Press(TKey::Named(TFunctionKey::Right));
  EXPECT_EQ(field.Caret.Cursor, 3u);
  EXPECT_EQ(TextWidth(field.Text), 2);
  std::setlocale(LC_CTYPE, previous.c_str());
}

}  // namespace
}  // namespace wdx::terminal
