#include "app/FrontEndChoice.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "app/ProgramTexts.h"
#include "framework/controls/Form.h"
#include "framework/ui/PlatformFrontEnd.h"
#include "framework/ui/scripted/ScriptedFrontEnd.h"
#include "platform/Console.h"
#include "platform/Files.h"

namespace wdx {

namespace {

// The form's language control, found by its class.
TComponent* LanguageControlOf(const TCustomForm& form) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    if (auto* control = ObjectCast<TLangControl>(form.Components(i))) return control;
  }
  return nullptr;
}

// The scripted front-end over a script file it owns.
class FileScriptedFrontEnd : public TFrontEnd {
 public:
  explicit FileScriptedFrontEnd(const std::string& path)
      : file_(path), ui_(file_, std::cout, LanguageControlOf) {}
  bool Opened() const { return file_.is_open(); }
  int Run(TCustomForm& form) override { return ui_.Run(form); }

 private:
  std::ifstream file_;
  TScriptedFrontEnd ui_;
};

}  // namespace

std::unique_ptr<TFrontEnd> ChooseFrontEnd(int& exitCode) {
  LoadProgramTexts();  // whatever the front-end says speaks the program's language
  const char* ui = std::getenv("WENDRIX_UI");
  const std::string choice = ui ? ui : "";
  if (choice.rfind("script:", 0) == 0) {
    UseBinaryStandardOutput();  // the lines end in LF on every build
    const std::string script = choice.substr(7);
    if (script == "-") {
      return std::make_unique<TScriptedFrontEnd>(std::cin, std::cout, LanguageControlOf);
    }
    auto frontEnd = std::make_unique<FileScriptedFrontEnd>(script);
    if (!frontEnd->Opened()) {
      std::cerr << "script: cannot open " << script << "\n";
      exitCode = 3;
      return nullptr;
    }
    return frontEnd;
  }
  if (!choice.empty()) {
    std::cerr << "WENDRIX_UI: unknown front-end '" << choice << "'\n";
    exitCode = 2;
    return nullptr;
  }
  TFileBrowsing files;
  files.ListFolder = [](const std::string& folder) {
    std::vector<TFolderEntry> entries;
    for (const TDirEntry& entry : ListDirectory(folder)) {
      entries.push_back({entry.Name, entry.IsDirectory});
    }
    return entries;
  };
  files.FolderExists = [](const std::string& folder) { return DirectoryExists(folder); };
  return CreatePlatformFrontEnd(exitCode, std::move(files));
}

}  // namespace wdx
