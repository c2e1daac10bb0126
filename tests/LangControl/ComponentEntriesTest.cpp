#include "LangControl/Source/ComponentExplorerTools.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Strings.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtti/Published.h"

namespace wdx {
namespace {

class TEFont : public TPersistent {
 public:
  WDX_CLASS(TEFont)
  std::string Title = "Sans";
};

class TEColumn : public TCollectionItem {
 public:
  WDX_CLASS(TEColumn)
  using TCollectionItem::TCollectionItem;
  std::string Caption;
};

// A component with a caption, a string list, a collection and a nested object.
class TEBox : public TComponent {
 public:
  WDX_CLASS(TEBox)
  using TComponent::TComponent;
  TStrings* Lines() const { return lines_.get(); }
  TCollection* Columns() const { return columns_.get(); }
  TEFont* Font() const { return font_.get(); }
  // The Font property shows another object from now on; the old one lives on, as an entry
  // that is not looked up may still name it.
  void ReplaceFont() {
    replaced_.push_back(std::move(font_));
    font_ = std::make_unique<TEFont>();
  }
  std::string Caption = "Hello";
  int32_t Width = 0;

 private:
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> columns_ = std::make_unique<TCollection>(TEColumn::StaticClass());
  std::unique_ptr<TEFont> font_ = std::make_unique<TEFont>();
  std::vector<std::unique_ptr<TEFont>> replaced_;
};

const TMetaClass& TEFont::StaticClass() {
  static const TMetaClass meta("TEFont", &TPersistent::StaticClass(), FactoryOf<TEFont>(),
                               {Published<TEFont>("Title", &TEFont::Title, &TEFont::Title)});
  return meta;
}

const TMetaClass& TEColumn::StaticClass() {
  static const TMetaClass meta(
      "TEColumn", &TCollectionItem::StaticClass(), FactoryOf<TEColumn>(),
      {Published<TEColumn>("Caption", &TEColumn::Caption, &TEColumn::Caption)});
  return meta;
}

const TMetaClass& TEBox::StaticClass() {
  static const TMetaClass meta("TEBox", &TComponent::StaticClass(), FactoryOf<TEBox>(),
                               {
                                   Published<TEBox>("Caption", &TEBox::Caption, &TEBox::Caption),
                                   Published<TEBox>("Width", &TEBox::Width, &TEBox::Width),
                                   Published<TEBox>("Lines", &TEBox::Lines),
                                   Published<TEBox>("Columns", &TEBox::Columns),
                                   Published<TEBox>("Font", &TEBox::Font),
                               });
  return meta;
}

TPropertyEntry* AddProp(TMainEntry* entry, const std::string& name, TTypeKind kind,
                        int32_t index = -1) {
  TPropertyEntry* prop = entry->Props()->Add();
  prop->SetName(name);
  prop->SetKind(kind);
  prop->SetIndex(index);
  return prop;
}

TMainEntry* AddSub(TMainEntry* entry, const std::string& name, TMainEntrySubType subType) {
  return TMainEntry::CreateWithValues(entry->Items(), nullptr, name, "", subType);
}

std::vector<std::string> PropNames(const TMainEntry* entry) {
  std::vector<std::string> names;
  for (int i = 0; i < entry->Props()->Count(); ++i) {
    names.push_back(entry->Props()->Items(i)->Name());
  }
  return names;
}

class ComponentEntries : public ::testing::Test {
 protected:
  ComponentEntries() {
    box->Rename("Box1");
    box->Lines()->SetText("l0\nl1\nl2\nl3\nl4\n");
    for (const char* caption : {"First", "Second"}) {
      static_cast<TEColumn*>(box->Columns()->Add())->Caption = caption;
    }
  }
  TComponentEntry* AddComponent(TComponent* component) {
    TComponentEntry* entry = entries.Add();
    entry->SetSubType({stPubPropObject});
    entry->SetRef(component);
    return entry;
  }

