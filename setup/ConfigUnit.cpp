#include "setup/ConfigUnit.h"

#include "LangControl/Source/LangControl.h"
#include "app/EmbeddedForm.h"
#include "app/FormClasses.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/Published.h"
#include "platform/DirectoryService.h"
#include "platform/Locale.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "setup/ApacheSetup.h"
#include "setup/ApplicationConfig.h"
#include "setup/IisSetup.h"
#include "setup/SaveChecks.h"
#include "setup/Shortcuts.h"
#include "setup/StringsUnit.h"
#include "setup/WebServerDetection.h"

namespace wdx {

const TMetaClass& TfrmWendrixSetup::StaticClass() {
  using F = TfrmWendrixSetup;
  static const TMetaClass meta("TfrmWendrixSetup", &TForm::StaticClass(), FactoryOf<F>(), {},
                               {
                                   PublishedMethod<F>("FormActivate", &F::FormActivate),
                                   PublishedMethod<F>("btOkClick", &F::btOkClick),
                                   PublishedMethod<F>("btCancelClick", &F::btCancelClick),
                                   PublishedMethod<F>("Button1Click", &F::Button1Click),
                               });
  return meta;
}

TfrmWendrixSetup::TfrmWendrixSetup(TComponent* owner) : TForm(owner) {}

TfrmWendrixSetup::~TfrmWendrixSetup() = default;

namespace {

template <class T>
T* Bind(TComponent& form, const char* name) {
  return ObjectCast<T>(form.FindComponent(name));
}

// A control's caption as the name of its field in a message: blanks and a final colon off.
std::string FieldName(TComponent& form, const char* control) {
  auto* labelled = ObjectCast<TControl>(form.FindComponent(control));
  std::string name = labelled ? Trim(labelled->Caption()) : control;
  if (!name.empty() && name.back() == ':') name.pop_back();
  return name;
}

}  // namespace

void TfrmWendrixSetup::Loaded() {
  TForm::Loaded();
  btOk = Bind<TButton>(*this, "btOk");
  btCancel = Bind<TButton>(*this, "btCancel");
  edDomainName = Bind<TEdit>(*this, "edDomainName");
  edSMTPServer = Bind<TEdit>(*this, "edSMTPServer");
  edEmailFrom = Bind<TEdit>(*this, "edEmailFrom");
  edLogo = Bind<TEdit>(*this, "edLogo");
  edHTTPDConf = Bind<TEdit>(*this, "edHTTPDConf");
  tsApache = Bind<TTabSheet>(*this, "tsApache");
  OD = Bind<TOpenDialog>(*this, "OD");
  // The instructions are not among the language data's texts, whose stream keeps its bytes.
  if (auto* languages = ObjectCast<TLangControl>(FindComponent("LangControl"))) {
    languages->Changed = [this] { LanguageChanged(this); };
  }
  LanguageChanged(this);
}

void TfrmWendrixSetup::LanguageChanged(TObject*) {
  if (auto* instructions = ObjectCast<TLabel>(FindComponent("Label8"))) {
    instructions->SetCaption(Translate(strings::kInstructions));
  }
}

IDirectoryService& TfrmWendrixSetup::Directory() {
  if (!directory_) directory_ = CreateDirectoryService();
  return *directory_;
}

std::string TfrmWendrixSetup::GetLocalComputerName() {
  std::string name;
  unsigned error = 0;
  if (!QueryComputerName(16, name, error)) RaiseOSError(error);
  return name;
}

void TfrmWendrixSetup::DetectWebServers() {
  // Only whether IIS answers is kept; the object is looked up again when it is needed.
  IISPresent = GetDirectoryObject(Directory(), "IIS://localhost/W3SVC/1/Root") != nullptr;
  tsApache->SetTabVisible(false);
  ApacheFound = false;
  const std::unique_ptr<IRegistry> registry = CreateMachineRegistry();
  const std::optional<TApacheInstallation> apache = FindApache(*registry);
  if (!apache) return;
  ApacheFound = true;
  ApachePathCodePage = FileNameCodePage(ReadsUtf8Paths(apache->Version));
  edHTTPDConf->SetText(apache->ServerRoot + "conf\\httpd.conf");
  tsApache->SetTabVisible(true);
}

void TfrmWendrixSetup::FillDefaults() {
  const std::string name = GetLocalComputerName();
  DetectWebServers();
  edDomainName->SetText(name);
  edSMTPServer->SetText("mail." + name);
  edEmailFrom->SetText("wendrix@" + name);
  btCancel->SetEnabled(false);
}

void TfrmWendrixSetup::FormActivate(TObject*) {
  switch (RunMode) {
    case rmSetup:
      FillDefaults();
      break;
    case rmRemove:
      try {
        RemoveIIS(Directory());
      } catch (const std::exception&) {
        // The removal ends quietly whatever happens; the program ends in every case.
      }
      Close();
      break;
    case rmClose:
      Close();
      break;
  }
}

bool TfrmWendrixSetup::RefuseUnstorableText() {
  std::vector<TSaveField> fields;
  const std::pair<TEdit*, const char*> inConfig[] = {{edDomainName, "GroupBox2"},
                                                     {edSMTPServer, "Label1"},
                                                     {edEmailFrom, "Label4"},
                                                     {edLogo, "Label5"}};
  for (const auto& [edit, label] : inConfig) {
    fields.push_back({FieldName(*this, label), edit->Text(), true});
  }
  if (ApacheFound) fields.push_back({FieldName(*this, "GroupBox1"), edHTTPDConf->Text(), false});
  const std::string warning = UnstorableTextWarning(
      fields, InstallDir, ApacheFound ? std::optional<int>(ApachePathCodePage) : std::nullopt);
  if (warning.empty()) return false;
  MessageDlg(warning, mtWarning, {mbOK});
  return true;
}

void TfrmWendrixSetup::Save() {
  if (RefuseUnstorableText()) return;
  const std::string domain = edDomainName->Text();
  WriteShortcut(InstallDir, strings::kStartPageTitle, "http://" + domain + strings::kStartPageUrl);
  WriteShortcut(InstallDir, strings::kGettingStartedTitle,
                "http://" + domain + strings::kGettingStartedUrl);
  const bool iisDone = SetupIIS(Directory(), IISPresent, InstallDir);
  const bool apacheDone =
      SetupApache(ApacheFound, edHTTPDConf->Text(), InstallDir, ApachePathCodePage);
  if (!iisDone && !apacheDone)
    MessageDlg(Translate(strings::kUnableToConfigure), mtWarning, {mbOK});
  UpdateApplicationConfig(InstallDir,
                          {edLogo->Text(), edSMTPServer->Text(), edEmailFrom->Text(), domain});
  Close();
}

void TfrmWendrixSetup::btOkClick(TObject*) {
  if (RunMode == rmSetup) Save();
}

void TfrmWendrixSetup::btCancelClick(TObject*) {
  Close();
}

void TfrmWendrixSetup::Button1Click(TObject*) {
  OD->FileName = edHTTPDConf->Text();
  if (OD->Execute()) edHTTPDConf->SetText(OD->FileName);
}

void RegisterSetupClasses() {
  RegisterFormClasses();
  RegisterClass(TfrmWendrixSetup::StaticClass());
}

TfrmWendrixSetup* CreateSetupDialog(TComponent* owner, const std::vector<uint8_t>& stream) {
  RegisterSetupClasses();
  auto dialog = std::make_unique<TfrmWendrixSetup>(owner);
  ReadFormStream(*dialog, stream);
  return dialog.release();
}

TfrmWendrixSetup* CreateSetupDialog(TComponent* owner) {
  RegisterSetupClasses();
  return CreateEmbeddedForm<TfrmWendrixSetup>(owner).release();
}

}  // namespace wdx
