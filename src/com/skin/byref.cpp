// What Dual::Invoke does before ITypeInfo::Invoke, for the members whose description asks
// for it. The platform's dispatch is lenient where Windows' is strict (extra arguments, NaN
// for an integer), handles named arguments and omitted by-reference defaults unreliably,
// and refuses a script's variable (VT_BYREF | VT_VARIANT) for a typed by-reference
// parameter. So the skin hands it only positional arguments it can take as they are:
// - the argument count and NaN or infinities for integer parameters are checked here;
// - named arguments are put in their places, an omitted optional argument gets its default
//   (a reference to a copy of it when the parameter is by reference);
// - a variable passed by reference to a typed by-reference parameter is converted into a
//   copy; after a successful call, and only when the member wrote the copy, what it wrote
//   goes back into the variable converted to the variable's own type. A member that leaves
//   the copy alone, or fails, leaves the caller's variable untouched.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "dual.h"

namespace zentnet::com {

namespace {

// The VARTYPE a user-defined type stands for: an enumeration is a Long; VT_EMPTY for records.
VARTYPE Resolved(ITypeInfo* info, const TYPEDESC& type) {
  const TYPEDESC* t = &type;
  for (int depth = 0; t->vt == VT_USERDEFINED && depth < 4; ++depth) {
    Ref<ITypeInfo> ref;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetRefTypeInfo(t->hreftype, ref.put())) || FAILED(ref->GetTypeAttr(&attr)))
      return VT_EMPTY;
    const TYPEKIND kind = attr->typekind;
    const TYPEDESC alias = attr->tdescAlias;
    ref->ReleaseTypeAttr(attr);
    if (kind == TKIND_ENUM) return VT_I4;
    if (kind != TKIND_ALIAS || alias.vt == VT_USERDEFINED) return VT_EMPTY;
    return alias.vt == VT_INT ? static_cast<VARTYPE>(VT_I4) : alias.vt;
  }
  return t->vt == VT_USERDEFINED ? static_cast<VARTYPE>(VT_EMPTY) : t->vt;
}

// Whether `type` names an interface, and which.
bool IsInterface(ITypeInfo* info, const TYPEDESC& type, IID& iid) {
  Ref<ITypeInfo> ref;
  TYPEATTR* attr = nullptr;
  if (type.vt != VT_USERDEFINED || FAILED(info->GetRefTypeInfo(type.hreftype, ref.put())) ||
      FAILED(ref->GetTypeAttr(&attr)))
    return false;
  const TYPEKIND kind = attr->typekind;
  iid = attr->guid;
  ref->ReleaseTypeAttr(attr);
  return kind == TKIND_INTERFACE || kind == TKIND_DISPATCH;
}

bool IsInteger(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
      return true;
    default:
      return false;
  }
}

// The VARTYPE a by-reference parameter points to, when it is one whose copy is made here.
VARTYPE PointedType(ITypeInfo* info, const TYPEDESC& param) {
  if (param.vt != VT_PTR) return VT_EMPTY;
  if (param.lptdesc->vt == VT_PTR) return VT_DISPATCH;  // an interface pointer: ours are all dual
  switch (const VARTYPE vt = Resolved(info, *param.lptdesc)) {
    case VT_BSTR:
    case VT_I4:
    case VT_I2:
    case VT_BOOL:
    case VT_R8:
    case VT_DISPATCH:
    case VT_VARIANT:
      return vt;
    default:
      return VT_EMPTY;
  }
}

// The value an argument holds, through one reference.
const VARIANT* Held(const VARIANT& arg) {
  if (V_VT(&arg) == (VT_BYREF | VT_VARIANT)) return V_VARIANTREF(&arg);
  return &arg;
}

bool IsMissing(const VARIANT& arg) {
  const VARIANT* v = Held(arg);
  return v != nullptr && V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND;
}

bool NotFinite(const VARIANT& arg) {
  const VARIANT* v = Held(arg);
  if (v == nullptr) return false;
  switch (V_VT(v)) {
    case VT_R8:
      return !std::isfinite(V_R8(v));
    case VT_R4:
      return !std::isfinite(V_R4(v));
    case VT_BYREF | VT_R8:
      return V_R8REF(v) != nullptr && !std::isfinite(*V_R8REF(v));
    case VT_BYREF | VT_R4:
      return V_R4REF(v) != nullptr && !std::isfinite(*V_R4REF(v));
    default:
      return false;
  }
}

