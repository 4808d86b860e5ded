#include "../skin/dual.h"
#include "zentnet/services/CmdLog.h"

namespace zentnet::com {
namespace {

class CmdLogSkin final : public Dual<CmdLogSkin, _CmdLog, CmdLog> {
 public:
  static constexpr std::string_view kName = "CmdLog";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_Logging(VARIANT_BOOL* result) override {
    return Call(&Core::Logging, result);
  }
  HRESULT STDMETHODCALLTYPE put_Logging(VARIANT_BOOL value) override {
    return Call(&Core::SetLogging, value);
  }
  HRESULT STDMETHODCALLTYPE get_LogPolling(VARIANT_BOOL* result) override {
    return Call(&Core::LogPolling, result);
  }
  HRESULT STDMETHODCALLTYPE put_LogPolling(VARIANT_BOOL value) override {
    return Call(&Core::SetLogPolling, value);
  }
  HRESULT STDMETHODCALLTYPE get_InPoll(VARIANT_BOOL* result) override {
    return Call(&Core::InPoll, result);
  }
  HRESULT STDMETHODCALLTYPE put_InPoll(VARIANT_BOOL value) override {
    return Call(&Core::SetInPoll, value);
  }
  HRESULT STDMETHODCALLTYPE CommandSent(BSTR* cmdStr) override {
    return Call(&Core::CommandSent, cmdStr);
  }
  HRESULT STDMETHODCALLTYPE Received(BSTR* respStr) override {
    return Call(&Core::Received, respStr);
  }
  HRESULT STDMETHODCALLTYPE Errors(BSTR* errDesc, BSTR* errStr) override {
    return Call(&Core::Errors, errDesc, errStr);
  }
  HRESULT STDMETHODCALLTYPE put_LogToFile(VARIANT_BOOL* append, VARIANT_BOOL* openState) override {
    return Call(&Core::SetLogToFile, append, openState);
  }
  HRESULT STDMETHODCALLTYPE RunTimeErr(IDispatch* theErr, BSTR* routine) override {
    return Call(&Core::RunTimeErr, theErr, routine);
  }
  HRESULT STDMETHODCALLTYPE RunTimeLog(BSTR* errString) override {
    return Call(&Core::RunTimeLog, errString);
  }
};
const Registered<CmdLogSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com
