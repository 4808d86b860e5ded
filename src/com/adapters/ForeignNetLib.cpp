// A client's own root object, as the core sees it.

#include "ForeignCaller.h"
#include "zentnet/contracts/NetLib.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/services/AppStateEventObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/services/HotKeyObj.h"
#include "zentnet/services/SoundEventsObj.h"

namespace zentnet::com {
namespace {

class ForeignNetLib final : public NetLib, public ForeignCaller {
 public:
  explicit ForeignNetLib(IDispatch* dispatch) : ForeignCaller(dispatch, __uuidof(_NetLib)) {}

  std::shared_ptr<AppStateEventObj> AppEvents() override {
    return Get<std::shared_ptr<AppStateEventObj>>("AppEvents");
  }
  std::string AppTitle() override { return Get<std::string>("AppTitle"); }
  void CreateDemoDrive(PhysDriveType drvType) override { return Do("CreateDemoDrive", drvType); }
  std::shared_ptr<DriveEventObj> DriveEvent() override {
    return Get<std::shared_ptr<DriveEventObj>>("DriveEvent");
  }
  std::shared_ptr<Collection> Drives() override {
    return Get<std::shared_ptr<Collection>>("Drives");
  }
  std::shared_ptr<Object> Flash() override { return Get<std::shared_ptr<Object>>("Flash"); }
  void ForceOffline() override { return Do("ForceOffline"); }
  std::shared_ptr<LockLevelObj> LockLevel() override {
    return Get<std::shared_ptr<LockLevelObj>>("LockLevel");
  }
  std::string LookupDriveErrorMsg(DriveErrors theCode) override {
    return Get<std::string>("LookupDriveErrorMsg", theCode);
  }
  std::shared_ptr<CmdLog> LogFile() override { return Get<std::shared_ptr<CmdLog>>("LogFile"); }
  std::shared_ptr<Collection> Nets() override { return Get<std::shared_ptr<Collection>>("Nets"); }
  bool Online() override { return Get<bool>("Online"); }
  void SetOnlinePoll(bool value) override { return Let("OnlinePoll", value); }
  bool OnlinePoll() override { return Get<bool>("OnlinePoll"); }
  void SetPolling(bool value) override { return Let("Polling", value); }
  bool Polling() override { return Get<bool>("Polling"); }
  void SetPollingInternal(bool value) override { return Let("PollingInternal", value); }
  bool PollingInternal() override { return Get<bool>("PollingInternal"); }
  void SetPorts(const std::string& value) override { return Let("Ports", value); }
  std::string Ports() override { return Get<std::string>("Ports"); }
  void SetPortsOpen(bool value) override { return Let("PortsOpen", value); }
  bool PortsOpen() override { return Get<bool>("PortsOpen"); }
  void RegisterFKey(std::shared_ptr<HotKeyObj> fkey) override { return Do("RegisterFKey", fkey); }
  void ColdResetSystem() override { return Do("ColdResetSystem"); }
  bool Resetting() override { return Get<bool>("Resetting"); }
  std::shared_ptr<NetSupervisorObj> NetSupervisor() override {
    return Get<std::shared_ptr<NetSupervisorObj>>("NetSupervisor");
  }
  std::string SerialVersion() override { return Get<std::string>("SerialVersion"); }
  std::shared_ptr<SoundEventsObj> Sounds() override {
    return Get<std::shared_ptr<SoundEventsObj>>("Sounds");
  }
  std::shared_ptr<Collection> SystemFileConfiguration(const std::string& path) override {
    return Get<std::shared_ptr<Collection>>("SystemFileConfiguration", path);
  }
  void SystemFileLoad(const std::string& path, bool interactive) override {
    return Do("SystemFileLoad", path, interactive);
  }
  void SystemFileSave(const std::string& path, bool interactive) override {
    return Do("SystemFileSave", path, interactive);
  }
  void SetTechSupportMode(bool value) override { return Let("TechSupportMode", value); }
  bool TechSupportMode() override { return Get<bool>("TechSupportMode"); }
  void TechSupportModeEnable(int32_t password) override {
    return Do("TechSupportModeEnable", password);
  }
  void UnRegisterFKey(std::shared_ptr<HotKeyObj> fkey) override {
    return Do("UnRegisterFKey", fkey);
  }
  std::string ValueVersion() override { return Get<std::string>("ValueVersion"); }
  std::string Version() override { return Get<std::string>("Version"); }
  void WarmResetSystem() override { return Do("WarmResetSystem"); }
  void SetWinHookRef(std::shared_ptr<Object> value) override { return SetRef("WinHookRef", value); }
};
const RegisteredAdapter<NetLib, ForeignNetLib> kRegistered;

}  // namespace
}  // namespace zentnet::com