// The bytes a by-reference scalar of type `vt` points to; 0 for types not stored here.
size_t ScalarSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
      return 8;
    default:
      return 0;
  }
}

// Writes `value` (owned by the caller of this) into the variable `arg` refers to, in the
// variable's own type where it has one; false, leaving the variable alone, when the value
// cannot take that type.
bool WriteBack(const VARIANT& arg, const VARIANT& value) {
  VARIANT out{};
  if (V_VT(&arg) == (VT_BYREF | VT_VARIANT)) {
    VARIANT* variable = V_VARIANTREF(&arg);
    const VARTYPE type = V_VT(variable);
    // A variable with no type of its own, or one the value does not fit, takes it as it is.
    if (type == VT_EMPTY || type == VT_NULL ||
        FAILED(VariantChangeType(&out, const_cast<VARIANT*>(&value), 0, type)))
      return SUCCEEDED(VariantCopy(variable, const_cast<VARIANT*>(&value)));
    VariantClear(variable);
    *variable = out;
    return true;
  }
  const VARTYPE type = V_VT(&arg) & ~VT_BYREF;
  if (FAILED(VariantChangeType(&out, const_cast<VARIANT*>(&value), 0, type))) return false;
  switch (type) {
    case VT_BSTR:
      SysFreeString(*V_BSTRREF(&arg));
      *V_BSTRREF(&arg) = V_BSTR(&out);
      return true;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (*V_UNKNOWNREF(&arg) != nullptr) (*V_UNKNOWNREF(&arg))->Release();
      *V_UNKNOWNREF(&arg) = V_UNKNOWN(&out);
      return true;
    default:
      if (ScalarSize(type) == 0) {
        VariantClear(&out);
        return false;
      }
      std::memcpy(V_BYREF(&arg), &V_UI1(&out), ScalarSize(type));
      return true;
  }
}

constexpr UINT kMaxParams = 32;

// ---- The direct path -----------------------------------------------------------------
// ITypeInfo::Invoke costs some fifteen times the member it calls. The shapes most calls
// take (a property read, a property write or a method with one by-value scalar or Variant
// argument) are called here through the vtable slot the description names, answering as
// the platform does: the argument converted with VariantChangeType, the result typed as the
// member's, a failure as DISP_E_EXCEPTION with the thread's error info in the EXCEPINFO.
// Anything this cannot take as it is (a conversion that fails, NaN for an integer, an
// object or array argument, named arguments) goes the platform's way instead, before any
// call, so that the platform gives every error answer itself.

// A scalar a parameter takes by value, or a result, that the skin converts itself: on the
// direct path, and for the other arguments of a member that takes an object.
bool IsDirectScalar(VARTYPE vt) {
  return vt == VT_I4 || vt == VT_I2 || vt == VT_R8 || vt == VT_BSTR || vt == VT_BOOL;
}

// The result type of a retval parameter the direct path hands back, or VT_EMPTY: a scalar, a
// Variant, or an object as VT_DISPATCH (an IDispatch, or an interface that derives from it).
VARTYPE DirectResult(ITypeInfo* info, const TYPEDESC& param) {
  if (param.vt != VT_PTR) return VT_EMPTY;
  const TYPEDESC& to = *param.lptdesc;
  if (to.vt == VT_PTR) {
    Ref<ITypeInfo> ref;
    TYPEATTR* attr = nullptr;
    if (to.lptdesc->vt != VT_USERDEFINED ||
        FAILED(info->GetRefTypeInfo(to.lptdesc->hreftype, ref.put())) ||
        FAILED(ref->GetTypeAttr(&attr)))
      return VT_EMPTY;
    const bool dispatch =
        attr->typekind == TKIND_DISPATCH ||
        (attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FDISPATCHABLE) != 0);
    ref->ReleaseTypeAttr(attr);
    return dispatch ? static_cast<VARTYPE>(VT_DISPATCH) : static_cast<VARTYPE>(VT_EMPTY);
  }
  const VARTYPE vt = Resolved(info, to);
  return IsDirectScalar(vt) || vt == VT_VARIANT || vt == VT_DISPATCH
             ? vt
             : static_cast<VARTYPE>(VT_EMPTY);
}

