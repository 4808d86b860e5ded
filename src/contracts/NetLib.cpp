#include "zentnet/contracts/NetLib.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "zentnet/resources/version.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zentnet {

namespace {

void ModuleAnchor() {}

// The full path of the module (executable or shared library) that holds this code.
std::filesystem::path ModuleFile() {
#ifdef _WIN32
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&ModuleAnchor), &module))
    return {};
  wchar_t buffer[32768];
  const DWORD n = GetModuleFileNameW(module, buffer, static_cast<DWORD>(std::size(buffer)));
  return std::filesystem::path(std::wstring(buffer, n));
#else
  // The mapping that contains one of our own functions names the file it came from.
  const auto anchor = reinterpret_cast<std::uintptr_t>(&ModuleAnchor);
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    std::istringstream in(line);
    std::string range, perms, offset, device, inode;
    if (!(in >> range >> perms >> offset >> device >> inode)) continue;
    const auto dash = range.find('-');
    if (dash == std::string::npos) continue;
    const auto low = std::stoull(range.substr(0, dash), nullptr, 16);
    const auto high = std::stoull(range.substr(dash + 1), nullptr, 16);
    if (anchor < low || anchor >= high) continue;
    std::string path;
    std::getline(in >> std::ws, path);
    if (!path.empty() && path.front() == '/') return path;
    break;
  }
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe;
#endif
}

// The file name up to its first point: a shared library's extension may carry version
// numbers ("libzentnet.so.1"), and a Windows module's is just ".dll".
std::string NameWithoutExtension(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  const auto point = name.find('.');
  return point == 0 || point == std::string::npos ? name : name.substr(0, point);
}

std::string LibraryVersionText() {
  const std::filesystem::path module = ModuleFile();
  return std::to_string(version::kMajor) + "." + std::to_string(version::kMinor) + "." +
         std::to_string(version::kRevision) + "\r\n" + module.parent_path().string() + "\\" +
         NameWithoutExtension(module);
}

}  // namespace

namespace {
constexpr PropertyEntry<FlashStandIn> kFlashProperties[] = {
    {"ClassID", [](FlashStandIn& o) -> Variant { return o.ClassID(); }},
    {"InterfaceID", [](FlashStandIn& o) -> Variant { return o.InterfaceID(); }},
};
constexpr PropertyTable kFlashTable(kFlashProperties);
}  // namespace

Variant FlashStandIn::GetProperty(std::string_view name) { return kFlashTable.Read(*this, name); }
std::span<const std::string_view> FlashStandIn::PropertyNames() const { return kFlashTable.Names(); }

namespace {

// The application's root object when there is no application: reads answer the zero value
// of their type and writes and actions leave no trace. Flash and Version are the two
// members that answer for the library itself.
class DefaultNetLib final : public NetLib {
 public:
  std::shared_ptr<AppStateEventObj> AppEvents() override { return nullptr; }
  std::string AppTitle() override { return {}; }
  void CreateDemoDrive(PhysDriveType /*drvType*/) override {}
  std::shared_ptr<DriveEventObj> DriveEvent() override { return nullptr; }
  std::shared_ptr<Collection> Drives() override { return nullptr; }
  // Never cached: every reader gets an object of its own.
  std::shared_ptr<Object> Flash() override { return FlashStandIn::create(); }
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
  std::string Version() override { return LibraryVersionText(); }
  void WarmResetSystem() override {}
  void SetWinHookRef(std::shared_ptr<Object> /*value*/) override {}
};

}  // namespace

std::shared_ptr<NetLib> NetLib::create() { return std::make_shared<DefaultNetLib>(); }

}  // namespace zentnet
