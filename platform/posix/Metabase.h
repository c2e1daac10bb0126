// The IIS stand-in file: one section per directory-service object, named by its path, then
// Name=Value lines.
//
//   [IIS://localhost/W3SVC/1/Root]
//   Class=IIsWebVirtualDir
//   Path=C:\Inetpub\wwwroot
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wdx {

struct TMetabaseSection {
  std::string Path;
  std::vector<std::pair<std::string, std::string>> Values;  // in file order

  // Sets a value (names compare ignoring ASCII case), keeping the place of an existing one.
  void Set(const std::string& name, const std::string& value);
  void Erase(const std::string& name);
};

class TMetabase {
 public:
  // Raises EOleException "<source>, line <n>: <reason>" for text that is no stand-in file.
  static TMetabase Parse(const std::string& text, const std::string& source);
  std::string Text() const;

  // The section of that path (compared ignoring ASCII case), or nullptr.
  TMetabaseSection* Find(const std::string& path);
  TMetabaseSection& Add(const std::string& path);
  // Removes the section and every section below it; false when the path has no section.
  bool RemoveTree(const std::string& path);

 private:
  std::vector<TMetabaseSection> sections_;
};

}  // namespace wdx
