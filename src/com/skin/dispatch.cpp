#include "dispatch.h"

#include <vector>

#include "ref.h"

namespace zentnet::com {
namespace {

// The description of the member `id` that `flags` call, released on scope exit.
class FuncDesc {
 public:
  FuncDesc(ITypeInfo* info, DISPID id, WORD flags) : info_(info) {
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return;
    const WORD count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count && desc_ == nullptr; ++i) {
      if (FAILED(info->GetFuncDesc(i, &desc_))) return;
      if (desc_->memid == id && (desc_->invkind & flags) != 0) break;
      info->ReleaseFuncDesc(std::exchange(desc_, nullptr));
    }
  }
  FuncDesc(const FuncDesc&) = delete;
  FuncDesc& operator=(const FuncDesc&) = delete;
  ~FuncDesc() {
    if (desc_ != nullptr) info_->ReleaseFuncDesc(desc_);
  }
  const FUNCDESC* get() const { return desc_; }

 private:
  ITypeInfo* info_;
  FUNCDESC* desc_ = nullptr;
};

bool IsByRefDefault(const ELEMDESC& e) {
  const auto& p = e.paramdesc;
  return (p.wParamFlags & PARAMFLAG_FHASDEFAULT) != 0 && (p.wParamFlags & PARAMFLAG_FRETVAL) == 0 &&
         p.pparamdescex != nullptr && e.tdesc.vt == VT_PTR;
}

}  // namespace

HRESULT InvokeThroughTypeInfo(ITypeInfo* info, void* self, DISPID id, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
  if (params == nullptr || params->cNamedArgs != 0)
    return info->Invoke(self, id, flags, params, result, excep, argErr);
  const FuncDesc desc(info, id, flags);
  const FUNCDESC* f = desc.get();
  UINT given = params->cArgs;
  if (f == nullptr || given >= static_cast<UINT>(f->cParams) || !IsByRefDefault(f->lprgelemdescParam[given]))
    return info->Invoke(self, id, flags, params, result, excep, argErr);

  // Defaults for every omitted parameter that has one, each passed by reference; the
  // arguments travel last-first, so the supplied ones go in front.
  std::vector<VARIANT> defaults;
  for (UINT i = given; i < static_cast<UINT>(f->cParams) && IsByRefDefault(f->lprgelemdescParam[i]); ++i) {
    VARIANT value;
    VariantInit(&value);
    const auto vt = static_cast<VARTYPE>(f->lprgelemdescParam[i].tdesc.lptdesc->vt);
    if (FAILED(VariantChangeType(&value, &f->lprgelemdescParam[i].paramdesc.pparamdescex->varDefaultValue, 0, vt)))
      break;
    defaults.push_back(value);
  }
  std::vector<VARIANT> refs(defaults.size());
  for (size_t i = 0; i < defaults.size(); ++i) {
    // rgvarg[0] is the last parameter.
    VARIANT& ref = refs[defaults.size() - 1 - i];
    VariantInit(&ref);
    V_VT(&ref) = static_cast<VARTYPE>(V_VT(&defaults[i]) | VT_BYREF);
    V_BYREF(&ref) = &defaults[i].llVal;  // the value's storage, whatever its type
  }
  refs.insert(refs.end(), params->rgvarg, params->rgvarg + given);
  DISPPARAMS full{refs.data(), nullptr, static_cast<UINT>(refs.size()), 0};
  const HRESULT hr = info->Invoke(self, id, flags, &full, result, excep, argErr);
  for (auto& v : defaults) VariantClear(&v);
  return hr;
}

}  // namespace zentnet::com
