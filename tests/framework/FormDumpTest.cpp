#include "framework/components/FormDump.h"

#include <gtest/gtest.h>

#include "framework/components/ObjectText.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

const char* const kSource =
    "object F: TForm\n"
    "  Caption = 'It''s'#13\n"
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
            "  Caption = vaString 'It''s'#13\n"
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

}  // namespace
}  // namespace wdx
