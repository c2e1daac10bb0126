// The directory-service objects of the IIS stand-in file, with the semantics of IIS's own that
// the setup program relies on. The POSIX build's directory service and the Windows build's test
// provider (an in-process COM server) both serve their objects from here.
//
// - A lookup yields an object when the file has a section of that path, else nothing; no file
//   means no objects.
// - Create(class, name) returns a new child, written with its Class at its first SetInfo;
//   property writes stay in the object until SetInfo writes them.
// - Delete(class, name) removes the child and every section below it at once.
// - AppCreate(inProcess) sets AppRoot and AppIsolated at once, AppDelete removes both at once,
//   AppDisable changes nothing stored; any other method is not supported.
// - The file is read before and written after every change, so that every object sees the
//   same configuration; every write replaces the file through the platform's file layer.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/rtl/Exceptions.h"
#include "platform/DirectoryService.h"
#include "platform/metabase/MetabaseText.h"

namespace wdx {

// The stand-in file, by its Windows path.
class TMetabaseFile {
 public:
  // `source` names the file in the messages about its content.
  TMetabaseFile(std::string path, std::string source)
      : path_(std::move(path)), source_(std::move(source)) {}

  bool Exists() const;
  // Raises EMetabaseError for a file that cannot be read or is no stand-in file.
  TMetabase Load() const;
  // A change of the file: it is read under its lock, which is held until `edit`'s result has
  // replaced it, so that no other writer's change is lost. Raises EMetabaseError with the
  // system's text when the file cannot be locked or replaced, and what `edit` raises.
  void Update(const std::function<void(TMetabase&)>& edit) const;

 private:
  // The directory-service error of a file that cannot be locked or replaced: the system's text.
  static EMetabaseError FileError(const EInOutError& error);

  std::string path_;
  std::string source_;
};

class TMetabaseObject : public IAutomationObject {
 public:
  // An object whose section exists, or (with its class) a created one not yet written.
  TMetabaseObject(std::shared_ptr<const TMetabaseFile> file, std::string path,
                  std::string newClass = {})
      : file_(std::move(file)), path_(std::move(path)), newClass_(std::move(newClass)) {}

  // Whether `name` is one of the objects' methods (compared ignoring ASCII case).
  static bool IsMethod(const std::string& name);

  // Runs a method; returns the object that Create makes, else nullptr. Failures raise
  // EMetabaseError.
  std::unique_ptr<TMetabaseObject> Invoke(const std::string& method,
                                          const std::vector<Variant>& args);
  std::unique_ptr<IAutomationObject> Call(const std::string& method,
                                          const std::vector<Variant>& args) override {
    return Invoke(method, args);
  }
  void Put(const std::string& property, const Variant& value) override;
  // A property: the value put and not yet written, else the stored one ("True" and "False" as
  // Booleans, others as strings); Name and ADsPath when not stored. Raises EMetabaseError when
  // the object has no such property.
  Variant Get(const std::string& property) const;

  const std::string& Path() const { return path_; }

 private:
  // Gives a created object its section, with its class, when the file lacks it.
  void EnsureSection(TMetabase& metabase) const;
  void SetInfo();
  std::unique_ptr<TMetabaseObject> Create(const std::string& className, const std::string& name);
  void Delete(const std::string& name);
  void AppCreate(bool inProcess);
  void AppDelete();

  std::shared_ptr<const TMetabaseFile> file_;
  std::string path_;
  std::string newClass_;  // the class of a created object until its section is written
  std::vector<std::pair<std::string, Variant>> pending_;  // property writes in order
};

// The object at `path`, or nullptr when the file or the section is missing. Raises
// EMetabaseError for a file that cannot be read or is no stand-in file.
std::unique_ptr<TMetabaseObject> OpenMetabaseObject(
    const std::shared_ptr<const TMetabaseFile>& file, const std::string& path);

// A directory service over the stand-in file; none is installed when `file` is null.
std::unique_ptr<IDirectoryService> CreateMetabaseService(std::shared_ptr<const TMetabaseFile> file);

}  // namespace wdx
