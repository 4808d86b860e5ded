#include "com.h"

namespace zenthost {

std::string Utf8(const std::wstring& s) {
  if (s.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

HRESULT HostError::Report(EXCEPINFO* info) const {
  if (plain || !info) return number;
  *info = EXCEPINFO{};
  info->scode = number;
  info->bstrSource = SysAllocString(source.c_str());
  info->bstrDescription = SysAllocString(description.c_str());
  return DISP_E_EXCEPTION;
}

const VARIANT* Params::At(UINT i) const {
  if (i >= Count()) return nullptr;
  const VARIANT* v = &p_->rgvarg[p_->cArgs - 1 - i];
  if (V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND) return nullptr;
  return v;
}

const VARIANT& Params::Required(UINT i) const {
  if (const VARIANT* v = At(i)) return *v;
  Fail(449, L"Argument not optional");
}

void Params::Fail(int number, const std::wstring& description) const {
  throw HostError{ScriptError(number), member_, description};
}

void Params::Convert(const VARIANT& from, VARTYPE vt, VARIANT& to) const {
  Var plain;
  HRESULT hr = VariantCopyInd(&plain, const_cast<VARIANT*>(&from));
  if (SUCCEEDED(hr)) hr = VariantChangeType(&to, &plain, 0, vt);
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr)) Fail(13, L"Type mismatch");
}

std::wstring Params::String(UINT i) const {
  Var s;
  Convert(Required(i), VT_BSTR, s);
  return std::wstring(V_BSTR(&s), SysStringLen(V_BSTR(&s)));
}

LONG Params::Long(UINT i, LONG fallback) const {
  const VARIANT* v = At(i);
  if (!v) return fallback;
  Var n;
  Convert(*v, VT_I4, n);
  return V_I4(&n);
}

Ref<IDispatch> Params::Object(UINT i) const {
  Var d;
  Convert(Required(i), VT_DISPATCH, d);
  if (!V_DISPATCH(&d)) Fail(424, L"Object required");
  return Ref<IDispatch>(V_DISPATCH(&d));
}

HRESULT NameTableDispatch::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT NameTableDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT NameTableDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  if (count == 0) return S_OK;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const Member& m : Members()) {
    if (CompareStringOrdinal(names[0], -1, m.name, -1, TRUE) == CSTR_EQUAL) {
      ids[0] = m.id;
      // Members take no named arguments.
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT NameTableDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* info, UINT*) {
  std::wstring name;
  for (const Member& m : Members())
    if (m.id == id) name = m.name;
  if (name.empty()) return DISP_E_MEMBERNOTFOUND;
  if (params && params->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
  if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  try {
    Var value;
    Call(id, flags, Params(params, SourceName() + L"." + name), value);
    if (result) {
      *result = value;
      VariantInit(&value);
    }
    return S_OK;
  } catch (const HostError& e) {
    return e.Report(info);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace zenthost
