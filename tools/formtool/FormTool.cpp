#include "tools/formtool/FormTool.h"

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
    "       formtool languages <form>\n";

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
    if (command == "dump" && args.size() == 2) {
      out << DumpFormStream(ReadFile(args[1]));
      return 0;
    }
    if (command == "load" && args.size() == 4 && !OutputPath(args, 2).empty()) {
      WriteFile(OutputPath(args, 2), LoadAndWriteBack(ReadFile(args[1])));
      return 0;
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
