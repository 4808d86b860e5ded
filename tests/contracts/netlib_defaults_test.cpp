#include <gtest/gtest.h>

#include <filesystem>

#include "zentnet/contracts/NetLib.h"
#include "zentnet/factory.h"

namespace zentnet {
namespace {

TEST(DefaultNetLib, ReadsAnswerZeroValuesAndWritesLeaveNoTrace) {
  const auto lib = std::dynamic_pointer_cast<NetLib>(CreateObject("NetLib"));
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(lib->ClassName(), "NetLib");
  lib->SetPorts("1;2");
  lib->SetPortsOpen(true);
  lib->SetTechSupportMode(true);
  EXPECT_EQ(lib->Ports(), "");
  EXPECT_FALSE(lib->PortsOpen());
  EXPECT_FALSE(lib->TechSupportMode());
  EXPECT_FALSE(lib->Online());
  EXPECT_EQ(lib->LookupDriveErrorMsg(DRV_ERR_CMD_TIME_OUT), "");
  EXPECT_EQ(lib->NetSupervisor(), nullptr);
  EXPECT_EQ(lib->Nets(), nullptr);
  EXPECT_EQ(lib->SystemFileConfiguration("x.cfg"), nullptr);
}

TEST(DefaultNetLib, EveryFlashReadIsANewFlashObject) {
  const auto lib = NetLib::create();
  const auto first = lib->Flash();
  ASSERT_NE(first, nullptr);
  EXPECT_NE(lib->Flash(), first);
  EXPECT_EQ(first->ClassName(), "ZentFlashLib");
  EXPECT_EQ(first->GetProperty("ClassID").ToString(), "{64D5AA9D-2434-4793-A621-EE2619AB95B6}");
  EXPECT_EQ(first->GetProperty("interfaceid").ToString(), "{B25509F2-15E7-4048-B5EF-53F10FF38024}");
}

TEST(DefaultNetLib, VersionNamesTheNumbersAndTheModuleHoldingTheCode) {
  const std::string v = NetLib::create()->Version();
  ASSERT_EQ(v.substr(0, 8), "1.0.48\r\n");  // file version 1.00.0048
  const std::string location = v.substr(8);
  const auto slash = location.rfind('\\');
  ASSERT_NE(slash, std::string::npos);
  const std::filesystem::path folder = location.substr(0, slash);
  const std::string name = location.substr(slash + 1);
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

// The application's root object seen through the interface: declared defaults reach it.
class EchoRoot final : public InertNetLib {
 public:
  std::string seen;
  void CreateDemoDrive(PhysDriveType drvType) override { seen += std::to_string(drvType); }
  void SystemFileLoad(const std::string&, bool interactive) override {
    seen += interactive ? "+" : "-";
  }
  void SystemFileSave(const std::string&, bool interactive) override {
    seen += interactive ? "+" : "-";
  }
};

TEST(NetLibInterface, DeclaredDefaultsReachAnImplementation) {
  const auto root = std::make_shared<EchoRoot>();
  NetLib& lib = *root;
  lib.CreateDemoDrive();
  lib.SystemFileLoad("a.cfg");
  lib.SystemFileSave("a.cfg");
  EXPECT_EQ(root->seen, "7++");
}

}  // namespace
}  // namespace zentnet
