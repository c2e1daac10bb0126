// ReadEmbeddedForm: the form stream a program embeds, with a translator's preview on top.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/EmbeddedForm.h"
#include "framework/components/Component.h"
#include "framework/rtl/StrUtils.h"
#include "platform/Files.h"
#include "platform/Resources.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace wdx {

namespace {

// The PO files of the folder WENDRIX_TRANSLATIONS names, in the order of their names.
std::vector<PoText> PreviewTranslations() {
  const char* folder = std::getenv("WENDRIX_TRANSLATIONS");
  if (!folder || !*folder) return {};
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
  const std::string path = WindowsPath(error ? std::string(folder) : absolute.string());
  std::vector<PoText> files;
  for (const TDirEntry& entry : ListDirectory(path)) {
    const std::string& name = entry.Name;
    if (entry.IsDirectory || name.size() < 4 || !SameText(name.substr(name.size() - 3), ".po")) {
      continue;
    }
    const std::string file = path + "\\" + name;
    try {
      files.push_back({std::string(folder) + "/" + name, ReadFileBytes(file)});
    } catch (const Exception& failure) {
      std::cerr << failure.what() << "\n";
    }
  }
  if (files.empty()) std::cerr << "WENDRIX_TRANSLATIONS: no PO file in " << folder << "\n";
  return files;
}

std::vector<uint8_t> WithPreview(std::vector<uint8_t> stream) {
  const std::vector<PoText> files = PreviewTranslations();
  if (files.empty()) return stream;
  std::vector<PoError> problems;
  std::vector<uint8_t> previewed = ImportFormTranslations(stream, files, &problems);
  for (const PoError& problem : problems) std::cerr << problem.what() << "\n";
  return previewed;
}

}  // namespace

void ReadEmbeddedForm(TComponent& form) {
  ReadFormStream(form, WithPreview(LoadResourceData(AsciiUpper(form.ClassName()))));
}

}  // namespace wdx
