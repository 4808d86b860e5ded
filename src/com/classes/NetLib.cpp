// The library's own root object (inert but for Version and Flash), and the skin of any
// root object of the core.

#include "../skin/dual.h"
#include "zentnet/contracts/NetLib.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/services/AppStateEventObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/services/HotKeyObj.h"
#include "zentnet/services/SoundEventsObj.h"

namespace zentnet::com {
namespace {

// The flash object comes from the flash library's own DLL, made by its class id: the core
// only names it. Any other object is handed out as it is.
std::shared_ptr<Object> FlashObject(std::shared_ptr<Object> flash) {
  const auto* standIn = dynamic_cast<const FlashStandIn*>(flash.get());
  if (standIn == nullptr) return flash;
  Ref<IDispatch> made;
  const HRESULT hr = CoCreateInstance(ParseGuid(standIn->ClassID()), nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IDispatch, reinterpret_cast<void**>(made.put()));
  if (FAILED(hr)) err::RaiseCannotCreateObject();
  return UnwrapObject(made.get(), typeid(Object));
}

class NetLibSkin final : public Dual<NetLibSkin, _NetLib, NetLib> {
 public:
  static constexpr std::string_view kName = "NetLib";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_AppEvents(_AppStateEventObj** result) override {
    return Call(&Core::AppEvents, result);
  }
  HRESULT STDMETHODCALLTYPE get_AppTitle(BSTR* result) override {
    return Call(&Core::AppTitle, result);
  }
  HRESULT STDMETHODCALLTYPE CreateDemoDrive(::PhysDriveType drvType) override {
    return Call(&Core::CreateDemoDrive, drvType);
  }
  HRESULT STDMETHODCALLTYPE get_DriveEvent(_DriveEventObj** result) override {
    return Call(&Core::DriveEvent, result);
  }
  HRESULT STDMETHODCALLTYPE get_Drives(_Collection** result) override {
    return Call(&Core::Drives, result);
  }
  HRESULT STDMETHODCALLTYPE get_Flash(_FlashObj** result) override {
    return Call([](Core& c) { return FlashObject(c.Flash()); }, result);
  }
  HRESULT STDMETHODCALLTYPE ForceOffline() override { return Call(&Core::ForceOffline); }
  HRESULT STDMETHODCALLTYPE get_LockLevel(_LockLevelObj** result) override {
    return Call(&Core::LockLevel, result);
  }
  HRESULT STDMETHODCALLTYPE get_LookupDriveErrorMsg(::DriveErrors theCode, BSTR* result) override {
    return Call(&Core::LookupDriveErrorMsg, theCode, result);
  }
  HRESULT STDMETHODCALLTYPE get_LogFile(_CmdLog** result) override {
    return Call(&Core::LogFile, result);
  }
  HRESULT STDMETHODCALLTYPE get_Nets(_Collection** result) override {
    return Call(&Core::Nets, result);
  }
  HRESULT STDMETHODCALLTYPE get_Online(VARIANT_BOOL* result) override {
    return Call(&Core::Online, result);
  }
  HRESULT STDMETHODCALLTYPE put_OnlinePoll(VARIANT_BOOL value) override {
    return Call(&Core::SetOnlinePoll, value);
  }
  HRESULT STDMETHODCALLTYPE get_OnlinePoll(VARIANT_BOOL* result) override {
    return Call(&Core::OnlinePoll, result);
  }
  HRESULT STDMETHODCALLTYPE put_Polling(VARIANT_BOOL value) override {
    return Call(&Core::SetPolling, value);
  }
  HRESULT STDMETHODCALLTYPE get_Polling(VARIANT_BOOL* result) override {
    return Call(&Core::Polling, result);
  }
  HRESULT STDMETHODCALLTYPE put_PollingInternal(VARIANT_BOOL value) override {
    return Call(&Core::SetPollingInternal, value);
  }
  HRESULT STDMETHODCALLTYPE get_PollingInternal(VARIANT_BOOL* result) override {
    return Call(&Core::PollingInternal, result);
  }
  HRESULT STDMETHODCALLTYPE put_Ports(BSTR value) override { return Call(&Core::SetPorts, value); }
  HRESULT STDMETHODCALLTYPE get_Ports(BSTR* result) override { return Call(&Core::Ports, result); }
  HRESULT STDMETHODCALLTYPE put_PortsOpen(VARIANT_BOOL value) override {
    return Call(&Core::SetPortsOpen, value);
  }
  HRESULT STDMETHODCALLTYPE get_PortsOpen(VARIANT_BOOL* result) override {
    return Call(&Core::PortsOpen, result);
  }
  HRESULT STDMETHODCALLTYPE RegisterFKey(_HotKeyObj* fkey) override {
    return Call(&Core::RegisterFKey, fkey);
  }
  HRESULT STDMETHODCALLTYPE ColdResetSystem() override { return Call(&Core::ColdResetSystem); }
  HRESULT STDMETHODCALLTYPE get_Resetting(VARIANT_BOOL* result) override {
    return Call(&Core::Resetting, result);
  }
  HRESULT STDMETHODCALLTYPE get_NetSupervisor(_NetSupervisorObj** result) override {
    return Call(&Core::NetSupervisor, result);
  }
  HRESULT STDMETHODCALLTYPE get_SerialVersion(BSTR* result) override {
    return Call(&Core::SerialVersion, result);
  }
  HRESULT STDMETHODCALLTYPE get_Sounds(_SoundEventsObj** result) override {
    return Call(&Core::Sounds, result);
  }
  HRESULT STDMETHODCALLTYPE get_SystemFileConfiguration(BSTR path, _Collection** result) override {
    return Call(&Core::SystemFileConfiguration, path, result);
  }
  HRESULT STDMETHODCALLTYPE SystemFileLoad(BSTR path, VARIANT_BOOL interactive) override {
    return Call(&Core::SystemFileLoad, path, interactive);
  }
  HRESULT STDMETHODCALLTYPE SystemFileSave(BSTR path, VARIANT_BOOL interactive) override {
    return Call(&Core::SystemFileSave, path, interactive);
  }
  HRESULT STDMETHODCALLTYPE put_TechSupportMode(VARIANT_BOOL value) override {
    return Call(&Core::SetTechSupportMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_TechSupportMode(VARIANT_BOOL* result) override {
    return Call(&Core::TechSupportMode, result);
  }
  HRESULT STDMETHODCALLTYPE TechSupportModeEnable(LONG password) override {
    return Call(&Core::TechSupportModeEnable, password);
  }
  HRESULT STDMETHODCALLTYPE UnRegisterFKey(_HotKeyObj* fkey) override {
    return Call(&Core::UnRegisterFKey, fkey);
  }
  HRESULT STDMETHODCALLTYPE get_ValueVersion(BSTR* result) override {
    return Call(&Core::ValueVersion, result);
  }
  HRESULT STDMETHODCALLTYPE get_Version(BSTR* result) override {
    return Call(&Core::Version, result);
  }
  HRESULT STDMETHODCALLTYPE WarmResetSystem() override { return Call(&Core::WarmResetSystem); }
  HRESULT STDMETHODCALLTYPE putref_WinHookRef(IDispatch* value) override {
    return Call(&Core::SetWinHookRef, value);
  }
};
const Registered<NetLibSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com
