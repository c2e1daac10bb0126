#pragma once

#include "framework/controls/Application.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {

template <class Handler>
void DispatchEvent(TObject* sender, Handler&& handler) {
  try {
    handler();
  } catch (const Exception&) {
    Application().HandleException(sender);
  }
}

}  // namespace wdx
