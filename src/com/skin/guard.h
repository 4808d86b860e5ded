#pragma once
// The one error boundary between COM callers and the core. Every method a client can call
// runs its body through Guard: an AutomationError becomes the thread's IErrorInfo plus the
// HRESULT a script runtime turns back into the same number; nothing escapes as a C++
// exception.

#include <exception>
#include <new>
#include <string>

#include <windows.h>
#include <oaidl.h>

#include "zentnet/automation/error.h"

namespace zentnet::com {

// A null pointer where the caller had to pass one: E_POINTER, no error object.
struct NullPointer {};

// The HRESULT that carries automation error `number`: 1..65535 travel as 0x800A0000 +
// number, failure codes (object errors) as themselves; anything else (0, or a positive
// number above 65535, which would read as success) as the invalid-call error.
HRESULT HResultOf(int32_t number);
// The number a script sees for a failed HRESULT: the low word of a 0x800A.... code, the
// runtime's own number for the common dispatch failures, the HRESULT itself otherwise.
int32_t NumberOf(HRESULT hr);

// Publishes `e` as the thread's error object (with `iid` as its interface) and returns its
// HRESULT.
HRESULT Report(const IID& iid, const AutomationError& e) noexcept;

// Throws the AutomationError that a failed IDispatch::Invoke describes; the texts in
// `info` are freed.
[[noreturn]] void ThrowFrom(HRESULT hr, EXCEPINFO* info);

// What Guard answers for the exception in flight (call it only from a catch block): the
// error object and HRESULT of an AutomationError, E_OUTOFMEMORY, E_POINTER for a
// NullPointer, E_UNEXPECTED with a description for anything else.
HRESULT Caught(const IID& iid) noexcept;

// Inlined into every member, so the member's own call is direct; the handlers stay in
// Caught, one copy for the whole DLL.
template <class F>
[[gnu::always_inline]] inline HRESULT Guard(const IID& iid, F&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (...) {
    return Caught(iid);
  }
}

}  // namespace zentnet::com
