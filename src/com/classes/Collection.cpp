// The runtime's Collection, as the library hands it out: the runtime's own interface, so
// that a compiled client binds to it by the runtime's slots. Item is the default member and
// _NewEnum makes For Each work.

#include "../skin/dual.h"
#include "zentnet/automation/collection.h"

namespace zentnet::com {
namespace {

// An optional argument a compiled client leaves out may come as a null pointer.
VARIANT* OrMissing(VARIANT* v, VARIANT& missing) {
  if (v != nullptr) return v;
  V_VT(&missing) = VT_ERROR;
  V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
  return &missing;
}

class CollectionSkin final : public Dual<CollectionSkin, _Collection, Collection> {
 public:
  static constexpr std::string_view kName = "Collection";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE Item(VARIANT* index, VARIANT* result) override {
    return Call(&Core::Item, index, result);
  }
  HRESULT STDMETHODCALLTYPE Add(VARIANT* item, VARIANT* key, VARIANT* before,
                                VARIANT* after) override {
    VARIANT missing[3];
    return Call([](Core& c, const Variant& i, const Variant& k, const Variant& b,
                   const Variant& a) { c.Add(i, k, b, a); },
                item, OrMissing(key, missing[0]), OrMissing(before, missing[1]),
                OrMissing(after, missing[2]));
  }
  HRESULT STDMETHODCALLTYPE Count(LONG* result) override { return Call(&Core::Count, result); }
  HRESULT STDMETHODCALLTYPE Remove(VARIANT* index) override { return Call(&Core::Remove, index); }
  // A snapshot of the items: the enumeration is not disturbed by changes during For Each.
  HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** result) override {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    return Guard(__uuidof(_Collection), [&] {
      std::vector<OwnedVariant> items(static_cast<size_t>(CoreRef().Count()));
      for (size_t i = 0; i < items.size(); ++i)
        VariantOut(CoreRef().Item(static_cast<int32_t>(i + 1)), &items[i].v);
      *result = Enumerate<IEnumVARIANT, VARIANT>(std::move(items));
    });
  }
};
const Registered<CollectionSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com
