#include <gtest/gtest.h>

#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/factory.h"

namespace zentnet {
namespace {

TEST(DefaultDrive, TheFactoryMakesADriveThatIsNotThere) {
  const auto d = std::dynamic_pointer_cast<PhysDriveObj>(
      CreateObject("{04963D3F-F3CE-4AE2-A13A-2586C808A84D}"));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->ClassName(), "PhysDriveObj");
  EXPECT_FALSE(d->ACin());
  EXPECT_FALSE(d->Online());
  EXPECT_EQ(d->ConfigReg(), nullptr);
  EXPECT_EQ(d->StatusReg(), nullptr);
  EXPECT_EQ(d->MonitorState(1), nullptr);
  EXPECT_EQ(d->LogFile(), nullptr);
  EXPECT_EQ(d->Parameter(7), nullptr);
  EXPECT_EQ(d->DriveState(), DRIVE_UNKNOWN_STATE);
  EXPECT_EQ(d->DriveType(), Unknown);
  EXPECT_TRUE(d->TrqFrcStringUpdated(3118).IsEmpty());

  // Writes leave no trace, any command answers nothing, by-reference arguments come back.
  d->SetAddress(5);
  d->SetDemoMode(true);
  d->SetPollPriority(POLL_ALL);
  EXPECT_EQ(d->Address(), 0);
  EXPECT_FALSE(d->DemoMode());
  EXPECT_EQ(d->PollPriority(), POLL_STATUS_ONLY);
  std::string cmd = "RV 9";
  EXPECT_EQ(d->RunCommand(cmd), "");
  EXPECT_EQ(cmd, "RV 9");
  EXPECT_EQ(d->TrqFrcString(cmd), "");
  int32_t found = 3;
  EXPECT_EQ(d->WakeupDrive(Collection::create(), found), 0);
  EXPECT_EQ(found, 3);
}

// A drive library's object seen through the interface: the defaults the interface declares
// reach the implementation, and by-reference texts are written back.
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

 private:
  static void Echo(std::string& path, bool interactive) { path += interactive ? "+" : "-"; }
};

TEST(DriveInterface, DeclaredDefaultsReachAnImplementation) {
  std::shared_ptr<PhysDriveObj> d = std::make_shared<EchoDrive>();
  std::string cmd = "RV";
  EXPECT_EQ(d->RunCommand(cmd), "50 throw");
  EXPECT_EQ(cmd, "RV!");
  EXPECT_EQ(d->RunCommand(cmd, 7), "7 throw");
  std::string path;
  d->MotorFileLoad(path);
  d->MotorFileSave(path);
  d->SystemFileLoad(path);
  d->SystemFileSave(path);
  EXPECT_EQ(path, "++++");
}

}  // namespace
}  // namespace zentnet
