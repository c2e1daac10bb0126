// Merging a translation with a fresh template, by the messages' contexts.
#include "translations/PoMerge.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/tools/ToolTestSupport.h"

namespace wdx {
namespace {

const char* const kTemplate =
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\n"
    "#. The button that saves\n"
    "#: ../Form.frm:12\n"
    "msgctxt \"btOk.Caption\"\n"
    "msgid \"Save all\"\n"
    "msgstr \"\"\n"
    "\n"
    "#: ../Form.frm:20\n"
    "msgctxt \"btCancel.Caption\"\n"
    "msgid \"Cancel\"\n"
    "msgstr \"\"\n"
    "\n"
    "#: ../Form.frm:30\n"
    "msgctxt \"btClose.Caption\"\n"
    "msgid \"Close\"\n"
    "msgstr \"\"\n"
    "\n"
    "#: ../Form.frm:40\n"
    "msgctxt \"Label1.Caption\"\n"
    "msgid \"Name:\"\n"
    "msgstr \"\"\n"
    "\n"
    "#: ../Form.frm:50\n"
    "msgctxt \"Label2.Caption\"\n"
    "msgid \"Mail\"\n"
    "msgstr \"\"\n";

// The translation before the form changed: "Save" became "Save all", "Settings" went, "Close"
// and "Name:" are new, "Mail" was translated once under another context and came back.
const char* const kBefore =
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Language: de\\n\"\n"
    "\n"
    "# Kept short: the button is narrow.\n"
    "#: btOk.Caption\n"
    "#, no-wrap\n"
    "msgctxt \"btOk.Caption\"\n"
    "msgid \"Save\"\n"
    "msgstr \"Speichern\"\n"
    "\n"
    "msgctxt \"btCancel.Caption\"\n"
    "msgid \"Cancel\"\n"
    "msgstr \"Abbrechen\"\n"
    "\n"
    "msgctxt \"GroupBox3.Caption\"\n"
    "msgid \"Settings\"\n"
    "msgstr \"Einstellungen\"\n"
    "\n"
    "msgctxt \"Label9.Caption\"\n"
    "msgid \"Close\"\n"
    "msgstr \"Schlie\xc3\x9f"
    "en\"\n"
    "\n"
    "msgctxt \"Label8.Caption\"\n"
    "msgid \"Untranslated\"\n"
    "msgstr \"\"\n"
    "\n"
    "#~ msgctxt \"Label2.Caption\"\n"
    "#~ msgid \"Mail\"\n"
    "#~ msgstr \"Post\"\n";

const char* const kAfter =
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Language: de\\n\"\n"
    "\n"
    "# Kept short: the button is narrow.\n"
    "#. The button that saves\n"
    "#: ../Form.frm:12\n"
    "#, fuzzy, no-wrap\n"
    "#| msgid \"Save\"\n"
    "msgctxt \"btOk.Caption\"\n"
    "msgid \"Save all\"\n"
    "msgstr \"Speichern\"\n"
    "\n"
    "#: ../Form.frm:20\n"
    "msgctxt \"btCancel.Caption\"\n"
    "msgid \"Cancel\"\n"
    "msgstr \"Abbrechen\"\n"
    "\n"
    "#: ../Form.frm:30\n"
    "#, fuzzy\n"
    "#| msgctxt \"Label9.Caption\"\n"
    "#| msgid \"Close\"\n"
    "msgctxt \"btClose.Caption\"\n"
    "msgid \"Close\"\n"
    "msgstr \"Schlie\xc3\x9f"
    "en\"\n"
    "\n"
    "#: ../Form.frm:40\n"
    "msgctxt \"Label1.Caption\"\n"
    "msgid \"Name:\"\n"
    "msgstr \"\"\n"
    "\n"
    "#: ../Form.frm:50\n"
    "msgctxt \"Label2.Caption\"\n"
    "msgid \"Mail\"\n"
    "msgstr \"Post\"\n"
    "\n"
    "#~ msgctxt \"GroupBox3.Caption\"\n"
    "#~ msgid \"Settings\"\n"
    "#~ msgstr \"Einstellungen\"\n"
    "\n"
    "#~ msgctxt \"Label9.Caption\"\n"
    "#~ msgid \"Close\"\n"
    "#~ msgstr \"Schlie\xc3\x9f"
    "en\"\n";

TEST(PoMerge, EachMessageKeepsItsOwnTranslationByContext) {
  const std::string merged = MergePoFile(kBefore, "de.po", kTemplate, "form.pot");
  EXPECT_EQ(merged, kAfter);
  // Merged again, nothing changes; the text changed back, the translation is reviewed again.
  EXPECT_EQ(MergePoFile(merged, "de.po", kTemplate, "form.pot"), merged);
  std::string back = tooltest::Replaced(kTemplate, "\"Save all\"", "\"Save\"");
  EXPECT_NE(MergePoFile(merged, "de.po", back, "form.pot")
                .find("#, no-wrap\nmsgctxt \"btOk.Caption\"\nmsgid \"Save\"\nmsgstr \"Speichern\""),
            std::string::npos);
  // A file as Windows editors save it keeps its byte order mark and its line ends.
  std::string crlf;
  for (const char c : std::string(kBefore))
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::string expected;
  for (const char c : std::string(kAfter))
    expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(MergePoFile("\xEF\xBB\xBF" + crlf, "de.po", kTemplate, "form.pot"),
            "\xEF\xBB\xBF" + expected);
  // What gettext's own tools check.
  if (tooltest::HaveGettextTools()) {
    tooltest::WriteText(tooltest::TempPath("merged.po"), merged);
    std::string output;
    EXPECT_EQ(tooltest::Shell("msgfmt -c -o /dev/null " + tooltest::TempPath("merged.po"), &output),
              0)
        << output;
  }
}

}  // namespace
}  // namespace wdx