  TComponent form{nullptr};
  TEBox* box = new TEBox(&form);
  TComponentEntries entries{nullptr, &TInconsistentLangPropertyEntry::StaticClass()};
};

TEST(ParseIndexSuffix, FindsOnlyABracketedNumberAtTheEnd) {
  int32_t n = 99;
  for (const auto& [name, value] :
       {std::pair{"Lines[12]", 12}, std::pair{"[5]", 5}, std::pair{"Items[007]", 7},
        std::pair{"Lines[0002147483647]", 2147483647}}) {
    EXPECT_TRUE(ParseIndexSuffix(name, n)) << name;
    EXPECT_EQ(n, value) << name;
  }
  // A number beyond 32 bits is no index either.
  for (const char* name : {"Lines[]", "Lines12]", "ab]", "Lines[1x]", "55]", "Lines[3",
                           "Lines[2147483648]", "Lines[99999999999999999999999]"}) {
    EXPECT_FALSE(ParseIndexSuffix(name, n)) << name;
  }
  EXPECT_FALSE(ParseIndexSuffix("x]", n));
  EXPECT_EQ(n, -1);
}

TEST_F(ComponentEntries, TreeClassesAreHandedDownAndChecked) {
  TComponentEntry* entry = entries.Add();
  EXPECT_EQ(entry->Controller(), entries.Controller());
  EXPECT_EQ(entries.OwnerEntry(), nullptr);
  TMainEntry* sub = entry->Items()->Add();
  EXPECT_EQ(sub->OwnerCollection()->OwnerEntry(), entry);
  TPropertyEntry* prop = sub->Props()->Add();
  EXPECT_EQ(prop->ClassName(), "TInconsistentLangPropertyEntry");
  EXPECT_EQ(prop->OwnerEntry(), sub);
  EXPECT_EQ(prop->Index(), -1);

  TMainEntries plain(nullptr, nullptr);
  EXPECT_EQ(plain.Add()->Props()->Add()->ClassName(), "TPropertyEntry");
  // Items of the wrong collection class are refused before they join it.
  TPropertyEntries props(nullptr, nullptr);
  EXPECT_THROW(TMainEntry wrong(&props), EInvalidCast);
  EXPECT_THROW(TComponentEntry wrong(&plain), EInvalidCast);
  EXPECT_THROW(TPropertyEntry wrong(&plain), EInvalidCast);
  EXPECT_EQ(props.Count() + plain.Count(), 1);
  EXPECT_THROW(TPropertyEntries bad(nullptr, &TMainEntry::StaticClass()), EInvalidCast);
}

TEST_F(ComponentEntries, ValidateResolvesAndPurgeDropsTheRest) {
  TComponentEntry* entry = AddComponent(box);
  TPropertyEntry* caption = AddProp(entry, "caption", tkLString);
  AddProp(entry, "Caption", tkLString);  // a duplicate: only the first one matches
  AddProp(entry, "Width", tkLString);    // the property is an integer
  AddProp(entry, "Missing", tkLString);
  TMainEntry* font = AddSub(entry, "Font", {stPubPropObject});
  TPropertyEntry* title = AddProp(font, "Title", tkLString);
  AddSub(entry, "Font", {stPubPropObject, stTStringsObject});  // never resolved

  entries.ValidateAll();
  EXPECT_EQ(entry->GetDisplayName(), "TEBox:Box1");
  EXPECT_EQ(caption->PropInfo(), TEBox::StaticClass().FindProperty("Caption"));
  EXPECT_EQ(caption->TypeName(), "String");
  EXPECT_EQ(font->Target(), box->Font());
  EXPECT_EQ(title->PropInfo(), TEFont::StaticClass().FindProperty("Title"));
  entries.Purge();
  EXPECT_EQ(PropNames(entry), std::vector<std::string>{"caption"});
  ASSERT_EQ(entry->Items()->Count(), 1);

  // The entry follows its component's name; an entry left with nothing goes.
  box->Rename("Renamed");
  caption->SetKind(tkInteger);
  title->SetKind(tkInteger);
  entries.ValidateAll();
  EXPECT_EQ(entries.IndexOfName("RENAMED"), 0);
  entries.Purge();
  EXPECT_EQ(entries.Count(), 0);
  EXPECT_EQ(entries.FindByTarget(box), nullptr);
}

TEST_F(ComponentEntries, StringListLinesResolveByIndexOrSuffix) {
  TComponentEntry* entry = AddComponent(box);
  TMainEntry* lines = AddSub(entry, "Lines", {stTStringsObject});
  TPropertyEntry* first = AddProp(lines, "Items[0]", tkUnknown);
  AddProp(lines, "Items[7]", tkUnknown);
  TPropertyEntry* byIndex = AddProp(lines, "Line", tkUnknown, 2);
  AddProp(lines, "NoLine", tkUnknown);

  entries.ValidateAll();
  EXPECT_EQ(lines->Target(), box->Lines());
  EXPECT_EQ(first->TypeName(), "String");
  EXPECT_EQ(PropNames(lines), (std::vector<std::string>{"Items[0]", "Items/7/", "Line", "NoLine"}));
  entries.Purge();
  EXPECT_EQ(PropNames(lines), (std::vector<std::string>{"Items[0]", "Line"}));

  EXPECT_EQ(first->GetLiveValue(), Variant("l0"));
  byIndex->SetLiveValue("two");
  EXPECT_EQ(byIndex->GetLiveValue(), Variant("two"));
  byIndex->SetIndex(9);
  EXPECT_THROW(byIndex->GetLiveValue(), EStringListError);
  // A sub-entry over a property that holds no string list gets no target.
  lines->SetName("Font");
  entries.ValidateAll();
  EXPECT_EQ(lines->Target(), nullptr);
  EXPECT_TRUE(first->GetLiveValue().IsNull());
}

TEST_F(ComponentEntries, CollectionItemsResolveOnlyWithinTheCollection) {
  TComponentEntry* entry = AddComponent(box);
  TMainEntry* second = AddSub(entry, "Columns[1]", {stPubPropObject, stCollectionObject});
  TPropertyEntry* caption = AddProp(second, "Caption", tkLString);
  TMainEntry* first = AddSub(entry, "columns[0]", {stPubPropObject, stCollectionObject});
  AddProp(first, "Caption", tkLString);
  TMainEntry* beyond = AddSub(entry, "Columns[2]", {stPubPropObject, stCollectionObject});
  AddProp(beyond, "Caption", tkLString);

  entries.ValidateAll();
  EXPECT_EQ(first->Target(), box->Columns()->Items(0));
  EXPECT_EQ(beyond->Target(), nullptr);
  caption->SetLiveValue("Zweite");
  EXPECT_EQ(static_cast<TEColumn*>(box->Columns()->Items(1))->Caption, "Zweite");
  entries.Purge();
  ASSERT_EQ(entry->Items()->Count(), 2);
  EXPECT_EQ(entry->Items()->Items(0), second);
  EXPECT_EQ(entry->Items()->Items(1), first);
}

TEST_F(ComponentEntries, UnresolvedEntriesGoUnlessLineEntriesKeepThem) {
  AddProp(AddComponent(nullptr), "Caption", tkLString);
  TComponentEntry* kept = AddComponent(nullptr);
  AddProp(kept, "Caption", tkLString);
  TMainEntry* lines = AddSub(kept, "Lines", {stTStringsObject});
  TPropertyEntry* line = AddProp(lines, "Lines[1]", tkUnknown);
  AddProp(lines, "Other", tkUnknown, 0);
  // A target its creator set is neither cleared nor looked up.
  TStringList table;
  table.SetText("a\nb\n");
  TMainEntry* resources = TMainEntry::CreateWithValues(kept->Items(), &table, "Resources", "String",
                                                       {stTStringsObject, stNoValidate});
  TPropertyEntry* text = AddProp(resources, "", tkUnknown, 1);

  entries.ValidateAndPurge();
  ASSERT_EQ(entries.Count(), 1);
  EXPECT_EQ(entries.Items(0), kept);
  EXPECT_EQ(kept->Props()->Count(), 0);
  EXPECT_EQ(PropNames(lines), (std::vector<std::string>{"Lines[1]", "Other"}));
  EXPECT_TRUE(line->GetLiveValue().IsNull());
  line->SetLiveValue("ignored");
  EXPECT_EQ(text->TypeName(), "String");
  EXPECT_EQ(text->GetLiveValue(), Variant("b"));
}

TEST_F(ComponentEntries, EntriesLeaveWithTheirComponentsAndTheIndexFollows) {
  auto* a = new TEBox(&form);
  auto* b = new TEBox(&form);
  auto* c = new TEBox(&form);
  TComponentEntry* ea = AddComponent(a);
  AddComponent(b);
  TComponentEntry* ec = AddComponent(c);
  AddProp(ea, "Caption", tkLString);
  delete b;
  ASSERT_EQ(entries.Count(), 2);
  EXPECT_EQ(entries.Items(1), ec);

  // A new Ref moves the entry in the index; the old component may then die without effect.
  ec->SetRef(box);
  EXPECT_EQ(entries.FindByTarget(c), nullptr);
  EXPECT_EQ(entries.FindByTarget(box), ec);
  delete c;
  EXPECT_EQ(entries.Count(), 2);
  entries.ValidateAndPurge();  // ec has nothing to translate
  EXPECT_EQ(entries.FindByTarget(box), nullptr);
  delete a;
  EXPECT_EQ(entries.Count(), 0);

  // Two entries of one component: none may stay behind pointing at it.
  auto* d = new TEBox(&form);
  AddComponent(d);
  AddComponent(d);
  delete d;
  EXPECT_EQ(entries.Count(), 0);
  // A cleared or destroyed list hears no more of its components.
  {
    TComponentEntries local(nullptr, nullptr);
    local.Add()->SetRef(box);
    local.Clear();
    local.Add()->SetRef(box);
  }
  // An entry moved to another list belongs to that list's watcher alone.
  auto* e = new TEBox(&form);
  TComponentEntry* moved = AddComponent(e);
  {
    TComponentEntries other(nullptr, nullptr);
    moved->SetCollection(&other);
    EXPECT_EQ(entries.FindByTarget(e), nullptr);
    EXPECT_EQ(other.FindByTarget(e), moved);
    EXPECT_EQ(moved->Controller(), other.Controller());
    moved->SetCollection(&entries);
  }
  EXPECT_EQ(entries.FindByTarget(e), moved);
  delete e;
  EXPECT_EQ(entries.Count(), 0);
  delete box;
}

// A component entry reads its name from its component, yet shows the name it was given: the
// name it had when last validated, through renames and a new Ref, and after the old one is gone.
TEST_F(ComponentEntries, ANameStaysAsGivenUntilTheNextValidation) {
  TComponentEntry* entry = AddComponent(box);
  AddProp(entry, "Caption", tkLString);
  auto* other = new TEBox(&form);
  other->Rename("Other");
  const std::vector<std::pair<std::function<void()>, std::string>> steps = {
      {[] {}, ""},
      {[this] { entries.ValidateAll(); }, "Box1"},
      {[this] { box->Rename("Box2"); }, "Box1"},
      {[this] { entries.ValidateAll(); }, "Box2"},
      {[entry, other] { entry->SetRef(other); }, "Box2"},
      {[this] { delete box; }, "Box2"},
      {[this] { entries.ValidateAll(); }, "Other"},
      {[entry] { entry->SetName("Mine"); }, "Mine"},
      {[entry] { entry->SetName("Other"); }, "Other"},
      {[other] { other->Rename("Renamed"); }, "Other"},
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    steps[i].first();
    EXPECT_EQ(entry->Name(), steps[i].second) << "step " << i;
  }
}

TEST_F(ComponentEntries, AssignCopiesTheTreeWithItsReferences) {
  TComponentEntry* entry = AddComponent(box);
  AddProp(AddSub(entry, "Lines", {stTStringsObject}), "Lines[3]", tkUnknown);

  TComponentEntries copy(nullptr, nullptr);
  const TPersistent* from = nullptr;
  copy.OnAssigned = [&](TBaseEntries* sender, const TPersistent* source) {
    EXPECT_EQ(sender, &copy);
    from = source;
  };
  copy.Assign(&entries);
  EXPECT_EQ(from, &entries);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.FindByTarget(box), copy.Items(0));
  EXPECT_EQ(copy.Items(0)->Items()->Items(0)->Props()->Items(0)->ClassName(),
            "TInconsistentLangPropertyEntry");
  // A list that keeps its own property class.
  TComponentEntries fixed(nullptr, &TConsistentLangPropertyEntry::StaticClass());
  fixed.SetAdoptPropertyClass(false);
  fixed.Assign(&entries);
  EXPECT_EQ(fixed.Items(0)->Items()->Items(0)->Props()->Items(0)->ClassName(),
            "TConsistentLangPropertyEntry");

