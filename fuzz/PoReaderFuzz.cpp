// Feeds arbitrary bytes to the PO reader as a whole file. A file the reader refuses must end in
// PoError; anything else (a crash, a sanitizer report, a leak, a hang, another exception) is a
// fault and ends the run.
//
// The entries of an accepted file are written and read again, in the file's own layout (byte order
// mark, line ends): the writer's output must read without error to the same entries, and writing
// those must give the same text. Every input is also read the lenient way, which finds every
// problem and must end in none but PoError, and merged with itself as its own template, whose
// output must read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "translations/PoFile.h"
#include "translations/PoMerge.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "po_reader_fuzz: %s%s\n", what, detail.c_str());
  std::abort();
}

// Everything an entry carries apart from its line, which the writer does not keep.
bool SameEntry(const wdx::PoEntry& a, const wdx::PoEntry& b) {
  return a.hasContext == b.hasContext && a.context == b.context && a.msgid == b.msgid &&
         a.plural == b.plural && a.msgidPlural == b.msgidPlural && a.msgstr == b.msgstr &&
         a.fuzzy == b.fuzzy && a.extractedComments == b.extractedComments &&
         a.references == b.references && a.flags == b.flags &&
         a.translatorComments == b.translatorComments &&
         a.hasPreviousContext == b.hasPreviousContext && a.previousContext == b.previousContext &&
         a.hasPreviousMsgid == b.hasPreviousMsgid && a.previousMsgid == b.previousMsgid &&
         a.obsolete == b.obsolete;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<wdx::PoError> problems;
  wdx::ParsePoFile(text, "fuzz.po", problems);
  std::vector<wdx::PoEntry> entries;
  try {
    entries = wdx::ParsePoFile(text, "fuzz.po");
  } catch (const wdx::PoError&) {
    return 0;
  }
  if (!problems.empty()) Fail("the lenient reader finds a problem in a file the reader takes", "");
  try {
    wdx::ParsePoFile(wdx::MergePoFile(text, "fuzz.po", text, "fuzz.pot"), "merged.po");
  } catch (const wdx::PoError& error) {
    Fail("the merge's output does not read: ", error.what());
  }

  const std::string written = wdx::WritePoFile(entries, wdx::PoLayoutOf(text));
  std::vector<wdx::PoEntry> again;
  try {
    again = wdx::ParsePoFile(written, "written.po");
  } catch (const wdx::PoError& error) {
    Fail("the writer's output does not read back: ", error.what());
  }
  if (again.size() != entries.size()) {
    Fail("the writer's output reads back to another number of entries:\n", written);
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!SameEntry(entries[i], again[i])) {
      Fail("an entry reads back otherwise: ", "entry " + std::to_string(i) + " of\n" + written);
    }
  }
  if (wdx::WritePoFile(again, wdx::PoLayoutOf(text)) != written) {
    Fail("writing the entries read back differs:\n", written);
  }
  return 0;
}
