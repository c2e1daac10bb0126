#include "tools/formtool/FormTool.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>
#include <ostream>

#include "app/EmbeddedForm.h"
#include "app/FormClasses.h"
#include "framework/components/FormDump.h"
#include "framework/components/FormStreamDecoder.h"
#include "framework/components/ObjectText.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"
#include "platform/Resources.h"
#include "tools/formtool/ShippedFormClass.h"
#include "translations/FormCatalogues.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"
#include "translations/PoLanguage.h"
#include "translations/ProgramCatalogue.h"
#include "translations/TextFit.h"

namespace wdx {

namespace {

const char* const kUsage =
    "usage: formtool dump <file>\n"
    "       formtool load <file> -o <out>\n"
    "       formtool shipped -o <out> [--texts <out.texts>]\n"
    "       formtool po-export <form> <language> -o <file.po> [--texts <file.texts>]\n"
    "       formtool po-import <form> <file.po>... -o <out> [--texts <file.texts>]\n"
    "       formtool pot <form> -o <file.pot> [--texts <file.texts>]\n"
    "       formtool languages <form> [--texts <file.texts>]\n"
    "       formtool languages --table\n"
    "       formtool fit <form> [<file.po>...]\n"
    "       formtool text <stream> [-o <file.frm>]\n"
    "       formtool --help\n";

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError(Format("Cannot open file %s", path.c_str()));
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw EFCreateError(Format("Cannot create file %s", path.c_str()));
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw EWriteError(msg::kStreamWriteError);
}

std::string AsString(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Whether the file holds a form's readable source rather than a binary stream: past an optional
// UTF-8 byte order mark, blanks and "//" comment lines, it starts with the keyword of a root
// object.
bool IsFormSource(const std::vector<uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  size_t pos = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  while (true) {
    pos = text.find_first_not_of(" \t\r\n", pos);
    if (pos == std::string::npos || text.compare(pos, 2, "//") != 0) break;
    pos = text.find('\n', pos);
  }
  if (pos == std::string::npos) return false;
  std::string start = text.substr(pos, 10);
  for (char& c : start) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* keyword : {"object ", "inherited ", "inline "}) {
    if (start.rfind(keyword, 0) == 0) return true;
  }
  return false;
}

// The form stream in `path`: a stream as it is, a form source compiled.
std::vector<uint8_t> ReadForm(const std::string& path) {
  std::vector<uint8_t> bytes = ReadFile(path);
  if (!IsFormSource(bytes)) return bytes;
  try {
    return ObjectTextToBinary(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const EParserError& error) {
    throw EParserError(path + ": " + error.Message());
  }
}

// "dump": the records read, then where and why a malformed stream stopped the reading.
int Dump(const std::string& path, std::ostream& out, std::ostream& err) {
  const std::vector<uint8_t> bytes = ReadForm(path);
  std::string text;
  size_t offset = 0;
  try {
    DumpFormStream(bytes, text, offset);
  } catch (const EReadError& error) {
    out << text << std::flush;
    err << path << ": offset " << offset << ": " << error.what() << "\n";
    return 1;
  }
  out << text;
  return 0;
}

// "load": a failure to read or load the form names the file.
int Load(const std::string& path, const std::string& output, std::ostream& err) {
  const std::vector<uint8_t> bytes = ReadForm(path);  // its errors name the file themselves
  std::vector<uint8_t> written;
  try {
    written = LoadAndWriteBack(bytes);
  } catch (const std::exception& error) {
    err << path << ": " << error.what() << "\n";
    return 1;
  }
  WriteFile(output, written);
  return 0;
}

// "text": the stream as form source, on `out` or into `output`.
int Text(const std::string& path, const std::string& output, std::ostream& out, std::ostream& err) {
  const std::vector<uint8_t> bytes = ReadForm(path);
  std::string text;
  try {
    text = ObjectBinaryToText(bytes);
  } catch (const Exception& error) {
    err << path << ": " << error.what() << "\n";
    return 1;
  }
  if (output.empty()) {
    out << text;
  } else {
    WriteFile(output, std::vector<uint8_t>(text.begin(), text.end()));
  }
  return 0;
}

// "fit": every text that does not fit its control, a line each; the PO files' texts taken in
// first, their problems told on standard error.
int Fit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<uint8_t> form = ReadForm(args[1]);
  std::vector<PoText> files;
  for (size_t i = 2; i < args.size(); ++i) {
    const std::vector<uint8_t> po = ReadFile(args[i]);
    files.push_back({args[i], std::string(po.begin(), po.end())});
  }
  std::vector<PoError> problems;
  if (!files.empty()) form = ImportFormTranslations(form, files, &problems);
  for (const PoError& problem : problems) err << problem.what() << "\n";
  const std::vector<TTextMisfit> misfits = CheckTextFit(form);
  for (const TTextMisfit& misfit : misfits) {
    out << misfit.Language << ": " << misfit.Place << " " << QuotePoString(misfit.Text) << ": "
        << misfit.Problem << "\n";
  }
  return misfits.empty() && problems.empty() ? 0 : 1;
}

// The output path of "-o <out>" at args[from], or empty when missing.
std::string OutputPath(const std::vector<std::string>& args, size_t from) {
  if (args.size() != from + 2 || args[from] != "-o") return {};
  return args[from + 1];
}

}  // namespace

