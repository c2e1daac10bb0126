// The classes a program declares for its forms, as formc reads them from the C++ files that
// wendrix_add_form's CLASSES names: WDX_FORM(<class>, <parent>, <handler>...) declares a form class
// with the handlers it publishes, WDX_CONTROL(<class>, <name>) inside it a control it binds by name
// (framework/controls/FormClass.h), and WDX_CLASS(<class>) any other class of the program's own,
// a control class it registers. Comments, literals and #define lines are passed over.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace formc {

struct TDeclaredControl {
  std::string Name;
  std::string Class;  // without its namespace
  int Line = 0;
};

struct TDeclaredClass {
  std::string Name;
  std::string Parent;  // of a form class; without its namespace
  std::string File;
  int Line = 0;
  bool Form = false;  // declared with WDX_FORM: its handlers and controls are known
  std::vector<std::string> Handlers;
  std::vector<TDeclaredControl> Controls;
};

class TProgramClasses {
 public:
  // Whether any files were read: without them nothing is known of the program's classes.
  bool Given() const { return given_; }
  // The class of that name (ASCII case ignored), or nullptr.
  const TDeclaredClass* Find(std::string_view name) const;
  // The form class and its declared form ancestors, the class first.
  std::vector<const TDeclaredClass*> Lineage(const TDeclaredClass& form) const;

  friend TProgramClasses ReadProgramClasses(
      const std::vector<std::pair<std::string, std::string>>& files,
      std::vector<std::string>& problems);

 private:
  bool given_ = false;
  std::vector<TDeclaredClass> classes_;
  std::unordered_map<std::string, size_t> byName_;  // upper-case name: its class
};

// The declarations of the files (path, contents); a malformed one, or a class declared twice, is
// a problem "<file>:<line>: <what>" added to `problems`.
TProgramClasses ReadProgramClasses(const std::vector<std::pair<std::string, std::string>>& files,
                                   std::vector<std::string>& problems);

}  // namespace formc
