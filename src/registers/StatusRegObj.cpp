#include "zentnet/registers/StatusRegObj.h"

#include "decoder.h"
#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
using Events = StatusRegObjEvents;

// A bit's display name is string 2410 + bit; bit 13 and bits 23 to 29 have none.
constexpr int32_t kFirstBitText = 2410;
constexpr uint32_t kBitsWithoutText = 0x2000u | 0x3F800000u;

constexpr uint32_t kLockLevelBits = 0xC0000000u;  // STATUS_LOCK_LVL0 and STATUS_LOCK_LVL1

// Newly set bits and the event each kind raises, in the order they are raised.
constexpr uint32_t kShutdownBits = STATUS_ENC_SHUTDOWN | STATUS_STEP_SHUTDOWN |
                                   STATUS_RMS_SHUTDOWN | STATUS_TEMP_SHUTDOWN |
                                   STATUS_TRACK_SHUTDOWN | STATUS_IV_FAULT;
static_assert(kShutdownBits == 0x77);
struct RisingEdge {
  uint32_t bits;
  void (Events::*event)();
};
constexpr RisingEdge kRisingEdges[] = {
    {kShutdownBits, &Events::Shutdown},
    {STATUS_HARDSTOPPED, &Events::Hardstopped},
    {STATUS_P_LIM | STATUS_N_LIM, &Events::LimitHit},
    {STATUS_OVER_SPEED, &Events::OverSpeed},
};

bool Bit(const StatusRegObj& o, StatusRegMasks mask) {
  return reg::Has(reg::Read(o.Register()), mask);
}
// Flags of bits a drive may lack answer false without reading the register.
bool Implemented(const StatusRegObj& o, StatusRegMasks mask) {
  return reg::Has(o.StatusImplemented(), mask);
}
}  // namespace

// Holds its owner weakly, as the value object's sink does.
class StatusRegObj::LockSink final : public LockLevelObjEvents {
 public:
  explicit LockSink(const std::shared_ptr<StatusRegObj>& owner) : owner_(owner) {}
  void Changed() override {
    if (const auto o = owner_.lock()) o->Fire(*o, &Events::LockChanged);
  }

 private:
  std::weak_ptr<StatusRegObj> owner_;
};

StatusRegObj::StatusRegObj() = default;
StatusRegObj::~StatusRegObj() = default;

