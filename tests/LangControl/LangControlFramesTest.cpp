#include "LangControl/Source/LangControlFrames.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "LangControl/Source/LangControlErrors.h"
#include "LangControl/Source/LangControlSystem.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

using Log = std::vector<std::string>;

// A member that logs every call as "<id><phase> <name>" and then runs its hook, which may
// throw, join, leave or destroy things. It leaves its frames when destroyed, as a language
// control does.
class FakeControl : public TObject {
 public:
  FakeControl(std::string id, Log* log) : id_(std::move(id)), log_(log) {}
  ~FakeControl() override { LeaveLanguageDomains(Routine()); }

  TMethod Routine() { return LanguageRoutine(kCode, this); }
  bool Join(const std::string& domain = "", bool topLevel = false) {
    return JoinLanguageDomain(domain, topLevel, Routine());
  }

  std::function<void(int phase)> onPhase;

 private:
  static bool Apply(TObject* control, const std::string& name, int phase) {
    auto* self = static_cast<FakeControl*>(control);
    self->log_->push_back(self->id_ + std::to_string(phase) + " " + name);
    const auto hook = self->onPhase;  // the hook may destroy `self`
    if (hook) hook(phase);
    return true;
  }
  static constexpr TLanguageRoutineCode kCode{&FakeControl::Apply};

  std::string id_;
  Log* log_;
};

struct Report {
  TObject* sender;
  std::string message;
};

class LanguageFramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupLanguageFrames("English");
    Application().SetOnException([this](TObject* sender, const Exception& error) {
      reports_.push_back({sender, error.Message()});
    });
  }
  void TearDown() override {
    Application().SetOnException(nullptr);
    ShutdownLanguageFrames();
  }

  TLanguageFrame* FrameOf(FakeControl& control) {
    TLanguageFrame* frame = DefaultFrames()->FindFrame(control.Routine());
    return frame ? frame : DomainFrames()->FindFrame(control.Routine());
  }

  Log log_;
  std::vector<Report> reports_;
};

TEST_F(LanguageFramesTest, MembersOfOneFrameSwitchTogetherPhaseByPhase) {
  FakeControl a("A", &log_);
  FakeControl b("B", &log_);
  EXPECT_TRUE(a.Join());
  EXPECT_FALSE(b.Join());
  ASSERT_EQ(DefaultFrames()->Count(), 1);
  EXPECT_EQ(FrameOf(a), FrameOf(b));
  EXPECT_EQ(FrameOf(a)->CurrentLanguage(), "English");

  SetGlobalLanguage("  German ", b.Routine());
  EXPECT_EQ(log_, (Log{"A0 German", "B0 German", "A1 German", "B1 German", "A2 German", "B2 German",
                       "A3 German", "B3 German"}));
  EXPECT_EQ(GetFrameLanguage(a.Routine()), "German");

  // The language the frame shows already, a blank name or an absent routine: nothing at all.
  log_.clear();
  SetGlobalLanguage("GERMAN", a.Routine());
  SetGlobalLanguage(" \t ", a.Routine());
  SetGlobalLanguage("French", TMethod{});
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(GetFrameLanguage(b.Routine()), "German");
  EXPECT_EQ(LanguageProcessingCount(), 0);
}

TEST_F(LanguageFramesTest, TopLevelOpensAFrameThatLaterControlsJoin) {
  FakeControl a("A", &log_);
  FakeControl top("T", &log_);
  FakeControl c("C", &log_);
  a.Join();
  SetGlobalLanguage("German", a.Routine());
  EXPECT_TRUE(top.Join("", true));
  EXPECT_FALSE(c.Join());
  ASSERT_EQ(DefaultFrames()->Count(), 2);
  EXPECT_NE(FrameOf(a), FrameOf(top));
  EXPECT_EQ(FrameOf(c), FrameOf(top));
  EXPECT_EQ(FrameOf(top)->CurrentLanguage(), "German");  // a new frame starts as the last one

  log_.clear();
  SetGlobalLanguage("Spanish", c.Routine());
  EXPECT_EQ(log_.size(), 8u);
  EXPECT_EQ(GetFrameLanguage(a.Routine()), "German");
  EXPECT_EQ(GetFrameLanguage(top.Routine()), "Spanish");
}

