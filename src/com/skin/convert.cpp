#include "convert.h"

#include <cstdint>
#include <new>

#include "zentnet/automation/codepage.h"

namespace zentnet::com {

// The core's lossless UTF-8 (codepage.h): every unit of the BSTR, NULs and unpaired
// surrogates included, comes back out of the core's string as it went in.
std::string ToUtf8(BSTR text) {
  std::string out;
  AppendUtf16AsUtf8(out, reinterpret_cast<const char16_t*>(text), SysStringLen(text));
  return out;
}

Bstr::Bstr(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  b_ = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(units.data()),
                         static_cast<UINT>(units.size()));
  if (b_ == nullptr) throw std::bad_alloc();
}

namespace {

// Coerces through the runtime's own rules; its failure (overflow, type mismatch) becomes
// the automation error a script would see.
VARIANT Coerced(const VARIANT& v, VARTYPE type) {
  VARIANT out;
  VariantInit(&out);
  const HRESULT hr = VariantChangeType(&out, const_cast<VARIANT*>(&v), 0, type);
  if (FAILED(hr)) ThrowFrom(hr, nullptr);
  return out;
}

}  // namespace

Variant VariantIn(const VARIANT& in) {
  const VARIANT* v = &in;
  while (V_VT(v) == (VT_BYREF | VT_VARIANT)) {
    v = V_VARIANTREF(v);
    if (v == nullptr) throw NullPointer{};
  }
  switch (V_VT(v)) {  // the commonest arguments, which need no coercion
    case VT_I4:
      return static_cast<int32_t>(V_I4(v));
    case VT_I2:
      return static_cast<int32_t>(V_I2(v));
    case VT_R8:
      return V_R8(v);
    default:
      break;
  }
  switch (V_VT(v) & ~VT_BYREF) {
    case VT_ERROR:
      if ((V_ISBYREF(v) ? *V_ERRORREF(v) : V_ERROR(v)) == DISP_E_PARAMNOTFOUND) return {};
      break;
    case VT_EMPTY:
      return Variant::Empty();
    case VT_BOOL:
      return (V_ISBYREF(v) ? *V_BOOLREF(v) : V_BOOL(v)) != VARIANT_FALSE;
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8: {
      // Through 64 bits, so that every integer type meets the same range check.
      const VARIANT c = Coerced(*v, VT_I8);
      const LONGLONG value = V_I8(&c);
      if (value < INT32_MIN || value > INT32_MAX) err::RaiseOverflow();
      return static_cast<int32_t>(value);
    }
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL: {
      const VARIANT c = Coerced(*v, VT_R8);
      return V_R8(&c);
    }
    case VT_BSTR:
      return ToUtf8(V_ISBYREF(v) ? *V_BSTRREF(v) : V_BSTR(v));
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      IUnknown* p = V_ISBYREF(v) ? *V_UNKNOWNREF(v) : V_UNKNOWN(v);
      return UnwrapObject(p, typeid(Object));
    }
    default:
      break;
  }
  err::RaiseTypeMismatch();
}

void VariantOut(const Variant& v, VARIANT* out) {
  VariantInit(out);
  switch (v.type()) {
    case Variant::Type::Missing:
      V_VT(out) = VT_ERROR;
      V_ERROR(out) = DISP_E_PARAMNOTFOUND;
      return;
    case Variant::Type::Empty:
      return;
    case Variant::Type::Boolean:
      V_VT(out) = VT_BOOL;
      Out(v.ToBool(), &V_BOOL(out));
      return;
    case Variant::Type::Long:
      V_VT(out) = VT_I4;
      V_I4(out) = v.ToLong();
      return;
    case Variant::Type::Double:
      V_VT(out) = VT_R8;
      V_R8(out) = v.ToDouble();
      return;
    case Variant::Type::String:
      V_BSTR(out) = Bstr(v.ToString()).detach();
      V_VT(out) = VT_BSTR;
      return;
    case Variant::Type::Object: {
      IDispatch* p = nullptr;
      Out(v.ToObject(), &p);
      V_VT(out) = VT_DISPATCH;
      V_DISPATCH(out) = p;
      return;
    }
  }
}

IUnknown* ObjectIn(const VARIANT& in) {
  const VARIANT* v = &in;
  while (V_VT(v) == (VT_BYREF | VT_VARIANT)) {
    v = V_VARIANTREF(v);
    if (v == nullptr) throw NullPointer{};
  }
  switch (V_VT(v)) {
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return V_UNKNOWN(v);
    case VT_BYREF | VT_DISPATCH:
    case VT_BYREF | VT_UNKNOWN:
      return *V_UNKNOWNREF(v);
    default:
      err::RaiseTypeMismatch();
  }
}

AutomationError ErrorIn(IDispatch* errorObject) {
  const auto e = Unwrap<Object>(err::Required(errorObject));
  const int32_t number = e->GetProperty("Number").ToLong();
  std::string description = e->GetProperty("Description").ToString();
  std::string source = e->GetProperty("Source").ToString();
  // The help fields are optional: an object with only the first three is an error too.
  const auto optional = [&](std::string_view name) {
    try {
      return e->GetProperty(name);
    } catch (const AutomationError& missing) {
      if (missing.Number() != err::kNoSuchMember) throw;
      return Variant::Empty();
    }
  };
  const int32_t helpContext = optional("HelpContext").ToLong();
  std::string helpFile = optional("HelpFile").ToString();
  return AutomationError(number, std::move(source), std::move(description), std::move(helpFile),
                         helpContext);
}

}  // namespace zentnet::com
