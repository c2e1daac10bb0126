// A damaged form that only a tolerant read (every property error skipped) recovers: its
// language list is lost, one entry has no usable live value, and preparing the language data
// fails part-way. Whatever was recovered must load the same way every time, so that a save of
// it writes the same bytes ever after. With no language left, every entry keeps one slot: the
// stored translations belong to no language and go.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Register.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"

namespace wdx {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Damaged() {
  std::ifstream file(WDX_SOURCE_DIR "/fuzz/corpus/form_reader/recovered-language-data.bin",
                     std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

class RecoveredForm : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupLanguageLibrary("English");
    RegisterStandardControls();
    RegisterClass(TLangControl::StaticClass());
    Application().SetOnException(
        [this](TObject*, const Exception& error) { reported.push_back(error.Message()); });
  }
  void TearDown() override {
    form.reset();
    Application().SetOnException(nullptr);
    ShutdownLanguageLibrary();
  }

  // Reads `bytes` into a fresh form (the previous one gone first, so that each gets the same
  // name), skipping property errors when `tolerant` is set.
  void Read(const Bytes& bytes, bool tolerant) {
    form.reset();
    form = std::make_unique<TForm>(&Application());
    TMemoryStream stream(bytes);
    TReader reader(stream);
    if (tolerant) reader.OnError = [](const std::string&) { return true; };
    reader.ReadRootComponent(form.get());
  }
  Bytes Write() const {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRootComponent(form.get());
    return stream.Bytes();
  }
  // The stored texts of the entry for btCancel, slot by slot from 1.
  std::vector<std::string> CancelSlots() const {
    auto* control = static_cast<TLangControl*>(form->FindComponent("LangControl"));
    TComponentEntries* entries = control->Manager().Components();
    const TComponentEntry* entry = entries->FindByTarget(form->FindComponent("btCancel"));
    if (!entry) return {};
    auto* values = LangValuesOf(entry->Props()->Items(0));
    std::vector<std::string> texts;
    for (int32_t k = 1; k < values->Count(); ++k)
      texts.push_back(values->GetLangValue(k).ToString());
    return texts;
  }

  std::unique_ptr<TForm> form;
  std::vector<std::string> reported;
};

TEST_F(RecoveredForm, LoadsTheSameWayEveryRound) {
  const Bytes damaged = Damaged();
  ASSERT_FALSE(damaged.empty());
  EXPECT_THROW(Read(damaged, false), EReadError);
  Read(damaged, true);
  const std::vector<std::string> kept;
  EXPECT_EQ(CancelSlots(), kept);
  const std::vector<std::string> failure = {
      "Could not convert variant of type (Null) into type (String)"};
  EXPECT_EQ(reported, failure);

  const Bytes first = Write();
  for (int round = 1; round <= 3; ++round) {
    reported.clear();
    Read(first, false);
    EXPECT_EQ(reported, failure) << "round " << round;
    EXPECT_EQ(CancelSlots(), kept) << "round " << round;
    ASSERT_TRUE(Write() == first) << "round " << round;
  }
}

}  // namespace
}  // namespace wdx
