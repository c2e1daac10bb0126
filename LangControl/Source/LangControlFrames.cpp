#include "LangControl/Source/LangControlFrames.h"

#include <exception>
#include <memory>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlCore.h"
#include "LangControl/Source/LangControlErrors.h"
#include "LangControl/Source/LangControlSystem.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/TextCatalogue.h"
#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/MetaClass.h"

namespace wdx {

namespace {

constexpr int kPhaseCount = 4;

TLanguageFrames* defaultFrames = nullptr;
TLanguageFrames* domainFrames = nullptr;
int processingCount = 0;

// Holds the processing counter up for as long as a language change runs.
class ProcessingScope {
 public:
  ProcessingScope() { ++processingCount; }
  ~ProcessingScope() { --processingCount; }
  ProcessingScope(const ProcessingScope&) = delete;
  ProcessingScope& operator=(const ProcessingScope&) = delete;
};

void CallRoutine(const TMethod& routine, const std::string& name, int phase) {
  const auto* code = static_cast<const TLanguageRoutineCode*>(routine.Code);
  if (code && code->Apply) code->Apply(routine.Data, name, phase);
}

// A member never stops a broadcast: a language it lacks is no error, and any other error is
// reported on behalf of its control.
void CallMember(const TMethod& routine, const std::string& name, int phase) {
  try {
    CallRoutine(routine, name, phase);
  } catch (const ELanguageNotFound&) {
  } catch (const std::exception&) {
    Application().HandleException(routine.Data);
  }
}

bool Alive(uint32_t handle) {
  return live_objects::Find(handle) != nullptr;
}

}  // namespace

TMethod LanguageRoutine(const TLanguageRoutineCode& code, TObject* control) {
  return TMethod{&code, control};
}

// TLanguageFrame

const TMetaClass& TLanguageFrame::StaticClass() {
  static const TMetaClass meta("TLanguageFrame", &TObject::StaticClass(), nullptr, {});
  return meta;
}

TLanguageFrame::TLanguageFrame(TLanguageFrames* owner, std::string domainName)
    : owner_(owner), domainName_(std::move(domainName)) {}

TLanguageFrame::~TLanguageFrame() {
  if (owner_) {
    owner_->rememberedLanguage_ = currentLanguage_;
    owner_->languageFixed_ = true;
  }
}

void TLanguageFrame::AddMember(const TMethod& routine) {
  if (memberSet_.insert(routine).second) members_.Add(routine);
}

void TLanguageFrame::RemoveMember(const TMethod& routine) {
  if (memberSet_.erase(routine) > 0) members_.Remove(routine);
}

bool TLanguageFrame::RunPhase(const std::string& name, const TMethod& initiator, int phase) {
  if (!HasMember(initiator)) return false;
  if (phase == 0 && SameText(name, currentLanguage_)) return false;
  if (phase == 1) currentLanguage_ = name;

  // A member may leave or join frames while it is called (a change event that destroys a
  // form), and the frame goes with its last member. So the members of this moment are called,
  // each only while it still is one, and nothing more is done once the frame is gone.
  std::vector<TMethod> members;
  members.reserve(static_cast<size_t>(members_.Count()));
  for (int i = 0; i < members_.Count(); ++i) members.push_back(members_.Get(i));
  const uint32_t self = Handle();
  for (const TMethod& member : members) {
    if (!Alive(self)) break;
    if (!HasMember(member)) continue;
    CallMember(member, name, phase);
  }
  return true;
}

// TLanguageFrames

TLanguageFrames::TLanguageFrames() : TClassList(true) {}

TLanguageFrames::~TLanguageFrames() {
  // The frames tell this list their language as they go, so they go while it still exists.
  Clear();
}

TLanguageFrame* TLanguageFrames::Frames(int index) const {
  return static_cast<TLanguageFrame*>(Items(index));
}

void TLanguageFrames::OfferLanguage(std::string_view name) {
  if (!languageFixed_ && Count() == 0) rememberedLanguage_ = Trim(name);
}

TLanguageFrame* TLanguageFrames::FindFrame(const TMethod& routine) const {
  for (int i = 0; i < Count(); ++i) {
    TLanguageFrame* frame = Frames(i);
    if (frame->HasMember(routine)) return frame;
  }
  return nullptr;
}

void TLanguageFrames::Leave(const TMethod& routine) {
  TLanguageFrame* frame = FindFrame(routine);
  if (!frame) return;
  frame->RemoveMember(routine);
  if (frame->members_.Count() == 0) Remove(frame);
}

TLanguageFrame* TLanguageFrames::CreateFrame(std::string_view domain) {
  std::unique_ptr<TLanguageFrame> frame(new TLanguageFrame(this, Trim(domain)));
  frame->currentLanguage_ =
      Count() == 0 ? rememberedLanguage_ : Frames(Count() - 1)->currentLanguage_;
  Add(frame.get());
  return frame.release();
}

bool TLanguageFrames::Register(std::string_view domain, bool topLevel, const TMethod& routine) {
  if (!routine.Assigned()) return false;
  // Leaving first lets a frame that the routine leaves empty hand its language to the list
  // before a new frame takes its start language.
  Leave(routine);
  const std::string name = Trim(domain);
  bool created = false;
  TLanguageFrame* target = nullptr;
  if (name.empty()) {
    if (topLevel || Count() == 0) {
      CreateFrame(name);
      created = true;
    }
    target = Frames(Count() - 1);
  } else {
    for (int i = 0; i < Count() && !target; ++i) {
      if (SameText(Frames(i)->domainName_, name)) {
        target = Frames(i);
        target->domainName_ = name;  // the latest joiner's letter case wins
      }
    }
    if (!target) {
      target = CreateFrame(name);
      created = true;
    }
  }
  target->AddMember(routine);
  return created;
}

bool TLanguageFrames::Broadcast(const std::string& name, const TMethod& routine) {
  TLanguageFrame* frame = FindFrame(routine);
  if (!frame) return false;
  // The members may destroy the frame, or even this list; only the frame is used from here on,
  // and only while it exists.
  const uint32_t handle = frame->Handle();
  for (int phase = 0; phase < kPhaseCount && Alive(handle); ++phase) {
    if (!frame->RunPhase(name, routine, phase) && phase == 0) break;
  }
  return true;
}

// Process-wide lists

void StartupLanguageFrames() {
  std::string englishName;
  std::string nativeName;
  GetSystemLanguage(englishName, nativeName);
  StartupLanguageFrames(englishName);
}

namespace {

// The language the texts of the program's code speak: that of its forms without a domain (the
// latest frame's), or before they show one, the user's; by its English name where the table has
// the language.
std::string ProgramLanguage() {
  if (!defaultFrames) return {};
  const int frames = defaultFrames->Count();
  std::string shown;
  if (frames > 0) {
    const TLanguageFrame& frame = *defaultFrames->Frames(frames - 1);
    // The language a member control shows: a switch to a language the form lacks leaves it as it
    // was, while the frame records the name asked for.
    const TLangControl* control = nullptr;
    for (int i = 0; !control && i < frame.Members().Count(); ++i) {
      control = ObjectCast<TLangControl>(frame.Members().Get(i).Data);
    }
    shown = control ? control->Language() : frame.CurrentLanguage();
  }
  std::string name = Trim(shown.empty() ? defaultFrames->RememberedLanguage() : shown);
  int row = -1;
  if (FindDefaultLanguage(nkEnglish, name, row) || FindDefaultLanguage(nkNative, name, row)) {
    return DefaultLanguages[row].Names[nkEnglish];
  }
  return name;
}

}  // namespace

void StartupLanguageFrames(std::string_view systemLanguage) {
  ShutdownLanguageFrames();
  defaultFrames = new TLanguageFrames();
  domainFrames = new TLanguageFrames();
  if (!Trim(systemLanguage).empty()) {
    defaultFrames->OfferLanguage(systemLanguage);
    domainFrames->OfferLanguage(systemLanguage);
  }
  text_catalogue::SetLanguageSource(ProgramLanguage);
}

void ShutdownLanguageFrames() {
  text_catalogue::SetLanguageSource(nullptr);
  // Each list is absent before it goes, so that routines called meanwhile find it gone.
  SafeFree(domainFrames);
  SafeFree(defaultFrames);
}

TLanguageFrames* DefaultFrames() {
  return defaultFrames;
}

TLanguageFrames* DomainFrames() {
  return domainFrames;
}

int LanguageProcessingCount() {
  return processingCount;
}

bool JoinLanguageDomain(std::string_view domain, bool topLevel, const TMethod& routine) {
  if (!routine.Assigned()) return false;
  const std::string name = Trim(domain);
  if (name.empty()) {
    if (domainFrames) domainFrames->Leave(routine);
    return defaultFrames && defaultFrames->Register(name, topLevel, routine);
  }
  if (defaultFrames) defaultFrames->Leave(routine);
  return domainFrames && domainFrames->Register(name, topLevel, routine);
}

void LeaveLanguageDomains(const TMethod& routine) {
  if (defaultFrames) defaultFrames->Leave(routine);
  if (domainFrames) domainFrames->Leave(routine);
}

void SetGlobalLanguage(const std::string& name, const TMethod& routine) {
  if (processingCount > 0)
    throw Exception("SetGlobalLanguage cannot be called when still processing");
  if (!routine.Assigned()) return;
  const std::string language = Trim(name);
  if (language.empty()) return;

  ProcessingScope scope;
  bool handled = defaultFrames && defaultFrames->Broadcast(language, routine);
  if (!handled) handled = domainFrames && domainFrames->Broadcast(language, routine);
  if (handled) return;

  // In no frame: the routine alone goes through the phases, for as long as its control lives.
  const uint32_t control = routine.Data ? routine.Data->Handle() : 0;
  for (int phase = 0; phase < kPhaseCount; ++phase) {
    if (routine.Data && !Alive(control)) break;
    CallRoutine(routine, language, phase);
  }
}

std::string GetFrameLanguage(const TMethod& routine) {
  if (!defaultFrames || !domainFrames) return {};
  if (const TLanguageFrame* frame = defaultFrames->FindFrame(routine)) {
    return frame->CurrentLanguage();
  }
  if (const TLanguageFrame* frame = domainFrames->FindFrame(routine)) {
    return frame->CurrentLanguage();
  }
  return defaultFrames->RememberedLanguage();
}

}  // namespace wdx