TEST_F(LanguageFramesTest, DomainsDifferingInCaseShareOneFrame) {
  FakeControl a("A", &log_);
  FakeControl b("B", &log_);
  FakeControl plain("P", &log_);
  EXPECT_TRUE(a.Join("Reports"));
  EXPECT_FALSE(b.Join(" reports "));
  plain.Join();
  ASSERT_EQ(DomainFrames()->Count(), 1);
  EXPECT_EQ(FrameOf(a), FrameOf(b));
  EXPECT_EQ(FrameOf(a)->DomainName(), "reports");
  EXPECT_EQ(FrameOf(plain)->OwnerList(), DefaultFrames());

  SetGlobalLanguage("Dutch", a.Routine());
  EXPECT_EQ(log_.size(), 8u);
  EXPECT_EQ(GetFrameLanguage(plain.Routine()), "English");

  // Moving to the default list leaves the domain frame; the last one out destroys it.
  a.Join();
  b.Join();
  EXPECT_EQ(DomainFrames()->Count(), 0);
  EXPECT_EQ(DomainFrames()->RememberedLanguage(), "Dutch");
  EXPECT_EQ(FrameOf(a), FrameOf(plain));
}

TEST_F(LanguageFramesTest, ARoutineInNoFrameGoesThroughThePhasesAlone) {
  FakeControl lone("L", &log_);
  EXPECT_EQ(GetFrameLanguage(lone.Routine()), "English");
  SetGlobalLanguage(" French", lone.Routine());
  EXPECT_EQ(log_, (Log{"L0 French", "L1 French", "L2 French", "L3 French"}));
  EXPECT_FALSE(JoinLanguageDomain("", false, TMethod{}));
}

TEST_F(LanguageFramesTest, TheListRemembersTheLanguageOfItsLastFrame) {
  auto* a = new FakeControl("A", &log_);
  a->Join();
  SetGlobalLanguage("German", a->Routine());
  delete a;
  EXPECT_EQ(DefaultFrames()->Count(), 0);
  EXPECT_EQ(DefaultFrames()->RememberedLanguage(), "German");
  EXPECT_TRUE(DefaultFrames()->LanguageFixed());

  DefaultFrames()->OfferLanguage("Spanish");  // refused: the list is fixed now
  FakeControl b("B", &log_);
  b.Join();
  EXPECT_EQ(GetFrameLanguage(b.Routine()), "German");
}

TEST_F(LanguageFramesTest, ANestedCallFailsAndTheCounterIsReleased) {
  FakeControl a("A", &log_);
  a.Join();
  std::string nested;
  a.onPhase = [&](int phase) {
    if (phase != 2) return;
    EXPECT_EQ(LanguageProcessingCount(), 1);
    try {
      SetGlobalLanguage("", TMethod{});  // the processing check comes first
    } catch (const Exception& error) {
      nested = error.Message();
    }
    SetGlobalLanguage("French", a.Routine());
  };
  SetGlobalLanguage("German", a.Routine());
  EXPECT_EQ(nested, "SetGlobalLanguage cannot be called when still processing");
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_EQ(reports_[0].sender, &a);
  EXPECT_EQ(reports_[0].message, "SetGlobalLanguage cannot be called when still processing");
  EXPECT_EQ(GetFrameLanguage(a.Routine()), "German");
  EXPECT_EQ(log_.size(), 4u);
  EXPECT_EQ(LanguageProcessingCount(), 0);

  // An error leaving the call releases the counter as well.
  FakeControl lone("L", &log_);
  lone.onPhase = [](int) { throw EListError("broken"); };
  EXPECT_THROW(SetGlobalLanguage("Thai", lone.Routine()), EListError);
  EXPECT_EQ(LanguageProcessingCount(), 0);
  a.onPhase = nullptr;
  SetGlobalLanguage("Thai", a.Routine());
  EXPECT_EQ(GetFrameLanguage(a.Routine()), "Thai");
}

TEST_F(LanguageFramesTest, MemberErrorsNeverStopTheBroadcast) {
  FakeControl a("A", &log_);
  FakeControl b("B", &log_);
  a.Join();
  b.Join();
  a.onPhase = [](int phase) {
    if (phase == 1) throw ELanguageNotFound("Language 'Greek' of form TForm1 not found");
  };
  b.onPhase = [](int phase) {
    if (phase == 1) throw EListError("list trouble");
    if (phase == 2) throw std::out_of_range("standard trouble");
  };
  SetGlobalLanguage("Greek", a.Routine());
  EXPECT_EQ(log_.size(), 8u);
  ASSERT_EQ(reports_.size(), 2u);
  EXPECT_EQ(reports_[0].sender, &b);
  EXPECT_EQ(reports_[0].message, "list trouble");
  EXPECT_EQ(reports_[1].sender, &b);
  EXPECT_EQ(reports_[1].message, "standard trouble");
  EXPECT_EQ(GetFrameLanguage(a.Routine()), "Greek");
}

