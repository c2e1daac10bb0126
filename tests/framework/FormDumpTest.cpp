#include "framework/components/FormDump.h"

#include <gtest/gtest.h>

#include "framework/components/ObjectText.h"
#include "framework/components/Reader.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"

namespace wdx {
namespace {

const char* const kSource =
    "object F: TForm\n"
    "  Caption = 'It''s'#13#233\n"
    "  Size = -129\n"
    "  Ratio = 1.5\n"
    "  Anchors = [akLeft, akTop]\n"
    "  Data = {0102}\n"
    "  List = (1 nil)\n"
    "  Items = <\n"
    "    item [3]\n"
    "      Name = x\n"
    "    end>\n"
    "  object B: TButton [2]\n"
    "  end\n"
    "end\n";

TEST(FormDump, ShowsEveryRecordTagAndValue) {
  EXPECT_EQ(DumpFormStream(ObjectTextToBinary(kSource)),
            "object F: TForm\n"
            "  Caption = vaString 'It''s'#13#233\n"
            "  Size = vaInt16 -129\n"
            "  Ratio = vaExtended 1.5\n"
            "  Anchors = vaSet [akLeft, akTop]\n"
            "  Data = vaBinary 2 bytes\n"
            "    0102\n"
            "  List = vaList (\n"
            "    vaInt8 1\n"
            "    vaNil)\n"
            "  Items = vaCollection <\n"
            "    item [order vaInt8 3]\n"
            "      Name = vaIdent x\n"
            "    end>\n"
            "  object B: TButton [flags 2, position vaInt8 2]\n"
            "  end\n"
            "end\n");
}

TEST(FormDump, MalformedStreamsEndInReadErrors) {
  const std::vector<uint8_t> good = ObjectTextToBinary(kSource);
  EXPECT_THROW(DumpFormStream({'T', 'P', 'F'}), EReadError);
  EXPECT_THROW(DumpFormStream({'X', 'P', 'F', '0', 0, 0, 0, 0}), EReadError);
  for (size_t cut = 4; cut < good.size(); ++cut) {
    EXPECT_THROW(DumpFormStream(std::vector<uint8_t>(good.begin(), good.begin() + cut)), EReadError)
        << cut;
  }
  std::vector<uint8_t> deep = {'T', 'P', 'F', '0', 1, 'A', 0, 1, 'P'};
  deep.insert(deep.end(), 100000, 1);  // lists nested far beyond any form
  EXPECT_THROW(DumpFormStream(deep), EReadError);
  std::vector<uint8_t> trailing = good;
  trailing.push_back(7);
  EXPECT_NE(DumpFormStream(trailing).find("(1 bytes after the root object)"), std::string::npos);
}

// A root record "object A: T" with one property P whose value is `value`.
std::vector<uint8_t> WithValue(const std::vector<uint8_t>& value) {
  const std::string head =
      "TPF0\x01T\x01"
      "A\x01P";
  std::vector<uint8_t> bytes(head.begin(), head.end());
  for (const uint8_t byte : value) bytes.push_back(byte);
  bytes.push_back(0);  // end of the properties
  bytes.push_back(0);  // end of the children
  return bytes;
}

// The message with which the reader's skip of the value refuses it, or "" when it takes it.
std::string SkipError(const std::vector<uint8_t>& value) {
  TMemoryStream stream(value);
  TReader reader(stream);
  try {
    reader.SkipValue();
  } catch (const EReadError& error) {
    return error.Message();
  }
  return stream.Remaining() == 0 ? "" : "bytes left";
}

std::string DumpError(const std::vector<uint8_t>& bytes) {
  try {
    DumpFormStream(bytes);
  } catch (const EReadError& error) {
    return error.Message();
  }
  return "";
}

TEST(FormDump, AgreesWithTheReaderOnHighTagsAndCollectionItems) {
  // Only the low seven bits of a tag byte count: 86 is a string, 8E a collection, 80 Null.
  const std::vector<uint8_t> high = {0x86, 1, 'x'};
  EXPECT_EQ(SkipError(high), "");
  EXPECT_EQ(DumpFormStream(WithValue(high)),
            "object A: T\n  P = vaString (tag byte 86) 'x'\nend\n");
  const std::vector<uint8_t> collection = {0x8E, 2, 7, 1, 0, 0};
  EXPECT_EQ(SkipError(collection), "");
  EXPECT_EQ(DumpFormStream(WithValue(collection)),
            "object A: T\n  P = vaCollection (tag byte 8E) <\n    item [order vaInt8 7]\n"
            "    end>\nend\n");
  EXPECT_EQ(DumpFormStream(WithValue({0x80})), "object A: T\n  P = vaNull (tag byte 80)\nend\n");

  // An item must start with its list tag, after an order value only when that is an integer.
  for (const std::vector<uint8_t>& items :
       {std::vector<uint8_t>{14, 6, 1, 'x', 1, 0, 0}, std::vector<uint8_t>{14, 2, 7, 2, 8, 1, 0, 0},
        std::vector<uint8_t>{14, 0x81, 0, 0}}) {
    EXPECT_EQ(SkipError(items), "Invalid property value");
    EXPECT_EQ(DumpError(WithValue(items)), "Invalid property value");
  }
}

}  // namespace
}  // namespace wdx
