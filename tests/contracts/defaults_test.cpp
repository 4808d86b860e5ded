// The interfaces other components implement: our stand-ins answer "nothing there", and the
// defaults each interface declares reach an implementation.

#include <gtest/gtest.h>

#include <filesystem>

#include "zentnet/contracts/NetLib.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/factory.h"

namespace zentnet {
namespace {

TEST(Defaults, TheDriveIsNotThereAndKeepsNothing) {
  const auto d = std::dynamic_pointer_cast<PhysDriveObj>(
      CreateObject("{04963D3F-F3CE-4AE2-A13A-2586C808A84D}"));
  ASSERT_NE(d, nullptr);
  d->SetAddress(5);
  d->SetDemoMode(true);
  d->SetPollPriority(POLL_ALL);
  EXPECT_EQ(std::make_tuple(d->ACin(), d->Online(), d->DemoMode(), d->Address(), d->DriveState(),
                            d->DriveType(), d->PollPriority()),
            std::make_tuple(false, false, false, 0, DRIVE_UNKNOWN_STATE, Unknown, POLL_STATUS_ONLY));
  EXPECT_TRUE(!d->ConfigReg() && !d->StatusReg() && !d->MonitorState(1) && !d->LogFile() &&
              !d->Parameter(7));
  EXPECT_TRUE(d->TrqFrcStringUpdated(3118).IsEmpty());
  std::string cmd = "RV 9";
  EXPECT_EQ(d->RunCommand(cmd) + d->TrqFrcString(cmd), "");
  EXPECT_EQ(cmd, "RV 9");  // by-reference arguments come back as they were
  int32_t found = 3;
  EXPECT_EQ(d->WakeupDrive(Collection::create(), found), 0);
  EXPECT_EQ(found, 3);
}

TEST(Defaults, TheRootAnswersNothingAndKeepsNothing) {
  const auto lib = std::dynamic_pointer_cast<NetLib>(CreateObject("NetLib"));
  ASSERT_NE(lib, nullptr);
  lib->SetPorts("1;2");
  lib->SetPortsOpen(true);
  lib->SetTechSupportMode(true);
  EXPECT_EQ(lib->Ports() + lib->LookupDriveErrorMsg(DRV_ERR_CMD_TIME_OUT), "");
  EXPECT_FALSE(lib->PortsOpen() || lib->TechSupportMode() || lib->Online());
  EXPECT_TRUE(!lib->NetSupervisor() && !lib->Nets() && !lib->SystemFileConfiguration("x.cfg"));
  // Every read of Flash is a new object of the flash library.
  const auto first = lib->Flash();
  ASSERT_NE(first, nullptr);
  EXPECT_NE(lib->Flash(), first);
  EXPECT_EQ(first->ClassName(), "ZentFlashLib");
  EXPECT_EQ(first->GetProperty("ClassID").ToString(), "{64D5AA9D-2434-4793-A621-EE2619AB95B6}");
  EXPECT_EQ(first->GetProperty("interfaceid").ToString(), "{B25509F2-15E7-4048-B5EF-53F10FF38024}");
}

// The numbers of the file version, then the folder and the file name, without its
// extension, of the module that holds the library's code.
TEST(Defaults, VersionNamesTheNumbersAndTheModule) {
  const std::string v = NetLib::create()->Version();
  ASSERT_EQ(v.substr(0, 8), "1.0.48\r\n");  // file version 1.00.0048
  const auto slash = v.rfind('\\');
  ASSERT_NE(slash, std::string::npos);
  const std::string name = v.substr(slash + 1);
  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator(v.substr(8, slash - 8))) {
    const auto file = entry.path().filename();
    found = found || (file.extension() == "" ? file.string() : file.stem().string()) == name;
  }
  EXPECT_TRUE(found) << v;
}

class EchoDrive final : public InertPhysDriveObj {
 public:
  std::string RunCommand(std::string& cmd, int32_t timeOut, bool throwErr) override {
    cmd += "!";
    return std::to_string(timeOut) + (throwErr ? " throw" : " quiet");
  }
  void MotorFileLoad(std::string& path, bool interactive) override { Echo(path, interactive); }
  void MotorFileSave(std::string& path, bool interactive) override { Echo(path, interactive); }
  void SystemFileLoad(std::string& path, bool interactive) override { Echo(path, interactive); }
  void SystemFileSave(std::string& path, bool interactive) override { Echo(path, interactive); }
  static void Echo(std::string& path, bool interactive) { path += interactive ? "+" : "-"; }
};

class EchoRoot final : public InertNetLib {
 public:
  std::string seen;
  void CreateDemoDrive(PhysDriveType drvType) override { seen += std::to_string(drvType); }
  void SystemFileLoad(const std::string&, bool interactive) override { EchoDrive::Echo(seen, interactive); }
  void SystemFileSave(const std::string&, bool interactive) override { EchoDrive::Echo(seen, interactive); }
};

TEST(Defaults, DeclaredDefaultsReachAnImplementation) {
  std::shared_ptr<PhysDriveObj> d = std::make_shared<EchoDrive>();
  std::string cmd = "RV";
  EXPECT_EQ(d->RunCommand(cmd) + "," + d->RunCommand(cmd, 7), "50 throw,7 throw");
  EXPECT_EQ(cmd, "RV!!");
  std::string path;
  d->MotorFileLoad(path);
  d->MotorFileSave(path);
  d->SystemFileLoad(path);
  d->SystemFileSave(path);
  EXPECT_EQ(path, "++++");
  const auto root = std::make_shared<EchoRoot>();
  NetLib& lib = *root;
  lib.CreateDemoDrive();
  lib.SystemFileLoad("a.cfg");
  lib.SystemFileSave("a.cfg");
  EXPECT_EQ(root->seen, "7++");
}

}  // namespace
}  // namespace zentnet
