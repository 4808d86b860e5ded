// What the demo session does not reach: the simulated drive's refusals and the root's answers
// to a port without adapter, a demo drive and polling.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim_support.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/services/AppStateEventObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/sim/SimDrive.h"
#include "zentnet/sim/SimRoot.h"

namespace zentnet {
namespace {

using ::testing::ElementsAre;

TEST(SimDrive, RunCommandAnswersOrRefusesAsTheDriveWould) {
  auto drive = SimDrive::create(3);
  drive->SetOnline(true);
  EXPECT_EQ(drive->RunCommand("ST"), "v 2048\r");
  EXPECT_EQ(drive->RunCommand("EC 64"), "ok\r");
  EXPECT_TRUE(drive->ErrorCodeReg()->EncoderProblems());
  EXPECT_EQ(drive->DriveState(), DRIVE_SHUTDOWN);
  struct Case {
    const char* command;
    bool online;
    DriveErrors code;
    const char* description;
  };
  const Case cases[] = {
      {"XY 1", true, DRV_ERR_CMD_REJECT_UNK, "Drive rejected command as unknown."},
      {"CF abc", true, DRV_ERR_CMD_REJECT_PARSE,
       "Drive rejected command due to parse or value errors."},
      {"ST", false, DRV_ERR_CMD_OFFLINE, "Node is offline."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    drive->SetOnline(c.online);
    EXPECT_EQ(test::ErrorOf([&] { drive->RunCommand(c.command); }),
              std::to_string(err::kObjectErrorBase + c.code) + "|SimDrive.RunCommand|" +
                  c.description + "||0");
    EXPECT_EQ(drive->RunCommand(c.command, 50, false), "");
  }
}

class Application final : public AppStateEventObjEvents {
 public:
  void CreateDemoDrive(PhysDriveType& dType, std::shared_ptr<PhysDriveObj>& demoDrv) override {
    asked.push_back(dType);
    if (supply) demoDrv = supply;
  }
  void PollStateChanged(bool& newState) override { polls.push_back(newState); }
  std::vector<PhysDriveType> asked;
  std::vector<bool> polls;
  std::shared_ptr<PhysDriveObj> supply;
};

TEST(SimRoot, DemoDrivesPollingAndAPortWithoutAdapter) {
  test::ScratchFolder folder;
  auto root = SimRoot::create(CmdLog::createForTesting(folder.str()));
  auto app = std::make_shared<Application>();
  const Cookie cookie = root->AppEvents()->Advise(app);

  // The application's drive if it supplies one, else the simulator's.
  root->CreateDemoDrive(DRV_MODEL_03);
  app->supply = PhysDriveObj::create();
  root->CreateDemoDrive();
  EXPECT_THAT(app->asked, ElementsAre(DRV_MODEL_03, DRV_MODEL_07));
  EXPECT_EQ(root->Drives()->ItemAs<SimDrive>(1)->DriveState(), DRIVE_IS_DEMO);
  EXPECT_EQ(root->Drives()->Item(2).ToObject(), app->supply);

  for (bool on : {true, true, false}) root->SetPolling(on);  // announced only on a change
  EXPECT_THAT(app->polls, ElementsAre(true, false));
  root->AppEvents()->Unadvise(cookie);

  root->SetPorts("1");
  EXPECT_EQ(test::ErrorOf([&] { root->AttachDrive(7, SimDrive::create()); }),
            "5|ZentNetLib|Invalid procedure call or argument||0");
  EXPECT_EQ(root->Drives()->Count(), 2);
}

}  // namespace
}  // namespace zentnet
