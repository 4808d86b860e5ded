#include "zentnet/sim/DemoSession.h"

#include <cstdio>
#include <vector>

#include "zentnet/automation/convert.h"
#include "zentnet/automation/platform.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/StatusRegObj.h"
#include "zentnet/resources/strings.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/sim/SimDrive.h"
#include "zentnet/sim/SimRoot.h"
#include "zentnet/testsignal/StimulusStateObj.h"

namespace zentnet {

namespace {

constexpr const char* kIndent = "   ";
constexpr size_t kWidth = 96;

std::string Bool(bool b) { return b ? "true" : "false"; }

std::string Hex(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string AdapterText(const std::shared_ptr<NetAdapterObj>& adapter) {
  return adapter ? adapter->AdapterName() : "none";
}

// The listeners the application would have: each tells what it hears as one line.
class SupervisorNarrator final : public NetSupervisorObjEvents {
 public:
  explicit SupervisorNarrator(const DemoLine& say) : say_(say) {}
  void NetworkChanged(std::shared_ptr<NetAdapterObj>& netRef, NetworkChanges& theState) override {
    say_(std::string(kIndent) + "NetSupervisorObj.NetworkChanged(" + AdapterText(netRef) + ", " +
         std::to_string(theState) + " " + Quoted(LoadResString(4250 + theState)) + ")");
  }
  void RequestNetOpen(std::shared_ptr<NetAdapterObj>& netRef, std::shared_ptr<Object>& /*Peer*/,
                      bool& newState, int32_t& PortNumber, bool& success) override {
    say_(std::string(kIndent) + "NetSupervisorObj.RequestNetOpen(" + AdapterText(netRef) +
         ", newState " + Bool(newState) + ", PortNumber " + std::to_string(PortNumber) +
         ") -> success " + Bool(success));
  }

 private:
  const DemoLine& say_;
};

class StatusNarrator final : public StatusRegObjEvents {
 public:
  StatusNarrator(const DemoLine& say, std::weak_ptr<StatusRegObj> status)
      : say_(say), status_(std::move(status)) {}
  void Changed() override { Say("Changed"); }
  void EnableChanged(bool& newState) override {
    Say("EnableChanged(newState " + Bool(newState) + ")");
  }
  void LockChanged() override {
    const auto status = status_.lock();
    Say("LockChanged (LockLevel " + std::to_string(status ? status->LockLevel() : 0) + ")");
  }
  void Shutdown() override { Say("Shutdown"); }
  void Hardstopped() override { Say("Hardstopped"); }
  void LimitHit() override { Say("LimitHit"); }
  void OverSpeed() override { Say("OverSpeed"); }

 private:
  void Say(const std::string& event) { say_(std::string(kIndent) + "StatusRegObj." + event); }
  const DemoLine& say_;
  std::weak_ptr<StatusRegObj> status_;
};

class DriveEventNarrator final : public DriveEventObjEvents {
 public:
  explicit DriveEventNarrator(const DemoLine& say) : say_(say) {}
  void EnableChanged(std::shared_ptr<PhysDriveObj>& Node, bool& newState) override {
    say_(std::string(kIndent) + "DriveEventObj.EnableChanged(drive " +
         std::to_string(Node ? Node->Address() : 0) + ", newState " + Bool(newState) + ")");
  }

 private:
  const DemoLine& say_;
};

class IONarrator final : public IOregisterObjEvents {
 public:
  explicit IONarrator(const DemoLine& say) : say_(say) {}
  void CommutationChanged(int32_t& thisCode, int32_t& lastCode) override {
    say_(std::string(kIndent) + "IOregisterObj.CommutationChanged(thisCode " +
         std::to_string(thisCode) + ", lastCode " + std::to_string(lastCode) + ")");
  }

 private:
  const DemoLine& say_;
};

class ConfigNarrator final : public ConfigRegObjEvents {
 public:
  explicit ConfigNarrator(const DemoLine& say) : say_(say) {}
  void Change() override { say_(std::string(kIndent) + "ConfigRegObj.Change"); }
  void MotorTypeChanged() override { say_(std::string(kIndent) + "ConfigRegObj.MotorTypeChanged"); }
  void HighLevelFeedbackChanged() override {
    say_(std::string(kIndent) + "ConfigRegObj.HighLevelFeedbackChanged");
  }

 private:
  const DemoLine& say_;
};

class ErrorCodeNarrator final : public ErrorCodeObjEvents {
 public:
  explicit ErrorCodeNarrator(const DemoLine& say) : say_(say) {}
  void Changed() override { say_(std::string(kIndent) + "ErrorCodeObj.Changed"); }

 private:
  const DemoLine& say_;
};

// The stimulus raises many events per action; they are told as one wrapped list.
class StimulusNarrator final : public StimulusStateObjEvents {
 public:
  void AmplitudeChanged() override { events_.push_back("AmplitudeChanged"); }
  void PeriodChanged() override { events_.push_back("PeriodChanged"); }
  void ModeChanged() override { events_.push_back("ModeChanged"); }
  void StimulusChanged() override { events_.push_back("StimulusChanged"); }
  void UIModeChanged() override { events_.push_back("UIModeChanged"); }
  void UIchanged() override { events_.push_back("UIchanged"); }
  void TrackingLimSetup(bool& cancel) override {
    events_.push_back("TrackingLimSetup(cancel " + Bool(cancel) + ")");
  }
  void AdjustAmplitudeScaling(StimGenModes& newMode) override {
    events_.push_back("AdjustAmplitudeScaling(" + std::to_string(newMode) + ")");
  }
  void Refresh() override { events_.push_back("Refresh"); }
  void UpdateView() override { events_.push_back("UpdateView"); }

  void Flush(const DemoLine& say) {
    std::string line = std::string(kIndent) + "StimulusStateObj: ";
    for (size_t i = 0; i < events_.size(); ++i) {
      const std::string item = events_[i] + (i + 1 < events_.size() ? "," : "");
      if (line.size() + 1 + item.size() > kWidth) {
        say(line);
        line = std::string(kIndent) + "  ";
      }
      if (line.back() != ' ') line += ' ';
      line += item;
    }
    say(line);
    events_.clear();
  }

 private:
  std::vector<std::string> events_;
};

template <class Host, class Sink>
std::shared_ptr<Sink> Listen(Host& host, std::shared_ptr<Sink> sink) {
  host.Advise(sink);
  return sink;
}

}  // namespace

std::string RunDemoSession(const std::string& logFolder, const DemoLine& say, CmdLog::Clock clock) {
  const auto step = [&](int n, const std::string& text) { say(std::to_string(n) + ". " + text); };
  const auto note = [&](const std::string& text) { say(std::string(kIndent) + text); };

  auto log = CmdLog::createForTesting(logFolder, std::move(clock));
  log->SetLogging(true);
  log->SetLogPolling(true);
  log->SetLogToFile(false, true);
  auto root = SimRoot::create(log);
  auto supervisor = root->NetSupervisor();
  Listen(*supervisor, std::make_shared<SupervisorNarrator>(say));
  Listen(*root->DriveEvent(), std::make_shared<DriveEventNarrator>(say));

  step(1, "The application sets Ports := \"1;2\" (new adapters start on port 0, LPT1)");
  root->SetPorts("1;2");
  std::string adapters;
  const auto nets = root->Nets();
  for (int32_t k = 1; k <= nets->Count(); ++k) {
    const auto a = nets->ItemAs<NetAdapterObj>(k);
    adapters +=
        (k > 1 ? ", " : "") + a->AdapterName() + " on port " + std::to_string(a->PortNumber());
  }
  note("Ports reads " + Quoted(root->Ports()) + ": " + adapters);

  step(2, "The application gives each adapter a peer and sets NetOpen := true");
  root->SetPortsOpen(true);
  note("PortsOpen " + Bool(root->PortsOpen()));

  step(3, "The communication layer finds drive 1 on port 1");
  SimDrive::Initial initial;
  initial.io = 0x0080;  // commutation code 1
  auto drive = SimDrive::create(1, DRV_MODEL_07, initial);
  auto status = drive->StatusReg();
  auto config = drive->ConfigReg();
  auto stimulus = drive->StimulusState();
  Listen(*status, std::make_shared<StatusNarrator>(say, status));
  Listen(*drive->IOregister(), std::make_shared<IONarrator>(say));
  Listen(*config, std::make_shared<ConfigNarrator>(say));
  Listen(*drive->ErrorCodeReg(), std::make_shared<ErrorCodeNarrator>(say));
  auto stimulusEvents = Listen(*stimulus, std::make_shared<StimulusNarrator>());
  root->AttachDrive(1, drive);
  note("drive 1: " + drive->ModelString() + ", " + drive->DriveStateStr() + ", status " +
       Hex(ToLong(status->Register()->Number()->Value())));

  const auto pollStatus = [&](int n, int32_t value, const std::string& meaning) {
    step(n, "Poll: the drive reports status " + Hex(value) + " (" + meaning + ")");
    drive->SetDriveValue(SimQuantity::Status, value);
    drive->Poll(SimQuantity::Status);
    note("set bits: " + status->ActiveBitsStr() + "; drive " + drive->DriveStateStr());
  };
  pollStatus(4, 0x40000000, "enabled, lock level 1");
  pollStatus(5, 0x40000A21, "encoder and tracking shutdown, + limit, disabled");

  step(6, "Poll: the I/O register goes from 0x0080 to 0x0180");
  drive->SetDriveValue(SimQuantity::IO, 0x0180);
  drive->Poll(SimQuantity::IO);

  step(7, "A window sets ConfigReg.InputMode := IN_MODE_STEP_POSITION");
  const std::string modeBefore = config->InputModeStr();
  config->SetInputMode(IN_MODE_STEP_POSITION);
  note("InputModeStr " + Quoted(modeBefore) + " -> " + Quoted(config->InputModeStr()) +
       "; the drive library sent CF " +
       SimNumberText(SimQuantity::Config, drive->DriveValue(SimQuantity::Config)));

  const auto trackingLimit = [&] {
    return SimNumberText(SimQuantity::TrackingLimit, drive->DriveValue(SimQuantity::TrackingLimit));
  };
  step(8, "A window prepares the stimulus: SetupFor(STIM_POSN, 800, 100)");
  stimulus->SetupFor(STIM_POSN, 800, 100);
  stimulusEvents->Flush(say);
  note("the drive holds amplitude " +
       SimNumberText(SimQuantity::StimAmplitude, drive->DriveValue(SimQuantity::StimAmplitude)) +
       ", period " +
       SimNumberText(SimQuantity::StimPeriod, drive->DriveValue(SimQuantity::StimPeriod)) +
       ", tracking limit " + trackingLimit());

  step(9, "A window calls StimulusState.StartStop: the generator starts");
  stimulus->StartStop();
  stimulusEvents->Flush(say);
  note("ModeStr " + Quoted(stimulus->ModeStr()) + ", Running " + Bool(stimulus->Running()) +
       "; the drive's tracking limit is now " + trackingLimit());

  step(10, "StartStop again: the generator stops");
  stimulus->StartStop();
  stimulusEvents->Flush(say);
  note("Running " + Bool(stimulus->Running()) + "; the drive's tracking limit is back at " +
       trackingLimit());

  const int32_t errorCode = ERR_CODE_TRACKING | ERR_CODE_ENC | ERR_CODE_SHUTDOWN;
  step(11, "Poll: the error-code register reads " + Hex(errorCode));
  drive->SetDriveValue(SimQuantity::ErrorCode, errorCode);
  drive->Poll(SimQuantity::ErrorCode);
  note("ErrorListStr " + Quoted(drive->ErrorCodeReg()->ErrorListStr()) + "; drive " +
       drive->DriveStateStr());

  step(12, "The application closes the ports: Enabled := false on each adapter");
  root->SetPortsOpen(false);
  note("PortsOpen " + Bool(root->PortsOpen()) + "; drive 1 " + drive->DriveStateStr());

  log->SetLogToFile(false, false);
  return logFolder + platform::kPathSeparator + std::string(kCmdLogFileName);
}

}  // namespace zentnet
