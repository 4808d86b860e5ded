#pragma once
// The in-process checks' own assertions: each failure prints one line and is counted, and
// the program exits with the count.

#include <cstdio>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include "zentnet/automation/error.h"

namespace zentnet::com {

inline int g_failures = 0;

inline void Expect(bool ok, const std::string& what) {
  if (!ok) {
    ++g_failures;
    std::printf("FAIL: %s\n", what.c_str());
  }
}

template <class A, class B>
void ExpectEq(const A& actual, const B& expected, const std::string& what) {
  if (actual == expected) return;
  ++g_failures;
  if constexpr (std::is_convertible_v<A, std::string>)
    std::printf("FAIL: %s: got \"%s\", want \"%s\"\n", what.c_str(), std::string(actual).c_str(),
                std::string(expected).c_str());
  else
    std::printf("FAIL: %s: got %lld (0x%llX), want %lld (0x%llX)\n", what.c_str(),
                static_cast<long long>(actual), static_cast<unsigned long long>(actual) & 0xFFFFFFFFull,
                static_cast<long long>(expected), static_cast<unsigned long long>(expected) & 0xFFFFFFFFull);
}

inline void ExpectError(const std::function<void()>& f, int32_t number, const std::string& source,
                        const std::string& description, const std::string& what) {
  try {
    f();
    ExpectEq(std::string("no error"), "error " + std::to_string(number), what);
  } catch (const AutomationError& e) {
    ExpectEq(std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description(),
             std::to_string(number) + " " + source + ": " + description, what);
  }
}

// An event sink of the test's own, without type information: notes each event's dispatch
// identifier and lets the test act on the arguments. It answers for `extra` too (an event
// interface); Listen connects it to an object's point for `events`.
class TestSink final : public IDispatch {
 public:
  std::string heard;  // the dispatch identifiers, each followed by a space
  std::function<HRESULT(DISPID, DISPPARAMS*, EXCEPINFO*)> act = [](DISPID, DISPPARAMS*, EXCEPINFO*) { return S_OK; };
  IID extra = IID_NULL;
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != extra) return *ppv = nullptr, E_NOINTERFACE;
    return *ppv = static_cast<IDispatch*>(this), AddRef(), S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO* e, UINT*) override {
    heard += std::to_string(id) + " ";
    return act(id, p, e);
  }
  void Listen(IUnknown* object, const IID& events) {
    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    if (SUCCEEDED(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))))
      container->FindConnectionPoint(events, &point), container->Release();
    Expect(point != nullptr && point->Advise(this, &cookie) == S_OK, "advise");
    if (point) point->Release();
  }
};

}  // namespace zentnet::com