DirectShape LearnDirect(ITypeInfo* info, const FUNCDESC& fd) {
  DirectShape none, d;
  if ((fd.funckind != FUNC_PUREVIRTUAL && fd.funckind != FUNC_VIRTUAL) ||
      fd.callconv != CC_STDCALL || fd.elemdescFunc.tdesc.vt != VT_HRESULT || fd.cParamsOpt != 0 ||
      fd.cParams > 2)
    return none;
  UINT k = 0;
  const auto flagsOf = [&](UINT i) { return fd.lprgelemdescParam[i].paramdesc.wParamFlags; };
  constexpr USHORT kNotPlain =
      PARAMFLAG_FOUT | PARAMFLAG_FRETVAL | PARAMFLAG_FLCID | PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT;
  if (k < static_cast<UINT>(fd.cParams) && !(flagsOf(k) & kNotPlain)) {
    const TYPEDESC& t = fd.lprgelemdescParam[k].tdesc;
    if (t.vt == VT_PTR && t.lptdesc->vt == VT_VARIANT)
      d.arg = VT_BYREF | VT_VARIANT;
    else if (t.vt != VT_PTR && IsDirectScalar(Resolved(info, t)))
      d.arg = Resolved(info, t);
    else
      return none;
    ++k;
  }
  if (k < static_cast<UINT>(fd.cParams)) {
    if ((flagsOf(k) & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)) != PARAMFLAG_FRETVAL) return none;
    d.result = DirectResult(info, fd.lprgelemdescParam[k].tdesc);
    if (d.result == VT_EMPTY) return none;
    ++k;
  }
  if (k != static_cast<UINT>(fd.cParams)) return none;
  switch (fd.invkind) {
    case INVOKE_PROPERTYGET:
      if (d.result == VT_EMPTY) return none;
      break;
    case INVOKE_PROPERTYPUT:
      if (d.arg == VT_EMPTY || d.result != VT_EMPTY || (d.arg & VT_BYREF)) return none;
      break;
    case INVOKE_FUNC:
      break;
    default:
      return none;
  }
  d.kind = fd.invkind;
  d.oVft = fd.oVft;
  return d;
}