std::vector<uint8_t> LoadAndWriteBack(const std::vector<uint8_t>& bytes) {
  RegisterFormClasses();
  const std::string className = FormStreamDecoder(bytes).ReadRootHeader().className;
  const TMetaClass* cls = FindRegisteredClass(className);
  if (!cls) cls = ShippedFormClass(className);
  if (!cls || !cls->CanCreate() || !cls->InheritsFrom(TComponent::StaticClass())) {
    throw EClassNotFound(Format(msg::kClassNotFound, className.c_str()));
  }
  std::unique_ptr<TComponent> root(static_cast<TComponent*>(cls->Create(&Application())));
  ReadFormStream(*root, bytes);
  TMemoryStream out;
  TWriter writer(out);
  writer.WriteRootComponent(root.get());
  return out.Bytes();
}

namespace {

// The "--texts <file>" of a command's arguments (a program's text catalogue, as formc writes it
// beside the form), taken out of them; "" when there is none.
std::string TextsOption(std::vector<std::string>& args) {
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == "--texts") {
      std::string path = args[i + 1];
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                 args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      return path;
    }
  }
  return {};
}

// The texts beside a form that a catalogue lists, translated by the program or else by the
// library.
TTextsBeside Beside(const TProgramCatalogue& catalogue) {
  return {catalogue.Texts(),
          [&catalogue](const std::string& language,
                       const std::string& name) -> std::optional<std::string> {
            const std::string* text = catalogue.Find(language, name);
            if (!text) text = LibraryCatalogue().Find(language, name);
            return text ? std::optional(*text) : std::nullopt;
          }};
}

// po-import: the form, and with a catalogue the catalogue beside it, with the PO files' texts.
int Import(const std::vector<std::string>& args, const std::string& textsPath) {
  std::vector<PoText> files;
  for (size_t i = 2; i + 2 < args.size(); ++i) {
    const std::vector<uint8_t> po = ReadFile(args[i]);
    files.push_back({args[i], std::string(po.begin(), po.end())});
  }
  const std::string output = OutputPath(args, args.size() - 2);
  if (textsPath.empty()) {
    WriteFile(output, ImportFormTranslations(ReadForm(args[1]), files));
    return 0;
  }
  TProgramCatalogue catalogue(AsString(ReadFile(textsPath)));
  const TProgramTranslations translated =
      ImportProgramTranslations(ReadForm(args[1]), files, catalogue.Texts());
  for (const text_catalogue::TEntry& entry : translated.Texts) {
    catalogue.Set(entry.Language, entry.Name, entry.Text);
  }
  WriteFile(output, translated.Form);
  const std::string encoded = catalogue.Encode();
  WriteFile(output + ".texts", std::vector<uint8_t>(encoded.begin(), encoded.end()));
  return 0;
}

}  // namespace

int RunFormTool(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) {
  std::vector<std::string> args = given;
  const std::string textsPath = TextsOption(args);
  const std::string command = args.empty() ? "" : args[0];
  try {
    // For "shipped" the catalogue is what it writes.
    const bool readTexts = !textsPath.empty() && command != "shipped";
    const TProgramCatalogue catalogue =
        readTexts ? TProgramCatalogue(AsString(ReadFile(textsPath))) : TProgramCatalogue();
    const TTextsBeside beside = Beside(catalogue);
    const TTextsBeside* texts = readTexts ? &beside : nullptr;
    if ((command == "--help" || command == "-h") && args.size() == 1) {
      out << kUsage;
      return 0;
    }
    if (command == "dump" && args.size() == 2) return Dump(args[1], out, err);
    if (command == "load" && args.size() == 4 && !OutputPath(args, 2).empty()) {
      return Load(args[1], OutputPath(args, 2), err);
    }
    if (command == "po-export" && args.size() == 5 && !OutputPath(args, 3).empty()) {
      const std::string po = ExportFormTranslations(ReadForm(args[1]), args[2], texts);
      WriteFile(OutputPath(args, 3), std::vector<uint8_t>(po.begin(), po.end()));
      return 0;
    }
    if (command == "po-import" && args.size() >= 5 && !OutputPath(args, args.size() - 2).empty()) {
      return Import(args, textsPath);
    }
    if (command == "pot" && args.size() == 4 && !OutputPath(args, 2).empty()) {
      std::vector<PoEntry> more;
      for (const TOtherText& text : catalogue.Texts()) {
        PoEntry message;
        message.hasContext = true;
        message.context = text.Name;
        message.msgid = text.English;
        message.msgstr.emplace_back();
        more.push_back(std::move(message));
      }
      const std::string pot = WriteFormTemplate(ReadForm(args[1]), nullptr, more);
      WriteFile(OutputPath(args, 2), std::vector<uint8_t>(pot.begin(), pot.end()));
      return 0;
    }
    if (command == "languages" && args.size() == 2 && args[1] == "--table") {
      out << ListKnownLanguages();
      return 0;
    }
    if (command == "languages" && args.size() == 2) {
      out << ListFormLanguages(ReadForm(args[1]), texts);
      return 0;
    }
    if (command == "fit" && args.size() >= 2) return Fit(args, out, err);
    if (command == "text" && args.size() == 2) return Text(args[1], "", out, err);
    if (command == "text" && !OutputPath(args, 2).empty()) {
      return Text(args[1], OutputPath(args, 2), out, err);
    }
    if (command == "shipped" && !OutputPath(args, 1).empty()) {
      WriteFile(OutputPath(args, 1), LoadResourceData("TFRMWENDRIXSETUP"));
      if (!textsPath.empty()) WriteFile(textsPath, LoadResourceData("WENDRIXTEXTS"));
      return 0;
    }
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    return 1;
  }
  err << kUsage;
  return 2;
}

}  // namespace wdx
