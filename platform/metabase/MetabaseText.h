// The IIS stand-in file as text: one section per directory-service object, named by its path,
// then Name=Value lines; lines starting with ';' or '#' are comments.
//
//   [IIS://localhost/W3SVC/1/Root]
//   Class=IIsWebVirtualDir
//   Path=C:\Inetpub\wwwroot
//
// The model keeps every line as it was read, with its line end, and an edit rewrites, inserts
// or removes only the lines it concerns, so that the file's comments, blank lines, line ends
// and order survive every rewrite. A section that appears more than once is one object whose
// values stay in the blocks where they were written. Paths and names compare ignoring ASCII
// case. Parsing and writing are linear in the size of the text; an edit costs the size of the
// object it touches (removing a tree: the number of objects).
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/DirectoryService.h"

namespace wdx {

// A failure of the stand-in with the automation error code that a provider reports for it.
class EMetabaseError : public EOleException {
 public:
  EMetabaseError(std::string message, uint32_t code)
      : EOleException(std::move(message)), code_(code) {}
  const char* ClassName() const override { return "EMetabaseError"; }
  uint32_t Code() const { return code_; }

 private:
  uint32_t code_;
};

// The automation error codes of the stand-in's failures.
namespace metabase_code {
inline constexpr uint32_t kFileNotFound = 0x80070002;   // the system's code 2
inline constexpr uint32_t kPathNotFound = 0x80070003;   // the system's code 3
inline constexpr uint32_t kInvalidData = 0x8007000D;    // the system's code 13
inline constexpr uint32_t kInvalidArg = 0x80070057;     // the system's code 87
inline constexpr uint32_t kAlreadyExists = 0x800700B7;  // the system's code 183
inline constexpr uint32_t kMemberNotFound = 0x80020003;
inline constexpr uint32_t kBadParamCount = 0x8002000E;
inline constexpr uint32_t kPropertyNotFound = 0x8000500D;
inline constexpr uint32_t kFail = 0x80004005;
// The automation code of a system error code.
constexpr uint32_t FromSystem(uint32_t code) {
  return code == 0 ? kFail : (code & 0xFFFF) | 0x80070000;
}
}  // namespace metabase_code

class TMetabase {
 public:
  TMetabase() = default;
  TMetabase(TMetabase&&) = default;
  TMetabase& operator=(TMetabase&&) = default;
  // The lines are shared with the index; a copy would point into the original.
  TMetabase(const TMetabase&) = delete;
  TMetabase& operator=(const TMetabase&) = delete;

  // Raises EMetabaseError "<source>, line <n>: <reason>" for text that is no stand-in file.
  static TMetabase Parse(std::string_view text, const std::string& source);
  std::string Text() const;

  bool Has(const std::string& path) const;
  // The value of the object's property: the first line that names it. False when the object or
  // the property is missing.
  bool Get(const std::string& path, const std::string& name, std::string& value) const;
  // Rewrites the value of the first line that names the property, keeping the line's name and
  // line end; a new property gets a line after the object's last value. A missing object is
  // added first.
  void Set(const std::string& path, const std::string& name, const std::string& value);
  // Removes every line of the object that names the property.
  void Erase(const std::string& path, const std::string& name);
  // Adds a section for the path at the end of the file, unless it has one.
  void Add(const std::string& path);
  // Removes every block of the object and of every object below it; false when the path has no
  // section.
  bool RemoveTree(const std::string& path);

 private:
  enum class TLineKind { Other, Header, Value };
  struct TLine {
    std::string Text;  // with its line end
    TLineKind Kind = TLineKind::Other;
  };
  using TLineRef = std::list<TLine>::iterator;
  struct TObject {
    std::vector<TLineRef> Headers;  // one per block, in file order
    TLineRef Tail;                  // the last value line of the last block, or its header
    std::unordered_map<std::string, std::vector<TLineRef>> Values;  // by upper-case name
  };

  TObject* Find(const std::string& path);
  const TObject* Find(const std::string& path) const;
  TObject& Object(const std::string& path);
  void AddValue(TObject& object, const std::string& name, TLineRef line);

  std::list<TLine> lines_;
  std::unordered_map<std::string, TObject> objects_;  // by upper-case path
  std::string lineEnd_ = "\n";                        // the file's first line end
};

}  // namespace wdx
