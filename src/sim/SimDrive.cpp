#include "zentnet/sim/SimDrive.h"

#include <charconv>
#include <cmath>

#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/OptionRegObj.h"
#include "zentnet/registers/StatusRegObj.h"
#include "zentnet/resources/strings.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/services/SoundEventsObj.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"
#include "zentnet/testsignal/StimulusStateObj.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {

constexpr std::string_view kMnemonics[kSimQuantityCount] = {"CF",  "ST",  "OP",  "IO", "EC",  "SM",
                                                            "SA",  "SP",  "TL",  "SR", "M1V", "M1A",
                                                            "M1F", "M2V", "M2A", "M2F"};

constexpr size_t Index(SimQuantity q) { return static_cast<size_t>(q); }

bool IsRegister(SimQuantity q) { return Index(q) <= Index(SimQuantity::ErrorCode); }

// What the application may change and the drive library therefore sends back.
constexpr SimQuantity kWritable[] = {
    SimQuantity::Config,        SimQuantity::Option,        SimQuantity::StimMode,
    SimQuantity::StimAmplitude, SimQuantity::StimPeriod,    SimQuantity::TrackingLimit,
    SimQuantity::Mon1Variable,  SimQuantity::Mon1Amplitude, SimQuantity::Mon1Filter,
    SimQuantity::Mon2Variable,  SimQuantity::Mon2Amplitude, SimQuantity::Mon2Filter};

constexpr const char* kRunCommandSource = "SimDrive.RunCommand";

[[noreturn]] void RaiseDriveError(DriveErrors code) {
  throw AutomationError(err::kObjectErrorBase + code, kRunCommandSource, LoadResString(code));
}

// Text 3118 ("Torque") or 3119 ("Force") for every marker, as the marked texts read.
constexpr std::string_view kMarker = "@*@";

}  // namespace

std::string_view SimMnemonic(SimQuantity q) { return kMnemonics[Index(q)]; }

