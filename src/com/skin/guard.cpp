#include "guard.h"

#include <utility>

#include "convert.h"
#include "module.h"
#include "ref.h"
#include "unknown.h"

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

namespace {

// An error whose texts hold a NUL. The system's error object takes its texts as
// NUL-terminated strings and would cut them there, so such an error travels in an object of
// ours that hands each text back whole. Counted alive like any object of the DLL: a client
// may keep it.
class WholeTextError final : public RefCounted<IErrorInfo, WholeTextError>, Counted {
 public:
  WholeTextError(const IID& iid, const AutomationError& e)
      : iid_(iid),
        source_(e.Source()),
        description_(e.Description()),
        helpFile_(e.HelpFile()),
        helpContext_(static_cast<DWORD>(e.HelpContext())) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return AnswerAs<IErrorInfo>(this, riid, ppv, IID_IErrorInfo);
  }
  HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override {
    if (guid == nullptr) return E_POINTER;
    *guid = iid_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSource(BSTR* out) override { return Copy(source_, out); }
  HRESULT STDMETHODCALLTYPE GetDescription(BSTR* out) override { return Copy(description_, out); }
  HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* out) override { return Copy(helpFile_, out); }
  HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* out) override {
    if (out == nullptr) return E_POINTER;
    *out = helpContext_;
    return S_OK;
  }

 private:
  static HRESULT Copy(const Bstr& text, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = SysAllocStringLen(text.get(), SysStringLen(text.get()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  IID iid_;
  Bstr source_, description_, helpFile_;
  DWORD helpContext_;
};

bool HasNul(const AutomationError& e) {
  for (const std::string* text : {&e.Source(), &e.Description(), &e.HelpFile()})
    if (text->find('\0') != std::string::npos) return true;
  return false;
}

}  // namespace

HRESULT Report(const IID& iid, const AutomationError& e) noexcept {
  if (HasNul(e)) {
    try {
      const auto info = new WholeTextError(iid, e);
      SetErrorInfo(0, info);
      info->Release();
      return HResultOf(e.Number());
    } catch (...) {  // NOLINT(bugprone-empty-catch): out of memory, the system's object below
    }
  }
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
    Report(iid,
           AutomationError(0, err::kRuntimeSource, std::string("Unexpected error: ") + e.what()));
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
