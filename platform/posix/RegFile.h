// The text that the registry editor exports (version 5.00 in UTF-16LE with a byte-order mark,
// or REGEDIT4 in 8-bit text), parsed into a tree of keys. Only HKEY_LOCAL_MACHINE is kept.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wdx {

enum class TRegType { Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7, Qword = 11 };

struct TRegValue {
  TRegType Type = TRegType::Sz;
  std::string Text;      // string types: the text in the 8-bit code page
  bool Readable = true;  // false when the data of a string value was malformed
};

struct TRegKey {
  std::string Name;                                         // as first written
  std::map<std::string, std::unique_ptr<TRegKey>> Subkeys;  // by upper-case name
  std::map<std::string, TRegValue> Values;                  // by upper-case name ("" default)
};

// Parses the file's bytes; raises ERegistryException "<source>, line <n>: <reason>" for text
// that is no registry export.
std::unique_ptr<TRegKey> ParseRegFile(const std::string& bytes, const std::string& source);

// The key at a backslash-separated path below `root`, or nullptr.
const TRegKey* FindRegKey(const TRegKey& root, const std::string& path);

}  // namespace wdx
