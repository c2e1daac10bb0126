// Feeds arbitrary bytes to the finder of the texts a program's code marks (WDX_TEXT), as C++
// source. Whatever it is given, it ends; every text it finds has a name without "=" or a line
// break, and English text that is UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/rtl/Utf8.h"
#include "translations/CodeTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> problems;
  const std::vector<wdx::TCodeText> texts = wdx::FindCodeTexts(
      std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.cpp", problems);
  for (const wdx::TCodeText& text : texts) {
    if (text.Name.empty() || text.Name.find_first_of("=\r\n") != std::string::npos ||
        !wdx::IsValidUtf8(text.English) || text.Line < 1) {
      std::fprintf(stderr, "code_texts_fuzz: a text found with name '%s'\n", text.Name.c_str());
      std::abort();
    }
  }
  return 0;
}
