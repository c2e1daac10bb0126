// The form writer leaves out a property whose value is its declared default, and the reader
// leaves it at the fresh object's value: the two must agree, or a save and load loses the value.
#include <gtest/gtest.h>

#include <memory>

#include "LangControl/Source/LangControl.h"
#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"
#include "setup/ConfigUnit.h"

namespace wdx {
namespace {

TEST(DeclaredDefaults, EveryClassAFormMayHoldStartsWithThem) {
  StartupLanguageLibrary("English");
  RegisterSetupClasses();
  int checked = 0;
  {
    TForm owner(nullptr);
    for (const TMetaClass* cls : RegisteredClasses()) {
      if (!cls->CanCreate()) continue;
      std::unique_ptr<TObject> fresh(cls->Create(&owner));
      for (const TPropInfo* prop : cls->Properties()) {
        if (!prop->HasDefault || !prop->Readable) continue;
        ++checked;
        EXPECT_EQ(GetOrdProp(fresh.get(), *prop), prop->Default)
            << cls->Name() << "." << prop->Name;
      }
    }
  }
  ShutdownLanguageLibrary();
  EXPECT_GE(checked, 60);
}

// A form's colour has no default: whatever it is, it is stored.
TEST(DeclaredDefaults, AFormKeepsItsColourThroughAStream) {
  TForm form(nullptr);
  form.SetColor(clWindow);
  TMemoryStream stream;
  TWriter(stream).WriteRootComponent(&form);
  stream.Seek(0, TSeekOrigin::soBeginning);
  TForm copy(nullptr);
  TReader(stream).ReadRootComponent(&copy);
  EXPECT_EQ(copy.Color(), clWindow);
}

}  // namespace
}  // namespace wdx
