#include "zentnet/registers/StatusRegObj.h"

#include "decoder_fields.h"
#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
using reg::Kind;

// One row per property, in published order. The gate is the bit of StatusImplemented
// without which the property answers false and the register is not read.
constexpr reg::FieldRow kFields[] = {
    {"AllSystemsGo", STATUS_NOT_HLFB},
    {"HighLevelFeedback", STATUS_NOT_HLFB, Kind::Clear, STATUS_NOT_HLFB},
    {"AmpDisable", STATUS_AMP_DISABLE},
    {"EncoderError", STATUS_ENC_SHUTDOWN},
    {"Hardstopped", STATUS_HARDSTOPPED},
    {"IVfault", STATUS_IV_FAULT},
    {"LockLevel", STATUS_LOCK_LVL0 | static_cast<uint32_t>(STATUS_LOCK_LVL1), Kind::Pattern},
    {"LogicPowerBackup", STATUS_LPB, Kind::Set, STATUS_LPB},
    {"NegativeLimit", STATUS_N_LIM},
    {"NotMoveDone", STATUS_NOT_MOVE_DONE, Kind::Set, STATUS_NOT_MOVE_DONE},
    {"OutOfPosition", STATUS_NOT_IN_RANGE, Kind::Set, STATUS_NOT_IN_RANGE},
    {"OutputSaturation", STATUS_OUT_SAT},
    {"OverSpeed", STATUS_OVER_SPEED},
    {"OverTemp", STATUS_OVER_TEMP},
    {"PositiveLimit", STATUS_P_LIM},
    {"PWMsaturation", STATUS_PWM_SAT},
    {"RMSshutdown", STATUS_RMS_SHUTDOWN},
    {"StepInputError", STATUS_STEP_SHUTDOWN},
    {"TempShutdown", STATUS_TEMP_SHUTDOWN},
    {"TorqueMode", STATUS_TORQUE},
    {"TrackingShutdown", STATUS_TRACK_SHUTDOWN},
    {"VectorSearch", STATUS_VECT_REF_SRCH},
};

consteval size_t At(std::string_view name) { return reg::IndexOf(kFields, name); }

// A bit's display name is string 2410 + bit; bit 13 and bits 23 to 29 have none.
constexpr int32_t kFirstBitText = 2410;
constexpr uint32_t kBitsWithoutText = 0x2000u | 0x3F800000u;

// Newly set bits and the event each kind raises, in the order they are raised.
constexpr uint32_t kShutdownBits = STATUS_ENC_SHUTDOWN | STATUS_STEP_SHUTDOWN |
                                   STATUS_RMS_SHUTDOWN | STATUS_TEMP_SHUTDOWN |
                                   STATUS_TRACK_SHUTDOWN | STATUS_IV_FAULT;
static_assert(kShutdownBits == 0x77);
struct RisingEdge {
  uint32_t bits;
  void (StatusRegObjEvents::*event)();
};
constexpr RisingEdge kRisingEdges[] = {
    {kShutdownBits, &StatusRegObjEvents::Shutdown},
    {STATUS_HARDSTOPPED, &StatusRegObjEvents::Hardstopped},
    {STATUS_P_LIM | STATUS_N_LIM, &StatusRegObjEvents::LimitHit},
    {STATUS_OVER_SPEED, &StatusRegObjEvents::OverSpeed},
};

int32_t Decode(const StatusRegObj& o, const reg::FieldRow& f) {
  if (f.gate != 0 && !reg::Has(o.StatusImplemented(), f.gate)) return 0;
  return reg::Extract(reg::Read(o.Register()), f);
}
}  // namespace

// Both sinks hold their owner weakly, so that the held objects do not keep it alive.
class StatusRegObj::Sink final : public ValueObjEvents {
 public:
  explicit Sink(std::weak_ptr<StatusRegObj> owner) : owner_(std::move(owner)) {}

  void Changed(std::shared_ptr<ValueObj>& newVal) override {
    if (auto o = owner_.lock()) o->m_statusReg_Changed(o, newVal);
  }
  void Refresh(std::shared_ptr<ValueObj>& /*newVal*/) override {
    Raise([](StatusRegObjEvents& s) { s.Refresh(); });
  }
  void InitializeCache(double& initialValue, bool& processed) override {
    Raise([&](StatusRegObjEvents& s) { s.InitializeCache(initialValue, processed); });
  }
  void ContentChanged(std::shared_ptr<ValueObj>& newVal) override {
    Raise([&](StatusRegObjEvents& s) { s.ContentChanged(newVal); });
  }

 private:
  template <class Call>
  void Raise(Call&& call) {
    if (auto o = owner_.lock()) o->events_.Raise(o, call);
  }
  std::weak_ptr<StatusRegObj> owner_;
};

class StatusRegObj::LockSink final : public LockLevelObjEvents {
 public:
  explicit LockSink(std::weak_ptr<StatusRegObj> owner) : owner_(std::move(owner)) {}

  void Changed() override {
    if (auto o = owner_.lock()) o->events_.Raise(o, [](StatusRegObjEvents& s) { s.LockChanged(); });
  }

 private:
  std::weak_ptr<StatusRegObj> owner_;
};

StatusRegObj::StatusRegObj() = default;
StatusRegObj::~StatusRegObj() = default;