  // A target that is no component is refused before anything changes; no target is copied.
  TMainEntry* font = TMainEntry::CreateWithValues(entry->Items(), box->Font(), "Font", "", {});
  try {
    entry->Assign(font);
    ADD_FAILURE() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "TComponentEntry.Assign failed. Type of Ref is not TComponent");
  }
  EXPECT_EQ(entry->Items()->Count(), 2);
  font->SetTarget(nullptr);
  fixed.Items(0)->Assign(font);
  EXPECT_EQ(fixed.Items(0)->Ref(), nullptr);
  TStringList unrelated;
  EXPECT_THROW(entry->Assign(&unrelated), EConvertError);

  // Each copy asked for its own removal notices.
  delete box;
  EXPECT_EQ(copy.Count() + entries.Count() + fixed.Count(), 1);
}

TEST_F(ComponentEntries, ForEachPropertyWalksFromTheLast) {
  TComponentEntry* one = AddComponent(box);
  AddProp(one, "A", tkLString);
  AddProp(one, "B", tkLString);
  AddProp(AddSub(one, "Font", {stPubPropObject}), "C", tkLString);
  AddProp(AddComponent(nullptr), "D", tkLString);

  std::vector<std::string> seen;
  int marker = 0;
  const auto visit = [&](TMainEntry* entry, TPropertyEntry* prop, void* data, bool& stop) {
    EXPECT_EQ(prop->OwnerEntry(), entry);
    seen.push_back(prop->Name());
    stop = data == nullptr && prop->Name() == "A";
  };
  EXPECT_TRUE(entries.ForEachProperty(visit, &marker));
  EXPECT_EQ(seen, (std::vector<std::string>{"D", "B", "A", "C"}));
  seen.clear();
  EXPECT_FALSE(entries.ForEachProperty(visit));
  EXPECT_EQ(seen, (std::vector<std::string>{"D", "B", "A"}));
}

