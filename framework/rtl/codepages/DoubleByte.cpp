// Code pages 932, 936, 949 and 950: ASCII and a few single bytes, and characters of two bytes, a
// lead byte and a trail byte from 0x40 to 0xFE. The tables are unpacked on first use.
#include <algorithm>
#include <iterator>
#include <mutex>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/rtl/Utf8.h"
#include "framework/rtl/codepages/CodePageTables.h"

namespace wdx::codepages {

namespace {

#include "framework/rtl/codepages/DoubleByteTables.inc"

constexpr int kFirstTrail = 0x40;
constexpr int kTrails = 0xFE - kFirstTrail + 1;

struct TDoubleByteData {
  int CodePage;
  std::span<const uint16_t[2]> Singles;
  std::span<const uint8_t[2]> Leads;
  std::span<const uint16_t> DecodeOnly;
  std::string_view Rows;
};

constexpr TDoubleByteData kData[] = {
    {932, kSingles932, kLeads932, kDecodeOnly932, kRows932},
    {936, kSingles936, kLeads936, kDecodeOnly936, kRows936},
    {949, kSingles949, kLeads949, kDecodeOnly949, kRows949},
    {950, kSingles950, kLeads950, kDecodeOnly950, kRows950},
};

// Reads the numbers of the packed rows (see scripts/make-codepage-tables.py).
class TRowReader {
 public:
  explicit TRowReader(std::string_view rows) : rows_(rows) {}
  bool AtEnd() const { return at_ >= rows_.size(); }
  char Peek() const { return rows_[at_]; }
  void Skip() { ++at_; }
  uint32_t Number() {
    static constexpr std::string_view kFinal = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
    static constexpr std::string_view kMore = "WXYZabcdefghijklmnopqrstuvwxyz.:";
    uint32_t value = 0;
    while (!AtEnd()) {
      const char c = rows_[at_++];
      if (const size_t digit = kMore.find(c); digit != std::string_view::npos) {
        value = (value << 5) | static_cast<uint32_t>(digit);
      } else {
        return (value << 5) | static_cast<uint32_t>(kFinal.find(c));
      }
    }
    return value;
  }

 private:
  std::string_view rows_;
  size_t at_ = 0;
};

class TDoubleByte final : public TCodePageTable {
 public:
  explicit TDoubleByte(const TDoubleByteData& data) {
    std::fill(std::begin(leadIndex_), std::end(leadIndex_), -1);
    for (const auto& range : data.Leads) {
      for (int lead = range[0]; lead <= range[1]; ++lead) leadIndex_[lead] = leadCount_++;
    }
    for (const auto& single : data.Singles) {
      if (single[1] == 0) continue;
      singles_[single[0]] = single[1];
      encoding_.emplace_back(single[1], single[0]);
    }
    Unpack(data.Rows);
    for (int lead = 0; lead < 256; ++lead) {
      if (leadIndex_[lead] < 0) continue;
      for (int trail = kFirstTrail; trail < kFirstTrail + kTrails; ++trail) {
        const char16_t code = pairs_[Slot(lead, trail)];
        const auto bytes = static_cast<uint16_t>(lead << 8 | trail);
        const bool decodeOnly =
            std::binary_search(data.DecodeOnly.begin(), data.DecodeOnly.end(), bytes);
        if (code && !decodeOnly) encoding_.emplace_back(code, bytes);
      }
    }
    std::sort(encoding_.begin(), encoding_.end());
  }

  size_t Decode(std::string_view bytes, size_t at, std::string& out) const override {
    const auto lead = static_cast<uint8_t>(bytes[at]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      return 1;
    }
    if (leadIndex_[lead] >= 0 && at + 1 < bytes.size()) {
      const auto trail = static_cast<uint8_t>(bytes[at + 1]);
      if (trail >= kFirstTrail && trail < kFirstTrail + kTrails) {
        if (const char16_t code = pairs_[Slot(lead, trail)]) {
          AppendUtf8(out, code);
          return 2;
        }
      }
    }
    // A lead byte without a trail that makes a character stands for itself.
    AppendUtf8(out, singles_[lead] ? char32_t{singles_[lead]} : UndefinedByteChar(lead));
    return 1;
  }

  bool Encode(char32_t code, std::string& out) const override {
    if (code < 0x80) {
      out += static_cast<char>(code);
      return true;
    }
    const auto found = std::lower_bound(encoding_.begin(), encoding_.end(),
                                        std::pair<char32_t, uint16_t>(code, 0));
    if (found != encoding_.end() && found->first == code) {
      if (found->second > 0xFF) out += static_cast<char>(found->second >> 8);
      out += static_cast<char>(found->second & 0xFF);
      return true;
    }
    const int byte = ByteOfUndefinedChar(code);
    if (byte < 0 || singles_[byte]) return false;
    out += static_cast<char>(byte);
    return true;
  }

 private:
  size_t Slot(int lead, int trail) const {
    return static_cast<size_t>(leadIndex_[lead]) * kTrails +
           static_cast<size_t>(trail - kFirstTrail);
  }

  void Unpack(std::string_view rows) {
    pairs_.assign(static_cast<size_t>(leadCount_) * kTrails, 0);
    TRowReader reader(rows);
    size_t at = 0;
    int32_t previous = 0;
    while (!reader.AtEnd() && at < pairs_.size()) {
      const char marker = reader.Peek();
      if (marker == '!' || marker == '~') reader.Skip();
      const uint32_t n = reader.Number();
      if (marker == '!') {
        at += n;
      } else if (marker == '~') {
        for (uint32_t i = 0; i < n && at < pairs_.size(); ++i) {
          pairs_[at++] = static_cast<char16_t>(++previous);
        }
      } else {
        previous += (n & 1) ? -static_cast<int32_t>((n + 1) / 2) : static_cast<int32_t>(n / 2);
        pairs_[at++] = static_cast<char16_t>(previous);
      }
    }
  }

  int leadIndex_[256];  // the lead byte's row, -1 for a byte that leads no pair
  int leadCount_ = 0;
  char16_t singles_[256] = {};
  std::vector<char16_t> pairs_;                          // by lead, then trail; 0: undefined
  std::vector<std::pair<char32_t, uint16_t>> encoding_;  // sorted by character
};

}  // namespace

const TCodePageTable* DoubleByteTable(int codePage) {
  static std::once_flag made[std::size(kData)];
  static const TDoubleByte* tables[std::size(kData)] = {};
  for (size_t i = 0; i < std::size(kData); ++i) {
    if (kData[i].CodePage != codePage) continue;
    std::call_once(made[i], [i] { tables[i] = new TDoubleByte(kData[i]); });
    return tables[i];
  }
  return nullptr;
}

}  // namespace wdx::codepages
