#include "zentnet/contracts/NetLib.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "zentnet/factory.h"

namespace zentnet {
namespace {

TEST(DefaultNetLib, ReadsAnswerZeroValuesAndWritesLeaveNoTrace) {
  const auto lib = NetLib::create();
  EXPECT_EQ(lib->ClassName(), "NetLib");
  lib->SetPorts("1;2");
  lib->SetPortsOpen(true);
  lib->SetPolling(true);
  lib->SetOnlinePoll(true);
  lib->SetPollingInternal(true);
  lib->SetTechSupportMode(true);
  lib->TechSupportModeEnable(1234);
  lib->CreateDemoDrive();
  lib->SystemFileLoad("x.cfg");
  lib->RegisterFKey(nullptr);
  lib->SetWinHookRef(nullptr);
  EXPECT_EQ(lib->Ports(), "");
  EXPECT_FALSE(lib->PortsOpen());
  EXPECT_FALSE(lib->Polling());
  EXPECT_FALSE(lib->OnlinePoll());
  EXPECT_FALSE(lib->PollingInternal());
  EXPECT_FALSE(lib->TechSupportMode());
  EXPECT_FALSE(lib->Online());
  EXPECT_FALSE(lib->Resetting());
  EXPECT_EQ(lib->AppTitle(), "");
  EXPECT_EQ(lib->SerialVersion(), "");
  EXPECT_EQ(lib->ValueVersion(), "");
  EXPECT_EQ(lib->LookupDriveErrorMsg(DRV_ERR_CMD_TIME_OUT), "");
  EXPECT_EQ(lib->NetSupervisor(), nullptr);
  EXPECT_EQ(lib->AppEvents(), nullptr);
  EXPECT_EQ(lib->DriveEvent(), nullptr);
  EXPECT_EQ(lib->LogFile(), nullptr);
  EXPECT_EQ(lib->Sounds(), nullptr);
  EXPECT_EQ(lib->LockLevel(), nullptr);
  EXPECT_EQ(lib->Drives(), nullptr);
  EXPECT_EQ(lib->Nets(), nullptr);
  EXPECT_EQ(lib->SystemFileConfiguration("x.cfg"), nullptr);
}

TEST(DefaultNetLib, EveryFlashReadIsANewFlashObject) {
  const auto lib = NetLib::create();
  const auto first = lib->Flash();
  const auto second = lib->Flash();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(first->ClassName(), "ZentFlashLib");
  EXPECT_EQ(first->GetProperty("ClassID").ToString(), "{64D5AA9D-2434-4793-A621-EE2619AB95B6}");
  EXPECT_EQ(first->GetProperty("interfaceid").ToString(),
            "{B25509F2-15E7-4048-B5EF-53F10FF38024}");
}

TEST(DefaultNetLib, VersionNamesTheNumbersAndTheModuleHoldingTheCode) {
  const std::string v = NetLib::create()->Version();
  const auto crlf = v.find("\r\n");
  ASSERT_NE(crlf, std::string::npos);
  EXPECT_EQ(v.substr(0, crlf), "1.0.48");
  const std::string location = v.substr(crlf + 2);
  const auto slash = location.rfind('\\');
  ASSERT_NE(slash, std::string::npos);
  const std::filesystem::path folder = location.substr(0, slash);
  const std::string name = location.substr(slash + 1);
  EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(name.find('.'), std::string::npos) << "extension left on " << name;
  // The module is a file in that folder whose name without extension is `name`.
  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    found = found || file == name || file.rfind(name + ".", 0) == 0;
  }
  EXPECT_TRUE(found) << name << " in " << folder;
}

TEST(DefaultNetLib, TheFactoryCreatesTheInertRoot) {
  const auto lib = std::dynamic_pointer_cast<NetLib>(CreateObject("NetLib"));
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(lib->Version().substr(0, 6), "1.0.48");
}

}  // namespace
}  // namespace zentnet
