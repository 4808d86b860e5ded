#pragma once
// A simulated drive for the demo and the integration tests. It plays two roles at once:
// the drive on the wire (a handful of numbers: the five registers, the stimulus generator's
// settings, the monitor ports) and the drive library that keeps this library's objects in
// step with it.
//
// As the drive library it
// - owns one decoder per register, the stimulus state and two monitor ports, and wires them
//   as a drive library does: the I/O decoder gets the drive's value object through
//   ValueObjRef, and the status decoder, the stimulus state and both monitor ports share the
//   drive's configuration decoder;
// - polls (Poll, RunPollCycle): logs the read command and the drive's answer through the
//   command log with InPoll set, then stores the answer in the decoder's value object, so
//   the decoders raise their events before Poll returns;
// - sends back what the application changed: it listens to ValueChanged of every value
//   object the application may write (configuration and option registers, stimulus mode,
//   amplitude, period and tracking limit, each monitor port's variable, amplitude and
//   filter) and, when the new number differs from what the drive holds, logs the write
//   command and the drive's "ok" and takes the number over. A number equal to the drive's
//   is never sent, so the drive's own answers are not echoed back to it;
// - before it sends a start of the stimulus generator, sends the requested amplitude and
//   period (RequestNumber) that differ from the stored ones and stores the drive's answer;
// - once it has joined an application (SetDriveEvents), announces enable changes, motor
//   type changes and high-level feedback changes on the application's drive event hub.
//
// Commands (all ASCII): a quantity is read by its mnemonic alone ("ST") and answered with
// "v NUMBER\r"; it is written as "MNEMONIC NUMBER" ("CF 33554944") and answered "ok\r".
// Numbers are written in decimal: registers as signed 32-bit integers, other quantities as
// integers when they are whole and in shortest round-trip form otherwise.
//
// The simulator keeps no servo model: the drive's numbers change only when a script says so
// (SetDriveValue) or a command writes them. A new drive holds its initial numbers in its
// value objects already, as if uploaded before logging began.
//
// Ownership: the drive holds its objects, the command log, the sound settings, the lock
// level and the drive event hub it was given. None of them holds the drive: every
// subscription of the drive holds it weakly.
//
// Members of the drive interface the simulator has nothing behind (setting lists, motor and
// system files, scenarios, tuning set-ups, user units, measured values) do nothing and
// answer an empty collection, a null object, false, 0 or an empty text.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zentnet/contracts/PhysDriveObj.h"

namespace zentnet {

class DriveEventObj;

// The numbers the simulated drive holds.
enum class SimQuantity : int32_t {
  Config,
  Status,
  Option,
  IO,
  ErrorCode,
  StimMode,
  StimAmplitude,
  StimPeriod,
  TrackingLimit,
  SampleRate,
  Mon1Variable,
  Mon1Amplitude,
  Mon1Filter,
  Mon2Variable,
  Mon2Amplitude,
  Mon2Filter,
};
inline constexpr size_t kSimQuantityCount = 16;

// The command mnemonic of a quantity ("CF", "ST", ..., "M2F").
std::string_view SimMnemonic(SimQuantity q);
// The number as the simulator's commands write it.
std::string SimNumberText(SimQuantity q, double value);

// A member with nothing to simulate (files, scenarios, tuning, user units) keeps the inert
// drive's zero answer.
class SimDrive final : public InertPhysDriveObj, public std::enable_shared_from_this<SimDrive> {
 public:
  ZENTNET_DRIVE_TEMPORARIES(InertPhysDriveObj);
  // The drive's numbers when it is created.
  struct Initial {
    int32_t config = 0x01000200;  // analog torque input, motor style 2
    int32_t status = 0x00000800;  // amplifier disabled, lock level 0
    int32_t option = 0;
    int32_t io = 0;
    int32_t errorCode = 0;
    double trackingLimit = 400;
    double sampleRate = 4000;
    double stimAmplitude = 0;
    double stimPeriod = 0;
  };

  static std::shared_ptr<SimDrive> create(int32_t address = 1, PhysDriveType type = DRV_MODEL_07);
  static std::shared_ptr<SimDrive> create(int32_t address, PhysDriveType type,
                                          const Initial& initial);
  ~SimDrive() override;

