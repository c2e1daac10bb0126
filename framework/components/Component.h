// Components: named objects with an owner that releases them, free notification, and the
// loading and designing states.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/components/NameIndex.h"
#include "framework/components/Persistent.h"
#include "framework/rtti/ObjectStore.h"
#include "framework/rtti/Set.h"
#include "framework/rtti/StoreVector.h"
#include "framework/rtti/TypeInfo.h"

namespace wdx {

enum TComponentStateFlag : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation : uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  WDX_CLASS(TComponent)
  using CreateArg = TComponent*;

  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  const std::string& Name() const { return name_; }
  // Renames through the virtual SetName, with the framework's name check.
  void Rename(const std::string& name) { SetName(name); }
  // How many times a component of the process has changed its name: whoever keeps what it
  // took from names can tell whether it may still hold.
  static uint64_t NameChanges() { return nameChanges_; }
  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() const override { return owner_; }

  int ComponentCount() const { return owned_ ? static_cast<int>(owned_->components.size()) : 0; }
  TComponent* Components(int index) const;
  // The owned component of that name (ignoring ASCII case), or nullptr. Constant time.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  // Asks for a removal notice when `component` is destroyed (and gives one the other way).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  virtual void Notification(TComponent* component, TOperation operation);
  // Called on each component that asked for `component`'s removal notice just before
  // `component` takes another name.
  virtual void Renaming(TComponent* component);

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(csLoading); }
  bool IsDesigning() const { return state_.Contains(csDesigning); }
  bool IsDestroying() const { return state_.Contains(csDestroying); }
  // Enters the loading state (the form reader does this before applying stored values).
  void BeginLoading();
  // Called once the component's stored values are applied; leaves the loading state.
  virtual void Loaded();
  // Puts the component and everything it owns into (or out of) the designing state.
  void SetDesigning(bool designing);
  void Destroying();

  int32_t Tag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

  // The design-time position of a non-visual component: Left in the low 16 bits, Top in the
  // high 16 bits. Stored as the custom properties "Left" and "Top".
  int32_t DesignInfo() const { return designInfo_; }
  void SetDesignInfo(int32_t value) { designInfo_ = value; }

  // The form reader hands every component read the component whose record contains it.
  virtual void SetParentComponent(TComponent* parent);
  // Calls `proc` for each component whose record the form writer puts inside this one's;
  // `root` is the component being written.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  void DefineProperties(TFiler* filer) override;

 protected:
  virtual void SetName(const std::string& name);
  // The framework's name check: a valid identifier (or empty), unique among the owner's.
  void ValidateRename(TComponent* component, const std::string& current,
                      const std::string& next) const;
  // Sets the name without checks, keeping the owner's name index current.
  void ChangeName(const std::string& name);

 private:
  // A free-notification link to another component. Links come in pairs, one in each
  // component's list, and each knows where its partner lies, so dropping a pair costs constant
  // time without any search or hashing, however many links a component has (the language
  // control's removal watcher has one per translated component). A link names the other
  // component by its live-object handle: 8 bytes, and a component's only link (a translated
  // label's) lives in its list's own word, with no block.
  struct NotifyLink {
    static constexpr bool kEvenWord = true;  // the partner is kept doubled, the handle is not 0

    NotifyLink() = default;
    NotifyLink(const TComponent* other, size_t partner)
        : partner2(static_cast<uint32_t>(partner) << 1), handle(other->Handle()) {}
    TComponent* Other() const;
    uint32_t Partner() const { return partner2 >> 1; }
    void SetPartner(size_t partner) { partner2 = static_cast<uint32_t>(partner) << 1; }

    uint32_t partner2 = 0;  // twice the index of the partner link in Other()->links_
    uint32_t handle = 0;
  };
  // The components a component owns, with their names, made when it first owns one: most
  // components own none, and a form has many of them.
  struct TOwned {
    static void* operator new(std::size_t size) { return object_store::Allocate(size); }
    static void operator delete(void* block, std::size_t size) noexcept {
      object_store::Free(block, size);
    }
    TStoreVector<TComponent*> components;
    TNameIndex names;
  };
  // The index of the link to `component`, searching the shorter of the two lists; -1 if none.
  int64_t FindLink(const TComponent* component) const;
  void DropLink(size_t index);

  void InsertOwned(TComponent* component);
  void RemoveOwned(TComponent* component);

  static inline uint64_t nameChanges_ = 0;

  int32_t tag_ = 0;  // first: it fills the room the object's handle leaves
  std::string name_;
  TComponent* owner_ = nullptr;
  std::unique_ptr<TOwned> owned_;
  TStoreVector<NotifyLink> links_;
  int32_t designInfo_ = 0;
  TComponentState state_;
};

// Whether `name` is a valid identifier: a letter or "_", then letters, digits or "_".
bool IsValidIdent(const std::string& name);

WDX_DECLARE_TYPE(TComponentStateFlag);

}  // namespace wdx
