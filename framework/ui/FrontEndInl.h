#pragma once

#include "framework/controls/Application.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {

template <class Handler>
void DispatchEvent(TObject* sender, Handler&& handler) {
  try {
    handler();
  } catch (const std::exception&) {
    // Every standard exception, an allocation failure among them, reaches the error report;
    // the form stays open.
    Application().HandleException(sender);
  }
}

}  // namespace wdx
