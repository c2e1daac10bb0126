// The file-open dialog component. Showing it is the front-end's work; the component holds the
// settings and the chosen file. Its published defaults (FilterIndex 1) are declared in its table
// (StaticClass) and applied by its constructor.
#pragma once

#include <functional>
#include <string>

#include "framework/components/Component.h"

namespace wdx {

class TOpenDialog : public TComponent {
 public:
  WDX_CLASS(TOpenDialog)
  explicit TOpenDialog(TComponent* owner);

  std::string DefaultExt;
  std::string FileName;
  // Pairs of description and pattern separated by "|": "Apache Config File|httpd.conf".
  std::string Filter;
  int32_t FilterIndex{};
  std::string InitialDir;
  std::string Title;

  // Shows the dialog modally; true when the user chose a file (FileName is then its full path).
  bool Execute();

  // How a front-end shows the dialog: it gets the component and returns the chosen path, or
  // nothing when the user cancelled.
  using Presenter = std::function<bool(TOpenDialog& dialog, std::string& chosen)>;
  static void SetPresenter(Presenter presenter);
};

}  // namespace wdx
