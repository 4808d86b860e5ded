#pragma once
// A simulated application root for the demo and the integration tests: a NetLib that hands
// out one network supervisor, command log, sound settings, drive event hub and application
// event hub, and that plays the host side of the ports: when an adapter raises
// RequestNetOpen it opens or closes the host port (a number in a set) and reports success.
//
// Ports: SetPorts hands the list to the supervisor. SetPortsOpen(true) gives every adapter
// that has none a peer (a SimHostPort for its port) and sets its NetOpen; an adapter whose
// port the host lacks (SetHostPortAvailable) is refused, which raises the adapter's error
// 6301 to the caller and leaves the later adapters closed. SetPortsOpen(false) closes every
// adapter by Enabled := false and then reports it NODES_OFFLINE, which empties its nodes and
// takes its drives offline. AttachDrive puts a simulated drive on a port, as the
// communication layer does when it finds one, and reports the adapter NODES_ONLINE.
//
// Ownership: the root holds its services, its drives and the supervisor, which holds the
// adapters, which hold their peers and nodes. Nothing points back at the root: its
// subscription to the supervisor holds it weakly and the peers are separate objects.
//
// Members of the root interface the simulator has nothing behind (system files, resets,
// flash, hot-key hook, serial and value-library versions) answer as the library's inert
// root object does; Flash and Version answer for the library itself, as there.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "zentnet/contracts/NetLib.h"

namespace zentnet {

class NetAdapterObj;
class SimDrive;

// The peer the root gives an adapter: the host port it stands for. It holds nothing.
class SimHostPort final : public Object {
 public:
  static std::shared_ptr<SimHostPort> create(int32_t port) {
    auto p = std::make_shared<SimHostPort>();
    p->port_ = port;
    return p;
  }
  int32_t PortNumber() const { return port_; }
  std::string_view ClassName() const override { return "SimHostPort"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

 private:
  int32_t port_ = 0;
};

// Flash, Version and whatever else the simulator has no use for answer as the inert root.
class SimRoot final : public InertNetLib, public std::enable_shared_from_this<SimRoot> {
 public:
  // A null log gets CmdLog::create(), which writes beside the library's module.
  static std::shared_ptr<SimRoot> create(std::shared_ptr<CmdLog> log = nullptr);
  ~SimRoot() override;

  // --- The simulation (not part of the root interface) ---
  // Puts `drive` on the adapter of `port` (error 5 when no adapter serves it): the drive
  // gets the root's command log, sounds, lock level and drive event hub, joins the adapter's
  // Nodes and the root's Drives, goes online, and the adapter reports NODES_ONLINE.
  void AttachDrive(int32_t port, const std::shared_ptr<SimDrive>& drive);
  // Whether the host has the port (all ports at creation) and whether it is open now.
  void SetHostPortAvailable(int32_t port, bool available);
  bool HostPortOpen(int32_t port) const { return openPorts_.count(port) != 0; }
  // The adapter that serves `port`, or null.
  std::shared_ptr<NetAdapterObj> Adapter(int32_t port) const;

  // --- NetLib ---
  std::string_view ClassName() const override { return "SimRoot"; }
  std::shared_ptr<AppStateEventObj> AppEvents() override { return appEvents_; }
  std::string AppTitle() override { return "ZentNet simulator"; }
  // Asks the application's listeners for a demo drive (AppStateEventObj.CreateDemoDrive);
  // when none supplies one, builds a simulated drive in demo mode. Either joins Drives.
  void CreateDemoDrive(PhysDriveType drvType = DRV_MODEL_07) override;
  std::shared_ptr<DriveEventObj> DriveEvent() override { return driveEvent_; }
  std::shared_ptr<Collection> Drives() override { return drives_; }
  // Every adapter reports NODES_OFFLINE.
  void ForceOffline() override;
  std::shared_ptr<LockLevelObj> LockLevel() override { return lockLevel_; }
  // The string-table text of the drive error code.
  std::string LookupDriveErrorMsg(DriveErrors theCode) override;
  std::shared_ptr<CmdLog> LogFile() override { return log_; }
  std::shared_ptr<Collection> Nets() override;
  // Some drive in Drives is online.
  bool Online() override;
  void SetOnlinePoll(bool value) override { onlinePoll_ = value; }
  bool OnlinePoll() override { return onlinePoll_; }
  // Raises AppStateEventObj.PollStateChanged when the value changes.
  void SetPolling(bool value) override;
  bool Polling() override { return polling_; }
  void SetPollingInternal(bool value) override { pollingInternal_ = value; }
  bool PollingInternal() override { return pollingInternal_; }
  void SetPorts(const std::string& value) override;
  std::string Ports() override;
  void SetPortsOpen(bool value) override;
  // Some adapter exists and every adapter is open.
  bool PortsOpen() override;
  void RegisterFKey(std::shared_ptr<HotKeyObj> fkey) override;
  std::shared_ptr<NetSupervisorObj> NetSupervisor() override { return supervisor_; }
  std::shared_ptr<SoundEventsObj> Sounds() override { return sounds_; }
  std::shared_ptr<Collection> SystemFileConfiguration(const std::string& /*path*/) override {
    return Collection::create();
  }
  // Raises AppStateEventObj.TechSupportChanged when the value changes.
  void SetTechSupportMode(bool value) override;
  bool TechSupportMode() override { return techSupport_; }
  // The simulator takes any password.
  void TechSupportModeEnable(int32_t /*password*/) override { SetTechSupportMode(true); }
  void UnRegisterFKey(std::shared_ptr<HotKeyObj> fkey) override;
  void SetWinHookRef(std::shared_ptr<Object> value) override { winHook_ = std::move(value); }

  // The registered hot keys, in registration order.
  const std::vector<std::shared_ptr<HotKeyObj>>& HotKeys() const { return hotKeys_; }

  SimRoot();  // use create()

 private:
  class SupervisorSink;
  void OnRequestNetOpen(bool newState, int32_t port, bool& success);
  std::vector<std::shared_ptr<NetAdapterObj>> Adapters() const;

  std::shared_ptr<NetSupervisorObj> supervisor_;
  std::shared_ptr<CmdLog> log_;
  std::shared_ptr<SoundEventsObj> sounds_;
  std::shared_ptr<DriveEventObj> driveEvent_;
  std::shared_ptr<AppStateEventObj> appEvents_;
  std::shared_ptr<LockLevelObj> lockLevel_;
  std::shared_ptr<Collection> drives_;
  std::shared_ptr<SupervisorSink> sink_;
  Cookie cookie_ = 0;
  std::set<int32_t> openPorts_;
  std::set<int32_t> missingPorts_;
  std::vector<std::shared_ptr<HotKeyObj>> hotKeys_;
  std::shared_ptr<Object> winHook_;
  bool onlinePoll_ = false;
  bool polling_ = false;
  bool pollingInternal_ = false;
  bool techSupport_ = false;
};

}  // namespace zentnet
