#pragma once
// IUnknown for the small helper objects (class factory, enumerators, event bridges): one
// interface, a plain apartment-threaded count, deleted when the count reaches zero.

#include <windows.h>
#include <unknwn.h>

namespace zentnet::com {

// QueryInterface of an object that is `self` for IUnknown and for each of `iids`.
template <class Itf, class... Iids>
HRESULT AnswerAs(Itf* self, REFIID riid, void** ppv, const Iids&... iids) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !(IsEqualIID(riid, iids) || ...)) return E_NOINTERFACE;
  *ppv = self;
  self->AddRef();
  return S_OK;
}

// The count of a heap object implementing Itf; Self is the final class deleted at zero.
template <class Itf, class Self>
class RefCounted : public Itf {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete static_cast<Self*>(this);
    return n;
  }

 private:
  ULONG refs_ = 1;
};

}  // namespace zentnet::com