std::shared_ptr<StatusRegObj> StatusRegObj::create() {
  auto self = std::make_shared<StatusRegObj>();
  self->sink_ = std::make_shared<Sink>(self);
  self->lockSink_ = std::make_shared<LockSink>(self);
  self->m_statusReg.Reset(NewValueObj(), self->sink_);
  self->SetStatusImplemented(static_cast<StatusRegMasks>(-1));
  ValueObj& v = *self->m_statusReg.get();
  v.SetName(LoadResString(2400));
  v.SetSetupA(0);
  v.SetSetupB(6);
  v.SetParamNum(72);
  v.Number()->SetLowerBoundA(-2147483648.0);
  v.Number()->SetUpperBoundA(2147483647.0);
  v.SetSetupD(6);
  self->SetConfigReg(ConfigRegObj::create());
  self->m_lockLevel.Reset(NewLockLevelObj(), self->lockSink_);
  return self;
}

int32_t StatusRegObj::Get(size_t row) const { return Decode(*this, kFields[row]); }

bool StatusRegObj::AllSystemsGo() const { return Flag(At("AllSystemsGo")); }
bool StatusRegObj::HighLevelFeedback() const { return Flag(At("HighLevelFeedback")); }
bool StatusRegObj::AmpDisable() const { return Flag(At("AmpDisable")); }
bool StatusRegObj::EncoderError() const { return Flag(At("EncoderError")); }
bool StatusRegObj::Hardstopped() const { return Flag(At("Hardstopped")); }
bool StatusRegObj::IVfault() const { return Flag(At("IVfault")); }
LockLevels StatusRegObj::LockLevel() const { return static_cast<LockLevels>(Get(At("LockLevel"))); }
bool StatusRegObj::LogicPowerBackup() const { return Flag(At("LogicPowerBackup")); }
bool StatusRegObj::NegativeLimit() const { return Flag(At("NegativeLimit")); }
bool StatusRegObj::NotMoveDone() const { return Flag(At("NotMoveDone")); }
bool StatusRegObj::OutOfPosition() const { return Flag(At("OutOfPosition")); }
bool StatusRegObj::OutputSaturation() const { return Flag(At("OutputSaturation")); }
bool StatusRegObj::OverSpeed() const { return Flag(At("OverSpeed")); }
bool StatusRegObj::OverTemp() const { return Flag(At("OverTemp")); }
bool StatusRegObj::PositiveLimit() const { return Flag(At("PositiveLimit")); }
bool StatusRegObj::PWMsaturation() const { return Flag(At("PWMsaturation")); }
bool StatusRegObj::RMSshutdown() const { return Flag(At("RMSshutdown")); }
bool StatusRegObj::StepInputError() const { return Flag(At("StepInputError")); }
bool StatusRegObj::TempShutdown() const { return Flag(At("TempShutdown")); }
bool StatusRegObj::TorqueMode() const { return Flag(At("TorqueMode")); }
bool StatusRegObj::TrackingShutdown() const { return Flag(At("TrackingShutdown")); }
bool StatusRegObj::VectorSearch() const { return Flag(At("VectorSearch")); }

// The motor's kind is read before the id is formed, so a missing ConfigReg is error 91
// even for a bit number that would overflow.
std::string StatusRegObj::BitStr(int32_t bitNum) const {
  const bool linear = err::Required(configReg_)->LinearMotor();
  return MarkedText(CheckedAdd(kFirstBitText, bitNum), linear);
}

std::string StatusRegObj::ActiveBitsStr() const {
  const bool linear = err::Required(configReg_)->LinearMotor();
  return reg::JoinSetBits(reg::Read(m_statusReg.get()), 0, 31, [linear](int bit) {
    if (reg::Has(static_cast<int32_t>(kBitsWithoutText), 1u << bit)) return std::string();
    return MarkedText(kFirstBitText + bit, linear);
  });
}

// Old and new number come from the notification; the lock level is decoded from the
// register itself, so a listener that stored another number meanwhile is mirrored.
void StatusRegObj::m_statusReg_Changed(const std::shared_ptr<StatusRegObj>& self,
                                       const std::shared_ptr<ValueObj>& newVal) {
  events_.Raise(self, [](StatusRegObjEvents& s) { s.Changed(); });

  const auto number = err::Required(newVal)->Number();
  const auto now = static_cast<uint32_t>(ToLong(number->Value()));
  const auto before = static_cast<uint32_t>(ToLong(number->PreviousValue()));
  const uint32_t diff = now ^ before;

  if ((diff & STATUS_AMP_DISABLE) != 0) {
    bool newState = (now & STATUS_AMP_DISABLE) == 0;
    events_.Raise(self, [&](StatusRegObjEvents& s) { s.EnableChanged(newState); });
  }

  LockLevels level = LockLevel();
  m_lockLevel->SetLevel(level);

  const uint32_t rising = now & diff;
  for (const auto& edge : kRisingEdges)
    if ((rising & edge.bits) != 0)
      events_.Raise(self, [&](StatusRegObjEvents& s) { (s.*edge.event)(); });
}

namespace {
Variant ReadField(StatusRegObj& o, const reg::FieldRow& f) {
  return reg::AsVariant(f, Decode(o, f));
}

constexpr std::array<PropertyEntry<StatusRegObj>, 1> kBefore{
    {{"StatusImplemented",
      [](StatusRegObj& o) -> Variant { return static_cast<int32_t>(o.StatusImplemented()); }}}};
constexpr std::array<PropertyEntry<StatusRegObj>, 0> kAfter{};
constexpr auto kRows =
    reg::FieldProperties<StatusRegObj, kFields, &ReadField>::Build(kBefore, kAfter);
constexpr PropertyTable kTable(kRows.rows);
}  // namespace

Variant StatusRegObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> StatusRegObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
