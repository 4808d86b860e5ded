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
  std::string cmd = "RV 9";
  EXPECT_EQ(d->RunCommand(cmd) + d->TrqFrcString(cmd), "");
  EXPECT_EQ(cmd, "RV 9");  // by-reference arguments come back as they were
}

TEST(Defaults, TheRootAnswersNothingAndKeepsNothing) {
  const auto lib = std::dynamic_pointer_cast<NetLib>(CreateObject("NetLib"));
  ASSERT_NE(lib, nullptr);
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

// The arguments the interfaces declare as optional reach an implementation.
class EchoDrive final : public InertPhysDriveObj {
 public:
  std::string RunCommand(std::string&, int32_t timeOut, bool throwErr) override {
    return std::to_string(timeOut) + (throwErr ? " throw" : " quiet");
  }
  void MotorFileSave(std::string& path, bool interactive) override { path += interactive ? "+" : "-"; }
};

class EchoRoot final : public InertNetLib {
 public:
  int32_t seen = 0;
  void CreateDemoDrive(PhysDriveType drvType) override { seen = drvType; }
};

TEST(Defaults, DeclaredDefaultsReachAnImplementation) {
  std::shared_ptr<PhysDriveObj> d = std::make_shared<EchoDrive>();
  std::string cmd = "RV", path;
  EXPECT_EQ(d->RunCommand(cmd) + "," + d->RunCommand(cmd, 7), "50 throw,7 throw");
  d->MotorFileSave(path);
  EXPECT_EQ(path, "+");
  const auto root = std::make_shared<EchoRoot>();
  static_cast<NetLib&>(*root).CreateDemoDrive();
  EXPECT_EQ(root->seen, DRV_MODEL_07);
}

}  // namespace
}  // namespace zentnet
