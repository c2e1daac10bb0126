#include "framework/components/Strings.h"

#include <gtest/gtest.h>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"

namespace wdx {
namespace {

using Lines = std::vector<std::string>;

TEST(StringListText, SplitsAtEveryKindOfLineBreak) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(list.Lines(), (Lines{"a", "b", "c", "d"}));
  list.SetText("a\n\nb\r\n");  // an empty line inside stays, a final break adds none
  EXPECT_EQ(list.Lines(), (Lines{"a", "", "b"}));
  list.SetText("\n\r");  // LF then CR: two breaks
  EXPECT_EQ(list.Lines(), (Lines{"", ""}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(StringListText, KeepsZeroBytesAndWritesCrLf) {
  TStringList list;
  list.SetText(std::string("a\0b\nc", 5));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), std::string("a\0b", 3));
  EXPECT_EQ(list.Text(), std::string("a\0b\r\nc\r\n", 8));
  TMemoryStream out;
  list.SaveToStream(out);
  out.SetPosition(0);
  TStringList again;
  again.LoadFromStream(out);
  EXPECT_EQ(again.Lines(), list.Lines());
}

TEST(StringListIndex, RaisesTheListError) {
  TStringList list;
  list.Add("x");
  try {
    list.Get(1);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Put(-1, "y"), EStringListError);
  EXPECT_THROW(list.Insert(2, "y"), EStringListError);
  list.Insert(1, "y");
  list.Delete(0);
  EXPECT_EQ(list.Lines(), (Lines{"y"}));
}

TEST(StringListAssign, CopiesLinesAndRefusesOtherClasses) {
  TStringList a, b;
  a.SetText("1\n2");
  b.Add("old");
  b.Assign(&a);
  EXPECT_EQ(b.Lines(), a.Lines());
  TPersistent other;
  try {
    b.Assign(&other);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TPersistent to a TStringList");
  }
}

}  // namespace
}  // namespace wdx
