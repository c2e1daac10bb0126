// The window front-end: real windows made from the form's component tree and kept in step with
// the controls' properties, one session a form (WindowSession.h).
#include "framework/ui/PlatformFrontEnd.h"

#include "framework/controls/Form.h"
#include "framework/ui/win32/WindowSession.h"

namespace wdx {

namespace {

class TWindowFrontEnd : public TFrontEnd {
 public:
  int Run(TCustomForm& form) override { return win32::TWindowSession(form).Run(); }
};

}  // namespace

// The system's own file-open dialog browses the file system itself.
std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode, TFileBrowsing /*files*/) {
  exitCode = 0;
  return std::make_unique<TWindowFrontEnd>();
}

}  // namespace wdx
