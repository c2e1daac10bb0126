#include "LangControl/Source/LangControlCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LangControl/Source/ClassList.h"
#include "LangControl/Source/MethodList.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

// Counts its destructions so that tests see which objects a list released.
class Tracked : public TObject {
 public:
  explicit Tracked(std::vector<int>* log, int id) : log_(log), id_(id) {}
  ~Tracked() override { log_->push_back(id_); }

 private:
  std::vector<int>* log_;
  int id_;
};

TEST(SafeFree, ReleasesOnceAndLeavesTheFieldNull) {
  std::vector<int> log;
  Tracked* field = new Tracked(&log, 1);
  SafeFree(field);
  EXPECT_EQ(field, nullptr);
  SafeFree(field);
  EXPECT_EQ(log, std::vector<int>{1});
  Tracked* none = nullptr;
  SafeFree(none);
  EXPECT_EQ(none, nullptr);
}

TEST(FindOwnerForm, StartsAtTheOwnerAndSkipsOtherComponents) {
  TForm* outer = new TForm(nullptr);
  TForm* inner = new TForm(outer);
  auto* holder = new TComponent(inner);
  auto* leaf = new TComponent(holder);
  EXPECT_EQ(FindOwnerForm(leaf), inner);
  EXPECT_EQ(FindOwnerForm(holder), inner);
  EXPECT_EQ(FindOwnerForm(inner), outer);  // the form itself is not its own owner form
  EXPECT_EQ(FindOwnerForm(outer), nullptr);
  EXPECT_EQ(FindOwnerForm(nullptr), nullptr);
  delete outer;
}

// A form with a page control holding two sheets, each with one plain control.
struct PagedForm {
  TForm* form = new TForm(nullptr);
  TWinControl* pages = new TWinControl(form);
  TWinControl* sheet1 = new TWinControl(form);
  TWinControl* sheet2 = new TWinControl(form);
  TControl* label1 = new TControl(form);
  TControl* label2 = new TControl(form);
  TControl* button = new TControl(form);
  PagedForm() {
    form->Rename("Form");
    const std::pair<TControl*, const char*> names[] = {{pages, "Pages"},   {sheet1, "Sheet1"},
                                                       {sheet2, "Sheet2"}, {label1, "Label1"},
                                                       {label2, "Label2"}, {button, "Button"}};
    for (auto [control, name] : names) control->Rename(name);
    pages->SetParent(form);
    sheet1->SetParent(pages);
    sheet2->SetParent(pages);
    label1->SetParent(sheet1);
    label2->SetParent(sheet2);
    button->SetParent(form);
  }
  ~PagedForm() { delete form; }
};

TEST(ForEachControl, VisitsChildrenLastFirstAndEachParentAfterItsChildren) {
  PagedForm f;
  std::vector<std::string> order;
  ForEachControl(f.form, [&](TControl* c) { order.push_back(c->Name()); });
  EXPECT_EQ(order, (std::vector<std::string>{"Button", "Label2", "Sheet2", "Label1", "Sheet1",
                                             "Pages", "Form"}));
}

TEST(ForEachOwnedComponent, IsPostOrderWithSiblingsReversed) {
  auto* root = new TComponent(nullptr);
  root->Rename("Root");
  auto* a = new TComponent(root);
  a->Rename("A");
  (new TComponent(a))->Rename("A1");
  (new TComponent(a))->Rename("A2");
  (new TComponent(root))->Rename("B");
  std::vector<std::string> order;
  ForEachOwnedComponent(root, [&](TComponent* c) { order.push_back(c->Name()); });
  EXPECT_EQ(order, (std::vector<std::string>{"B", "A2", "A1", "A", "Root"}));
  delete root;
}

TEST(RaiseCaseError, RaisesTheCriticalErrorClass) {
  try {
    RaiseCaseError();
    FAIL();
  } catch (const ECriticalError& e) {
    EXPECT_STREQ(e.what(), "Case value not handled");
    EXPECT_STREQ(e.ClassName(), "ECaseError");
  }
}

TEST(TMethodList, KeepsDuplicatesAndRemovesTheFirstEqualEntry) {
  TObject a, b;
  int codeX = 0, codeY = 0;
  const TMethod ax{&codeX, &a}, ay{&codeY, &a}, bx{&codeX, &b};
  TMethodList list;
  EXPECT_EQ(list.Add(ax), 0);
  EXPECT_EQ(list.Add(ay), 1);
  EXPECT_EQ(list.Add(ax), 2);
  EXPECT_EQ(list.IndexOf(bx), -1);  // same routine, other object: not equal
  EXPECT_EQ(list.Remove(ax), 0);
  EXPECT_EQ(list.IndexOf(ax), 1);
  EXPECT_EQ(list.Get(0), ay);
  EXPECT_EQ(list.Remove(bx), -1);
  EXPECT_THROW(list.Get(2), EListError);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(TCustomClassList, OwningListReleasesWhatLeavesIt) {
  std::vector<int> log;
  auto* list = new TClassList(true);
  auto* one = new Tracked(&log, 1);
  auto* two = new Tracked(&log, 2);
  Tracked stranger(&log, 99);
  list->Add(one);
  list->Add(two);
  list->Add(new Tracked(&log, 3));
  list->Add(new Tracked(&log, 4));
  EXPECT_EQ(list->Remove(&stranger), -1);  // not held: nothing released
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list->Remove(two), 1);
  list->Delete(0);
  EXPECT_EQ(log, (std::vector<int>{2, 1}));
  delete list;  // the rest, last first
  EXPECT_EQ(log, (std::vector<int>{2, 1, 4, 3}));
  log.clear();
}

TEST(TCustomClassList, PlainListNeverReleasesAndAssignCopiesInOrder) {
  std::vector<int> log;
  Tracked a(&log, 1), b(&log, 2);
  TClassList source;
  source.Add(&a);
  source.Insert(0, &b);
  TClassList copy;
  copy.Add(&a);
  copy.Assign(source);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(0), &b);
  EXPECT_EQ(copy.Items(1), &a);
  EXPECT_EQ(copy.Remove(&a), 1);
  copy.Clear();
  EXPECT_TRUE(log.empty());
  EXPECT_THROW(copy.Items(0), EListError);
  EXPECT_THROW(copy.Insert(1, &a), EListError);
}

}  // namespace
}  // namespace wdx