std::shared_ptr<StatusRegObj> StatusRegObj::create() {
  auto self = Pinnable::Make<StatusRegObj>();
  self->sink_ =
      MakeValueSink(self, {.changed = &StatusRegObj::m_statusReg_Changed,
                           .contentChanged = &StatusRegObj::m_statusReg_ContentChanged,
                           .refresh = &StatusRegObj::m_statusReg_Refresh,
                           .initializeCache = &StatusRegObj::m_statusReg_InitializeCache});
  self->lockSink_ = std::make_shared<LockSink>(self);
  self->m_statusReg.Reset(NewValueObj(), self->sink_);
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

bool StatusRegObj::AllSystemsGo() const { return Bit(*this, STATUS_NOT_HLFB); }
bool StatusRegObj::HighLevelFeedback() const {
  return Implemented(*this, STATUS_NOT_HLFB) && !Bit(*this, STATUS_NOT_HLFB);
}
bool StatusRegObj::AmpDisable() const { return Bit(*this, STATUS_AMP_DISABLE); }
bool StatusRegObj::EncoderError() const { return Bit(*this, STATUS_ENC_SHUTDOWN); }
bool StatusRegObj::Hardstopped() const { return Bit(*this, STATUS_HARDSTOPPED); }
bool StatusRegObj::IVfault() const { return Bit(*this, STATUS_IV_FAULT); }
LockLevels StatusRegObj::LockLevel() const {
  return static_cast<LockLevels>(reg::Unsigned(reg::Read(Register()), kLockLevelBits));
}
bool StatusRegObj::LogicPowerBackup() const {
  return Implemented(*this, STATUS_LPB) && Bit(*this, STATUS_LPB);
}
bool StatusRegObj::NegativeLimit() const { return Bit(*this, STATUS_N_LIM); }
bool StatusRegObj::NotMoveDone() const {
  return Implemented(*this, STATUS_NOT_MOVE_DONE) && Bit(*this, STATUS_NOT_MOVE_DONE);
}
bool StatusRegObj::OutOfPosition() const {
  return Implemented(*this, STATUS_NOT_IN_RANGE) && Bit(*this, STATUS_NOT_IN_RANGE);
}
bool StatusRegObj::OutputSaturation() const { return Bit(*this, STATUS_OUT_SAT); }
bool StatusRegObj::OverSpeed() const { return Bit(*this, STATUS_OVER_SPEED); }
bool StatusRegObj::OverTemp() const { return Bit(*this, STATUS_OVER_TEMP); }
bool StatusRegObj::PositiveLimit() const { return Bit(*this, STATUS_P_LIM); }
bool StatusRegObj::PWMsaturation() const { return Bit(*this, STATUS_PWM_SAT); }
bool StatusRegObj::RMSshutdown() const { return Bit(*this, STATUS_RMS_SHUTDOWN); }
bool StatusRegObj::StepInputError() const { return Bit(*this, STATUS_STEP_SHUTDOWN); }
bool StatusRegObj::TempShutdown() const { return Bit(*this, STATUS_TEMP_SHUTDOWN); }
bool StatusRegObj::TorqueMode() const { return Bit(*this, STATUS_TORQUE); }
bool StatusRegObj::TrackingShutdown() const { return Bit(*this, STATUS_TRACK_SHUTDOWN); }
bool StatusRegObj::VectorSearch() const { return Bit(*this, STATUS_VECT_REF_SRCH); }

// The motor's kind is read before the id is formed, so a missing ConfigReg is error 91
// even for a bit number that would overflow.
std::string StatusRegObj::BitStr(int32_t bitNum) const {
  const bool linear = err::Required(configReg_)->LinearMotor();
  return MarkedText(CheckedAdd(kFirstBitText, bitNum), linear);
}

std::vector<std::string> StatusRegObj::ActiveBitNames() const {
  const bool linear = err::Required(configReg_)->LinearMotor();
  const int32_t bits = reg::Read(Register());
  std::vector<std::string> names;
  for (int bit = 0; bit <= 31; ++bit)
    if (reg::Has(bits, 1u << bit) && !reg::Has(static_cast<int32_t>(kBitsWithoutText), 1u << bit))
      names.push_back(MarkedText(kFirstBitText + bit, linear));
  return names;
}

std::string StatusRegObj::ActiveBitsStr() const {
  std::string joined;
  for (const std::string& name : ActiveBitNames()) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

// Old and new number come from the notification; the lock level is decoded from the
// register itself, so a listener that stored another number meanwhile is mirrored.
void StatusRegObj::m_statusReg_Changed(std::shared_ptr<ValueObj>& newVal) {
  Fire(*this, &Events::Changed);

  const auto number = err::Required(newVal)->Number();
  const auto now = static_cast<uint32_t>(ToLong(number->Value()));
  const uint32_t diff = now ^ static_cast<uint32_t>(ToLong(number->PreviousValue()));

  if ((diff & STATUS_AMP_DISABLE) != 0) {
    bool newState = (now & STATUS_AMP_DISABLE) == 0;
    Fire(*this, &Events::EnableChanged, newState);
  }

  LockLevels level = LockLevel();
  m_lockLevel->SetLevel(level);

  const uint32_t rising = now & diff;
  for (const auto& edge : kRisingEdges)
    if ((rising & edge.bits) != 0) Fire(*this, edge.event);
}

void StatusRegObj::m_statusReg_Refresh(std::shared_ptr<ValueObj>& /*newVal*/) {
  Fire(*this, &Events::Refresh);
}
void StatusRegObj::m_statusReg_ContentChanged(std::shared_ptr<ValueObj>& newVal) {
  Fire(*this, &Events::ContentChanged, newVal);
}
void StatusRegObj::m_statusReg_InitializeCache(double& initialValue, bool& processed) {
  Fire(*this, &Events::InitializeCache, initialValue, processed);
}

namespace {
using Self = StatusRegObj;
// clang-format off
constexpr PropertyEntry<Self> kProperties[] = {
    REG_PROPERTY(StatusImplemented), REG_PROPERTY(AllSystemsGo),
    REG_PROPERTY(HighLevelFeedback), REG_PROPERTY(AmpDisable),
    REG_PROPERTY(EncoderError),      REG_PROPERTY(Hardstopped),
    REG_PROPERTY(IVfault),           REG_PROPERTY(LockLevel),
    REG_PROPERTY(LogicPowerBackup),  REG_PROPERTY(NegativeLimit),
    REG_PROPERTY(NotMoveDone),       REG_PROPERTY(OutOfPosition),
    REG_PROPERTY(OutputSaturation),  REG_PROPERTY(OverSpeed),
    REG_PROPERTY(OverTemp),          REG_PROPERTY(PositiveLimit),
    REG_PROPERTY(PWMsaturation),     REG_PROPERTY(RMSshutdown),
    REG_PROPERTY(StepInputError),    REG_PROPERTY(TempShutdown),
    REG_PROPERTY(TorqueMode),        REG_PROPERTY(TrackingShutdown),
    REG_PROPERTY(VectorSearch)};
// clang-format on
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant StatusRegObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> StatusRegObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
