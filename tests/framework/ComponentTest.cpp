#include "framework/components/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

// Records the removal notices it receives.
class Watcher : public TComponent {
 public:
  using TComponent::TComponent;
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) removed.push_back(component);
  }
  std::vector<TComponent*> removed;
};

TEST(ComponentNames, CheckedAndUniqueAmongTheOwnersComponents) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->Rename("Button1");
  EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
  try {
    b->Rename("button1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_STREQ(e.what(), "A component named button1 already exists");
  }
  try {
    b->Rename("1st");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_STREQ(e.what(), "'1st' is not a valid component name");
  }
  a->Rename("BUTTON1");  // a change of case of its own name is no clash
  a->Rename("Ok");
  EXPECT_EQ(owner.FindComponent("Button1"), nullptr);
  EXPECT_EQ(owner.FindComponent("ok"), a);
  a->Rename("");
  EXPECT_EQ(owner.FindComponent("Ok"), nullptr);
  b->Rename("_x9");
  delete b;
  EXPECT_EQ(owner.FindComponent("_x9"), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(ComponentOwnership, OwnerReleasesItsComponentsLastFirst) {
  std::vector<std::string> order;
  class Noisy : public TComponent {
   public:
    Noisy(TComponent* owner, std::vector<std::string>* log, std::string name)
        : TComponent(owner), log_(log) {
      Rename(name);
    }
    ~Noisy() override { log_->push_back(Name()); }

   private:
    std::vector<std::string>* log_;
  };
  auto* owner = new TComponent(nullptr);
  new Noisy(owner, &order, "A");
  auto* b = new Noisy(owner, &order, "B");
  new Noisy(b, &order, "B1");
  new Noisy(owner, &order, "C");
  delete owner;
  // Each name is logged as its destruction begins; B's own components go after that.
  EXPECT_EQ(order, (std::vector<std::string>{"C", "B", "B1", "A"}));
}

// While an owner is destroyed, each of its components still finds the siblings not yet gone.
TEST(ComponentOwnership, NamesStayFindableWhileTheOwnerIsDestroyed) {
  std::vector<std::string> seen;
  class Looker : public TComponent {
   public:
    Looker(TComponent* owner, std::vector<std::string>* log, std::string name)
        : TComponent(owner), owner_(owner), log_(log) {
      Rename(name);
    }
    ~Looker() override {
      std::string found;
      for (const char* name : {"a", "b", "c"}) found += owner_->FindComponent(name) ? "+" : "-";
      log_->push_back(Name() + found);
    }

   private:
    TComponent* owner_;  // it has let go of this one by now
    std::vector<std::string>* log_;
  };
  auto* owner = new TComponent(nullptr);
  new Looker(owner, &seen, "A");
  new Looker(owner, &seen, "B");
  new Looker(owner, &seen, "C");
  delete owner;
  // Each leaves its owner's list before its destructor runs.
  EXPECT_EQ(seen, (std::vector<std::string>{"C++-", "B+--", "A---"}));
}

TEST(FreeNotification, TellsWatchersOnceAndForgetsThem) {
  Watcher watcher(nullptr);
  auto* a = new TComponent(nullptr);
  auto* b = new TComponent(nullptr);
  watcher.FreeNotification(a);
  watcher.FreeNotification(a);  // registering twice gives one notice
  watcher.FreeNotification(b);
  watcher.RemoveFreeNotification(b);
  delete b;
  delete a;
  EXPECT_EQ(watcher.removed, std::vector<TComponent*>{a});
  // The watcher going first must not leave a dangling link in the watched component.
  auto* w2 = new Watcher(nullptr);
  auto* c = new TComponent(nullptr);
  w2->FreeNotification(c);
  delete w2;
  delete c;
}

// Links move within their lists as others go (a component's only link lives in place of its
// list's block, a second one moves both to a block): every notice still reaches the watchers
// that asked for it, and no other.
TEST(FreeNotification, NoticesFollowLinksAsTheyMove) {
  Watcher first(nullptr);
  Watcher second(nullptr);
  std::vector<TComponent*> watched;
  for (int i = 0; i < 6; ++i) {
    watched.push_back(new TComponent(nullptr));
    first.FreeNotification(watched[i]);
    if (i % 2 == 0) watched[i]->FreeNotification(&second);
  }
  watched[2]->RemoveFreeNotification(&first);
  second.RemoveFreeNotification(watched[4]);
  for (int i : {1, 4, 0, 5, 2, 3}) delete watched[i];
  EXPECT_EQ(first.removed,
            (std::vector<TComponent*>{watched[1], watched[4], watched[0], watched[5], watched[3]}));
  EXPECT_EQ(second.removed, (std::vector<TComponent*>{watched[0], watched[2]}));
}

TEST(FreeNotification, OwnerHearsOfAComponentThatLeaves) {
  Watcher owner(nullptr);
  auto* child = new TComponent(&owner);
  delete child;
  EXPECT_EQ(owner.removed, std::vector<TComponent*>{child});
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ComponentState, LoadingAndDesigning) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  owner.SetDesigning(true);
  EXPECT_TRUE(child->IsDesigning());
  auto* late = new TComponent(&owner);
  EXPECT_TRUE(late->IsDesigning());  // joins its owner's designing state
  child->BeginLoading();
  EXPECT_TRUE(child->IsLoading());
  child->Loaded();
  EXPECT_FALSE(child->IsLoading());
}

TEST(ControlTree, ParentsListChildrenAndDestroyThem) {
  auto* form = new TForm(nullptr);
  auto* panel = new TWinControl(form);
  auto* label = new TControl(form);
  panel->SetParent(form);
  label->SetParent(panel);
  EXPECT_EQ(panel->ControlCount(), 1);
  EXPECT_THROW(panel->SetParent(panel), EInvalidOperation);
  auto* inner = new TWinControl(form);
  inner->SetParent(panel);
  EXPECT_THROW(panel->SetParent(inner), EInvalidOperation);  // no cycles through descendants
  EXPECT_EQ(panel->Parent(), form);
  delete inner;
  label->SetParent(form);
  EXPECT_EQ(panel->ControlCount(), 0);
  EXPECT_EQ(form->ControlCount(), 2);
  delete panel;
  EXPECT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(form->ComponentCount(), 1);
  delete form;
}

TEST(ApplicationErrors, HandlerReceivesSenderAndReportAddsAPeriod) {
  TApplication app;
  app.SetTitle("Title");
  std::string shown;
  app.SetErrorBox(
      [&](const std::string& caption, const std::string& text) { shown = caption + "|" + text; });
  try {
    throw EConvertError("Bad value");
  } catch (...) {
    app.HandleException(&app);
  }
  EXPECT_EQ(shown, "Title|Bad value.");
  EXPECT_EQ(TApplication::ReportText("Done."), "Done.");
  EXPECT_EQ(TApplication::ReportText("Code: 5"), "Code: 5.");
  EXPECT_EQ(TApplication::ReportText("(x)"), "(x)");  // ')' sorts before '.'
  EXPECT_EQ(TApplication::ReportText(""), "");
  TObject* sender = nullptr;
  app.SetOnException([&](TObject* s, const Exception& e) {
    sender = s;
    shown = e.Message();
  });
  app.HandleException(&app, Exception("raw"));
  EXPECT_EQ(sender, &app);
  EXPECT_EQ(shown, "raw");
}

}  // namespace
}  // namespace wdx
