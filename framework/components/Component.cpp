#include "framework/components/Component.h"

#include <array>
#include <cstdint>

#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/Published.h"

namespace wdx {

WDX_DEFINE_ENUM(TComponentStateFlag, "csLoading", "csReading", "csWriting", "csDestroying",
                "csDesigning", "csAncestor", "csUpdating", "csFixups", "csFreeNotification",
                "csInline", "csDesignInstance")

const TMetaClass& TComponent::StaticClass() {
  static const TMetaClass meta(
      "TComponent", &TPersistent::StaticClass(), FactoryOf<TComponent>(),
      {
          Published<TComponent>("Name", &TComponent::Name, &TComponent::Rename).NotStored(),
          Published<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag).WithDefault(0),
      });
  return meta;
}

bool IsValidIdent(const std::string& name) {
  // 1: may start a name (letter or underscore), 2: may follow (also a digit).
  static constexpr auto kKinds = [] {
    std::array<uint8_t, 256> kinds{};
    for (int c = 'a'; c <= 'z'; ++c) kinds[c] = kinds[c - 32] = 3;
    kinds['_'] = 3;
    for (int c = '0'; c <= '9'; ++c) kinds[c] = 2;
    return kinds;
  }();
  if (name.empty() || !(kKinds[static_cast<unsigned char>(name[0])] & 1)) return false;
  for (const char c : name) {
    if (!kKinds[static_cast<unsigned char>(c)]) return false;
  }
  return true;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell every component that asked for it; the pair of links goes first.
  while (!links_.empty()) {
    TComponent* other = links_.back().Other();
    DropLink(links_.size() - 1);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format(msg::kListIndexError, index));
  return owned_->components[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  if (!owned_) return nullptr;
  const TStoreVector<TComponent*>& components = owned_->components;
  if (IsDestroying()) {
    // The index is gone; the components still here are searched newest first.
    for (size_t i = components.size(); i-- > 0;) {
      if (SameText(components[i]->name_, name)) return components[i];
    }
    return nullptr;
  }
  return owned_->names.Find(name);
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component->name_.empty()) ValidateRename(component, "", component->name_);
  if (component->owner_) component->owner_->RemoveOwned(component);
  InsertOwned(component);
  if (IsDesigning()) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->owner_ != this) return;
  Notification(component, opRemove);
  RemoveOwned(component);
}

void TComponent::InsertOwned(TComponent* component) {
  if (!owned_) owned_ = std::make_unique<TOwned>();
  owned_->components.push_back(component);
  component->owner_ = this;
  if (!component->name_.empty() && !IsDestroying()) {
    owned_->names.Insert(component->name_, component);
  }
}

void TComponent::RemoveOwned(TComponent* component) {
  // Components usually go in reverse creation order, so the search starts at the end.
  TStoreVector<TComponent*>& components = owned_->components;
  for (size_t i = components.size(); i-- > 0;) {
    if (components[i] == component) {
      components.erase(i);
      break;
    }
  }
  // An owner being destroyed has emptied its index already.
  if (!component->name_.empty()) owned_->names.Erase(component->name_, component);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (ComponentCount() > 0) {
    TComponent* component = owned_->components.back();
    RemoveOwned(component);
    delete component;
  }
}

TComponent* TComponent::NotifyLink::Other() const {
  // A component leaves the table of live objects only after its links are gone.
  return static_cast<TComponent*>(live_objects::Find(handle));
}

int64_t TComponent::FindLink(const TComponent* component) const {
  // A component without a handle has no links.
  const uint32_t self = HandleIfAny();
  const uint32_t other = component->HandleIfAny();
  if (self == 0 || other == 0) return -1;
  if (links_.size() <= component->links_.size()) {
    for (size_t i = 0; i < links_.size(); ++i) {
      if (links_[i].handle == other) return static_cast<int64_t>(i);
    }
    return -1;
  }
  for (const NotifyLink& link : component->links_) {
    if (link.handle == self) return link.Partner();
  }
  return -1;
}