TEST_F(LanguageFramesTest, MembersThatLeaveOrJoinDuringAPhase) {
  FakeControl a("A", &log_);
  auto* b = new FakeControl("B", &log_);
  FakeControl c("C", &log_);
  FakeControl d("D", &log_);
  a.Join();
  b->Join();
  c.Join();
  a.onPhase = [&](int phase) {
    if (phase != 0) return;
    delete b;  // leaves the frame before its turn
    d.Join();  // joins after the phase began
  };
  SetGlobalLanguage("Czech", a.Routine());
  EXPECT_EQ(log_, (Log{"A0 Czech", "C0 Czech", "A1 Czech", "C1 Czech", "D1 Czech", "A2 Czech",
                       "C2 Czech", "D2 Czech", "A3 Czech", "C3 Czech", "D3 Czech"}));

  // A member that leaves and joins again before its turn is a member when its turn comes.
  log_.clear();
  a.onPhase = [&](int phase) {
    if (phase != 0) return;
    LeaveLanguageDomains(c.Routine());
    c.Join();
  };
  SetGlobalLanguage("Danish", a.Routine());
  EXPECT_EQ(log_.size(), 12u);
  EXPECT_EQ(log_[1], "C0 Danish");
  EXPECT_EQ(FrameOf(a)->Members().Count(), 3);
}

TEST_F(LanguageFramesTest, AFrameOrListDestroyedDuringAPhaseEndsTheBroadcast) {
  auto* a = new FakeControl("A", &log_);
  auto* b = new FakeControl("B", &log_);
  a->Join();
  b->Join();
  a->onPhase = [&](int phase) {
    if (phase == 1) {
      delete b;
      delete a;  // the frame goes with its last member
    }
  };
  SetGlobalLanguage("Polish", a->Routine());
  EXPECT_EQ(log_, (Log{"A0 Polish", "B0 Polish", "A1 Polish"}));
  EXPECT_EQ(DefaultFrames()->Count(), 0);
  EXPECT_EQ(DefaultFrames()->RememberedLanguage(), "Polish");
  EXPECT_EQ(LanguageProcessingCount(), 0);

  // Shut-down from inside a phase.
  log_.clear();
  FakeControl c("C", &log_);
  FakeControl d("D", &log_);
  c.Join("Reports");
  d.Join("Reports");
  c.onPhase = [](int) { ShutdownLanguageFrames(); };
  SetGlobalLanguage("Czech", d.Routine());
  EXPECT_EQ(log_, (Log{"C0 Czech"}));
  EXPECT_EQ(DomainFrames(), nullptr);

  // A routine in no frame whose control goes in its first phase gets no further call.
  log_.clear();
  auto* lone = new FakeControl("L", &log_);
  lone->onPhase = [&](int) { delete lone; };
  SetGlobalLanguage("Thai", lone->Routine());
  EXPECT_EQ(log_, (Log{"L0 Thai"}));
}

TEST_F(LanguageFramesTest, EveryOperationToleratesAbsentLists) {
  auto* a = new FakeControl("A", &log_);
  a->Join();
  ShutdownLanguageFrames();
  EXPECT_EQ(DefaultFrames(), nullptr);
  EXPECT_FALSE(a->Join());
  EXPECT_FALSE(a->Join("Reports"));
  EXPECT_EQ(GetFrameLanguage(a->Routine()), "");
  SetGlobalLanguage("German", a->Routine());
  EXPECT_EQ(log_.size(), 4u);  // handled by no list: the routine alone
  delete a;                    // leaves nothing
  ShutdownLanguageFrames();
}

TEST_F(LanguageFramesTest, StartUpOffersTheSystemLanguageToBothLists) {
  StartupLanguageFrames("German");
  EXPECT_EQ(DefaultFrames()->RememberedLanguage(), "German");
  EXPECT_EQ(DomainFrames()->RememberedLanguage(), "German");
  EXPECT_FALSE(DefaultFrames()->LanguageFixed());
  FakeControl a("A", &log_);
  FakeControl b("B", &log_);
  a.Join();
  b.Join("Reports");
  EXPECT_EQ(GetFrameLanguage(a.Routine()), "German");
  EXPECT_EQ(GetFrameLanguage(b.Routine()), "German");
  DefaultFrames()->OfferLanguage("Spanish");  // refused: the list has a frame
  EXPECT_EQ(DefaultFrames()->RememberedLanguage(), "German");

  StartupLanguageFrames("");
  EXPECT_EQ(DefaultFrames()->RememberedLanguage(), "");
  EXPECT_EQ(DomainFrames()->RememberedLanguage(), "");

  std::string english;
  std::string native;
  GetSystemLanguage(english, native);
  StartupLanguageFrames();
  EXPECT_EQ(DefaultFrames()->RememberedLanguage(), english);
  EXPECT_EQ(DomainFrames()->RememberedLanguage(), english);
}

}  // namespace
}  // namespace wdx
