// The byte cursor and the value encoder shared by the form stream's readers and writers.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/components/FormDecoding.h"
#include "framework/components/FormEncoder.h"
#include "framework/rtl/ByteCursor.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Encoded(const std::function<void(FormEncoder&)>& encode) {
  Bytes out;
  FormEncoder encoder(out);
  encode(encoder);
  return out;
}

TEST(ByteCursor, ReadsLittleEndianAndStopsAtTheEndBeforeMoving) {
  const Bytes bytes = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 2, 'o', 'k'};
  ByteCursor in(bytes);
  EXPECT_EQ(in.U16(), 0x1234);
  EXPECT_EQ(in.U32(), 0x12345678u);
  EXPECT_EQ(in.ShortString(), "ok");
  EXPECT_EQ(in.Remaining(), 0u);
  in.SetPosition(7);
  for (const auto& read : std::vector<std::function<void()>>{
           [&] { in.U32(); }, [&] { in.U64(); }, [&] { in.Skip(5); }, [&] { in.View(3); }}) {
    try {
      read();
      ADD_FAILURE() << "read past the end";
    } catch (const EReadError& error) {
      EXPECT_STREQ(error.what(), msg::kStreamReadError);
    }
    EXPECT_EQ(in.Position(), 7u);
  }
}

TEST(FormEncoder, ChoosesTheTagsAReaderExpectsAndTheSkipTakesExactlyThem) {
  const std::string long256(256, 'x');
  const struct {
    std::function<void(FormEncoder&)> encode;
    Bytes start;  // the encoding, or its first bytes
  } cases[] = {
      {[](FormEncoder& e) { e.Integer(-128); }, {2, 0x80}},
      {[](FormEncoder& e) { e.Integer(128); }, {3, 0x80, 0}},
      {[](FormEncoder& e) { e.Integer(-129); }, {3, 0x7F, 0xFF}},
      {[](FormEncoder& e) { e.Integer(32768); }, {4, 0, 0x80, 0, 0}},
      {[](FormEncoder& e) { e.Integer(int64_t{1} << 31); }, {19, 0, 0, 0, 0x80, 0, 0, 0, 0}},
      {[](FormEncoder& e) { e.Ident("TRUE"); }, {9}},
      {[](FormEncoder& e) { e.Ident("null"); }, {0}},
      {[](FormEncoder& e) { e.Ident("Nil"); }, {13}},
      {[](FormEncoder& e) { e.Ident("clRed"); }, {7, 5, 'c', 'l', 'R', 'e', 'd'}},
      {[](FormEncoder& e) { e.String(""); }, {6, 0}},
      {[](FormEncoder& e) { e.WideString(u"\u20AC"); }, {18, 1, 0, 0, 0, 0xAC, 0x20}},
      {[](FormEncoder& e) {
         e.Binary(Bytes{1, 2});
       },
       {10, 2, 0, 0, 0, 1, 2}},
      {[&](FormEncoder& e) { e.String(long256); }, {12, 0, 1, 0, 0, 'x'}},
      {[](FormEncoder& e) { e.Currency(15000); }, {16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}},
      {[](FormEncoder& e) { e.Extended(DoubleToExtended80(1.5)); },
       {5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}},
  };
  for (const auto& test : cases) {
    const Bytes bytes = Encoded(test.encode);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + std::min(bytes.size(), test.start.size())),
              test.start);
    ByteCursor in(bytes);
    int depth = 0;
    form_decoding::SkipValue(in, depth);
    EXPECT_EQ(in.Remaining(), 0u) << "tag " << int{bytes[0]};
  }
}

}  // namespace
}  // namespace wdx
