#include "translations/LoadedForm.h"

#include "LangControl/Source/LangControl.h"
#include "app/FormClasses.h"
#include "framework/components/FormStreamDecoder.h"
#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Streams.h"

namespace wdx {

namespace {

// The prefix of the language control's stream properties.
constexpr std::string_view kLanguageData = "LanguageManager_";

// Where the language data of the record named `name` lies in a stream: the byte ranges of its
// properties, and the end of its property list.
class LanguageDataFinder : public FormStreamVisitor {
 public:
  explicit LanguageDataFinder(std::string name) : name_(std::move(name)) {}

  std::vector<std::pair<size_t, size_t>> ranges;
  size_t end = 0;  // the tag 0 closing the record's properties; 0 when there is no such record

  void BeginObject(const FormObjectHeader& header, int depth) override {
    inside_ = end == 0 && depth > 0 && header.name == name_;
    depth_ = depth;
  }
  void Property(const FormProperty& property, int depth, size_t begin, size_t finish) override {
    const bool data = property.name.size() >= kLanguageData.size() &&
                      SameText(property.name.substr(0, kLanguageData.size()), kLanguageData);
    if (inside_ && depth == depth_ && data) ranges.emplace_back(begin, finish);
  }
  void EndProperties(int depth, size_t offset) override {
    if (inside_ && depth == depth_) {
      end = offset;
      inside_ = false;
    }
  }
  void EndObject(int) override {}

 private:
  std::string name_;
  bool inside_ = false;
  int depth_ = 0;
};

LanguageDataFinder FindLanguageData(const std::vector<uint8_t>& bytes, const std::string& name) {
  LanguageDataFinder finder(name);
  FormStreamDecoder decoder(bytes);
  decoder.Walk(finder);
  if (finder.end == 0) throw Exception("The language control '" + name + "' has no record");
  return finder;
}

}  // namespace

LoadedForm::LoadedForm(const std::vector<uint8_t>& bytes) : bytes_(bytes) {
  RegisterFormClasses();
  root_ = std::make_unique<TForm>(&Application());
  TMemoryStream in(bytes);
  TReader reader(in);
  reader.SetGlobalScope(&Application());
  reader.OnMethodNotFound = [](const std::string&) { return true; };
  reader.ReadRootComponent(root_.get());
  if (!scope_.Reports().empty()) throw Exception(scope_.Reports().front().message);
  for (int i = 0; i < root_->ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<TLangControl*>(root_->Components(i))) {
      if (control_) throw Exception("The form has more than one language control");
      control_ = control;
    }
  }
  if (!control_) throw Exception("The form has no language control");
}

TLanguageManager& LoadedForm::Manager() const {
  return control_->Manager();
}

std::vector<uint8_t> LoadedForm::Write() const {
  TMemoryStream out;
  TWriter writer(out);
  writer.WriteRootComponent(root_.get());
  const std::vector<uint8_t> written = out.Bytes();
  // The language data as written, in place of the stream's own at the end of the record's
  // properties, where the writer puts it.
  const LanguageDataFinder now = FindLanguageData(written, control_->Name());
  const LanguageDataFinder was = FindLanguageData(bytes_, control_->Name());
  std::vector<uint8_t> result;
  size_t from = 0;
  for (const auto& [begin, end] : was.ranges) {
    result.insert(result.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(from),
                  bytes_.begin() + static_cast<std::ptrdiff_t>(begin));
    from = end;
  }
  result.insert(result.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(from),
                bytes_.begin() + static_cast<std::ptrdiff_t>(was.end));
  for (const auto& [begin, end] : now.ranges) {
    result.insert(result.end(), written.begin() + static_cast<std::ptrdiff_t>(begin),
                  written.begin() + static_cast<std::ptrdiff_t>(end));
  }
  result.insert(result.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(was.end), bytes_.end());
  return result;
}

}  // namespace wdx
