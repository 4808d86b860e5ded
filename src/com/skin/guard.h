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

template <class F>
HRESULT Guard(const IID& iid, F&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (const AutomationError& e) {
    return Report(iid, e);
  } catch (const std::bad_alloc&) {
    SetErrorInfo(0, nullptr);
    return E_OUTOFMEMORY;
  } catch (const NullPointer&) {
    SetErrorInfo(0, nullptr);
    return E_POINTER;
  } catch (const std::exception& e) {
    Report(iid, AutomationError(0, err::kRuntimeSource, std::string("Unexpected error: ") + e.what()));
    return E_UNEXPECTED;
  } catch (...) {
    Report(iid, AutomationError(0, err::kRuntimeSource, "Unexpected error"));
    return E_UNEXPECTED;
  }
}

}  // namespace zentnet::com
