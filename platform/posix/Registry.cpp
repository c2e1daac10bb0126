#include "platform/Registry.h"

#include <cstdlib>

#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "platform/Files.h"
#include "platform/posix/RegFile.h"

namespace wdx {

namespace {

// HKEY_LOCAL_MACHINE as the .reg file of WENDRIX_REGISTRY describes it, read at creation.
class RegFileRegistry : public IRegistry {
 public:
  RegFileRegistry() : root_(std::make_unique<TRegKey>()) {
    const char* file = std::getenv("WENDRIX_REGISTRY");
    if (file && *file) root_ = ParseRegFile(ReadFileBytes(WindowsPath(file)), file);
  }

  bool KeyExists(const std::string& key) override { return FindRegKey(*root_, key) != nullptr; }

  bool OpenKeyReadOnly(const std::string& key) override {
    current_ = FindRegKey(*root_, key);
    return current_ != nullptr;
  }

  std::vector<std::string> GetKeyNames() override {
    std::vector<std::string> names;
    if (!current_) return names;
    for (const auto& [upper, key] : current_->Subkeys) names.push_back(key->Name);
    return names;
  }

  std::string ReadString(const std::string& name) override {
    if (!current_) return {};
    const auto it = current_->Values.find(AsciiUpper(name));
    if (it == current_->Values.end()) return {};
    const TRegValue& value = it->second;
    if (value.Type != TRegType::Sz && value.Type != TRegType::ExpandSz) {
      throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
    }
    if (!value.Readable)
      throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
    return value.Text.substr(0, value.Text.find('\0'));
  }

  void CloseKey() override { current_ = nullptr; }

 private:
  std::unique_ptr<TRegKey> root_;
  const TRegKey* current_ = nullptr;
};

}  // namespace

std::unique_ptr<IRegistry> CreateMachineRegistry() {
  return std::make_unique<RegFileRegistry>();
}

}  // namespace wdx
