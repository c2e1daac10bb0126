#include "platform/files/Failure.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "platform/System.h"

namespace wdx::filelayer {

void Raise(const TFailure& failure, TFileErrors errors, const std::string& path) {
  switch (errors) {
    case TFileErrors::InOut:
      throw EInOutError(static_cast<int>(failure.Code));
    case TFileErrors::SystemText:
      throw EOSError(failure.Code, SystemErrorMessage(failure.Code));
    case TFileErrors::Stream:
      break;
  }
  switch (failure.Stage) {
    case TStage::Open:
      throw EFOpenError(Format("Cannot open file %s", path.c_str()));
    case TStage::Create:
      throw EFCreateError(Format("Cannot create file %s", path.c_str()));
    case TStage::Write:
      break;
  }
  throw EWriteError(msg::kStreamWriteError);
}

}  // namespace wdx::filelayer
