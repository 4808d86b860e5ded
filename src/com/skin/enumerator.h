#pragma once
// One enumerator for every IEnumXXX the skin hands out (connection points, connections,
// collection items): a shared snapshot and a position.

#include <memory>
#include <utility>
#include <vector>

#include <windows.h>
#include <ocidl.h>

#include "module.h"
#include "ref.h"
#include "unknown.h"

namespace zentnet::com {

struct Connection {
  Ref<IDispatch> sink;
  DWORD cookie;
};

inline void CopyOut(const Ref<IConnectionPoint>& item, IConnectionPoint** out) {
  *out = item.get();
  (*out)->AddRef();
}
inline void CopyOut(const Connection& item, CONNECTDATA* out) {
  out->pUnk = item.sink.get();
  out->pUnk->AddRef();
  out->dwCookie = item.cookie;
}
inline void CopyOut(const OwnedVariant& item, VARIANT* out) {
  VariantInit(out);
  VariantCopy(out, const_cast<VARIANT*>(&item.v));
}

template <class IEnum, class Item, class Element>
class Enumerator final : public RefCounted<IEnum, Enumerator<IEnum, Item, Element>>, Counted {
 public:
  using Items = std::shared_ptr<const std::vector<Item>>;
  explicit Enumerator(Items items, size_t position = 0)
      : items_(std::move(items)), position_(position) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return AnswerAs<IEnum>(this, riid, ppv, __uuidof(IEnum));
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Element* out, ULONG* fetched) override {
    if (out == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < items_->size(); ++n, ++position_)
      CopyOut((*items_)[position_], &out[n]);
    if (fetched != nullptr) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const size_t left = items_->size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnum** out) override {
    if (out == nullptr) return E_POINTER;
    *out = new (std::nothrow) Enumerator(items_, position_);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

 private:
  Items items_;
  size_t position_;
};

// A new enumerator over `items`, one reference, as IEnum.
template <class IEnum, class Element, class Item>
IEnum* Enumerate(std::vector<Item> items) {
  auto shared = std::make_shared<const std::vector<Item>>(std::move(items));
  return new Enumerator<IEnum, Item, Element>(std::move(shared));
}

}  // namespace zentnet::com
