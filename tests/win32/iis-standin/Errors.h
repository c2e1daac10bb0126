// How the provider's failures reach its callers: a call never lets an exception cross the COM
// boundary; a failure of the stand-in becomes its automation code with its description, in the
// EXCEPINFO of a late-bound call or, for other calls, in the thread's error information.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oaidl.h>

#include <new>

#include "framework/rtl/Exceptions.h"
#include "platform/metabase/MetabaseText.h"

namespace wdx::iis {

// The code to return for a failure with `code` and `description`: DISP_E_EXCEPTION with the
// EXCEPINFO filled when there is one, else `code` with the description as error information.
HRESULT Report(uint32_t code, const std::string& description, EXCEPINFO* exception);

// Runs `call` (which returns an HRESULT) and reports what it throws.
template <class Call>
HRESULT Guarded(EXCEPINFO* exception, Call&& call) {
  try {
    return call();
  } catch (const EMetabaseError& error) {
    return Report(error.Code(), error.Message(), exception);
  } catch (const Exception& error) {
    return Report(metabase_code::kFail, error.Message(), exception);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace wdx::iis