TEST_F(ComponentEntries, LiveValuesOfPublishedProperties) {
  TPropertyEntry* caption = AddProp(AddComponent(box), "Caption", tkLString);
  EXPECT_TRUE(caption->GetLiveValue().IsNull());  // not validated yet
  caption->SetLiveValue("ignored");
  EXPECT_EQ(box->Caption, "Hello");
  entries.ValidateAll();
  caption->SetLiveValue("Hallo");
  EXPECT_EQ(caption->GetLiveValue(), Variant("Hallo"));

  TPropertyEntries loose(nullptr, nullptr);
  TPropertyEntry* plain = loose.Add();
  plain->Assign(caption);
  EXPECT_EQ(plain->PropInfo(), caption->PropInfo());
  EXPECT_TRUE(plain->GetLiveValue().IsNull());
  plain->SetIndex(3);
  caption->SetIndex(3);
  EXPECT_EQ(plain->GetDescription("> "), "> Caption[3]: String");
  EXPECT_EQ(caption->GetDescription(""), "Caption: String");
}

TEST(CollectionDeleteWhere, RemovesManyItemsInOnePassKeepingOrder) {
  TPropertyEntries props(nullptr, nullptr);
  constexpr int kCount = 100000;
  for (int i = 0; i < kCount; ++i) props.Add()->SetIndex(i);
  props.DeleteWhere(
      [](TCollectionItem* item) { return static_cast<TPropertyEntry*>(item)->Index() % 3 != 0; });
  ASSERT_EQ(props.Count(), (kCount + 2) / 3);
  for (int i = 0; i < props.Count(); ++i) ASSERT_EQ(props.Items(i)->Index(), i * 3);
  // A predicate that raises leaves the list alone.
  EXPECT_THROW(props.DeleteWhere([](TCollectionItem*) -> bool { throw EListError("x"); }),
               EListError);
  EXPECT_EQ(props.Count(), (kCount + 2) / 3);
}

