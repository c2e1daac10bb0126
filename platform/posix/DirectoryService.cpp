#include "platform/DirectoryService.h"

#include <cstdlib>

#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "platform/Files.h"
#include "platform/posix/Metabase.h"

namespace wdx {

namespace {

const char* const kNotFound = "The system cannot find the path specified.";

// The stand-in file: read before and written after every change, so that every object sees
// the same configuration.
class MetabaseFile {
 public:
  explicit MetabaseFile(std::string nativePath) : path_(std::move(nativePath)) {}

  TMetabase Load() const { return TMetabase::Parse(ReadFileBytes(WindowsPath(path_)), path_); }

  // A change of the file: read under the file's lock, which is held until it is saved or
  // dropped, so that no other writer's change is lost.
  struct Editing {
    explicit Editing(const std::string& path)
        : file(WindowsPath(path), TFileErrors::SystemText),
          metabase(TMetabase::Parse(file.Bytes(), path)) {}
    void Save() {
      try {
        file.Replace(metabase.Text());
      } catch (const EOSError& error) {
        throw EOleException(error.Message());  // the system's text, as the service reports it
      }
    }
    TFileUpdate file;
    TMetabase metabase;
  };
  Editing Change() const { return Editing(path_); }

 private:
  std::string path_;
};

// The IIS metabase path of a directory-service path: IIS://localhost/W3SVC/1/Root/x gives
// /LM/W3SVC/1/Root/x.
std::string MetabasePath(const std::string& path) {
  const std::string prefix = "IIS://localhost";
  if (path.size() >= prefix.size() && SameText(path.substr(0, prefix.size()), prefix)) {
    return "/LM" + path.substr(prefix.size());
  }
  return path;
}

std::string ArgText(const Variant& value) {
  if (value.VType() == varBoolean) return value.ToBoolean() ? "True" : "False";
  return value.ToString();
}

class MetabaseObject : public IAutomationObject {
 public:
  MetabaseObject(std::shared_ptr<const MetabaseFile> file, std::string path, std::string className)
      : file_(std::move(file)), path_(std::move(path)), newClass_(std::move(className)) {}

  std::unique_ptr<IAutomationObject> Call(const std::string& method,
                                          const std::vector<Variant>& args) override {
    if (SameText(method, "SetInfo")) {
      SetInfo();
    } else if (SameText(method, "Create")) {
      return Create(Arg(args, 0), Arg(args, 1));
    } else if (SameText(method, "Delete")) {
      Delete(Arg(args, 1));
    } else if (SameText(method, "AppCreate")) {
      const bool inProcess = !args.empty() && args[0].ToBoolean();
      Change([&](TMetabaseSection& section) {
        section.Set("AppRoot", MetabasePath(path_));
        section.Set("AppIsolated", inProcess ? "0" : "1");
      });
    } else if (SameText(method, "AppDelete")) {
      Change([](TMetabaseSection& section) {
        section.Erase("AppRoot");
        section.Erase("AppIsolated");
      });
    } else if (!SameText(method, "AppDisable")) {  // AppDisable changes nothing stored
      throw EOleException(Format("Method '%s' not supported by automation object", method.c_str()));
    }
    return nullptr;
  }

  void Put(const std::string& property, const Variant& value) override {
    for (auto& [name, text] : pending_) {
      if (SameText(name, property)) {
        text = ArgText(value);
        return;
      }
    }
    pending_.emplace_back(property, ArgText(value));
  }

 private:
  static std::string Arg(const std::vector<Variant>& args, size_t index) {
    if (index >= args.size()) throw EOleException("Invalid number of parameters.");
    return args[index].ToString();
  }

  // Applies a change to this object's section at once. A created object that has not been
  // written yet comes into being here, with its class; its property writes still wait for
  // SetInfo.
  template <class Edit>
  void Change(Edit edit) {
    auto change = file_->Change();
    TMetabase& metabase = change.metabase;
    TMetabaseSection* section = metabase.Find(path_);
    if (!section) {
      if (newClass_.empty()) throw EOleException(kNotFound);
      section = &metabase.Add(path_);
      section->Set("Class", newClass_);
    }
    edit(*section);
    change.Save();
    newClass_.clear();
  }

  void SetInfo() {
    auto change = file_->Change();
    TMetabase& metabase = change.metabase;
    TMetabaseSection* section = metabase.Find(path_);
    if (!section) {
      if (newClass_.empty()) throw EOleException(kNotFound);
      section = &metabase.Add(path_);
      section->Set("Class", newClass_);
    }
    for (const auto& [name, value] : pending_) section->Set(name, value);
    change.Save();
    pending_.clear();
    newClass_.clear();
  }

  std::unique_ptr<IAutomationObject> Create(const std::string& className, const std::string& name) {
    const std::string child = path_ + "/" + name;
    TMetabase metabase = file_->Load();
    if (metabase.Find(child)) {
      throw EOleException("Cannot create a file when that file already exists.");
    }
    return std::make_unique<MetabaseObject>(file_, child, className);
  }

  void Delete(const std::string& name) {
    auto change = file_->Change();
    TMetabase& metabase = change.metabase;
    if (!metabase.RemoveTree(path_ + "/" + name)) throw EOleException(kNotFound);
    change.Save();
  }

  std::shared_ptr<const MetabaseFile> file_;
  std::string path_;
  std::string newClass_;  // the class of a created object until its first SetInfo
  std::vector<std::pair<std::string, std::string>> pending_;
};

class MetabaseService : public IDirectoryService {
 public:
  MetabaseService() {
    const char* path = std::getenv("WENDRIX_METABASE");
    if (path && *path) file_ = std::make_shared<MetabaseFile>(path);
  }

  bool Installed() override { return file_ != nullptr; }

  std::unique_ptr<IAutomationObject> Lookup(const std::string& path) override {
    if (!file_) return nullptr;
    try {
      TMetabase metabase = file_->Load();
      if (!metabase.Find(path)) return nullptr;
    } catch (const Exception&) {
      return nullptr;  // an unreadable stand-in is an IIS that cannot be reached
    }
    return std::make_unique<MetabaseObject>(file_, path, "");
  }

 private:
  std::shared_ptr<const MetabaseFile> file_;
};

}  // namespace

std::unique_ptr<IDirectoryService> CreateDirectoryService() {
  return std::make_unique<MetabaseService>();
}

}  // namespace wdx
