// The simulated drive as a drive library: polls, write-back, commands and lifetime.

#include "zentnet/sim/SimDrive.h"

#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim_support.h"
#include "zentnet/automation/error.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/OptionRegObj.h"
#include "zentnet/registers/StatusRegObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"
#include "zentnet/testsignal/StimulusStateObj.h"

namespace zentnet {
namespace {

using ::testing::ElementsAre;

class SimDriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = CmdLog::createForTesting(folder_.str(), [] { return int64_t{1767225600}; });
    log_->SetLogging(true);
    log_->SetLogPolling(true);
    log_->SetLogToFile(false, true);
    drive_ = SimDrive::create(3);
    drive_->SetLogFile(log_);
    drive_->SetOnline(true);
  }
  // The logged lines after the start banner.
  std::vector<std::string> Exchanges() {
    auto lines = test::LogLines(folder_.LogPath());
    lines.erase(lines.begin());
    return lines;
  }

  test::ScratchFolder folder_;
  std::shared_ptr<CmdLog> log_;
  std::shared_ptr<SimDrive> drive_;
};

TEST_F(SimDriveTest, ANewDriveHoldsItsInitialNumbersAndHasLoggedNothing) {
  EXPECT_EQ(drive_->StatusReg()->Register()->Number()->Value(), 0x800);
  EXPECT_EQ(drive_->ConfigReg()->Register()->Number()->Value(), 0x01000200);
  EXPECT_EQ(drive_->StimulusState()->TrackingLimit()->Number()->Value(), 400);
  EXPECT_FALSE(drive_->Enabled());
  // The decoders that read the configuration share the drive's.
  EXPECT_EQ(drive_->StatusReg()->ConfigReg(), drive_->ConfigReg());
  EXPECT_EQ(drive_->StimulusState()->ConfigReg(), drive_->ConfigReg());
  EXPECT_EQ(drive_->MonitorState(2)->ConfigReg(), drive_->ConfigReg());
  EXPECT_EQ(drive_->MonitorState(0), nullptr);
  EXPECT_EQ(drive_->MonitorState(3), nullptr);
  EXPECT_TRUE(Exchanges().empty());
}

TEST_F(SimDriveTest, APollStoresTheAnswerAndIsLoggedAsPollTraffic) {
  drive_->SetDriveValue(SimQuantity::Status, 0x40000000);
  EXPECT_EQ(drive_->StatusReg()->LockLevel(), LOCK_LEVEL_0);  // not heard before the poll
  drive_->Poll(SimQuantity::Status);
  EXPECT_EQ(drive_->StatusReg()->LockLevel(), LOCK_LEVEL_1);
  EXPECT_TRUE(drive_->Enabled());
  EXPECT_FALSE(log_->InPoll());  // put back after the exchange

  log_->SetLogPolling(false);
  drive_->SetDriveValue(SimQuantity::Status, 0);
  drive_->Poll(SimQuantity::Status);  // filtered: poll traffic is not wanted now
  EXPECT_EQ(drive_->StatusReg()->LockLevel(), LOCK_LEVEL_0);
  EXPECT_THAT(Exchanges(), ElementsAre(" cmd: ST => v 1073741824\\XD [0x40000000]"));
}