// Boxes translated through entries of every kind, built alike twice so that the same changes
// can be made to both and the outcomes compared.
struct TranslatedBoxes {
  static constexpr int kBoxes = 6;

  TranslatedBoxes() {
    table.SetText("a\nb\n");
    for (int i = 0; i < kBoxes; ++i) {
      auto* box = new TEBox(&form);
      box->Rename("Box" + std::to_string(i));
      box->Lines()->SetText("l0\nl1\nl2\n");
      box->Columns()->Add();
      box->Columns()->Add();
      boxes.push_back(box);
      TComponentEntry* entry = Translate(i);
      AddProp(entry, "Width", tkInteger);
      AddProp(entry, "Missing", tkLString);
      if (i % 2 == 0) continue;  // these have property entries only
      AddProp(AddSub(entry, "Font", {stPubPropObject}), "Title", tkLString);
      TMainEntry* lines = AddSub(entry, "Lines", {stTStringsObject});
      AddProp(lines, "Lines[1]", tkUnknown);
      AddProp(lines, "Lines[4]", tkUnknown);
      AddProp(AddSub(entry, "Columns[1]", {stPubPropObject, stCollectionObject}), "Caption",
              tkLString);
      AddProp(TMainEntry::CreateWithValues(entry->Items(), &table, "Resources", "String",
                                           {stTStringsObject, stNoValidate}),
              "", tkUnknown, 1);
    }
  }

