#include "tools/formc/Translations.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "tools/formc/Files.h"
#include "tools/formc/FormSource.h"
#include "tools/formc/Outputs.h"
#include "translations/FormCatalogues.h"
#include "translations/FormTranslations.h"
#include "translations/PoMerge.h"
#include "translations/TextTranslations.h"

namespace formc {

namespace {

namespace fs = std::filesystem;

std::vector<wdx::PoText> ReadPoFiles(const std::vector<std::string>& pos) {
  std::vector<wdx::PoText> files;
  for (const std::string& po : pos) files.push_back({po, ReadFile(po)});
  return files;
}

// A reference "<path>:<line>" of the template, whose path is from the template's folder, as it
// reads from `folder`.
std::string Rebased(const std::string& reference, const fs::path& templateFolder,
                    const fs::path& folder) {
  const size_t colon = reference.rfind(':');
  if (colon == std::string::npos || colon == 0) return reference;
  const fs::path file = (templateFolder / reference.substr(0, colon)).lexically_normal();
  return file.lexically_relative(folder).generic_string() + reference.substr(colon);
}

}  // namespace

void CompileProgramForm(const std::string& source, const std::string& prefix,
                        const std::vector<std::string>& pos, const TTextSources& texts,
                        const TProgramClasses& classes, const std::string& programIcon) {
  wdx::TFormSourceMap map;
  const std::vector<uint8_t> stream = CompileForm(source, classes, map);
  // A form with the program's code texts carries their catalogue; another one only when its PO
  // files translate texts of the library.
  const bool catalogued = !texts.Code.empty();
  const TProgramTexts others = ReadProgramTexts(texts);
  if (pos.empty() && !catalogued) return WriteOutputs(prefix, stream, std::nullopt, programIcon);
  const std::vector<wdx::PoText> files = ReadPoFiles(pos);
  const wdx::TProgramTranslations translated = WithLanguageLibrary([&] {
    try {
      return wdx::ImportProgramTranslations(stream, files, others.All());
    } catch (const wdx::PoErrors&) {
      throw;
    } catch (const std::exception& error) {
      throw std::runtime_error(source + ": " + error.what());
    }
  });
  if (!catalogued && translated.Texts.empty())
    return WriteOutputs(prefix, translated.Form, {}, programIcon);
  // The catalogue holds the program's texts in English too (as the language "*"), so that a
  // translator's preview at run time can check its PO files against them.
  std::vector<wdx::text_catalogue::TEntry> catalogue;
  for (const wdx::TOtherText& text : others.All()) {
    catalogue.push_back({wdx::text_catalogue::kSourceLanguage, text.Name, text.English});
  }
  catalogue.insert(catalogue.end(), translated.Texts.begin(), translated.Texts.end());
  WriteOutputs(prefix, translated.Form, wdx::text_catalogue::Encode(catalogue), programIcon);
}

int WriteTemplate(const std::string& source, const std::string& templatePath,
                  const TTextSources& texts) {
  const fs::path folder = fs::absolute(templatePath).parent_path();
  const std::vector<wdx::PoEntry> more = ReadProgramTexts(texts).Messages(folder.string());
  if (source == "-") {
    WriteChanged(templatePath,
                 wdx::WriteTextTemplate(fs::path(templatePath).stem().string(), more));
    return 0;
  }
  wdx::TFormSourceMap map;
  const std::vector<uint8_t> stream = CompileForm(source, TProgramClasses(), map);
  wdx::TemplateSource from{fs::absolute(source).lexically_relative(folder).generic_string(), &map};
  WriteChanged(templatePath,
               WithLanguageLibrary([&] { return wdx::WriteFormTemplate(stream, &from, more); }));
  return 0;
}

int UpdateTranslations(const std::string& templatePath, const std::vector<std::string>& pos) {
  const std::string pot = ReadFile(templatePath);
  const fs::path templateFolder = fs::absolute(templatePath).parent_path();
  int status = 0;
  for (const std::string& po : pos) {
    const fs::path folder = fs::absolute(po).parent_path();
    const auto rebase = [&](const std::string& reference) {
      return folder == templateFolder ? reference : Rebased(reference, templateFolder, folder);
    };
    try {
      WriteChanged(po, wdx::MergePoFile(ReadFile(po), po, pot, templatePath, rebase));
    } catch (const std::exception& error) {
      std::cerr << error.what() << "\n";
      status = 1;
    }
  }
  return status;
}

int WriteLibraryCatalogue(const std::string& prefix, const std::string& function,
                          const std::vector<std::string>& pos, const TTextSources& texts) {
  const TProgramTexts others = ReadProgramTexts(texts);
  WriteCatalogueSource(
      prefix, function,
      wdx::text_catalogue::Encode(wdx::ImportTextTranslations(ReadPoFiles(pos), others.All())));
  return 0;
}

}  // namespace formc
