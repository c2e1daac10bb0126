// The synthetic forms of the benchmarks: n labels, each translated into German and Spanish by
// the form's language control, English being active.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wdx::bench {

inline constexpr int64_t kSizes[] = {1'000, 10'000, 100'000};
inline constexpr const char* kLanguages[] = {"English", "German", "Spanish"};

// The text of label `i` in language 0 (English), 1 (German) or 2 (Spanish).
std::string LabelText(int language, int64_t i);
std::string LabelName(int64_t i);

// The binary form stream of a TForm named `formName` with n labels and their language data.
std::vector<uint8_t> TranslatedFormStream(int64_t n, const std::string& formName);

}  // namespace wdx::bench