// The flags the platform takes for a member of `kind` that the direct path takes too.
bool DirectFlags(int kind, WORD flags) {
  switch (kind) {
    case INVOKE_PROPERTYGET:
      return flags == DISPATCH_PROPERTYGET || flags == (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    case INVOKE_FUNC:
      return flags == DISPATCH_METHOD || flags == (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    default:
      return flags == DISPATCH_PROPERTYPUT;
  }
}

// Whether an argument is one the direct path converts: a plain value, no object or array.
bool IsPlainValue(VARTYPE vt) {
  if (IsInteger(vt)) return true;
  switch (vt) {
    case VT_EMPTY:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
    case VT_BSTR:
    case VT_BOOL:
      return true;
    default:
      return false;
  }
}

// Calls the slot at byte offset `oVft` of `self` with `arg` and, unless null, the address
// of the result.
template <class... A>
HRESULT CallSlot(void* self, SHORT oVft, void* out, A... arg) {
  void* slot = *reinterpret_cast<void**>(*static_cast<char**>(self) + oVft);
  if (out == nullptr)
    return reinterpret_cast<HRESULT(STDMETHODCALLTYPE*)(void*, A...)>(slot)(self, arg...);
  return reinterpret_cast<HRESULT(STDMETHODCALLTYPE*)(void*, A..., void*)>(slot)(self, arg..., out);
}

// The direct call of member `d`; false, having done nothing, when the call is not one it
// takes as it is (then `hr` is unset).
bool InvokeDirect(const MemberFacts& m, void* instance, WORD flags, DISPPARAMS* params,
                  VARIANT* result, EXCEPINFO* excep, HRESULT& hr) {
  const DirectShape& d = m.direct;
  const UINT given = d.arg == VT_EMPTY ? 0 : 1;
  const bool putName = d.kind == INVOKE_PROPERTYPUT && params->cNamedArgs == 1 &&
                       params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
  if (params->cArgs != given || (params->cNamedArgs != 0 && !putName) ||
      !DirectFlags(d.kind, flags))
    return false;
  VARIANT value;  // the argument as the member takes it: the caller's, or owned here
  VariantInit(&value);
  bool owned = false;
  if (given == 1) {
    const VARIANT& arg = params->rgvarg[0];
    const VARIANT* held = Held(arg);
    if (d.arg == (VT_BYREF | VT_VARIANT)) {
      // A variable goes as it is; a value as a reference to a copy of its own.
      if (V_VT(&arg) == (VT_BYREF | VT_VARIANT) && held != nullptr) {
        V_VT(&value) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&value) = const_cast<VARIANT*>(held);
      } else if (!IsPlainValue(V_VT(&arg)) ||
                 FAILED(VariantCopy(&value, const_cast<VARIANT*>(&arg)))) {
        return false;
      } else {
        owned = true;
      }
    } else if (held == nullptr || !IsPlainValue(V_VT(held)) || (m.integer && NotFinite(*held))) {
      return false;
    } else if (V_VT(held) == d.arg) {
      value = *held;  // the member only reads it
    } else if (FAILED(VariantChangeType(&value, const_cast<VARIANT*>(held), 0, d.arg))) {
      return false;
    } else {
      owned = true;
    }
  }
  union {
    LONG l;
    SHORT s;
    DOUBLE d;
    BSTR b;
    VARIANT_BOOL v;
    IDispatch* p;
    VARIANT var;
  } out;
  std::memset(&out, 0, sizeof out);
  void* to = d.result == VT_EMPTY ? nullptr : &out;
  switch (d.arg) {
    case VT_EMPTY:
      hr = CallSlot(instance, d.oVft, to);
      break;
    case VT_I4:
      hr = CallSlot(instance, d.oVft, to, V_I4(&value));
      break;
    case VT_I2:
      hr = CallSlot(instance, d.oVft, to, V_I2(&value));
      break;
    case VT_R8:
      hr = CallSlot(instance, d.oVft, to, V_R8(&value));
      break;
    case VT_BSTR:
      hr = CallSlot(instance, d.oVft, to, V_BSTR(&value));
      break;
    case VT_BOOL:
      hr = CallSlot(instance, d.oVft, to, V_BOOL(&value));
      break;
    default:
      hr = CallSlot(instance, d.oVft, to, V_VT(&value) & VT_BYREF ? V_VARIANTREF(&value) : &value);
      break;
  }
  if (owned) VariantClear(&value);
  if (to != nullptr) {
    VARIANT typed;
    if (d.result == VT_VARIANT) {
      typed = out.var;
    } else {
      V_VT(&typed) = d.result;
      std::memcpy(&V_UI1(&typed), &out, sizeof(DOUBLE));
    }
    if (result == nullptr) {
      VariantClear(&typed);
    } else if (V_VT(&typed) & VT_BYREF) {
      VariantInit(result);
      VariantCopyInd(result, &typed);
      VariantClear(&typed);
    } else {
      *result = typed;
    }
  }
  if (SUCCEEDED(hr)) {
    hr = S_OK;
    return true;
  }
  // As the platform answers a member's failure: the caller without an EXCEPINFO finds the
  // error info still set.
  if (excep != nullptr) {
    excep->scode = hr;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK) {
      info->GetDescription(&excep->bstrDescription);
      info->GetHelpFile(&excep->bstrHelpFile);
      info->GetSource(&excep->bstrSource);
      info->GetHelpContext(&excep->dwHelpContext);
      info->Release();
    }
  }
  hr = DISP_E_EXCEPTION;
  return true;
}

}  // namespace