TEST_F(SimDriveTest, WhatTheApplicationChangesIsSentBackOnce) {
  struct Case {
    const char* what;
    SimQuantity q;
    std::function<void(SimDrive&)> change;
    const char* command;
  };
  const Case cases[] = {
      {"input mode", SimQuantity::Config,
       [](SimDrive& d) { d.ConfigReg()->SetInputMode(IN_MODE_STEP_POSITION); },
       " cmd: CF 33554944 [0x2000200] => ok\\XD"},
      {"option field", SimQuantity::Option, [](SimDrive& d) { d.OptionReg()->SetVoltageMode(true); },
       nullptr},
      {"stimulus period", SimQuantity::StimPeriod,
       [](SimDrive& d) { d.StimulusState()->Period()->Number()->SetValue(250); },
       " cmd: SP 250 [0xFA] => ok\\XD"},
      {"monitor 1 amplitude", SimQuantity::Mon1Amplitude,
       [](SimDrive& d) { d.MonitorState(1)->Amplitude()->Number()->SetValue(2.5); },
       " cmd: M1A 2.5 [0x2] => ok\\XD"},
      {"monitor 2 variable", SimQuantity::Mon2Variable,
       [](SimDrive& d) { d.MonitorState(2)->Variable()->Number()->SetValue(4); },
       " cmd: M2V 4 [0x4] => ok\\XD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const size_t before = Exchanges().size();
    c.change(*drive_);
    const double number = drive_->ValueFor(c.q)->Number()->Value();
    EXPECT_EQ(drive_->DriveValue(c.q), number);
    const auto lines = Exchanges();
    ASSERT_EQ(lines.size(), before + 1);
    const std::string expected =
        c.command ? c.command
                  : " cmd: " + std::string(SimMnemonic(c.q)) + " " + SimNumberText(c.q, number);
    EXPECT_EQ(lines.back().substr(0, expected.size()), expected);
    // The same number again is no change at all; polling it back sends nothing either.
    drive_->ValueFor(c.q)->Number()->SetValue(number);
    drive_->Poll(c.q);
    EXPECT_EQ(Exchanges().size(), before + 2);
    EXPECT_EQ(Exchanges().back().find(" cmd: " + std::string(SimMnemonic(c.q)) + " =>"), 0u);
  }
}

TEST_F(SimDriveTest, ADirectModeSwitchReachesTheDriveAsStopAndStart) {
  const auto mode = drive_->StimulusState()->Mode();
  mode->Number()->SetValue(STIM_VEL);
  mode->Number()->SetValue(STIM_TRQ);
  EXPECT_THAT(Exchanges(), ElementsAre(" cmd: TL 0 [0x0] => ok\\XD",    // velocity: no limit
                                       " cmd: SM 1 [0x1] => ok\\XD",
                                       " cmd: TL 400 [0x190] => ok\\XD",  // restored on the stop
                                       " cmd: SM 0 [0x0] => ok\\XD",
                                       " cmd: SM 2 [0x2] => ok\\XD"));  // no second SM 2
  EXPECT_EQ(drive_->DriveValue(SimQuantity::StimMode), STIM_TRQ);
}

TEST_F(SimDriveTest, RunCommandReadsAndWritesTheDrive) {
  EXPECT_EQ(drive_->RunCommand("ST"), "v 2048\r");
  EXPECT_EQ(drive_->RunCommand("EC 64"), "ok\r");
  EXPECT_TRUE(drive_->ErrorCodeReg()->EncoderProblems());
  EXPECT_EQ(drive_->DriveState(), DRIVE_SHUTDOWN);
  EXPECT_THAT(Exchanges(), ElementsAre(" cmd: ST => v 2048\\XD [0x800]", " cmd: EC 64 [0x40] => ok\\XD"));
}

TEST_F(SimDriveTest, RunCommandRejectsWhatTheDriveWouldReject) {
  struct Case {
    const char* command;
    bool online;
    DriveErrors code;
    const char* description;
  };
  const Case cases[] = {
      {"XY 1", true, DRV_ERR_CMD_REJECT_UNK, "Drive rejected command as unknown."},
      {"CF abc", true, DRV_ERR_CMD_REJECT_PARSE, "Drive rejected command due to parse or value errors."},
      {"ST", false, DRV_ERR_CMD_OFFLINE, "Node is offline."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    drive_->SetOnline(c.online);
    EXPECT_EQ(test::ErrorOf([&] { drive_->RunCommand(c.command); }),
              std::to_string(err::kObjectErrorBase + c.code) + "|SimDrive.RunCommand|" + c.description);
    EXPECT_EQ(drive_->RunCommand(c.command, 50, false), "");
  }
  EXPECT_THAT(Exchanges(),
              ElementsAre(" cmd: XY 1 [0x1] ***ERROR: Drive rejected command as unknown.. Dump: XY 1 [0x1]",
                          " cmd: XY 1 [0x1] ***ERROR: Drive rejected command as unknown.. Dump: XY 1 [0x1]",
                          " cmd: CF abc ***ERROR: Drive rejected command due to parse or value errors.. "
                          "Dump: CF abc",
                          " cmd: CF abc ***ERROR: Drive rejected command due to parse or value errors.. "
                          "Dump: CF abc"));
}

class EnableRecorder final : public DriveEventObjEvents {
 public:
  void EnableChanged(std::shared_ptr<PhysDriveObj>& Node, bool& newState) override {
    heard.push_back({Node, newState});
  }
  std::vector<std::pair<std::shared_ptr<PhysDriveObj>, bool>> heard;
};

TEST_F(SimDriveTest, EnableChangesReachTheHubOnceTheDriveHasJoined) {
  auto hub = DriveEventObj::create();
  auto recorder = std::make_shared<EnableRecorder>();
  hub->Advise(recorder);
  drive_->SetDriveValue(SimQuantity::Status, 0);
  drive_->Poll(SimQuantity::Status);
  EXPECT_TRUE(recorder->heard.empty());

  drive_->SetDriveEvents(hub);
  drive_->SetDriveValue(SimQuantity::Status, 0x800);
  drive_->Poll(SimQuantity::Status);
  ASSERT_EQ(recorder->heard.size(), 1u);
  EXPECT_EQ(recorder->heard[0].first, drive_);
  EXPECT_FALSE(recorder->heard[0].second);
  recorder->heard.clear();  // it holds the drive

  drive_->SetDriveEvents(nullptr);
  drive_->SetDriveValue(SimQuantity::Status, 0);
  drive_->Poll(SimQuantity::Status);
  EXPECT_TRUE(recorder->heard.empty());
}

TEST(SimDrive, NumbersAreWrittenAsTheDriveReadsThem) {
  EXPECT_EQ(SimNumberText(SimQuantity::Config, -2147483648.0), "-2147483648");
  EXPECT_EQ(SimNumberText(SimQuantity::Status, 2.5), "2");  // registers round, ties to even
  EXPECT_EQ(SimNumberText(SimQuantity::StimAmplitude, 1250), "1250");
  EXPECT_EQ(SimNumberText(SimQuantity::StimAmplitude, -0.125), "-0.125");
  EXPECT_EQ(SimMnemonic(SimQuantity::Mon2Filter), "M2F");
}

TEST(SimDrive, ParametersAreFoundByNumber) {
  auto drive = SimDrive::create();
  EXPECT_EQ(drive->Parameter(72), drive->StatusReg()->Register());  // the status register's number
  EXPECT_TRUE(drive->ParamExists(72));
  EXPECT_FALSE(drive->ParamExists(-5));
}

TEST(SimDrive, TheMarkerFollowsTheKindOfMotor) {
  auto drive = SimDrive::create();
  drive->ConfigReg()->SetMotorStyle(static_cast<MotorStyles>(0));
  std::string text = "@*@ limit, peak @*@";
  const bool linear = drive->ConfigReg()->LinearMotor();
  const std::string word = linear ? "Force" : "Torque";
  EXPECT_EQ(drive->TrqFrcString(text), word + " limit, peak " + word);
  EXPECT_EQ(drive->TrqFrcStringUpdated(4205).ToString(), word);
}

}  // namespace
}  // namespace zentnet
