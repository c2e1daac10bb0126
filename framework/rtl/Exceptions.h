// The one exception hierarchy of the framework and of everything built on it.
// Every failure carries its message text; classes tell callers what kind of failure it was.
#pragma once

#include <exception>
#include <string>

namespace wdx {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }
  // The run-time class name of the exception, as error reports show it.
  virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string message_;
};

// Declares an exception class derived from `Base` that only carries its message.
#define WDX_EXCEPTION(Name, Base)                            \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  }

WDX_EXCEPTION(EConvertError, Exception);
WDX_EXCEPTION(EVariantError, Exception);
WDX_EXCEPTION(EVariantTypeCastError, EVariantError);
WDX_EXCEPTION(EInvalidCast, Exception);
WDX_EXCEPTION(EInvalidOperation, Exception);
WDX_EXCEPTION(EListError, Exception);
WDX_EXCEPTION(EStringListError, Exception);
WDX_EXCEPTION(EComponentError, Exception);
WDX_EXCEPTION(EStreamError, Exception);
WDX_EXCEPTION(EFilerError, EStreamError);
WDX_EXCEPTION(EReadError, EFilerError);
WDX_EXCEPTION(EWriteError, EFilerError);
WDX_EXCEPTION(EClassNotFound, EFilerError);
WDX_EXCEPTION(EFOpenError, EStreamError);
WDX_EXCEPTION(EFCreateError, EStreamError);
WDX_EXCEPTION(ECriticalError, Exception);
WDX_EXCEPTION(ECaseError, ECriticalError);
WDX_EXCEPTION(EOleError, Exception);
WDX_EXCEPTION(EOutOfMemory, Exception);

// An input/output failure with the system's error code (2 "File not found", ...).
class EInOutError : public Exception {
 public:
  EInOutError(int code, std::string message) : Exception(std::move(message)), code_(code) {}
  explicit EInOutError(int code);
  const char* ClassName() const override { return "EInOutError"; }
  int ErrorCode() const { return code_; }

 private:
  int code_;
};

// A failed operating-system call with its error code.
class EOSError : public Exception {
 public:
  EOSError(unsigned code, std::string message) : Exception(std::move(message)), code_(code) {}
  const char* ClassName() const override { return "EOSError"; }
  unsigned ErrorCode() const { return code_; }

 private:
  unsigned code_;
};

// Message texts of the framework that callers and tests match.
namespace msg {
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kOutOfMemory = "Out of memory";
inline constexpr const char* kInvalidCast = "Invalid class typecast";
inline constexpr const char* kListIndexError = "List index out of bounds (%d)";
inline constexpr const char* kInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* kInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* kAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* kDuplicateName = "A component named %s already exists";
inline constexpr const char* kInvalidName = "'%s' is not a valid component name";
}  // namespace msg

// Raises EReadError "Stream read error".
[[noreturn]] void ThrowStreamReadError();

}  // namespace wdx