MemberFacts LearnMember(ITypeInfo* info, const FUNCDESC& fd) {
  MemberFacts m;
  m.known = true;
  UINT takes = static_cast<UINT>(fd.cParams);
  const auto flagsOf = [&](UINT k) { return fd.lprgelemdescParam[k].paramdesc.wParamFlags; };
  if (takes > 0 && (flagsOf(takes - 1) & PARAMFLAG_FRETVAL)) {
    --takes;
    // A property read that yields an object or a Variant hands further arguments on to
    // that value's default member.
    const TYPEDESC& r = fd.lprgelemdescParam[takes].tdesc;
    const VARTYPE result = r.vt == VT_PTR ? r.lptdesc->vt : static_cast<VARTYPE>(VT_EMPTY);
    m.forwards = fd.invkind == INVOKE_PROPERTYGET &&
                 (result == VT_PTR || result == VT_VARIANT || result == VT_DISPATCH);
  }
  if (fd.cParamsOpt < 0 || takes > kMaxParams) m.countChecked = false;
  m.takes = takes;
  m.params.resize(takes);
  for (UINT k = 0; k < takes; ++k) {
    const ELEMDESC& e = fd.lprgelemdescParam[k];
    ParamFacts& p = m.params[k];
    const bool byRef = e.tdesc.vt == VT_PTR;
    p.pointee = PointedType(info, e.tdesc);
    p.integer = IsInteger(Resolved(info, byRef ? *e.tdesc.lptdesc : e.tdesc));
    p.object = byRef && IsInterface(info, *e.tdesc.lptdesc, p.iid);
    if (e.tdesc.vt == VT_DISPATCH || e.tdesc.vt == VT_UNKNOWN) {
      p.object = true;
      p.iid = e.tdesc.vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown;
    }
    if (!byRef) {
      const VARTYPE t = Resolved(info, e.tdesc);
      if (IsDirectScalar(t)) p.type = t;
    }
    m.object = m.object || p.object;
    p.optional = (flagsOf(k) & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) != 0;
    if (!p.optional) m.required = k + 1;
    m.byRef = m.byRef || byRef;
    m.integer = m.integer || p.integer;
    if (!(flagsOf(k) & PARAMFLAG_FHASDEFAULT) || e.paramdesc.pparamdescex == nullptr) continue;
    // The default in the parameter's own type; by reference, the type it points to.
    VARTYPE vt = Resolved(info, byRef ? *e.tdesc.lptdesc : e.tdesc);
    VARIANT& stored = e.paramdesc.pparamdescex->varDefaultValue;
    const HRESULT hr = vt == VT_VARIANT ? VariantCopy(&p.fallback.v, &stored)
                                        : VariantChangeType(&p.fallback.v, &stored, 0, vt);
    p.hasDefault = SUCCEEDED(hr) && vt != VT_EMPTY;
    p.defaultByRef = byRef;
    p.defaultType = vt;
  }
  if (takes > kMaxParams) m.byRef = m.integer = false;  // no such member: left to the platform
  m.direct = LearnDirect(info, fd);
  return m;
}

