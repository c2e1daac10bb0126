#include "tools/formtool/FormTool.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>

#include "framework/components/FormDump.h"
#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"
#include "platform/Resources.h"
#include "setup/ConfigUnit.h"
#include "tools/formtool/FormCatalogues.h"
#include "tools/formtool/FormTranslations.h"

namespace wdx {

namespace {

const char* const kUsage =
    "usage: formtool dump <file>\n"
    "       formtool load <file> -o <out>\n"
    "       formtool shipped -o <out>\n"
    "       formtool po-export <form> <language> -o <file.po>\n"
    "       formtool po-import <form> <file.po> -o <out>\n"
    "       formtool pot <form> -o <file.pot>\n"
    "       formtool languages <form>\n"
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

// The class name of the root record, read with bounds checks (after the signature and an
// optional prefix byte, which carries no child position for a root).
std::string RootClassName(const std::vector<uint8_t>& bytes) {
  size_t pos = 4;
  if (bytes.size() < 4 || std::string(bytes.begin(), bytes.begin() + 4) != "TPF0") {
    throw EReadError(msg::kInvalidStreamFormat);
  }
  if (pos < bytes.size() && bytes[pos] >= 0xF0) ++pos;
  if (pos >= bytes.size() || bytes[pos] > bytes.size() - pos - 1) {
    throw EReadError(msg::kStreamReadError);
  }
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                     bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1 + bytes[pos]));
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

// What to do with a form source given where a stream is wanted.
std::string SourceFileError(const std::string& path) {
  const std::string stem = std::filesystem::path(path).stem().string();
  return path + ": a form source file, not a form stream; compile it with \"formc " + path +
         " FORM " + stem + "\" (formc is beside formtool), which writes the stream to " + stem +
         ".bin";
}

// "dump": the records read, then where and why a malformed stream stopped the reading.
int Dump(const std::string& path, std::ostream& out, std::ostream& err) {
  const std::vector<uint8_t> bytes = ReadFile(path);
  if (IsFormSource(bytes)) {
    err << SourceFileError(path) << "\n";
    return 1;
  }
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
  const std::vector<uint8_t> bytes = ReadFile(path);  // an open error names the file itself
  if (IsFormSource(bytes)) {
    err << SourceFileError(path) << "\n";
    return 1;
  }
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

// The output path of "-o <out>" at args[from], or empty when missing.
std::string OutputPath(const std::vector<std::string>& args, size_t from) {
  if (args.size() != from + 2 || args[from] != "-o") return {};
  return args[from + 1];
}

}  // namespace

std::vector<uint8_t> LoadAndWriteBack(const std::vector<uint8_t>& bytes) {
  RegisterSetupClasses();
  const std::string className = RootClassName(bytes);
  const TMetaClass* cls = FindRegisteredClass(className);
  if (!cls || !cls->CanCreate() || !cls->InheritsFrom(TComponent::StaticClass())) {
    throw EClassNotFound(Format(msg::kClassNotFound, className.c_str()));
  }
  std::unique_ptr<TComponent> root(static_cast<TComponent*>(cls->Create(&Application())));
  TMemoryStream in(bytes);
  TReader reader(in);
  reader.SetGlobalScope(&Application());
  reader.ReadRootComponent(root.get());
  TMemoryStream out;
  TWriter writer(out);
  writer.WriteRootComponent(root.get());
  return out.Bytes();
}

int RunFormTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? "" : args[0];
  try {
    if ((command == "--help" || command == "-h") && args.size() == 1) {
      out << kUsage;
      return 0;
    }
    if (command == "dump" && args.size() == 2) return Dump(args[1], out, err);
    if (command == "load" && args.size() == 4 && !OutputPath(args, 2).empty()) {
      return Load(args[1], OutputPath(args, 2), err);
    }
    if (command == "po-export" && args.size() == 5 && !OutputPath(args, 3).empty()) {
      const std::string po = ExportFormTranslations(ReadFile(args[1]), args[2]);
      WriteFile(OutputPath(args, 3), std::vector<uint8_t>(po.begin(), po.end()));
      return 0;
    }
    if (command == "po-import" && args.size() == 5 && !OutputPath(args, 3).empty()) {
      const std::vector<uint8_t> po = ReadFile(args[2]);
      const std::vector<uint8_t> form = ImportFormTranslations(
          ReadFile(args[1]), std::string_view(reinterpret_cast<const char*>(po.data()), po.size()),
          args[2]);
      WriteFile(OutputPath(args, 3), form);
      return 0;
    }
    if (command == "pot" && args.size() == 4 && !OutputPath(args, 2).empty()) {
      const std::string pot = WriteFormTemplate(ReadFile(args[1]));
      WriteFile(OutputPath(args, 2), std::vector<uint8_t>(pot.begin(), pot.end()));
      return 0;
    }
    if (command == "languages" && args.size() == 2) {
      out << ListFormLanguages(ReadFile(args[1]));
      return 0;
    }
    if (command == "shipped" && !OutputPath(args, 1).empty()) {
      WriteFile(OutputPath(args, 1), LoadResourceData("TFRMWENDRIXSETUP"));
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
