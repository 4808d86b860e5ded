#pragma once
// An event sink of the Windows clients' own, without type information: it notes each event's
// dispatch identifier and lets the test act on the arguments (write back, fail). It answers
// for `extra` too: an event interface, or the interface of an object it stands in for.

#include <functional>
#include <string>

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

class TestSink final : public IDispatch {
 public:
  std::string heard;  // the dispatch identifiers, each followed by a space
  std::function<HRESULT(DISPID, DISPPARAMS*, EXCEPINFO*)> act;
  IID extra = IID_NULL;
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != extra)
      return *ppv = nullptr, E_NOINTERFACE;
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
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*,
                                   EXCEPINFO* e, UINT*) override {
    heard += std::to_string(id) + " ";
    return act ? act(id, p, e) : S_OK;
  }
  // Connects to `object`'s point for `events`; false where that fails.
  bool Listen(IUnknown* object, const IID& events) {
    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    if (SUCCEEDED(object->QueryInterface(IID_IConnectionPointContainer,
                                         reinterpret_cast<void**>(&container))))
      container->FindConnectionPoint(events, &point), container->Release();
    const bool advised = point != nullptr && point->Advise(this, &cookie) == S_OK;
    if (point) point->Release();
    return advised;
  }
};
