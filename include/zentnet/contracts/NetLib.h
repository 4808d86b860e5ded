#pragma once
// The interface of the application's root object: ports, drives, polling, system files,
// lock level and hot keys. The application implements it; this library fixes the member
// list, its order and the types, and offers an inert default object (create()) whose reads
// answer the zero value of their type and whose writes and actions do nothing, except
// Flash (a new flash object on every read) and Version (this library's version and the
// module that holds its code).
//
// Members are declared in slot order, a read-write property's write before its read, as
// the published interface orders them. Objects of classes this header does not need to see
// are only declared here.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "zentnet/automation/collection.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class AppStateEventObj;
class DriveEventObj;
class CmdLog;
class HotKeyObj;
class NetSupervisorObj;
class SoundEventsObj;

// What NetLib.Flash hands out in place of the sibling flash-programming library's object,
// which lies outside this library: an object that carries that library's published
// identifiers, so a client can tell what it was given. It has no other behaviour.
class FlashStandIn final : public Object {
 public:
  static constexpr std::string_view kClassName = "ZentFlashLib";
  static constexpr std::string_view kClassId = "{64D5AA9D-2434-4793-A621-EE2619AB95B6}";
  static constexpr std::string_view kInterfaceId = "{B25509F2-15E7-4048-B5EF-53F10FF38024}";

  static std::shared_ptr<FlashStandIn> create() { return std::make_shared<FlashStandIn>(); }

  std::string_view ClassName() const override { return kClassName; }
  std::string ClassID() const { return std::string(kClassId); }
  std::string InterfaceID() const { return std::string(kInterfaceId); }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;
};

class NetLib : public Object {
 public:
  // The library's inert root object (InertNetLib).
  static std::shared_ptr<NetLib> create();

  std::string_view ClassName() const override { return "NetLib"; }

  virtual std::shared_ptr<AppStateEventObj> AppEvents() = 0;
  virtual std::string AppTitle() = 0;
  virtual void CreateDemoDrive(PhysDriveType drvType = DRV_MODEL_07) = 0;
  virtual std::shared_ptr<DriveEventObj> DriveEvent() = 0;
  virtual std::shared_ptr<Collection> Drives() = 0;
  // The flash-programming library's object (bound late); a new one on every read.
  virtual std::shared_ptr<Object> Flash() = 0;
  virtual void ForceOffline() = 0;
  virtual std::shared_ptr<LockLevelObj> LockLevel() = 0;
  virtual std::string LookupDriveErrorMsg(DriveErrors theCode) = 0;
  virtual std::shared_ptr<CmdLog> LogFile() = 0;
  virtual std::shared_ptr<Collection> Nets() = 0;
  virtual bool Online() = 0;
  virtual void SetOnlinePoll(bool value) = 0;
  virtual bool OnlinePoll() = 0;
  virtual void SetPolling(bool value) = 0;
  virtual bool Polling() = 0;
  virtual void SetPollingInternal(bool value) = 0;
  virtual bool PollingInternal() = 0;
  virtual void SetPorts(const std::string& value) = 0;
  virtual std::string Ports() = 0;
  virtual void SetPortsOpen(bool value) = 0;
  virtual bool PortsOpen() = 0;
  virtual void RegisterFKey(std::shared_ptr<HotKeyObj> fkey) = 0;
  virtual void ColdResetSystem() = 0;
  virtual bool Resetting() = 0;
  virtual std::shared_ptr<NetSupervisorObj> NetSupervisor() = 0;
  virtual std::string SerialVersion() = 0;
  virtual std::shared_ptr<SoundEventsObj> Sounds() = 0;
  virtual std::shared_ptr<Collection> SystemFileConfiguration(const std::string& path) = 0;
  virtual void SystemFileLoad(const std::string& path, bool interactive = true) = 0;
  virtual void SystemFileSave(const std::string& path, bool interactive = true) = 0;
  virtual void SetTechSupportMode(bool value) = 0;
  virtual bool TechSupportMode() = 0;
  virtual void TechSupportModeEnable(int32_t password) = 0;
  virtual void UnRegisterFKey(std::shared_ptr<HotKeyObj> fkey) = 0;
  virtual std::string ValueVersion() = 0;
  // "MAJOR.MINOR.REVISION", CR LF, the folder of the module holding this library's code,
  // "\" and that module's file name without extension.
  virtual std::string Version() = 0;
  virtual void WarmResetSystem() = 0;
  // The application's keyboard-hook control (bound late).
  virtual void SetWinHookRef(std::shared_ptr<Object> value) = 0;
};

// The application's root object when there is no application: reads answer the zero value
// of their type and writes and actions leave no trace; Flash and Version answer for the
// library itself. Not final: an implementation may start from it.
class InertNetLib : public NetLib {
 public:
  std::shared_ptr<AppStateEventObj> AppEvents() override { return nullptr; }
  std::string AppTitle() override { return {}; }
  void CreateDemoDrive(PhysDriveType /*drvType*/) override {}
  std::shared_ptr<DriveEventObj> DriveEvent() override { return nullptr; }
  std::shared_ptr<Collection> Drives() override { return nullptr; }
  // A new flash object on every read: nothing is cached.
  std::shared_ptr<Object> Flash() override;
  void ForceOffline() override {}
  std::shared_ptr<LockLevelObj> LockLevel() override { return nullptr; }
  std::string LookupDriveErrorMsg(DriveErrors /*theCode*/) override { return {}; }
  std::shared_ptr<CmdLog> LogFile() override { return nullptr; }
  std::shared_ptr<Collection> Nets() override { return nullptr; }
  bool Online() override { return false; }
  void SetOnlinePoll(bool /*value*/) override {}
  bool OnlinePoll() override { return false; }
  void SetPolling(bool /*value*/) override {}
  bool Polling() override { return false; }
  void SetPollingInternal(bool /*value*/) override {}
  bool PollingInternal() override { return false; }
  void SetPorts(const std::string& /*value*/) override {}
  std::string Ports() override { return {}; }
  void SetPortsOpen(bool /*value*/) override {}
  bool PortsOpen() override { return false; }
  void RegisterFKey(std::shared_ptr<HotKeyObj> /*fkey*/) override {}
  void ColdResetSystem() override {}
  bool Resetting() override { return false; }
  std::shared_ptr<NetSupervisorObj> NetSupervisor() override { return nullptr; }
  std::string SerialVersion() override { return {}; }
  std::shared_ptr<SoundEventsObj> Sounds() override { return nullptr; }
  std::shared_ptr<Collection> SystemFileConfiguration(const std::string& /*path*/) override {
    return nullptr;
  }
  void SystemFileLoad(const std::string& /*path*/, bool /*interactive*/) override {}
  void SystemFileSave(const std::string& /*path*/, bool /*interactive*/) override {}
  void SetTechSupportMode(bool /*value*/) override {}
  bool TechSupportMode() override { return false; }
  void TechSupportModeEnable(int32_t /*password*/) override {}
  void UnRegisterFKey(std::shared_ptr<HotKeyObj> /*fkey*/) override {}
  std::string ValueVersion() override { return {}; }
  // This library's version and the module that holds its code.
  std::string Version() override;
  void WarmResetSystem() override {}
  void SetWinHookRef(std::shared_ptr<Object> /*value*/) override {}
};

}  // namespace zentnet
