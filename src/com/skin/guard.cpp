#include "guard.h"

#include <utility>

#include "convert.h"
#include "ref.h"

namespace zentnet::com {

HRESULT HResultOf(int32_t number) {
  if (number > 0 && number <= 0xFFFF) return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
  if (number < 0) return static_cast<HRESULT>(number);
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, err::kInvalidCall);
}

int32_t NumberOf(HRESULT hr) {
  if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) return HRESULT_CODE(hr);
  struct Known {
    HRESULT hr;
    int32_t number;
  };
  // The dispatch failures a script runtime shows under its own numbers.
  static constexpr Known kKnown[] = {
      {E_INVALIDARG, err::kInvalidCall},
      {DISP_E_OVERFLOW, err::kOverflow},
      {E_OUTOFMEMORY, err::kOutOfMemory},
      {DISP_E_BADINDEX, err::kSubscriptOutOfRange},
      {DISP_E_TYPEMISMATCH, err::kTypeMismatch},
      {E_POINTER, err::kObjectRequired},
      {DISP_E_MEMBERNOTFOUND, err::kNoSuchMember},
      {DISP_E_UNKNOWNNAME, err::kNoSuchMember},
      {E_NOINTERFACE, err::kNoAutomation},
      {DISP_E_PARAMNOTOPTIONAL, err::kArgumentNotOptional},
      {DISP_E_BADPARAMCOUNT, err::kWrongArguments},
  };
  for (const auto& k : kKnown)
    if (k.hr == hr) return k.number;
  return static_cast<int32_t>(hr);
}

HRESULT Report(const IID& iid, const AutomationError& e) noexcept {
  Ref<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(create.put()))) {
    create->SetGUID(iid);
    // Text conversion may run out of memory: the error then travels without its texts.
    try {
      // The source travels as raised. Both DLLs carry the same core, whose runtime errors
      // name "ZentNetLib"; relabelling them per module would also relabel an error that a
      // ZentNetLib listener raised inside a value object's event on its way back.
      create->SetSource(Bstr(e.Source()).get());
      create->SetDescription(Bstr(e.Description()).get());
      create->SetHelpFile(Bstr(e.HelpFile()).get());
    } catch (...) {
    }
    create->SetHelpContext(static_cast<DWORD>(e.HelpContext()));
    SetErrorInfo(0, create.As<IErrorInfo>(IID_IErrorInfo).get());
  }
  return HResultOf(e.Number());
}

HRESULT Caught(const IID& iid) noexcept {
  try {
    throw;
  } catch (const AutomationError& e) {
    return Report(iid, e);
  } catch (const std::bad_alloc&) {
    SetErrorInfo(0, nullptr);
    return E_OUTOFMEMORY;
  } catch (const NullPointer&) {
    SetErrorInfo(0, nullptr);
    return E_POINTER;
  } catch (const std::exception& e) {
    Report(iid, AutomationError(0, err::kRuntimeSource, std::string("Unexpected error: ") + e.what()));
    return E_UNEXPECTED;
  } catch (...) {
    Report(iid, AutomationError(0, err::kRuntimeSource, "Unexpected error"));
    return E_UNEXPECTED;
  }
}

void ThrowFrom(HRESULT hr, EXCEPINFO* info) {
  if (hr != DISP_E_EXCEPTION || info == nullptr)
    throw AutomationError(NumberOf(hr), err::kRuntimeSource, "Automation error");
  if (info->pfnDeferredFillIn) info->pfnDeferredFillIn(info);
  // Taken over from the callee: freed here whatever happens.
  const Bstr source(std::exchange(info->bstrSource, nullptr));
  const Bstr description(std::exchange(info->bstrDescription, nullptr));
  const Bstr helpFile(std::exchange(info->bstrHelpFile, nullptr));
  const HRESULT code = info->scode != 0 ? info->scode : HResultOf(info->wCode);
  throw AutomationError(NumberOf(code), ToUtf8(source.get()), ToUtf8(description.get()),
                        ToUtf8(helpFile.get()), static_cast<int32_t>(info->dwHelpContext));
}

}  // namespace zentnet::com
