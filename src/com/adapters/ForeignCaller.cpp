#include "ForeignCaller.h"

#include <dispex.h>

#include "../skin/module.h"

namespace zentnet::com {

ForeignCaller::ForeignCaller(IDispatch* dispatch, const IID& published)
    : Foreign(dispatch), published_(published) {
  if (TypeInfoOf(published, true)) {
    Ref<IDispatch> d(dispatch);
    early_ = d.As<IUnknown>(published);
  }
}

void ForeignCaller::Call(std::string_view name, WORD flags, VARIANT* argv, size_t count,
                         VARIANT* result) const {
  Bstr wide(name);
  LPOLESTR names[] = {wide.get()};
  DISPID id = DISPID_UNKNOWN;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{argv, nullptr, static_cast<UINT>(count), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  EXCEPINFO info{};
  UINT argErr = 0;
  HRESULT hr;
  if (early_) {
    // Through the vtable: our description of the interface does the marshalling.
    const Ref<ITypeInfo> type = TypeInfoOf(published_, true);
    if (FAILED(type->GetIDsOfNames(names, 1, &id))) err::RaiseNoSuchMember();
    hr = type->Invoke(early_.get(), id, flags, &params, result, &info, &argErr);
  } else {
    HRESULT found = Dispatch()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    // A script's class instance may answer names only through IDispatchEx.
    if (FAILED(found))
      if (auto ex = Ref<IDispatch>(Dispatch()).As<IDispatchEx>(__uuidof(IDispatchEx)))
        found = ex->GetDispID(wide.get(), fdexNameCaseInsensitive, &id);
    if (FAILED(found)) err::RaiseNoSuchMember();
    hr = Dispatch()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &info,
                            &argErr);
  }
  if (FAILED(hr)) ThrowFrom(hr, &info);
}

void ForeignCaller::Coerce(VARIANT& v, VARTYPE type) {
  if (V_VT(&v) == type) return;
  if (V_VT(&v) == VT_BSTR && (type == VT_R8 || type == VT_I4)) {
    // Text becomes a number by the library's one rule, as it does in the core.
    const Variant text = VariantIn(v);
    VariantClear(&v);
    if (type == VT_R8)
      V_R8(&v) = text.ToDouble();
    else
      V_I4(&v) = text.ToLong();
    V_VT(&v) = type;
    return;
  }
  if (FAILED(VariantChangeType(&v, &v, 0, type))) err::RaiseTypeMismatch();
}

}  // namespace zentnet::com
