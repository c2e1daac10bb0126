// Feeds arbitrary bytes to the form reader as the stream of a form owned by the application
// object. A malformed stream must end in the framework's Exception; anything else (a crash, a
// sanitizer report, a leak, a hang, any other exception) is a fault and ends the run.
//
// The language control is among the classes the reader knows, so its language data (languages,
// component entries, the variant buffers of their values, the string table) is read, prepared
// and switched on loading like any other form's. Errors it reports to the application are
// dropped; each input starts from a fresh language library, so a run does not depend on the
// inputs before it.
//
// Whatever the input, the dump and the form source writer end in the framework's Exception at
// worst; the source they write compiles back to the input's bytes, and must be written for every
// form the reader takes.
//
// An input the reader rejects is read a second time with every property error skipped, the way
// a tolerant loader would, which also drives the reader's recovery after a failed value. Whatever
// form results is written back and read again: the writer's output must read without error, and
// after at most one more round writing the form read from it must give the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "framework/components/FormDump.h"
#include "framework/components/ObjectText.h"
#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Register.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"

namespace {

using Bytes = std::vector<uint8_t>;

enum class OnPropertyError { kFail, kSkip };

// The form read from `bytes`, or nullptr when the reader rejects them.
std::unique_ptr<wdx::TForm> ReadForm(const Bytes& bytes, OnPropertyError onError) {
  auto form = std::make_unique<wdx::TForm>(&wdx::Application());
  wdx::TMemoryStream stream(bytes);
  wdx::TReader reader(stream);
  if (onError == OnPropertyError::kSkip) {
    reader.OnError = [](const std::string&) { return true; };
  }
  try {
    reader.ReadRootComponent(form.get());
  } catch (const wdx::Exception&) {
    return nullptr;
  }
  return form;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "form_reader_fuzz: %s%s\n", what, detail.c_str());
  std::abort();
}

// Writing a form the reader produced must succeed.
Bytes WriteOrFail(wdx::TForm& form) {
  wdx::TMemoryStream stream;
  wdx::TWriter writer(stream);
  try {
    writer.WriteRootComponent(&form);
  } catch (const wdx::Exception& error) {
    Fail("writing a form that was read failed: ", error.Message());
  }
  return stream.Bytes();
}

// The writer's output must read without any error.
std::unique_ptr<wdx::TForm> ReadBackOrFail(const Bytes& written) {
  auto form = std::make_unique<wdx::TForm>(&wdx::Application());
  wdx::TMemoryStream stream(written);
  wdx::TReader reader(stream);
  try {
    reader.ReadRootComponent(form.get());
  } catch (const wdx::Exception& error) {
    Fail("the writer's output does not read back: ", error.Message());
  }
  return form;
}

// The form source of `input`, when it can be written, must compile back to the same bytes.
bool SourceRoundTrips(const Bytes& input) {
  try {
    wdx::DumpFormStream(input);
  } catch (const wdx::Exception&) {
  }
  std::string text;
  try {
    text = wdx::ObjectBinaryToText(input);
  } catch (const wdx::Exception&) {
    return false;
  }
  if (wdx::ObjectTextToBinary(text) != input)
    Fail("the form source compiles to other bytes:\n", text);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  wdx::RegisterStandardControls();
  wdx::RegisterClass(wdx::TLangControl::StaticClass());
  wdx::Application().SetOnException([](wdx::TObject*, const wdx::Exception&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wdx::StartupLanguageLibrary("English");
  const Bytes input(data, data + size);
  const bool spelt = SourceRoundTrips(input);
  std::unique_ptr<wdx::TForm> form = ReadForm(input, OnPropertyError::kFail);
  if (form && !spelt) Fail("a form the reader takes has no form source", "");
  if (!form) form = ReadForm(input, OnPropertyError::kSkip);
  if (!form) return 0;

  Bytes first = WriteOrFail(*form);
  // Each form is gone before the next one is read, so every copy gets the same root name.
  form.reset();
  Bytes second = WriteOrFail(*ReadBackOrFail(first));
  // A value the writer leaves out as a default may differ from what a new component starts
  // with (an empty font name), so the first copy may lose it; from then on the bytes are fixed.
  if (second != first && WriteOrFail(*ReadBackOrFail(second)) != second) {
    Fail("writing the form read back gives other bytes", "");
  }
  return 0;
}
