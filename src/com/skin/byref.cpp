// A script passes a variable as a reference to its VARIANT (VT_BYREF | VT_VARIANT); a typed
// by-reference parameter (BSTR*, long*, an interface**) wants a reference to the value
// itself, and ITypeInfo::Invoke refuses the former with a type mismatch. Such arguments are
// rebound to the value inside the script's variable, so that what the member writes there
// is what the script reads afterwards.

#include "dual.h"

namespace zentnet::com {

namespace {

// The VARTYPE a by-reference parameter points to; VT_EMPTY when it is none we rebind.
VARTYPE PointedType(ITypeInfo* info, const TYPEDESC& param) {
  if (param.vt != VT_PTR) return VT_EMPTY;
  const TYPEDESC* t = param.lptdesc;
  if (t->vt == VT_PTR) return VT_DISPATCH;  // an interface pointer: ours are all dual
  for (int depth = 0; t->vt == VT_USERDEFINED && depth < 4; ++depth) {
    Ref<ITypeInfo> ref;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetRefTypeInfo(t->hreftype, ref.put())) || FAILED(ref->GetTypeAttr(&attr))) return VT_EMPTY;
    const TYPEKIND kind = attr->typekind;
    const TYPEDESC alias = attr->tdescAlias;
    ref->ReleaseTypeAttr(attr);
    if (kind == TKIND_ENUM) return VT_I4;
    if (kind != TKIND_ALIAS || alias.vt == VT_USERDEFINED) return VT_EMPTY;  // records: left alone
    return alias.vt == VT_INT ? static_cast<VARTYPE>(VT_I4) : alias.vt;
  }
  switch (t->vt) {
    case VT_BSTR: case VT_I4: case VT_I2: case VT_BOOL: case VT_R8: case VT_DISPATCH: return t->vt;
    default: return VT_EMPTY;
  }
}

}  // namespace

void BindByRefVariants(ITypeInfo* info, const FUNCDESC& fd, DISPPARAMS* params) {
  const UINT named = params->cNamedArgs;
  for (UINT k = 0; k < params->cArgs; ++k) {
    // Positional arguments travel in reverse; the one named argument of a property write
    // is its last parameter.
    UINT p = params->cArgs - 1 - k;
    if (k < named) {
      if (params->rgdispidNamedArgs[k] != DISPID_PROPERTYPUT) continue;
      p = static_cast<UINT>(fd.cParams - 1);
    }
    if (p >= static_cast<UINT>(fd.cParams)) continue;
    VARIANT& arg = params->rgvarg[k];
    if (V_VT(&arg) != (VT_BYREF | VT_VARIANT) || V_VARIANTREF(&arg) == nullptr) continue;
    const VARTYPE want = PointedType(info, fd.lprgelemdescParam[p].tdesc);
    VARIANT* inner = V_VARIANTREF(&arg);
    if (want == VT_EMPTY || (V_VT(inner) & VT_BYREF)) continue;
    if (V_VT(inner) != want && FAILED(VariantChangeType(inner, inner, 0, want))) continue;
    V_VT(&arg) = VT_BYREF | want;
    V_BYREF(&arg) = &V_BYREF(inner);  // the value inside the variable
  }
}

}  // namespace zentnet::com