HRESULT InvokeMember(ITypeInfo* info, const MemberFacts& m, void* instance, DISPID id, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
  const auto platform = [&](DISPPARAMS* p) {
    return info->Invoke(instance, id, flags, p, result, excep, argErr);
  };
  const UINT count = params->cArgs, named = params->cNamedArgs;
  if (count > 0 && params->rgvarg == nullptr) return E_INVALIDARG;
  if (named > count || (named > 0 && params->rgdispidNamedArgs == nullptr)) return E_INVALIDARG;
  if (HRESULT hr; m.direct.kind != 0 && InvokeDirect(m, instance, flags, params, result, excep, hr))
    return hr;
  // Too few: the platform refuses them too, but keeps the references it took to the
  // arguments it had converted by then.
  if (m.countChecked && named == 0 && count < m.required) return DISP_E_BADPARAMCOUNT;
  if (m.countChecked && count > m.takes) {
    // The platform's own hand-over crashes: done here, as COM does it, for positional
    // arguments. The property takes the first ones, its value's default member the rest.
    if (!m.forwards || named != 0) return DISP_E_BADPARAMCOUNT;
    const UINT rest = count - m.takes;
    DISPPARAMS own{params->rgvarg + rest, nullptr, m.takes, 0};
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = InvokeMember(info, m, instance, id, flags, &own, &value, excep, argErr);
    if (FAILED(hr)) {
      if (argErr != nullptr &&
          (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND || hr == DISP_E_OVERFLOW))
        *argErr += rest;
      return hr;
    }
    if (V_VT(&value) == VT_DISPATCH && V_DISPATCH(&value) != nullptr) {
      DISPPARAMS others{params->rgvarg, nullptr, rest, 0};
      hr = V_DISPATCH(&value)->Invoke(DISPID_VALUE, IID_NULL, 0, flags, &others, result, excep,
                                      argErr);
    } else {
      hr = DISP_E_BADPARAMCOUNT;  // no object to take them
    }
    VariantClear(&value);
    return hr;
  }
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  const bool onlyPutName =
      named == 0 || (named == 1 && put && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT);
  // The common call: nothing to check, nothing to place.
  if (onlyPutName && !m.byRef && !m.integer && !m.object) return platform(params);
  if (!m.countChecked) return platform(params);

  // Where each argument goes: positional ones (at the end of rgvarg) first, so that a name
  // given by position as well is the duplicate. A name that is no parameter, or one already
  // given, is answered as COM answers a name that matches no parameter still open.
  int slot[kMaxParams];
  std::fill_n(slot, m.takes, -1);
  bool putName = false;
  for (UINT j = count; j-- > 0;) {
    UINT p = count - 1 - j;
    if (j < named) {
      const DISPID name = params->rgdispidNamedArgs[j];
      if (name == DISPID_PROPERTYPUT && put && m.takes > 0 && !putName) {
        p = m.takes - 1;
        putName = true;
      } else if (name >= 0 && static_cast<UINT>(name) < m.takes) {
        p = static_cast<UINT>(name);
      } else {
        if (argErr != nullptr) *argErr = j;
        return DISP_E_PARAMNOTFOUND;
      }
    }
    if (slot[p] >= 0) {
      if (argErr != nullptr) *argErr = j;
      return DISP_E_PARAMNOTFOUND;
    }
    slot[p] = static_cast<int>(j);
    if (m.params[p].integer && NotFinite(params->rgvarg[j])) {
      if (argErr != nullptr) *argErr = j;
      return DISP_E_OVERFLOW;
    }
  }
  if (onlyPutName && !m.byRef && !m.object) return platform(params);

  // The positional parameters handed on: up to the last one given, and on over omitted
  // optional ones while a later one is by reference with a default (which the platform
  // would pass by value).
  const UINT positional = putName ? m.takes - 1 : m.takes;
  UINT end = 0;
  for (UINT p = 0; p < positional; ++p)
    if (slot[p] >= 0) end = p + 1;
  for (UINT p = end; p < positional && m.params[p].optional; ++p)
    if (m.params[p].hasDefault && m.params[p].defaultByRef) end = p + 1;

  // On the stack: a call allocates nothing of its own.
  const UINT total = end + (putName ? 1 : 0);
  VARIANT args[kMaxParams], copies[kMaxParams];
  int from[kMaxParams];  // the caller's index of each argument handed on
  for (UINT k = 0; k < total; ++k) {
    VariantInit(&args[k]);
    VariantInit(&copies[k]);
    from[k] = -1;
  }
  struct Written {
    UINT k;
    VARIANT before;
  };
  Written written[kMaxParams];
  UINT writtenCount = 0;
  HRESULT hr = S_OK;
  for (UINT k = 0; k < total; ++k) {
    // The value of a property write travels first, named; then the positional ones, last first.
    const UINT p = putName && k == 0 ? m.takes - 1 : total - 1 - k;
    const ParamFacts& facts = m.params[p];
    VARIANT& arg = args[k];
    VARIANT& copy = copies[k];
    from[k] = slot[p];
    // An argument given as "missing" is an omitted one.
    if (slot[p] < 0 || (facts.optional && IsMissing(params->rgvarg[slot[p]]))) {
      if (!facts.optional) {
        hr = DISP_E_PARAMNOTOPTIONAL;
        break;
      }
      if (!facts.hasDefault) {
        V_VT(&arg) = VT_ERROR;
        V_ERROR(&arg) = DISP_E_PARAMNOTFOUND;
      } else if (!facts.defaultByRef) {
        arg = facts.fallback.v;  // read only: the platform copies what it converts
      } else {
        if (FAILED(hr = VariantCopy(&copy, const_cast<VARIANT*>(&facts.fallback.v)))) break;
        V_VT(&arg) = static_cast<VARTYPE>(VT_BYREF | facts.defaultType);
        V_BYREF(&arg) = facts.defaultType == VT_VARIANT ? static_cast<void*>(&copy) : &V_UI1(&copy);
      }
      continue;
    }
    arg = params->rgvarg[slot[p]];
    const VARTYPE want = facts.pointee;
    const VARIANT* held = Held(arg);
    // An object goes to an interface parameter as that interface, asked for here: the
    // platform hands a variable's object, or an IUnknown, on unasked.
    if (facts.object) {
      if (held != nullptr) arg = *held;
      const VARTYPE vt = V_VT(&arg);
      if (vt != VT_DISPATCH && vt != VT_UNKNOWN && vt != (VT_BYREF | VT_DISPATCH) &&
          vt != (VT_BYREF | VT_UNKNOWN))
        continue;
      IUnknown* object = (vt & VT_BYREF) ? *V_UNKNOWNREF(&arg) : V_UNKNOWN(&arg);
      V_VT(&copy) = VT_DISPATCH;  // our interfaces are all dual
      if (object != nullptr &&
          FAILED(object->QueryInterface(facts.iid, reinterpret_cast<void**>(&V_DISPATCH(&copy))))) {
        V_VT(&copy) = VT_EMPTY;
        if (argErr != nullptr) *argErr = static_cast<UINT>(slot[p]);
        hr = DISP_E_TYPEMISMATCH;
        break;
      }
      arg = copy;
      continue;
    }
    // A variable of the very type is passed on as it is. A value, or a variable of another
    // type, goes as a reference to a copy (the platform passes an object by value as the
    // pointer itself).
    // Where the member takes an object, every argument is converted here: the platform
    // keeps the reference it took to an object when a later argument fails to convert.
    if (m.object && facts.type != VT_EMPTY && held != nullptr && V_VT(held) != facts.type) {
      if (IsMissing(arg) ||
          FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(held), 0, facts.type))) {
        if (argErr != nullptr) *argErr = static_cast<UINT>(slot[p]);
        hr = DISP_E_TYPEMISMATCH;
        break;
      }
      arg = copy;
      continue;
    }
    // A value for a by-reference Variant goes as a reference to a copy of its own: the
    // platform's own copy of it is shallow, and clearing that copy after the call freed an
    // array the caller still owns (the caller's clear then freed it twice).
    if (want == VT_VARIANT && !(V_VT(&arg) & VT_BYREF)) {
      if (ScalarSize(V_VT(&arg)) != 0)
        copy = arg;  // owns nothing
      else if (FAILED(hr = VariantCopy(&copy, &arg)))
        break;
      V_VT(&arg) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&arg) = &copy;
      continue;
    }
    if (want == VT_VARIANT) continue;  // a variable of any type: the platform takes it as it is
    const bool strict = m.object && want != VT_EMPTY && V_VT(&arg) != (VT_BYREF | want);
    if (want == VT_EMPTY || V_VT(&arg) == (VT_BYREF | want) || held == nullptr ||
        (V_VT(held) & VT_BYREF) || V_VT(held) == VT_ERROR ||
        FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(held), 0, want))) {
      if (strict) {
        if (argErr != nullptr) *argErr = static_cast<UINT>(slot[p]);
        hr = DISP_E_TYPEMISMATCH;
        break;
      }
      continue;
    }
    const bool variable = (V_VT(&arg) & VT_BYREF) != 0;
    V_VT(&arg) = static_cast<VARTYPE>(VT_BYREF | want);
    V_BYREF(&arg) = &V_UI1(&copy);
    if (variable) written[writtenCount++] = {k, copy};
  }
  if (SUCCEEDED(hr)) {
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS handed{args, putName ? &putId : nullptr, total, putName ? 1u : 0u};
    hr = platform(&handed);
    if (argErr != nullptr && *argErr < total && from[*argErr] >= 0 &&
        (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND || hr == DISP_E_OVERFLOW))
      *argErr = static_cast<UINT>(from[*argErr]);
  }
  if (hr == S_OK)
    for (const Written& w : std::span(written, writtenCount)) {
      const VARIANT& now = copies[w.k];
      // The skin's members write a fresh value (a new string, a counted object): the copy
      // changes exactly when the member wrote it.
      if (V_VT(&now) == V_VT(&w.before) && V_UI8(&now) == V_UI8(&w.before)) continue;
      if (!WriteBack(params->rgvarg[from[w.k]], now)) {
        if (argErr != nullptr) *argErr = static_cast<UINT>(from[w.k]);
        hr = DISP_E_TYPEMISMATCH;
      }
    }
  for (UINT k = 0; k < total; ++k) VariantClear(&copies[k]);
  return hr;
}

}  // namespace zentnet::com