  TComponentEntry* Translate(int box) {
    TComponentEntry* entry = entries.Add();
    entry->SetSubType({stPubPropObject});
    entry->SetRef(boxes[static_cast<size_t>(box)]);
    AddProp(entry, "Caption", tkLString);
    return entry;
  }

  // One change, picked by `what` and applied to the box or entry picked by `which`.
  void Change(int what, size_t which, int step) {
    TEBox* box = boxes[which % boxes.size()];
    TMainEntry* entry =
        entries.Count() > 0 ? entries.Items(static_cast<int>(which) % entries.Count()) : nullptr;
    TPropertyEntry* prop =
        entry && entry->Props()->Count() > 0 ? entry->Props()->Items(0) : nullptr;
    TMainEntry* sub = entry && entry->Items()->Count() > 0 ? entry->Items()->Items(0) : nullptr;
    switch (what) {
      case 0:
        if (box) box->Rename("Box" + std::to_string(which) + "_" + std::to_string(step));
        break;
      case 1:
        if (box && which % 3 == 0) {
          delete box;
          boxes[which % boxes.size()] = nullptr;
        }
        break;
      case 2:
        if (prop) prop->SetKind(prop->Kind() == tkInteger ? tkLString : tkInteger);
        break;
      case 3:
        if (prop) prop->SetPropInfo(nullptr);
        break;
      case 4:
        if (box) Translate(static_cast<int>(which % boxes.size()));
        break;
      case 5:
        if (box) box->Lines()->SetText(std::string(which % 6, 'x').append(which % 6, '\n'));
        break;
      case 6:
        if (box && which % 2 == 0) box->Columns()->Add();
        if (box && which % 2 == 1 && box->Columns()->Count() > 0) box->Columns()->Delete(0);
        break;
      case 7:
        if (box) box->ReplaceFont();
        break;
      case 8:
        if (sub) {
          TMainEntrySubType subType = sub->SubType();
          if (subType.Contains(stNoValidate)) {
            subType.Exclude(stNoValidate);
          } else {
            subType.Include(stNoValidate);
          }
          sub->SetSubType(subType);
        }
        break;
      case 9:
        if (prop) prop->SetName(prop->Name() == "Caption" ? "caption" : "Caption");
        break;
      default:  // nothing changes
        break;
    }
  }