  // --- The simulation (not part of the drive interface) ---
  // The drive's own number changes, as a servo would change it; nobody hears of it until it
  // is polled.
  void SetDriveValue(SimQuantity q, double value);
  double DriveValue(SimQuantity q) const;
  // One read exchange of q, logged with InPoll set, and the answer stored in its value
  // object. Raises error 91 when the object holding q has been taken away.
  void Poll(SimQuantity q);
  // The value object that carries q (the decoder's register, the stimulus or monitor
  // field), or null when its owner holds none.
  std::shared_ptr<ValueObj> ValueFor(SimQuantity q);
  // Set by the application root when the drive is found on a port or the port goes away.
  void SetCommPort(int32_t port) { commPort_ = port; }
  void SetOnline(bool value) { online_ = value; }
  // The application's drive event hub; null stops the announcements.
  void SetDriveEvents(std::shared_ptr<DriveEventObj> hub);
  const std::shared_ptr<DriveEventObj>& DriveEvents() const { return driveEvents_; }
  const std::shared_ptr<LockLevelObj>& AppLockLevel() const { return appLockLevel_; }

  // --- PhysDriveObj ---
  std::string_view ClassName() const override { return "SimDrive"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  bool ACin() override { return online_; }
  void SetAddress(int32_t value) override { address_ = value; }
  int32_t Address() override { return address_; }
  std::shared_ptr<Collection> SteadixList() override { return Collection::create(); }
  void SetAppLockLevel(std::shared_ptr<LockLevelObj> value) override {
    appLockLevel_ = std::move(value);
  }
  int32_t CommPort() override { return commPort_; }
  std::shared_ptr<ConfigRegObj> ConfigReg() override { return config_; }
  void SetDemoMode(bool value) override { demoMode_ = value; }
  bool DemoMode() override { return demoMode_; }
  // Offline, demo, shut down, enabled or disabled, in that order of precedence.
  DriveStates DriveState() override;
  std::string DriveStateStr() override;
  PhysDriveType DriveType() override { return type_; }
  // The status register's amplifier-disable bit is clear.
  bool Enabled() override;
  std::shared_ptr<Collection> EncAndStepFilterList() override { return Collection::create(); }
  std::shared_ptr<ErrorCodeObj> ErrorCodeReg() override { return errorCode_; }
  std::shared_ptr<Collection> FilterClockList() override { return Collection::create(); }
  std::string FirmwareName() override { return "SIM"; }
  std::string FirmwareID() override { return "SIM-1"; }
  std::string FirmwareVersionStr() override { return "1.00 (simulated)"; }
  std::string FirmwareVersion() override { return "1.00"; }
  int32_t FirmwareVersionCode() override { return 100; }
  std::shared_ptr<Collection> HighLevelFeedbackList() override { return Collection::create(); }
  std::shared_ptr<Collection> InputModeList() override { return Collection::create(); }
  std::shared_ptr<IOregisterObj> IOregister() override { return io_; }
  std::shared_ptr<CmdLog> LogFile() override { return log_; }
  void SetLogFile(std::shared_ptr<CmdLog> value) override { log_ = std::move(value); }
  std::shared_ptr<Collection> ModeLineFoldbackList() override { return Collection::create(); }
  std::shared_ptr<Collection> MonitorVariableList(int32_t /*Channel*/) override {
    return Collection::create();
  }
  // Channel 1 or 2; null for any other channel.
  std::shared_ptr<MonitorPortStateObj> MonitorState(int32_t Channel) override;
  std::string ModelString() override;
  void SetMotorFileName(const std::string& value) override { motorFileName_ = value; }
  std::string MotorFileName() override { return motorFileName_; }
  std::shared_ptr<Collection> MotorStyleList() override { return Collection::create(); }
  void SetMotorConfigChanged(bool value) override { motorConfigChanged_ = value; }
  bool MotorConfigChanged() override { return motorConfigChanged_; }
  bool Online() override { return online_; }
  std::shared_ptr<OptionRegObj> OptionReg() override { return option_; }
  // Parameters are the simulator's value objects, found by their ParamNum.
  bool ParamExists(ParamNumber pNum) override { return Parameter(pNum) != nullptr; }
  std::shared_ptr<ValueObj> Parameter(ParamNumber pNum) override;
  std::shared_ptr<ValueObj> ParameterValueObj(int32_t DriveParamNum) override {
    return Parameter(DriveParamNum);
  }
  void SetPollPriority(PhysPollType value) override { pollPriority_ = value; }
  PhysPollType PollPriority() override { return pollPriority_; }
  std::shared_ptr<Collection> VEXlist() override { return Collection::create(); }
  bool Ready() override { return online_ && !Shutdown(); }
  // Runs one command against the simulated drive (the command syntax above) and answers the
  // drive's response; a write also stores the number in its value object. An unknown
  // command is logged as an error and, with throwErr, raises the drive error
  // DRV_ERR_CMD_REJECT_UNK; an offline drive raises DRV_ERR_CMD_OFFLINE with throwErr and
  // answers "" without it. Both errors carry the object-error base plus the code, source
  // "SimDrive.RunCommand" and the code's string-table text.
  std::string RunCommand(std::string& baseCmd, int32_t timeOut = 50, bool throwErr = true) override;
  // Polls the status, I/O and error-code registers.
  void RunPollCycle() override;
  // The error-code register reports a shutdown.
  bool Shutdown() override;
  void SetSoundEvents(std::shared_ptr<SoundEventsObj> value) override {
    sounds_ = std::move(value);
  }
  std::shared_ptr<SoundEventsObj> SoundEvents() override { return sounds_; }
  std::shared_ptr<StatusRegObj> StatusReg() override { return status_; }
  std::shared_ptr<StimulusStateObj> StimulusState() override { return stimulus_; }
  std::shared_ptr<Collection> SyncPulseList() override { return Collection::create(); }
  // The marker replaced by the configuration register's kind of motor.
  std::string TrqFrcString(std::string& markedStr) override;
  Variant TrqFrcStringUpdated(int32_t resID) override;
  bool UpdateDriveInfo() override { return online_; }
  std::shared_ptr<Collection> StepResList() override { return Collection::create(); }
  std::shared_ptr<Collection> StimulusList() override { return Collection::create(); }
  void SetUserID(const std::string& value) override;
  std::string UserID() override { return userId_; }
  // Adds this drive to `Drives` when it is online and answers 1 (0 offline).
  int32_t WakeupDrive(std::shared_ptr<Collection> Drives, int32_t& nDrivesDetected) override;

  SimDrive();  // use create()

 private:
  class ValueSink;
  class StatusSink;
  class ConfigSink;

  void Build(const Initial& initial);
  std::shared_ptr<ValueObj> Need(SimQuantity q);
  void Store(SimQuantity q, double value);
  void Send(SimQuantity q, double value);
  void SendPendingRequests();
  void OnValueChanged(SimQuantity q, const std::shared_ptr<ValueObj>& value);
  void Exchange(const std::string& command, const std::string& answer);
  template <class Call>
  void Announce(Call&& call);

  int32_t address_ = 1;
  PhysDriveType type_ = DRV_MODEL_07;
  int32_t commPort_ = 0;
  bool online_ = false;
  bool demoMode_ = false;
  bool motorConfigChanged_ = false;
  PhysPollType pollPriority_ = POLL_STATUS_ONLY;
  std::string motorFileName_;
  std::string userId_;
  std::array<double, kSimQuantityCount> drive_{};

  std::shared_ptr<ConfigRegObj> config_;
  std::shared_ptr<StatusRegObj> status_;
  std::shared_ptr<OptionRegObj> option_;
  std::shared_ptr<IOregisterObj> io_;
  std::shared_ptr<ErrorCodeObj> errorCode_;
  std::shared_ptr<StimulusStateObj> stimulus_;
  std::shared_ptr<MonitorPortStateObj> monitors_[2];
  // The two value objects whose holders hand them out to nobody.
  std::shared_ptr<ValueObj> ioValue_;
  std::shared_ptr<ValueObj> sampleRate_;

  std::shared_ptr<CmdLog> log_;
  std::shared_ptr<SoundEventsObj> sounds_;
  std::shared_ptr<LockLevelObj> appLockLevel_;
  std::shared_ptr<DriveEventObj> driveEvents_;

  struct Subscription {
    std::shared_ptr<ValueObj> source;
    Cookie cookie = 0;
  };
  std::vector<Subscription> valueSubscriptions_;
  std::shared_ptr<StatusSink> statusSink_;
  Cookie statusCookie_ = 0;
  std::shared_ptr<ConfigSink> configSink_;
  Cookie configCookie_ = 0;
};

}  // namespace zentnet
