// Language frames: groups of language controls that show one current language. Each control
// takes part through its member routine, a method bound to the control that switches it in
// four phases (0 before the change, 1 set the language, 2 change, 3 after the change).
// Controls without a domain share the frames of DefaultFrames, where a top-level control opens
// a new frame that later controls join; controls with a domain share one frame per domain name
// (ignoring ASCII case) in DomainFrames. Both lists exist between StartupLanguageFrames and
// ShutdownLanguageFrames; every operation tolerates their absence.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "LangControl/Source/ClassList.h"
#include "LangControl/Source/MethodList.h"
#include "framework/rtti/Method.h"
#include "framework/rtti/Object.h"

namespace wdx {

// The routine of a member: `Code` of a member routine points at one of these and `Data` is the
// control, which the routine receives as its first argument.
struct TLanguageRoutineCode {
  bool (*Apply)(TObject* control, const std::string& name, int phase);
};

// The member routine `code` bound to `control`.
TMethod LanguageRoutine(const TLanguageRoutineCode& code, TObject* control);

class TLanguageFrames;

// One group of member routines with its current language. Created and destroyed only by its
// list: a frame goes when its last member leaves, and its list then remembers its language.
class TLanguageFrame : public TObject {
 public:
  WDX_CLASS(TLanguageFrame)

  ~TLanguageFrame() override;

  TLanguageFrames* OwnerList() const { return owner_; }
  // In join order.
  const TMethodList& Members() const { return members_; }
  const std::string& DomainName() const { return domainName_; }
  const std::string& CurrentLanguage() const { return currentLanguage_; }

 private:
  friend class TLanguageFrames;
  TLanguageFrame(TLanguageFrames* owner, std::string domainName);

  // Calls every member with `phase`; false when the phase did not run (the initiator is no
  // member, or phase 0 asks for the language the frame already shows).
  bool RunPhase(const std::string& name, const TMethod& initiator, int phase);

  // Membership, kept in step with the members list so that it is tested in constant time.
  bool HasMember(const TMethod& routine) const { return memberSet_.contains(routine); }
  void AddMember(const TMethod& routine);
  void RemoveMember(const TMethod& routine);

  struct RoutineHash {
    size_t operator()(const TMethod& routine) const {
      const size_t code = std::hash<const void*>()(routine.Code);
      return code ^
             (std::hash<const void*>()(routine.Data) + 0x9E3779B9u + (code << 6) + (code >> 2));
    }
  };

  TLanguageFrames* owner_;
  TMethodList members_;
  std::unordered_set<TMethod, RoutineHash> memberSet_;
  std::string domainName_;
  std::string currentLanguage_;
};

// An owning list of frames.
class TLanguageFrames : public TClassList {
 public:
  TLanguageFrames();
  ~TLanguageFrames() override;

  TLanguageFrame* Frames(int index) const;
  // The language a new frame starts with while the list has none; after a frame was destroyed,
  // that frame's language.
  const std::string& RememberedLanguage() const { return rememberedLanguage_; }
  // Set once a frame of the list was destroyed; from then on offers are refused.
  bool LanguageFixed() const { return languageFixed_; }

  // Takes `name`, trimmed, as the remembered language while the list has no frame and is not
  // fixed.
  void OfferLanguage(std::string_view name);
  // The first frame that has `routine` among its members, or nullptr.
  TLanguageFrame* FindFrame(const TMethod& routine) const;
  // Removes `routine` from its frame; a frame left without members is destroyed.
  void Leave(const TMethod& routine);
  // Moves `routine` into the frame that fits `domain` and `topLevel`; true when a new frame was
  // created for it.
  bool Register(std::string_view domain, bool topLevel, const TMethod& routine);
  // Switches the frame of `routine` to `name` in four phases; false when `routine` is in no
  // frame of this list.
  bool Broadcast(const std::string& name, const TMethod& routine);

 private:
  friend class TLanguageFrame;
  TLanguageFrame* CreateFrame(std::string_view domain);

  std::string rememberedLanguage_;
  bool languageFixed_ = false;
};

// Creates both lists, each remembering the English name of the user's default-locale language
// (empty when the built-in table does not know it). Lists that exist already are released first.
void StartupLanguageFrames();
// The same with the given language offered instead of the system's.
void StartupLanguageFrames(std::string_view systemLanguage);
// Releases DomainFrames, then DefaultFrames, with all their frames.
void ShutdownLanguageFrames();

// The process-wide lists; nullptr outside start-up and shut-down.
TLanguageFrames* DefaultFrames();
TLanguageFrames* DomainFrames();
// Above 0 while SetGlobalLanguage runs.
int LanguageProcessingCount();

// Places `routine` in a frame of DefaultFrames (empty domain) or DomainFrames; true when a new
// frame was created. False, changing nothing, for an absent routine or list.
bool JoinLanguageDomain(std::string_view domain, bool topLevel, const TMethod& routine);
// Removes `routine` from both lists.
void LeaveLanguageDomains(const TMethod& routine);
// Switches the frame of `routine` to `name`, or only `routine` when it is in no frame. Raises
// Exception "SetGlobalLanguage cannot be called when still processing" when called from inside
// another call.
void SetGlobalLanguage(const std::string& name, const TMethod& routine);
// The current language of the frame of `routine`, else the remembered language of
// DefaultFrames; empty when a list is absent.
std::string GetFrameLanguage(const TMethod& routine);

}  // namespace wdx
