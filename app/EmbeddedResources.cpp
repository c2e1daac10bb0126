// What a program embeds, read as it starts: its form with a translator's preview on top
// (ReadEmbeddedForm), and the translations of its code's texts and the library's
// (LoadProgramTexts).
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/EmbeddedForm.h"
#include "app/ProgramTexts.h"
#include "framework/components/Component.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/TextCatalogue.h"
#include "platform/Files.h"
#include "platform/Resources.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"
#include "translations/library/LibraryTexts.h"

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

// The texts of the program's code and the library's that its catalogue lists in English: what a
// preview's PO files may translate beside the form's.
std::vector<TOtherText>& SourceTexts() {
  static std::vector<TOtherText> texts;
  return texts;
}

std::vector<uint8_t> WithPreview(std::vector<uint8_t> stream) {
  const std::vector<PoText> files = PreviewTranslations();
  if (files.empty()) return stream;
  std::vector<PoError> problems;
  TProgramTranslations previewed =
      ImportProgramTranslations(stream, files, SourceTexts(), &problems);
  for (const PoError& problem : problems) std::cerr << problem.what() << "\n";
  text_catalogue::Add(text_catalogue::TLayer::kProgram, previewed.Texts);
  return std::move(previewed.Form);
}

}  // namespace

void LoadProgramTexts() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  text_catalogue::Add(text_catalogue::TLayer::kLibrary, text_catalogue::Decode(LibraryTexts()));
  std::vector<uint8_t> bytes;
  try {
    bytes = LoadResourceData("WENDRIXTEXTS");
  } catch (const EResNotFound&) {
    return;  // a program whose code marks no texts
  }
  std::vector<text_catalogue::TEntry> entries = text_catalogue::Decode(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  for (const text_catalogue::TEntry& entry : entries) {
    if (entry.Language == text_catalogue::kSourceLanguage)
      SourceTexts().push_back({entry.Name, entry.Text});
  }
  text_catalogue::Add(text_catalogue::TLayer::kProgram, entries);
}

void ReadEmbeddedForm(TComponent& form) {
  LoadProgramTexts();
  ReadFormStream(form, WithPreview(LoadResourceData(AsciiUpper(form.ClassName()))));
}

}  // namespace wdx
