#include "platform/metabase/MetabaseObjects.h"

#include <optional>

#include "framework/rtl/CodePage.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/System.h"

namespace wdx {

namespace {

const char* const kNotFound = "The system cannot find the path specified.";
const char* const kBadName = "The parameter is incorrect.";

// The IIS metabase path of a directory-service path: IIS://localhost/W3SVC/1/Root/x gives
// /LM/W3SVC/1/Root/x.
std::string MetabasePath(const std::string& path) {
  const std::string prefix = "IIS://localhost";
  if (path.size() >= prefix.size() && SameText(path.substr(0, prefix.size()), prefix)) {
    return "/LM" + path.substr(prefix.size());
  }
  return path;
}

// The value as the file holds it, in the system's code page.
std::string StoredText(const Variant& value) {
  if (value.VType() == varBoolean) return value.ToBoolean() ? "True" : "False";
  const std::optional<std::string> bytes = Utf8ToCodePage(value.ToString(), SystemCodePage());
  if (!bytes) throw EMetabaseError(kBadName, metabase_code::kInvalidArg);
  return *bytes;
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// What a line of the file can hold as a property name: the name must read back as itself.
bool IsStorableName(const std::string& name) {
  return !name.empty() && Trim(name) == name && name.find('=') == std::string::npos &&
         !HasLineBreak(name) && name[0] != '[' && name[0] != ';' && name[0] != '#';
}

// What a section header can hold as a child's name.
bool IsStorableChild(const std::string& name) {
  return !name.empty() && Trim(name) == name && name.find_first_of("/]\r\n") == std::string::npos;
}

}  // namespace

bool TMetabaseFile::Exists() const {
  return FileExists(path_);
}

TMetabase TMetabaseFile::Load() const {
  std::string text;
  try {
    text = ReadFileBytes(path_);
  } catch (const Exception& error) {
    throw EMetabaseError(error.Message(), metabase_code::kFail);
  }
  return TMetabase::Parse(text, source_);
}

void TMetabaseFile::Update(const std::function<void(TMetabase&)>& edit) const {
  std::optional<TFileUpdate> file;
  TMetabase metabase;
  try {
    file.emplace(path_, TFileErrors::InOut);
    metabase = TMetabase::Parse(file->Bytes(), source_);
  } catch (const EInOutError& error) {
    throw FileError(error);
  } catch (const EMetabaseError&) {
    throw;
  } catch (const Exception& error) {
    throw EMetabaseError(error.Message(), metabase_code::kFail);
  }
  edit(metabase);
  try {
    file->Replace(metabase.Text());
  } catch (const EInOutError& error) {
    throw FileError(error);
  } catch (const Exception& error) {
    throw EMetabaseError(error.Message(), metabase_code::kFail);
  }
}

EMetabaseError TMetabaseFile::FileError(const EInOutError& error) {
  const auto code = static_cast<uint32_t>(error.ErrorCode());
  const std::string text = SystemErrorMessage(code);
  return EMetabaseError(text.empty() ? error.Message() : text, metabase_code::FromSystem(code));
}

bool TMetabaseObject::IsMethod(const std::string& name) {
  for (const char* method :
       {"SetInfo", "Create", "Delete", "AppCreate", "AppDelete", "AppDisable"}) {
    if (SameText(name, method)) return true;
  }
  return false;
}

std::unique_ptr<TMetabaseObject> TMetabaseObject::Invoke(const std::string& method,
                                                         const std::vector<Variant>& args) {
  auto expect = [&](size_t count) {
    if (args.size() != count) {
      throw EMetabaseError("Invalid number of parameters.", metabase_code::kBadParamCount);
    }
  };
  if (SameText(method, "SetInfo")) {
    expect(0);
    SetInfo();
  } else if (SameText(method, "Create")) {
    expect(2);
    return Create(args[0].ToString(), args[1].ToString());
  } else if (SameText(method, "Delete")) {
    expect(2);
    Delete(args[1].ToString());
  } else if (SameText(method, "AppCreate")) {
    expect(1);
    AppCreate(args[0].ToBoolean());
  } else if (SameText(method, "AppDelete")) {
    expect(0);
    AppDelete();
  } else if (SameText(method, "AppDisable")) {
    expect(0);  // changes nothing stored
  } else {
    throw EMetabaseError(Format("Method '%s' not supported by automation object", method.c_str()),
                         metabase_code::kMemberNotFound);
  }
  return nullptr;
}

void TMetabaseObject::Put(const std::string& property, const Variant& value) {
  if (!IsStorableName(property) || HasLineBreak(StoredText(value))) {
    throw EMetabaseError(kBadName, metabase_code::kInvalidArg);
  }
  for (auto& [name, pending] : pending_) {
    if (SameText(name, property)) {
      pending = value;
      return;
    }
  }
  pending_.emplace_back(property, value);
}

Variant TMetabaseObject::Get(const std::string& property) const {
  for (const auto& [name, pending] : pending_) {
    if (SameText(name, property)) return pending;
  }
  std::string stored;
  if (file_->Load().Get(path_, property, stored)) {
    if (SameText(stored, "True") || SameText(stored, "False")) return SameText(stored, "True");
    return CodePageToUtf8(stored, SystemCodePage());
  }
  if (SameText(property, "Class") && !newClass_.empty()) return newClass_;
  if (SameText(property, "Name")) return path_.substr(path_.rfind('/') + 1);
  if (SameText(property, "ADsPath")) return path_;
  throw EMetabaseError("The directory property cannot be found in the cache.",
                       metabase_code::kPropertyNotFound);
}

void TMetabaseObject::EnsureSection(TMetabase& metabase) const {
  if (!metabase.Has(path_)) {
    if (newClass_.empty()) throw EMetabaseError(kNotFound, metabase_code::kPathNotFound);
    metabase.Set(path_, "Class", newClass_);
  }
}

void TMetabaseObject::SetInfo() {
  file_->Update([&](TMetabase& metabase) {
    EnsureSection(metabase);
    for (const auto& [name, value] : pending_) metabase.Set(path_, name, StoredText(value));
  });
  pending_.clear();
  newClass_.clear();
}

std::unique_ptr<TMetabaseObject> TMetabaseObject::Create(const std::string& className,
                                                         const std::string& name) {
  if (!IsStorableChild(name) || HasLineBreak(className)) {
    throw EMetabaseError(kBadName, metabase_code::kInvalidArg);
  }
  const TMetabase metabase = file_->Load();
  // The parent must have been written before its children can be.
  if (!metabase.Has(path_)) throw EMetabaseError(kNotFound, metabase_code::kPathNotFound);
  const std::string child = path_ + "/" + name;
  if (metabase.Has(child)) {
    throw EMetabaseError("Cannot create a file when that file already exists.",
                         metabase_code::kAlreadyExists);
  }
  return std::make_unique<TMetabaseObject>(file_, child, className);
}

void TMetabaseObject::Delete(const std::string& name) {
  file_->Update([&](TMetabase& metabase) {
    if (!metabase.RemoveTree(path_ + "/" + name)) {
      throw EMetabaseError(kNotFound, metabase_code::kPathNotFound);
    }
  });
}

// The application settings change at once; a created object comes into being here, with its
// class, while its property writes still wait for SetInfo.
void TMetabaseObject::AppCreate(bool inProcess) {
  file_->Update([&](TMetabase& metabase) {
    EnsureSection(metabase);
    metabase.Set(path_, "AppRoot", MetabasePath(path_));
    metabase.Set(path_, "AppIsolated", inProcess ? "0" : "1");
  });
  newClass_.clear();
}

void TMetabaseObject::AppDelete() {
  file_->Update([&](TMetabase& metabase) {
    EnsureSection(metabase);
    metabase.Erase(path_, "AppRoot");
    metabase.Erase(path_, "AppIsolated");
  });
  newClass_.clear();
}

std::unique_ptr<TMetabaseObject> OpenMetabaseObject(
    const std::shared_ptr<const TMetabaseFile>& file, const std::string& path) {
  if (!file || !file->Exists() || !file->Load().Has(path)) return nullptr;
  return std::make_unique<TMetabaseObject>(file, path);
}

namespace {

class TMetabaseService : public IDirectoryService {
 public:
  explicit TMetabaseService(std::shared_ptr<const TMetabaseFile> file) : file_(std::move(file)) {}
  bool Installed() override { return file_ != nullptr; }
  std::unique_ptr<IAutomationObject> Lookup(const std::string& path) override {
    return OpenMetabaseObject(file_, path);
  }

 private:
  std::shared_ptr<const TMetabaseFile> file_;
};

}  // namespace

std::unique_ptr<IDirectoryService> CreateMetabaseService(
    std::shared_ptr<const TMetabaseFile> file) {
  return std::make_unique<TMetabaseService>(std::move(file));
}

}  // namespace wdx