void TComponent::DropLink(size_t index) {
  // Removes the link at `index` and its partner, each by moving the last link of its list into
  // its place and telling that link's partner where it went.
  auto removeAt = [](TComponent* owner, size_t at) {
    auto& links = owner->links_;
    if (at + 1 != links.size()) {
      links[at] = links.back();
      links[at].Other()->links_[links[at].Partner()].SetPartner(at);
    }
    links.pop_back();
  };
  const NotifyLink link = links_[index];
  removeAt(link.Other(), link.Partner());
  removeAt(this, index);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this || FindLink(component) >= 0) return;
  links_.push_back(NotifyLink(component, component->links_.size()));
  component->links_.push_back(NotifyLink(this, links_.size() - 1));
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  const int64_t index = FindLink(component);
  if (index >= 0) DropLink(static_cast<size_t>(index));
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
}

void TComponent::Renaming(TComponent*) {}

void TComponent::BeginLoading() {
  state_.Include(csLoading);
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

void TComponent::SetDesigning(bool designing) {
  if (designing) {
    state_.Include(csDesigning);
  } else {
    state_.Exclude(csDesigning);
  }
  for (int i = 0; i < ComponentCount(); ++i) owned_->components[i]->SetDesigning(designing);
}

void TComponent::Destroying() {
  state_.Include(csDestroying);
  // The components are about to leave one after another; keeping the index current for each
  // would visit the whole table once more, in random order.
  if (owned_) owned_->names.Clear();
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::DefineProperties(TFiler* filer) {
  TPersistent::DefineProperties(filer);
  // Controls publish their own Left and Top; only other components store a design position.
  if (ClassType().FindProperty("Left") || ClassType().FindProperty("Top")) return;
  const auto left = static_cast<uint16_t>(static_cast<uint32_t>(designInfo_) & 0xFFFFu);
  const auto top = static_cast<uint16_t>(static_cast<uint32_t>(designInfo_) >> 16);
  filer->DefineProperty(
      "Left",
      [this](TReader& reader) {
        const auto value = static_cast<uint32_t>(reader.ReadInteger()) & 0xFFFFu;
        designInfo_ =
            static_cast<int32_t>((static_cast<uint32_t>(designInfo_) & 0xFFFF0000u) | value);
      },
      [left](TWriter& writer) { writer.WriteInteger(left); }, left != 0);
  filer->DefineProperty(
      "Top",
      [this](TReader& reader) {
        const auto value = static_cast<uint32_t>(reader.ReadInteger()) & 0xFFFFu;
        designInfo_ =
            static_cast<int32_t>((static_cast<uint32_t>(designInfo_) & 0xFFFFu) | (value << 16));
      },
      [top](TWriter& writer) { writer.WriteInteger(top); }, top != 0);
}

void TComponent::SetName(const std::string& name) {
  if (name_ == name) return;
  ValidateRename(this, name_, name);
  ChangeName(name);
}

void TComponent::ValidateRename(TComponent* component, const std::string& current,
                                const std::string& next) const {
  if (next.empty()) return;
  if (!IsValidIdent(next)) throw EComponentError(Format(msg::kInvalidName, next.c_str()));
  const TComponent* scope = component == this ? owner_ : this;
  if (!scope || SameText(current, next)) return;
  if (const TComponent* existing = scope->FindComponent(next); existing && existing != component) {
    throw EComponentError(Format(msg::kDuplicateName, next.c_str()));
  }
}

void TComponent::ChangeName(const std::string& name) {
  if (owner_) {
    TNameIndex& names = owner_->owned_->names;
    if (!name_.empty()) names.Erase(name_, this);
    if (!name.empty() && !owner_->IsDestroying()) names.Insert(name, this);
  }
  for (size_t i = 0; i < links_.size(); ++i) links_[i].Other()->Renaming(this);
  name_ = name;
  ++nameChanges_;
}

}  // namespace wdx
