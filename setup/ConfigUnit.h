// The setup dialog: the administrator confirms or edits the values the web application needs,
// and "Save" configures the web servers and the application with them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Form.h"

namespace wdx {

class IDirectoryService;
class IRegistry;
class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TOpenDialog;
class TTabSheet;

enum TRunMode : uint8_t { rmSetup, rmRemove, rmClose };

class TfrmWendrixSetup : public TForm {
 public:
  WDX_CLASS(TfrmWendrixSetup)

  // An empty dialog; the form reader fills it (see CreateSetupDialog).
  explicit TfrmWendrixSetup(TComponent* owner);
  ~TfrmWendrixSetup() override;

  TRunMode RunMode = rmClose;
  std::string InstallDir;  // without a trailing separator
  bool IISPresent = false;
  bool ApacheFound = false;
  // The code page in which the Apache found reads the paths of httpd.conf.
  int ApachePathCodePage = 0;

  // Event handlers, published by name for the form stream.
  void FormActivate(TObject* sender);
  void btOkClick(TObject* sender);
  void btCancelClick(TObject* sender);
  void Button1Click(TObject* sender);
  // After each change of the form's language: the instructions follow it.
  void LanguageChanged(TObject* sender);

  // The computer's name as the system reports it (15 characters at most); raises the system's
  // error when it cannot be read.
  std::string GetLocalComputerName();
  // Sets IISPresent and ApacheFound, shows or hides the Apache page and proposes the path of
  // httpd.conf.
  void DetectWebServers();

  // The controls, bound by name once the form is loaded (nullptr when the stream lacks one).
  TButton* btOk = nullptr;
  TButton* btCancel = nullptr;
  TEdit* edDomainName = nullptr;
  TEdit* edSMTPServer = nullptr;
  TEdit* edEmailFrom = nullptr;
  TEdit* edLogo = nullptr;
  TEdit* edHTTPDConf = nullptr;
  TTabSheet* tsApache = nullptr;
  TOpenDialog* OD = nullptr;

  void Loaded() override;

 private:
  void FillDefaults();
  void Save();
  // The first text that a file written by Save cannot hold (SaveChecks.h), told in a warning
  // box; false when everything fits.
  bool RefuseUnstorableText();
  IDirectoryService& Directory();

  std::unique_ptr<IDirectoryService> directory_;
};

// Creates the dialog from the program's embedded form stream, owned by `owner`.
TfrmWendrixSetup* CreateSetupDialog(TComponent* owner);
// The same from a given stream.
TfrmWendrixSetup* CreateSetupDialog(TComponent* owner, const std::vector<uint8_t>& stream);

// Registers the dialog's classes (the controls, the language control and the dialog itself)
// with the form reader.
void RegisterSetupClasses();

}  // namespace wdx
