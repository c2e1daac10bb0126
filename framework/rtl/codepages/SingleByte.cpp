// Code pages 874, 1250 to 1258, US-ASCII and ISO-8859-1: ASCII, then 128 characters of the code
// page's own.
#include <algorithm>
#include <array>
#include <iterator>
#include <utility>
#include <vector>

#include "framework/rtl/Utf8.h"
#include "framework/rtl/codepages/CodePageTables.h"

namespace wdx::codepages {

namespace {

struct TSingleByteTable {
  int CodePage;
  std::array<char16_t, 128> High;  // bytes 0x80 to 0xFF; 0 where undefined
};

// A letter that code page 1258 holds as a base letter followed by a combining mark.
struct TComposition {
  char16_t Composed;
  char16_t Base;
  char16_t Mark;
};

#include "framework/rtl/codepages/SingleByteTables.inc"

class TSingleByte final : public TCodePageTable {
 public:
  explicit TSingleByte(const TSingleByteTable& table)
      : table_(table), composes_(table.CodePage == 1258) {
    for (size_t i = 0; i < table.High.size(); ++i) {
      const auto byte = static_cast<uint8_t>(0x80 + i);
      const char32_t code = table.High[i] ? table.High[i] : UndefinedByteChar(byte);
      encoding_.emplace_back(code, byte);
    }
    std::sort(encoding_.begin(), encoding_.end());
  }

  size_t Decode(std::string_view bytes, size_t at, std::string& out) const override {
    const char32_t code = CodeOf(static_cast<uint8_t>(bytes[at]));
    // Vietnamese letters come as a base letter and a tone mark; a pair that makes a letter the
    // code page lacks as one byte is that letter, which encodes back to the pair.
    if (composes_ && at + 1 < bytes.size() &&
        IsToneMark(CodeOf(static_cast<uint8_t>(bytes[at + 1])))) {
      if (const TComposition* pair = FindPair(code, CodeOf(static_cast<uint8_t>(bytes[at + 1])))) {
        AppendUtf8(out, pair->Composed);
        return 2;
      }
    }
    AppendUtf8(out, code);
    return 1;
  }

  bool Encode(char32_t code, std::string& out) const override {
    if (code < 0x80) {
      out += static_cast<char>(code);
      return true;
    }
    const auto found =
        std::lower_bound(encoding_.begin(), encoding_.end(), std::pair<char32_t, uint8_t>(code, 0));
    if (found != encoding_.end() && found->first == code) {
      out += static_cast<char>(found->second);
      return true;
    }
    if (!composes_) return false;
    const auto pair = std::lower_bound(
        std::begin(kVietnameseCompositions), std::end(kVietnameseCompositions), code,
        [](const TComposition& entry, char32_t wanted) { return entry.Composed < wanted; });
    if (pair == std::end(kVietnameseCompositions) || pair->Composed != code) return false;
    return Encode(pair->Base, out) && Encode(pair->Mark, out);
  }

 private:
  char32_t CodeOf(uint8_t byte) const {
    if (byte < 0x80) return byte;
    const char16_t code = table_.High[byte - 0x80];
    return code ? char32_t{code} : UndefinedByteChar(byte);
  }

  // The combining marks of code page 1258 lie between U+0300 and U+0323.
  static bool IsToneMark(char32_t code) { return code >= 0x0300 && code <= 0x0323; }

  static const TComposition* FindPair(char32_t base, char32_t mark) {
    for (const TComposition& entry : kVietnameseCompositions) {
      if (entry.Base == base && entry.Mark == mark) return &entry;
    }
    return nullptr;
  }

  const TSingleByteTable& table_;
  bool composes_;
  std::vector<std::pair<char32_t, uint8_t>> encoding_;  // sorted by character
};

}  // namespace

const TCodePageTable* SingleByteTable(int codePage) {
  static const auto* tables = [] {
    auto* made = new std::vector<TSingleByte>();
    for (const TSingleByteTable& table : kSingleByteTables) made->emplace_back(table);
    return made;
  }();
  for (size_t i = 0; i < std::size(kSingleByteTables); ++i) {
    if (kSingleByteTables[i].CodePage == codePage) return &(*tables)[i];
  }
  return nullptr;
}

}  // namespace wdx::codepages