std::string SimNumberText(SimQuantity q, double value) {
  if (IsRegister(q)) return std::to_string(ToLong(value));
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
    return std::to_string(static_cast<long long>(value));
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Every subscription of the drive holds it weakly: the objects it subscribes to belong to
// the drive, and a strong reference back would keep the pair alive for ever.
class SimDrive::ValueSink final : public ValueObjEvents {
 public:
  ValueSink(std::weak_ptr<SimDrive> owner, SimQuantity q) : owner_(std::move(owner)), q_(q) {}
  void ValueChanged(std::shared_ptr<ValueObj>& newVal) override {
    if (auto o = owner_.lock()) o->OnValueChanged(q_, newVal);
  }

 private:
  std::weak_ptr<SimDrive> owner_;
  SimQuantity q_;
};

class SimDrive::StatusSink final : public StatusRegObjEvents {
 public:
  explicit StatusSink(std::weak_ptr<SimDrive> owner) : owner_(std::move(owner)) {}
  void EnableChanged(bool& newState) override {
    if (auto o = owner_.lock())
      o->Announce([&](DriveEventObj& hub, std::shared_ptr<PhysDriveObj>& node) {
        hub.FireEnableChanged(node, newState);
      });
  }

 private:
  std::weak_ptr<SimDrive> owner_;
};

class SimDrive::ConfigSink final : public ConfigRegObjEvents {
 public:
  explicit ConfigSink(std::weak_ptr<SimDrive> owner) : owner_(std::move(owner)) {}
  void MotorTypeChanged() override {
    if (auto o = owner_.lock())
      o->Announce([](DriveEventObj& hub, std::shared_ptr<PhysDriveObj>& node) {
        hub.FireMotorTypeChanged(node);
      });
  }
  void HighLevelFeedbackChanged() override {
    if (auto o = owner_.lock())
      o->Announce([](DriveEventObj& hub, std::shared_ptr<PhysDriveObj>& node) {
        hub.FireHighLevelFeedbackChanged(node);
      });
  }

 private:
  std::weak_ptr<SimDrive> owner_;
};

SimDrive::SimDrive() = default;

SimDrive::~SimDrive() {
  for (auto& s : valueSubscriptions_)
    if (s.source) s.source->Unadvise(s.cookie);
  if (statusCookie_ != 0) status_->Unadvise(statusCookie_);
  if (configCookie_ != 0) config_->Unadvise(configCookie_);
}

std::shared_ptr<SimDrive> SimDrive::create(int32_t address, PhysDriveType type) {
  return create(address, type, Initial{});
}

std::shared_ptr<SimDrive> SimDrive::create(int32_t address, PhysDriveType type,
                                           const Initial& initial) {
  auto self = std::make_shared<SimDrive>();
  self->address_ = address;
  self->type_ = type;
  self->Build(initial);
  return self;
}

void SimDrive::Build(const Initial& initial) {
  config_ = ConfigRegObj::create();
  status_ = StatusRegObj::create();
  option_ = OptionRegObj::create();
  io_ = IOregisterObj::create();
  errorCode_ = ErrorCodeObj::create();
  stimulus_ = StimulusStateObj::create();
  for (auto& m : monitors_) m = MonitorPortStateObj::create();

  // One configuration register per drive: the objects that read it share the drive's.
  status_->SetConfigReg(config_);
  stimulus_->SetConfigReg(config_);
  for (auto& m : monitors_) m->SetConfigReg(config_);
  ioValue_ = NewValueObj();
  io_->SetValueObjRef(ioValue_);
  sampleRate_ = NewValueObj();
  stimulus_->SetSampleRate(sampleRate_);

  // The upload: the objects start with the drive's numbers, before anyone listens.
  Store(SimQuantity::Config, initial.config);
  Store(SimQuantity::Status, initial.status);
  Store(SimQuantity::Option, initial.option);
  Store(SimQuantity::IO, initial.io);
  Store(SimQuantity::ErrorCode, initial.errorCode);
  Store(SimQuantity::SampleRate, initial.sampleRate);
  Store(SimQuantity::TrackingLimit, initial.trackingLimit);
  Store(SimQuantity::StimAmplitude, initial.stimAmplitude);
  Store(SimQuantity::StimPeriod, initial.stimPeriod);
  for (const SimQuantity q :
       {SimQuantity::StimMode, SimQuantity::Mon1Variable, SimQuantity::Mon1Amplitude,
        SimQuantity::Mon1Filter, SimQuantity::Mon2Variable, SimQuantity::Mon2Amplitude,
        SimQuantity::Mon2Filter})
    drive_[Index(q)] = ValueFor(q)->Number()->Value();

  const std::weak_ptr<SimDrive> weak = weak_from_this();
  for (const SimQuantity q : kWritable) {
    auto source = ValueFor(q);
    const Cookie cookie = source->Advise(std::make_shared<ValueSink>(weak, q));
    valueSubscriptions_.push_back({std::move(source), cookie});
  }
  configSink_ = std::make_shared<ConfigSink>(weak);
  statusSink_ = std::make_shared<StatusSink>(weak);
}

void SimDrive::SetDriveEvents(std::shared_ptr<DriveEventObj> hub) {
  driveEvents_ = std::move(hub);
  // Subscribed only once the drive has joined an application, so that listeners the
  // application attached to the decoders before hear a change before the hub does.
  if (driveEvents_ && statusCookie_ == 0) {
    statusCookie_ = status_->Advise(statusSink_);
    configCookie_ = config_->Advise(configSink_);
  }
}

template <class Call>
void SimDrive::Announce(Call&& call) {
  if (!driveEvents_) return;
  const auto hub = driveEvents_;  // a listener may take the hub away
  std::shared_ptr<PhysDriveObj> node = shared_from_this();
  call(*hub, node);
}

std::shared_ptr<ValueObj> SimDrive::ValueFor(SimQuantity q) {
  switch (q) {
    case SimQuantity::Config:
      return config_->Register();
    case SimQuantity::Status:
      return status_->Register();
    case SimQuantity::Option:
      return option_->Register();
    case SimQuantity::IO:
      return ioValue_;
    case SimQuantity::ErrorCode:
      return errorCode_->Register();
    case SimQuantity::StimMode:
      return stimulus_->Mode();
    case SimQuantity::StimAmplitude:
      return stimulus_->Amplitude();
    case SimQuantity::StimPeriod:
      return stimulus_->Period();
    case SimQuantity::TrackingLimit:
      return stimulus_->TrackingLimit();
    case SimQuantity::SampleRate:
      return sampleRate_;
    case SimQuantity::Mon1Variable:
      return monitors_[0]->Variable();
    case SimQuantity::Mon1Amplitude:
      return monitors_[0]->Amplitude();
    case SimQuantity::Mon1Filter:
      return monitors_[0]->Filter();
    case SimQuantity::Mon2Variable:
      return monitors_[1]->Variable();
    case SimQuantity::Mon2Amplitude:
      return monitors_[1]->Amplitude();
    case SimQuantity::Mon2Filter:
      return monitors_[1]->Filter();
  }
  return nullptr;
}

std::shared_ptr<ValueObj> SimDrive::Need(SimQuantity q) {
  auto source = ValueFor(q);
  if (!source) err::RaiseObjectRequired();
  return source;
}

void SimDrive::SetDriveValue(SimQuantity q, double value) { drive_[Index(q)] = value; }
double SimDrive::DriveValue(SimQuantity q) const { return drive_[Index(q)]; }

// The drive's number is taken first: the value object's listeners, the drive's own among
// them, then find nothing left to send.
void SimDrive::Store(SimQuantity q, double value) {
  drive_[Index(q)] = value;
  const auto target = Need(q);
  target->Number()->SetValue(value);
  // What the drive holds is no longer a request: StartStop reads the request numbers.
  if (q == SimQuantity::StimAmplitude || q == SimQuantity::StimPeriod)
    target->RequestNumber()->SetValue(value);
  // The stimulus state hears a new sample rate only as new content.
  if (q == SimQuantity::SampleRate) target->ApplySetup();
}

void SimDrive::Exchange(const std::string& command, const std::string& answer) {
  if (!log_) return;
  log_->CommandSent(command);
  log_->Received(answer);
}

void SimDrive::Poll(SimQuantity q) {
  const double value = drive_[Index(q)];
  Need(q);
  if (log_) {
    struct InPoll {
      CmdLog& log;
      bool before;
      ~InPoll() { log.SetInPoll(before); }
    } inPoll{*log_, log_->InPoll()};
    log_->SetInPoll(true);
    Exchange(std::string(SimMnemonic(q)), "v " + SimNumberText(q, value) + "\r");
  }
  Store(q, value);
}

void SimDrive::RunPollCycle() {
  Poll(SimQuantity::Status);
  Poll(SimQuantity::IO);
  Poll(SimQuantity::ErrorCode);
}

void SimDrive::Send(SimQuantity q, double value) {
  Exchange(std::string(SimMnemonic(q)) + " " + SimNumberText(q, value), "ok\r");
  drive_[Index(q)] = value;
  if (q == SimQuantity::StimAmplitude || q == SimQuantity::StimPeriod)
    Need(q)->RequestNumber()->SetValue(value);
}

void SimDrive::SendPendingRequests() {
  for (const SimQuantity q : {SimQuantity::StimAmplitude, SimQuantity::StimPeriod}) {
    const auto source = ValueFor(q);
    if (!source) continue;
    const double requested = source->RequestNumber()->Value();
    if (requested == drive_[Index(q)]) continue;
    Send(q, requested);
    Store(q, requested);
  }
}

void SimDrive::OnValueChanged(SimQuantity q, const std::shared_ptr<ValueObj>& value) {
  const double number = value->Number()->Value();
  if (number == drive_[Index(q)]) return;
  // A generator start runs with the amplitude and period the caller asked for.
  if (q == SimQuantity::StimMode && number != 0) SendPendingRequests();
  Send(q, number);
}

std::string SimDrive::RunCommand(std::string& baseCmd, int32_t /*timeOut*/, bool throwErr) {
  if (!online_) {
    if (throwErr) RaiseDriveError(DRV_ERR_CMD_OFFLINE);
    return {};
  }
  const size_t blank = baseCmd.find(' ');
  const std::string_view mnemonic = std::string_view(baseCmd).substr(0, blank);
  const std::string_view argument =
      blank == std::string::npos ? std::string_view() : std::string_view(baseCmd).substr(blank + 1);
  size_t found = kSimQuantityCount;
  for (size_t i = 0; i < kSimQuantityCount; ++i)
    if (EqualsNoCase(kMnemonics[i], mnemonic)) found = i;

  const auto reject = [&](DriveErrors code) -> std::string {
    if (log_) {
      log_->CommandSent(baseCmd);
      log_->Errors(LoadResString(code), baseCmd);
    }
    if (throwErr) RaiseDriveError(code);
    return {};
  };
  if (found == kSimQuantityCount) return reject(DRV_ERR_CMD_REJECT_UNK);
  const auto q = static_cast<SimQuantity>(found);

  if (argument.empty()) {
    const std::string answer = "v " + SimNumberText(q, drive_[found]) + "\r";
    Exchange(baseCmd, answer);
    return answer;
  }
  double value = 0;
  try {
    value = IsRegister(q) ? TextToLong(argument) : TextToDouble(argument);
  } catch (const AutomationError&) {
    return reject(DRV_ERR_CMD_REJECT_PARSE);
  }
  const std::string answer = "ok\r";
  Exchange(baseCmd, answer);
  Store(q, value);
  return answer;
}

std::shared_ptr<MonitorPortStateObj> SimDrive::MonitorState(int32_t Channel) {
  return Channel == 1 || Channel == 2 ? monitors_[Channel - 1] : nullptr;
}

std::shared_ptr<ValueObj> SimDrive::Parameter(ParamNumber pNum) {
  for (size_t i = 0; i < kSimQuantityCount; ++i) {
    auto candidate = ValueFor(static_cast<SimQuantity>(i));
    if (candidate && candidate->ParamNum() == pNum) return candidate;
  }
  return nullptr;
}

bool SimDrive::Enabled() { return !status_->AmpDisable(); }
bool SimDrive::Shutdown() { return errorCode_->IsShutdown(); }

DriveStates SimDrive::DriveState() {
  if (!online_) return DRIVE_OFFLINE;
  if (demoMode_) return DRIVE_IS_DEMO;
  if (Shutdown()) return DRIVE_SHUTDOWN;
  return Enabled() ? DRIVE_ENABLED : DRIVE_DISABLED;
}

std::string SimDrive::DriveStateStr() {
  switch (DriveState()) {
    case DRIVE_OFFLINE:
      return "Offline";
    case DRIVE_IS_DEMO:
      return "Demo";
    case DRIVE_SHUTDOWN:
      return "Shutdown";
    case DRIVE_ENABLED:
      return "Enabled";
    case DRIVE_DISABLED:
      return "Disabled";
    default:
      return "Unknown";
  }
}

std::string SimDrive::ModelString() {
  return "Simulated drive, model " + std::to_string(static_cast<int32_t>(type_));
}

std::string SimDrive::TrqFrcString(std::string& markedStr) {
  const std::string word = LoadResString(config_->LinearMotor() ? 3119 : 3118);
  std::string out;
  size_t from = 0;
  for (size_t at; (at = markedStr.find(kMarker, from)) != std::string::npos;
       from = at + kMarker.size())
    out.append(markedStr, from, at - from).append(word);
  return out.append(markedStr, from);
}

Variant SimDrive::TrqFrcStringUpdated(int32_t resID) {
  return MarkedText(resID, config_->LinearMotor());
}

void SimDrive::SetUserID(const std::string& value) {
  userId_ = value;
  Announce(
      [](DriveEventObj& hub, std::shared_ptr<PhysDriveObj>& node) { hub.FireUserIDchanged(node); });
}

int32_t SimDrive::WakeupDrive(std::shared_ptr<Collection> Drives, int32_t& nDrivesDetected) {
  nDrivesDetected = online_ ? 1 : 0;
  if (online_ && Drives) Drives->Add(Variant(std::shared_ptr<Object>(shared_from_this())));
  return nDrivesDetected;
}

namespace {
constexpr PropertyEntry<SimDrive> kProperties[] = {
    {"Address", [](SimDrive& o) -> Variant { return o.Address(); }},
    {"CommPort", [](SimDrive& o) -> Variant { return o.CommPort(); }},
    {"DemoMode", [](SimDrive& o) -> Variant { return o.DemoMode(); }},
    {"DriveState", [](SimDrive& o) -> Variant { return static_cast<int32_t>(o.DriveState()); }},
    {"DriveStateStr", [](SimDrive& o) -> Variant { return o.DriveStateStr(); }},
    {"DriveType", [](SimDrive& o) -> Variant { return static_cast<int32_t>(o.DriveType()); }},
    {"Enabled", [](SimDrive& o) -> Variant { return o.Enabled(); }},
    {"FirmwareVersion", [](SimDrive& o) -> Variant { return o.FirmwareVersion(); }},
    {"ModelString", [](SimDrive& o) -> Variant { return o.ModelString(); }},
    {"Online", [](SimDrive& o) -> Variant { return o.Online(); }},
    {"Shutdown", [](SimDrive& o) -> Variant { return o.Shutdown(); }},
    {"UserID", [](SimDrive& o) -> Variant { return o.UserID(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant SimDrive::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> SimDrive::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