  std::string Describe(const TObject* target) const {
    if (!target) return "-";
    if (target == &table) return "table";
    for (size_t i = 0; i < boxes.size(); ++i) {
      const TEBox* box = boxes[i];
      if (!box) continue;
      const std::string at = std::to_string(i);
      if (target == box) return "box" + at;
      if (target == box->Font()) return "font" + at;
      if (target == box->Lines()) return "lines" + at;
      for (int c = 0; c < box->Columns()->Count(); ++c) {
        if (target == box->Columns()->Items(c)) return "column" + at + "." + std::to_string(c);
      }
    }
    return "?";
  }

  // Everything a validation and a purge decide, entry by entry.
  std::string Dump(const TMainEntries& list, const std::string& indent = "") const {
    std::string text;
    for (int i = 0; i < list.Count(); ++i) {
      const TMainEntry* entry = list.Items(i);
      text += indent + entry->Name() + " " + entry->TypeName() + " " +
              std::to_string(entry->SubType().Bits()) + " " + Describe(entry->Target()) + "\n";
      for (int j = 0; j < entry->Props()->Count(); ++j) {
        const TPropertyEntry* prop = entry->Props()->Items(j);
        text += indent + "  . " + prop->Name() + " " + std::to_string(prop->Kind()) + " " +
                std::to_string(prop->Index()) + " " + prop->TypeName() + " " +
                (prop->PropInfo() ? prop->PropInfo()->Name : "-") + "\n";
      }
      text += Dump(*entry->Items(), indent + "    ");
    }
    return text;
  }

  TComponent form{nullptr};
  TStringList table;
  std::vector<TEBox*> boxes;
  TComponentEntries entries{nullptr, &TInconsistentLangPropertyEntry::StaticClass()};
};

TEST(Revalidate, LeavesTheEntriesAsValidateAndPurgeWould) {
  TranslatedBoxes revalidated;
  TranslatedBoxes reference;
  std::mt19937 random(17);
  for (int step = 0; step < 400; ++step) {
    // Half of the steps change nothing, so that Revalidate often finds nothing changed.
    const int what = static_cast<int>(random() % 20);
    const size_t which = random() % 64;
    revalidated.Change(what, which, step);
    reference.Change(what, which, step);
    revalidated.entries.Revalidate();
    reference.entries.ValidateAndPurge();
    ASSERT_EQ(revalidated.Dump(revalidated.entries), reference.Dump(reference.entries))
        << "after step " << step << ", change " << what << " of " << which;
    // Nothing changes from here on: after at most one more call over the whole list (when the
    // live objects' entries turned out to have changed), only what can change is looked at.
    revalidated.entries.Revalidate();
    ASSERT_FALSE(revalidated.entries.Revalidate()) << "after step " << step;
  }
  EXPECT_GT(reference.entries.Count(), 0);
}

TEST(Revalidate, ValidatingValidEntriesIsNoChange) {
  TranslatedBoxes boxes;
  boxes.entries.ValidateAndPurge();
  const uint64_t before = EntryChanges();
  boxes.entries.ValidateAndPurge();
  boxes.entries.Revalidate();
  boxes.entries.Revalidate();
  EXPECT_EQ(EntryChanges(), before);
  TPropertyEntry* prop = boxes.entries.Items(0)->Props()->Items(0);
  prop->SetName(prop->Name());
  prop->SetPropInfo(prop->PropInfo());
  EXPECT_EQ(EntryChanges(), before);
  prop->SetIndex(5);
  EXPECT_EQ(EntryChanges(), before + 1);
  boxes.entries.Items(0)->Props()->Add();
  EXPECT_GT(EntryChanges(), before + 1);
}

}  // namespace
}  // namespace wdx
