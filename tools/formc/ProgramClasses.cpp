#include "tools/formc/ProgramClasses.h"

#include "framework/rtl/StrUtils.h"
#include "translations/CodeScanner.h"

namespace formc {

namespace {

class ClassScanner : public wdx::CodeScanner {
 public:
  ClassScanner(std::string_view text, const std::string& file, std::vector<std::string>& problems)
      : CodeScanner(text, file, problems) {}

  std::vector<TDeclaredClass> Run() {
    Scan();
    return std::move(found_);
  }

 private:
  void Word(std::string_view word) override {
    if (word != "WDX_FORM" && word != "WDX_CLASS" && word != "WDX_CONTROL") return;
    const int line = line_;
    const std::string macro(word);
    if (!Take('(')) return;  // the name alone, not a declaration
    std::vector<std::string> arguments{Name()};
    while (Take(',')) arguments.push_back(Name());
    bool named = Take(')');
    for (const std::string& argument : arguments) named = named && !argument.empty();
    if (macro == "WDX_CLASS" && named && arguments.size() == 1) {
      found_.push_back({arguments[0], "", file_, line, false, {}, {}});
    } else if (macro == "WDX_FORM" && named && arguments.size() >= 2) {
      found_.push_back({arguments[0],
                        arguments[1],
                        file_,
                        line,
                        true,
                        std::vector<std::string>(arguments.begin() + 2, arguments.end()),
                        {}});
    } else if (macro == "WDX_CONTROL" && named && arguments.size() == 2) {
      if (found_.empty() || !found_.back().Form) {
        return Problem(line, "WDX_CONTROL stands in a class declared with WDX_FORM");
      }
      found_.back().Controls.push_back({arguments[1], arguments[0], line});
    } else {
      Problem(line, macro + (macro == "WDX_FORM" ? " takes the class, its parent and its handlers"
                             : macro == "WDX_CLASS" ? " takes the class"
                                                    : " takes the control's class and its name"));
    }
  }

  std::vector<TDeclaredClass> found_;
};

}  // namespace

const TDeclaredClass* TProgramClasses::Find(std::string_view name) const {
  const auto found = byName_.find(wdx::AsciiUpper(name));
  return found == byName_.end() ? nullptr : &classes_[found->second];
}

std::vector<const TDeclaredClass*> TProgramClasses::Lineage(const TDeclaredClass& form) const {
  std::vector<const TDeclaredClass*> lineage;
  // A parent declared after its child, or a circle of them, ends the walk at the first repeat.
  for (const TDeclaredClass* at = &form; at && at->Form; at = Find(at->Parent)) {
    for (const TDeclaredClass* seen : lineage) {
      if (seen == at) return lineage;
    }
    lineage.push_back(at);
  }
  return lineage;
}

TProgramClasses ReadProgramClasses(const std::vector<std::pair<std::string, std::string>>& files,
                                   std::vector<std::string>& problems) {
  TProgramClasses classes;
  classes.given_ = !files.empty();
  for (const auto& [file, source] : files) {
    for (TDeclaredClass& declared : ClassScanner(source, file, problems).Run()) {
      const auto [at, fresh] =
          classes.byName_.emplace(wdx::AsciiUpper(declared.Name), classes.classes_.size());
      if (fresh) {
        classes.classes_.push_back(std::move(declared));
        continue;
      }
      const TDeclaredClass& first = classes.classes_[at->second];
      problems.push_back(file + ":" + std::to_string(declared.Line) + ": " + declared.Name +
                         " is declared at " + first.File + ":" + std::to_string(first.Line) +
                         " already");
    }
  }
  return classes;
}

}  // namespace formc
