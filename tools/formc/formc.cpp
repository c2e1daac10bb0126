// The form compiler of the build: turns a readable form source and the PO files of its
// translations into the binary form stream and the files that embed it in a program, and keeps
// the translations in step with the source.
//
//   formc <source.frm> <output prefix> [<file.po>...] [--texts <code>...] [--library <lib.pot>]
//         [--classes <code>...] [--icon <program.ico>]
//
// checks the form as the program would read it at start (tools/formc/FormCheck.h), against the
// form classes and control classes that the --classes files declare (WDX_FORM, WDX_CONTROL,
// WDX_CLASS; tools/formc/ProgramClasses.h) when they are given, then writes <prefix>.bin (the
// stream), <prefix>.cpp (the stream as a self-registering byte array for POSIX programs),
// <prefix>.rc (a language-neutral RCDATA resource, with the form's icon as the program icon, for
// Windows programs) and <prefix>.ico (the root's Icon.Data, when it has one, or the --icon file,
// which must hold every image of the form's icon byte for byte and may add sizes). The resource is
// named after the root's class in capitals, as the program looks it up. Each PO file's texts go
// into the language its header names, a language the form lacks being added in the order of the
// files (see translations/FormTranslations.h). With --texts (the C++ files whose texts the program
// marks with WDX_TEXT) or --library (the template of the library's own texts), the PO files
// translate those texts too, and <prefix>.texts, their catalogue, is embedded beside the form (the
// resource WENDRIXTEXTS). Every problem of a source or a PO file is reported as "<file>:<line>:
// <what>"; then nothing is written and no output of an earlier run stays behind.
//
//   formc --pot <source.frm> <template.pot> [--texts <code>...] [--library <lib.pot>]
//
// writes the template of the form's texts, each message pointing at the line that sets its text
// and carrying the notes written there for translators ("//." lines), then those of the code and
// the library. With "-" for the source, a template of the code's texts alone (the library's own).
//
//   formc --update-po <template.pot> <file.po>...
//
// merges each PO file with the template by the messages' contexts (translations/PoMerge.h).
//
//   formc --catalogue <output prefix> <function> [<file.po>...] --texts <code>...
//
// writes the catalogue of the code's texts as the PO files translate them, as <prefix>.texts and
// as <prefix>.cpp defining wdx::<function>() that gives it: the library's own.
//
// A file is written only when it changes. None of these needs anything but the files given, so
// the build can always bring the translations up to date, whatever state they are in.
#include <iostream>
#include <string>
#include <vector>

#include "tools/formc/FormSource.h"
#include "tools/formc/Outputs.h"
#include "tools/formc/ProgramTexts.h"
#include "tools/formc/Translations.h"

namespace {

constexpr const char* kUsage =
    "usage: formc <source.frm> <output prefix> [<file.po>...] [--texts <code>...] "
    "[--library <lib.pot>] [--classes <code>...] [--icon <program.ico>]\n"
    "       formc --pot <source.frm|-> <template.pot> [--texts <code>...] [--library <lib.pot>]\n"
    "       formc --update-po <template.pot> <file.po>...\n"
    "       formc --catalogue <output prefix> <function> [<file.po>...] --texts <code>...\n";

struct Arguments {
  std::vector<std::string> Plain;  // before the first option
  formc::TTextSources Texts;
  std::vector<std::string> Classes;
  std::string Icon;
  bool Valid = true;
};

Arguments Parse(const std::vector<std::string>& args, size_t from) {
  Arguments parsed;
  std::vector<std::string>* into = &parsed.Plain;
  for (size_t i = from; i < args.size(); ++i) {
    if (args[i] == "--texts") {
      into = &parsed.Texts.Code;
    } else if (args[i] == "--classes") {
      into = &parsed.Classes;
    } else if (args[i] == "--library" && i + 1 < args.size() && parsed.Texts.Library.empty()) {
      parsed.Texts.Library = args[++i];
      into = nullptr;
    } else if (args[i] == "--icon" && i + 1 < args.size() && parsed.Icon.empty()) {
      parsed.Icon = args[++i];
      into = nullptr;
    } else if (args[i].rfind("--", 0) == 0 || !into) {
      parsed.Valid = false;
    } else {
      into->push_back(args[i]);
    }
  }
  return parsed;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::string mode = args.empty() ? "" : args[0];
  const bool option = mode.rfind("--", 0) == 0;
  Arguments parsed = Parse(args, option ? 1 : 0);
  // Only a form being compiled is checked against the program's classes and has a program icon.
  if (option && (!parsed.Classes.empty() || !parsed.Icon.empty())) parsed.Valid = false;
  const std::vector<std::string>& plain = parsed.Plain;
  const auto from = [&](size_t first) {
    return std::vector<std::string>(plain.begin() + static_cast<std::ptrdiff_t>(first),
                                    plain.end());
  };
  try {
    if (mode == "--pot" && parsed.Valid && plain.size() == 2) {
      return formc::WriteTemplate(plain[0], plain[1], parsed.Texts);
    }
    if (mode == "--update-po" && parsed.Valid && plain.size() >= 2 && parsed.Texts.Code.empty() &&
        parsed.Texts.Library.empty()) {
      return formc::UpdateTranslations(plain[0], from(1));
    }
    if (mode == "--catalogue" && parsed.Valid && plain.size() >= 2 && !parsed.Texts.Code.empty()) {
      return formc::WriteLibraryCatalogue(plain[0], plain[1], from(2), parsed.Texts);
    }
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  if (option || !parsed.Valid || plain.size() < 2) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    formc::CompileProgramForm(plain[0], plain[1], from(2), parsed.Texts,
                              formc::ReadClassFiles(parsed.Classes), parsed.Icon);
  } catch (const std::exception& e) {
    formc::RemoveOutputs(plain[1]);
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
