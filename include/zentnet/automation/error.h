#pragma once
// The error every member raises: the automation error object's five fields.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zentnet {

class AutomationError : public std::runtime_error {
 public:
  AutomationError(int32_t number, std::string source, std::string description,
                  std::string helpFile = {}, int32_t helpContext = 0);

  int32_t Number() const noexcept { return number_; }
  const std::string& Source() const noexcept { return source_; }
  const std::string& Description() const noexcept { return description_; }
  const std::string& HelpFile() const noexcept { return helpFile_; }
  int32_t HelpContext() const noexcept { return helpContext_; }

 private:
  int32_t number_;
  std::string source_;
  std::string description_;
  std::string helpFile_;
  int32_t helpContext_;
};

namespace err {
// The runtime's own error numbers.
inline constexpr int32_t kInvalidCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kOutOfStackSpace = 28;
inline constexpr int32_t kObjectRequired = 91;
inline constexpr int32_t kResourceNotFound = 326;
inline constexpr int32_t kCannotCreateObject = 429;
inline constexpr int32_t kNoSuchMember = 438;
inline constexpr int32_t kDuplicateKey = 457;
// Object errors are this base plus a library-defined code (0x80040000 as a signed Long).
inline constexpr int32_t kObjectErrorBase = static_cast<int32_t>(0x80040000u);

// The source the runtime stamps on its own errors raised inside this library.
inline constexpr const char* kRuntimeSource = "ZentNetLib";

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseTypeMismatch();
[[noreturn]] void RaiseObjectRequired();
[[noreturn]] void RaiseInvalidCall();
[[noreturn]] void RaiseSubscriptOutOfRange();
[[noreturn]] void RaiseNoSuchMember();
[[noreturn]] void RaiseOutOfStackSpace();

// Raises error 91 when `p` is null; returns `p` otherwise.
template <class P>
P& Required(P& p) {
  if (!p) RaiseObjectRequired();
  return p;
}
}  // namespace err

}  // namespace zentnet
