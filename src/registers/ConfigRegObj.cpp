#include "zentnet/registers/ConfigRegObj.h"

#include <bit>
#include <iterator>
#include <string>

#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"
#include "zentnet/registers/register_field.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

// ---------------------------------------------------------------------------------------
// The register's fields, each declared once: its bits and how CapabilityMask gates it.
// Drive models differ in which fields they lack, and the application has always treated
// them differently: some read as zero and refuse writes, some are masked bit by bit, most
// ignore the mask altogether.

enum class config_reg::Field : uint8_t {
  SyncPulse,
  HallInverter,
  LimitMode,
  HighLevelFeedback,
  AnalogInFilter,
  MotorStyle,
  Steadix,
  HallLessStart,
  VectorLock,
  StepInFilter,
  EncoderInFilter,
  MoveDoneFoldback,
  HardStopFoldback,
  ModeLineFoldback,
  BadSequenceEnable,
  LogicPowerBackup,
  FilterClock,
  InputMode,
  EncoderBalanced,
  HallCheck,
  VelocityEstimator,
};

namespace {

using config_reg::Field;

enum class ReadGate : uint8_t {
  Open,         // the register's bits, whatever CapabilityMask says
  ZeroWithout,  // 0 (false) unless one of the field's bits is in CapabilityMask
  Masked,       // the register ANDed with CapabilityMask, so a missing bit reads 0
};

enum class WriteGate : uint8_t {
  Open,            // always written
  IgnoredWithout,  // silently not written unless one of the field's bits is available
  Masked,          // the new value ANDed with CapabilityMask before it is stored
};

struct FieldRule {
  Field field;
  uint32_t mask;
  ReadGate read;
  WriteGate write;
};

constexpr uint32_t Bits(ConfigRegMasks a) { return static_cast<uint32_t>(a); }
template <class... M>
constexpr uint32_t Bits(ConfigRegMasks a, M... more) {
  return static_cast<uint32_t>(a) | Bits(more...);
}

// LogicPowerBackup reads false without bit 21 in CapabilityMask, the same test its write
// and its display text make, so the three never disagree about a drive without the field.
constexpr FieldRule kFields[] = {
    {Field::SyncPulse, Bits(CONFIG_MASK_SYNC_PULSE_P, CONFIG_MASK_SYNC_PULSE_N), ReadGate::Masked,
     WriteGate::Masked},
    {Field::HallInverter, Bits(CONFIG_MASK_HALL_INV), ReadGate::Open, WriteGate::Open},
    {Field::LimitMode, Bits(CONFIG_MASK_LIM_POSN), ReadGate::Open, WriteGate::Open},
    {Field::HighLevelFeedback,
     Bits(CONFIG_MASK_HIGH_LEVEL_FB0, CONFIG_MASK_HIGH_LEVEL_FB1, CONFIG_MASK_HIGH_LEVEL_FB2),
     ReadGate::ZeroWithout, WriteGate::IgnoredWithout},
    {Field::AnalogInFilter, Bits(CONFIG_MASK_ANA_IN_FILT), ReadGate::ZeroWithout,
     WriteGate::IgnoredWithout},
    {Field::MotorStyle, Bits(CONFIG_MASK_BRUSH_MOTOR, CONFIG_MASK_LINEAR_MOTOR), ReadGate::Open,
     WriteGate::Open},
    {Field::Steadix, Bits(CONFIG_MASK_STEADIX0, CONFIG_MASK_STEADIX1), ReadGate::ZeroWithout,
     WriteGate::Open},
    {Field::HallLessStart, Bits(CONFIG_MASK_HALL_LESS), ReadGate::Open, WriteGate::Open},
    {Field::VectorLock, Bits(CONFIG_MASK_VECT_LOCK), ReadGate::Open, WriteGate::Open},
    {Field::StepInFilter, Bits(CONFIG_MASK_STEP_FILT), ReadGate::Open, WriteGate::Open},
    {Field::EncoderInFilter, Bits(CONFIG_MASK_ENC_FILT), ReadGate::Open, WriteGate::Open},
    {Field::MoveDoneFoldback, Bits(CONFIG_MASK_MOVE_DN_FB), ReadGate::Open,
     WriteGate::IgnoredWithout},
    {Field::HardStopFoldback, Bits(CONFIG_MASK_HSTOP_FB), ReadGate::Open,
     WriteGate::IgnoredWithout},
    {Field::ModeLineFoldback, Bits(CONFIG_MASK_MODE_P_FB, CONFIG_MASK_MODE_N_FB), ReadGate::Masked,
     WriteGate::Open},
    {Field::BadSequenceEnable, Bits(CONFIG_MASK_BAD_SEQ_EN), ReadGate::Open, WriteGate::Open},
    {Field::LogicPowerBackup, Bits(CONFIG_MASK_LPB_POS_REC), ReadGate::ZeroWithout,
     WriteGate::IgnoredWithout},
    {Field::FilterClock, Bits(CONFIG_MASK_FILT_CLK0, CONFIG_MASK_FILT_CLK1), ReadGate::Open,
     WriteGate::Open},
    {Field::InputMode, Bits(CONFIG_MASK_IN_MODE0, CONFIG_MASK_IN_MODE1, CONFIG_MASK_IN_MODE2),
     ReadGate::Open, WriteGate::Open},
    {Field::EncoderBalanced, Bits(CONFIG_MASK_ENC_BALANCED), ReadGate::Open, WriteGate::Open},
    {Field::HallCheck, Bits(CONFIG_MASK_HALL_CHECK), ReadGate::Open, WriteGate::Open},
    {Field::VelocityEstimator, Bits(CONFIG_MASK_VEL_EST0, CONFIG_MASK_VEL_EST1, CONFIG_MASK_VEL_EST2),
     ReadGate::Open, WriteGate::Open},
};

constexpr bool RulesInFieldOrder() {
  for (size_t i = 0; i < std::size(kFields); ++i)
    if (static_cast<size_t>(kFields[i].field) != i) return false;
  return true;
}
static_assert(RulesInFieldOrder(), "kFields is indexed by Field");

constexpr const FieldRule& RuleOf(Field field) { return kFields[static_cast<size_t>(field)]; }
constexpr uint32_t MaskOf(Field field) { return RuleOf(field).mask; }

// Shifting a filter-clock value into bits 22-23 is a 32-bit multiplication for the drive
// library; values whose product leaves the range are refused the same way here.
constexpr int32_t kFilterClockWeight = 1 << 22;

// Text ids.
constexpr int32_t kTextRegisterName = 1009;
constexpr int32_t kTextModePrefix = 4165;
constexpr int32_t kTextOff = 4190;
constexpr int32_t kTextOn = 4191;
constexpr int32_t kTextNotAvailable = 4192;
constexpr int32_t kTextBalanced = 4195;
constexpr int32_t kTextSingleEnded = 4196;

}  // namespace

// ---------------------------------------------------------------------------------------
// Notifications of the value object. Holds its owner weakly, so that the value object does
// not keep the decoder alive.

class ConfigRegObj::Sink final : public ValueObjEvents {
 public:
  explicit Sink(std::weak_ptr<ConfigRegObj> owner) : owner_(std::move(owner)) {}

  void ValueChanged(std::shared_ptr<ValueObj>& newVal) override {
    if (auto o = owner_.lock()) o->Register_ValueChanged(newVal);
  }
  void ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) override {
    if (auto o = owner_.lock()) o->Fire([](ConfigRegObjEvents& s) { s.UpdateView(); });
  }
  void Refresh(std::shared_ptr<ValueObj>& newVal) override {
    if (auto o = owner_.lock()) o->Fire([&](ConfigRegObjEvents& s) { s.Refresh(newVal); });
  }
  void InitializeCache(double& initialValue, bool& processed) override {
    if (auto o = owner_.lock())
      o->Fire([&](ConfigRegObjEvents& s) { s.InitializeCache(initialValue, processed); });
  }

 private:
  std::weak_ptr<ConfigRegObj> owner_;
};

template <class Call>
void ConfigRegObj::Fire(Call&& call) {
  events_.Raise(shared_from_this(), call);
}

// Change detection looks at the object the notification carries: a drive library may
// announce a value other than the one Register() holds.
void ConfigRegObj::Register_ValueChanged(const std::shared_ptr<ValueObj>& newVal) {
  const auto number = err::Required(newVal)->Number();
  const int32_t now = ToLong(number->Value());
  const int32_t before = ToLong(number->PreviousValue());
  const auto changed = static_cast<uint32_t>(now ^ before);
  Fire([](ConfigRegObjEvents& s) { s.Change(); });
  if ((changed & MaskOf(Field::MotorStyle)) != 0)
    Fire([](ConfigRegObjEvents& s) { s.MotorTypeChanged(); });
  if ((changed & MaskOf(Field::HighLevelFeedback)) != 0)
    Fire([](ConfigRegObjEvents& s) { s.HighLevelFeedbackChanged(); });
}

// ---------------------------------------------------------------------------------------
// Construction

ConfigRegObj::ConfigRegObj() = default;
ConfigRegObj::~ConfigRegObj() = default;

std::shared_ptr<ConfigRegObj> ConfigRegObj::create() {
  auto self = std::make_shared<ConfigRegObj>();
  self->sink_ = std::make_shared<Sink>(self);
  self->SetRegister(NewValueObj());

  ValueObj& value = *self->Register();
  value.SetName(LoadResString(kTextRegisterName));
  value.SetSetupA(0);
  value.SetSetupB(26);
  value.SetParamNum(15);
  value.SetSetupC(1);

  // Any 32-bit pattern is a valid register, bit 31 included.
  const auto number = value.Number();
  number->SetLowerBoundA(-2147483648.0);
  number->SetUpperBoundA(2147483647.0);
  number->SetSetupH(-1);

  self->velocityEstimatorMax_ = 0;
  self->velocityEstimatorMin_ = 0;
  self->InitMotorStyle(MOTOR_UNKNOWN);
  self->capabilityMask_ = static_cast<ConfigRegMasks>(-1);
  return self;
}

// Until the drive tells otherwise the motor is of unknown style; that goes into the
// default, so the register itself stays as loaded.
void ConfigRegObj::InitMotorStyle(MotorStyles style) {
  const uint32_t bits = reg::Replace(ReadRegister(), MaskOf(Field::MotorStyle), style);
  Register()->Number()->SetDefaultValue(RegisterToDouble(bits));
}

void ConfigRegObj::SetRegister(std::shared_ptr<ValueObj> newRef) {
  m_register.Reset(std::move(newRef), sink_);
}

// ---------------------------------------------------------------------------------------
// Field reads and writes

int32_t ConfigRegObj::ReadRegister() const { return reg::Read(m_register.get()); }
void ConfigRegObj::WriteRegister(uint32_t bits) { reg::Write(m_register.get(), bits); }

int32_t ConfigRegObj::Read(Field field) const {
  const FieldRule& rule = RuleOf(field);
  if (rule.read == ReadGate::ZeroWithout && !Available(rule.mask)) return 0;
  int32_t value = ReadRegister();
  if (rule.read == ReadGate::Masked) value &= capabilityMask_;
  if (std::has_single_bit(rule.mask)) return reg::Has(value, rule.mask) ? 1 : 0;
  // A field that holds bit 31 reads its bits unsigned; the others follow the register
  // arithmetic, in which the sign of the whole register may carry into them.
  if ((rule.mask & 0x80000000u) != 0) return reg::Unsigned(value, rule.mask);
  return reg::Field(value, rule.mask);
}

// Values outside a field's range are cut to the field's width (bits outside the field
// never change), as the hardware would see them.
void ConfigRegObj::Write(Field field, int32_t value) {
  const FieldRule& rule = RuleOf(field);
  if (rule.write == WriteGate::IgnoredWithout && !Available(rule.mask)) return;
  if (rule.write == WriteGate::Masked) value &= capabilityMask_;
  WriteRegister(reg::Replace(ReadRegister(), rule.mask, value));
}

void ConfigRegObj::SetAnalogInFilter(bool newFilt) { Write(Field::AnalogInFilter, newFilt); }
bool ConfigRegObj::AnalogInFilter() const { return Flag(Field::AnalogInFilter); }
void ConfigRegObj::SetBadSequenceEnable(bool v) { Write(Field::BadSequenceEnable, v); }
bool ConfigRegObj::BadSequenceEnable() const { return Flag(Field::BadSequenceEnable); }
void ConfigRegObj::SetEncoderBalanced(bool isBalanced) { Write(Field::EncoderBalanced, isBalanced); }
bool ConfigRegObj::EncoderBalanced() const { return Flag(Field::EncoderBalanced); }
void ConfigRegObj::SetEncoderInFilter(bool newFilt) { Write(Field::EncoderInFilter, newFilt); }
bool ConfigRegObj::EncoderInFilter() const { return Flag(Field::EncoderInFilter); }
void ConfigRegObj::SetHallCheck(bool newFilt) { Write(Field::HallCheck, newFilt); }
bool ConfigRegObj::HallCheck() const { return Flag(Field::HallCheck); }
void ConfigRegObj::SetHallInverter(bool v) { Write(Field::HallInverter, v); }
bool ConfigRegObj::HallInverter() const { return Flag(Field::HallInverter); }
void ConfigRegObj::SetHallLessStart(bool v) { Write(Field::HallLessStart, v); }
bool ConfigRegObj::HallLessStart() const { return Flag(Field::HallLessStart); }
void ConfigRegObj::SetLogicPowerBackup(bool v) { Write(Field::LogicPowerBackup, v); }
bool ConfigRegObj::LogicPowerBackup() const { return Flag(Field::LogicPowerBackup); }
void ConfigRegObj::SetMoveDoneFoldback(bool v) { Write(Field::MoveDoneFoldback, v); }
bool ConfigRegObj::MoveDoneFoldback() const { return Flag(Field::MoveDoneFoldback); }
void ConfigRegObj::SetHardStopFoldback(bool v) { Write(Field::HardStopFoldback, v); }
bool ConfigRegObj::HardStopFoldback() const { return Flag(Field::HardStopFoldback); }
void ConfigRegObj::SetStepInFilter(bool newFilt) { Write(Field::StepInFilter, newFilt); }
bool ConfigRegObj::StepInFilter() const { return Flag(Field::StepInFilter); }
void ConfigRegObj::SetVectorLock(bool v) { Write(Field::VectorLock, v); }
bool ConfigRegObj::VectorLock() const { return Flag(Field::VectorLock); }

void ConfigRegObj::SetSyncPulse(SyncPulses v) { Write(Field::SyncPulse, v); }
SyncPulses ConfigRegObj::SyncPulse() const { return static_cast<SyncPulses>(Read(Field::SyncPulse)); }

void ConfigRegObj::SetLimitMode(LimitModes v) { Write(Field::LimitMode, v == LIM_MODE_POSITION); }
LimitModes ConfigRegObj::LimitMode() const { return static_cast<LimitModes>(Read(Field::LimitMode)); }

void ConfigRegObj::SetMotorStyle(MotorStyles newState) { Write(Field::MotorStyle, newState); }
MotorStyles ConfigRegObj::MotorStyle() const {
  return static_cast<MotorStyles>(Read(Field::MotorStyle));
}
bool ConfigRegObj::BrushMode() const { return MotorStyle() == MOTOR_BRUSH_ROTARY; }
bool ConfigRegObj::LinearMotor() const { return MotorStyle() == MOTOR_BRUSHLESS_LINEAR; }

void ConfigRegObj::SetModeLineFoldback(ModeLineFoldbacks v) { Write(Field::ModeLineFoldback, v); }
ModeLineFoldbacks ConfigRegObj::ModeLineFoldback() const {
  return static_cast<ModeLineFoldbacks>(Read(Field::ModeLineFoldback));
}

void ConfigRegObj::SetInputMode(InputModes v) { Write(Field::InputMode, v); }
InputModes ConfigRegObj::InputMode() const { return static_cast<InputModes>(Read(Field::InputMode)); }
bool ConfigRegObj::TorqueMode() const { return InputMode() == IN_MODE_ANALOG_TORQUE; }

void ConfigRegObj::SetFilterClock(FilterClks newFilt) {
  (void)CheckedMul(newFilt, kFilterClockWeight);
  Write(Field::FilterClock, newFilt);
}
FilterClks ConfigRegObj::FilterClock() const {
  return static_cast<FilterClks>(Read(Field::FilterClock));
}

// The drive sees the field pass through "off" before the new mode, so the register is
// written twice, the second time from a fresh read.
void ConfigRegObj::SetSteadix(SteadixModes v) {
  const uint32_t mask = MaskOf(Field::Steadix);
  WriteRegister(static_cast<uint32_t>(ReadRegister()) & ~mask);
  WriteRegister(static_cast<uint32_t>(ReadRegister()) | reg::Replace(0, mask, v));
}
SteadixModes ConfigRegObj::Steadix() const { return static_cast<SteadixModes>(Read(Field::Steadix)); }

// A value of 0 or below is never stored: "none" is not a choice a user makes here. A value
// above 7 is cut to the field like any other (so 8 stores 0).
void ConfigRegObj::SetHighLevelFeedback(HighLevelFeedbacks v) {
  if (!Available(MaskOf(Field::HighLevelFeedback))) return;
  const int32_t before = Read(Field::HighLevelFeedback);
  if (v > HIGH_LEVEL_FB_NONE) Write(Field::HighLevelFeedback, v);
  if (Read(Field::HighLevelFeedback) != before)
    Fire([](ConfigRegObjEvents& s) { s.HighLevelFeedbackChanged(); });
}
HighLevelFeedbacks ConfigRegObj::HighLevelFeedback() const {
  return static_cast<HighLevelFeedbacks>(Read(Field::HighLevelFeedback));
}

// Composing clamped * 2^29 with bits 0-28 and folding the sum into the signed range gives
// exactly the pattern Replace builds for clamped values -4 to 11 (8 to 11 wrap to 0 to 3,
// -4 to -1 give 4 to 7). Bounds that let other values through store the low three bits of
// the clamped value, which keeps bits 0-28 as well.
void ConfigRegObj::SetVelocityEstimator(VelocityEstimators v) {
  const int32_t value = ReadRegister();
  int32_t clamped = v;
  if (clamped > velocityEstimatorMax_)
    clamped = velocityEstimatorMax_;
  else if (clamped < velocityEstimatorMin_)
    clamped = velocityEstimatorMin_;
  WriteRegister(reg::Replace(value, MaskOf(Field::VelocityEstimator), clamped));
}
VelocityEstimators ConfigRegObj::VelocityEstimator() const {
  return static_cast<VelocityEstimators>(Read(Field::VelocityEstimator));
}

// Each part goes through its own member, so each is a write of its own (FilterClock last).
void ConfigRegObj::SetStepEncInputFilter(StepEncFilters newVal) {
  SetEncoderInFilter((newVal & 8) != 0);
  SetStepInFilter((newVal & 4) != 0);
  SetFilterClock(static_cast<FilterClks>(newVal & 3));
}
StepEncFilters ConfigRegObj::StepEncInputFilter() const {
  return static_cast<StepEncFilters>((EncoderInFilter() ? 8 : 0) | (StepInFilter() ? 4 : 0) |
                                     (FilterClock() & 3));
}

// ---------------------------------------------------------------------------------------
// Display texts. Enumerated fields name their value by a text id: the group's base plus
// the value. The same texts fill the application's choice lists, so most members can name
// a value other than the current one.

enum class config_reg::Choice : uint8_t {
  InputMode,
  HighLevelFeedback,
  SyncPulse,
  ModeLineFoldback,
  LimitMode,
  LimitSwitchMode,
  Steadix,
  MotorStyle,
};

namespace {

using config_reg::Choice;

struct ChoiceRule {
  Choice choice;
  Field field;
  int32_t base;
  bool marked;         // the texts name torque, which a linear motor calls force
  bool notAvailable;   // "N/A" for the current value when none of the field's bits is available
};

constexpr ChoiceRule kChoices[] = {
    {Choice::InputMode, Field::InputMode, 4100, true, false},
    {Choice::HighLevelFeedback, Field::HighLevelFeedback, 4110, false, true},
    {Choice::SyncPulse, Field::SyncPulse, 4130, false, false},
    {Choice::ModeLineFoldback, Field::ModeLineFoldback, 4140, true, true},
    {Choice::LimitMode, Field::LimitMode, 4150, true, true},
    {Choice::LimitSwitchMode, Field::LimitMode, 4150, true, false},
    {Choice::Steadix, Field::Steadix, 4170, false, true},
    {Choice::MotorStyle, Field::MotorStyle, 4500, false, false},
};

constexpr bool ChoicesInOrder() {
  for (size_t i = 0; i < std::size(kChoices); ++i)
    if (static_cast<size_t>(kChoices[i].choice) != i) return false;
  return true;
}
static_assert(ChoicesInOrder(), "kChoices is indexed by Choice");

constexpr const ChoiceRule& ChoiceOf(Choice choice) { return kChoices[static_cast<size_t>(choice)]; }

// What a member with a specMode argument shows when anything went wrong while it ran. It
// cannot come from the string table, whose failure may be the reason for showing it.
constexpr const char* kFailedText = "???";

}  // namespace

std::string ConfigRegObj::OnOffText(bool on) const { return LoadResString(on ? kTextOn : kTextOff); }

std::string ConfigRegObj::SwitchText(Field field) const {
  if (!Available(MaskOf(field))) return LoadResString(kTextNotAvailable);
  return OnOffText(Flag(field));
}

std::string ConfigRegObj::ChoiceText(Choice choice, int32_t id) const {
  if (!ChoiceOf(choice).marked) return LoadResString(id);
  return MarkedText(id, LinearMotor());
}

std::string ConfigRegObj::CurrentChoiceText(Choice choice) const {
  const ChoiceRule& rule = ChoiceOf(choice);
  if (rule.notAvailable && !Available(MaskOf(rule.field))) return LoadResString(kTextNotAvailable);
  return ChoiceText(choice, CheckedAdd(rule.base, Read(rule.field)));
}

// specMode may be any number or numeric text; the sum with the base is rounded.
std::string ConfigRegObj::SpecModeText(Choice choice, const Variant& specMode) const {
  try {
    if (specMode.IsMissing()) return CurrentChoiceText(choice);
    return ChoiceText(choice, ToLong(ChoiceOf(choice).base + specMode.ToDouble()));
  } catch (...) {
    return kFailedText;
  }
}

// -1 stands for the current value; a value without a text raises the loader's error.
std::string ConfigRegObj::LookupText(Choice choice, int32_t lookup) const {
  if (lookup == -1) return CurrentChoiceText(choice);
  return ChoiceText(choice, CheckedAdd(ChoiceOf(choice).base, lookup));
}

std::string ConfigRegObj::AnalogInFilterStr() const { return SwitchText(Field::AnalogInFilter); }
std::string ConfigRegObj::BadSequenceEnableStr() const { return SwitchText(Field::BadSequenceEnable); }
std::string ConfigRegObj::EncoderInFilterStr() const { return SwitchText(Field::EncoderInFilter); }
std::string ConfigRegObj::HallCheckStr() const { return SwitchText(Field::HallCheck); }
std::string ConfigRegObj::HallInverterStr() const { return SwitchText(Field::HallInverter); }
std::string ConfigRegObj::HallLessStartStr() const { return SwitchText(Field::HallLessStart); }
std::string ConfigRegObj::LogicPowerBackupStr() const { return SwitchText(Field::LogicPowerBackup); }
std::string ConfigRegObj::MoveDoneFoldbackStr() const { return SwitchText(Field::MoveDoneFoldback); }
std::string ConfigRegObj::HardStopFoldbackStr() const { return SwitchText(Field::HardStopFoldback); }
std::string ConfigRegObj::StepInFilterStr() const { return SwitchText(Field::StepInFilter); }
std::string ConfigRegObj::VectorLockStr() const { return SwitchText(Field::VectorLock); }

// Brush mode is one of the motor styles, shown as a switch on drives that have the brush bit.
std::string ConfigRegObj::BrushModeStr() const {
  if (!Available(CONFIG_MASK_BRUSH_MOTOR)) return LoadResString(kTextNotAvailable);
  return OnOffText(BrushMode());
}

// Every drive has an encoder input of one kind or the other.
std::string ConfigRegObj::EncoderBalancedStr() const {
  return LoadResString(EncoderBalanced() ? kTextBalanced : kTextSingleEnded);
}

std::string ConfigRegObj::InputModeStr(const Variant& specMode) const {
  return SpecModeText(Choice::InputMode, specMode);
}
std::string ConfigRegObj::HighLevelFeedbackStr(const Variant& specMode) const {
  return SpecModeText(Choice::HighLevelFeedback, specMode);
}
std::string ConfigRegObj::SyncPulseStr(const Variant& specMode) const {
  return SpecModeText(Choice::SyncPulse, specMode);
}
std::string ConfigRegObj::ModeLineFoldbackStr(const Variant& specMode) const {
  return SpecModeText(Choice::ModeLineFoldback, specMode);
}
std::string ConfigRegObj::LimitSwitchModeStr(const Variant& specMode) const {
  return SpecModeText(Choice::LimitSwitchMode, specMode);
}
std::string ConfigRegObj::LimitModeStr() const { return CurrentChoiceText(Choice::LimitMode); }
std::string ConfigRegObj::LimitModeLookup(LimitModes theMode) const {
  return ChoiceText(Choice::LimitMode, CheckedAdd(ChoiceOf(Choice::LimitMode).base, theMode));
}
std::string ConfigRegObj::SteadixStr(SteadixModes lookup) const {
  return LookupText(Choice::Steadix, lookup);
}
std::string ConfigRegObj::MotorStyleStr(MotorStyles lookup) const {
  return LookupText(Choice::MotorStyle, lookup);
}

std::string ConfigRegObj::FilterClockStr() const { return FilterClockStrArb(FilterClock()); }
std::string ConfigRegObj::FilterClockStrArb(FilterClks arbFilt) const {
  return LoadResString(kTextModePrefix) + std::to_string(static_cast<int32_t>(arbFilt));
}

// ---------------------------------------------------------------------------------------
// Late-bound reads: every field and the text of its current value, in published order.

namespace {
using C = ConfigRegObj;
Variant Long(int32_t v) { return v; }

constexpr PropertyEntry<C> kProperties[] = {
    {"CapabilityMask", [](C& o) { return Long(o.CapabilityMask()); }},
    {"VelocityEstimatorMax", [](C& o) { return Long(o.VelocityEstimatorMax()); }},
    {"VelocityEstimatorMin", [](C& o) { return Long(o.VelocityEstimatorMin()); }},
    {"AnalogInFilter", [](C& o) -> Variant { return o.AnalogInFilter(); }},
    {"AnalogInFilterStr", [](C& o) -> Variant { return o.AnalogInFilterStr(); }},
    {"TorqueMode", [](C& o) -> Variant { return o.TorqueMode(); }},
    {"Steadix", [](C& o) { return Long(o.Steadix()); }},
    {"SteadixStr", [](C& o) -> Variant { return o.SteadixStr(); }},
    {"BadSequenceEnable", [](C& o) -> Variant { return o.BadSequenceEnable(); }},
    {"BadSequenceEnableStr", [](C& o) -> Variant { return o.BadSequenceEnableStr(); }},
    {"BrushMode", [](C& o) -> Variant { return o.BrushMode(); }},
    {"BrushModeStr", [](C& o) -> Variant { return o.BrushModeStr(); }},
    {"EncoderBalanced", [](C& o) -> Variant { return o.EncoderBalanced(); }},
    {"EncoderBalancedStr", [](C& o) -> Variant { return o.EncoderBalancedStr(); }},
    {"EncoderInFilter", [](C& o) -> Variant { return o.EncoderInFilter(); }},
    {"EncoderInFilterStr", [](C& o) -> Variant { return o.EncoderInFilterStr(); }},
    {"HallCheck", [](C& o) -> Variant { return o.HallCheck(); }},
    {"HallCheckStr", [](C& o) -> Variant { return o.HallCheckStr(); }},
    {"FilterClock", [](C& o) { return Long(o.FilterClock()); }},
    {"FilterClockStr", [](C& o) -> Variant { return o.FilterClockStr(); }},
    {"HallInverter", [](C& o) -> Variant { return o.HallInverter(); }},
    {"HallInverterStr", [](C& o) -> Variant { return o.HallInverterStr(); }},
    {"HallLessStart", [](C& o) -> Variant { return o.HallLessStart(); }},
    {"HallLessStartStr", [](C& o) -> Variant { return o.HallLessStartStr(); }},
    {"LimitMode", [](C& o) { return Long(o.LimitMode()); }},
    {"LimitModeStr", [](C& o) -> Variant { return o.LimitModeStr(); }},
    {"LogicPowerBackup", [](C& o) -> Variant { return o.LogicPowerBackup(); }},
    {"LogicPowerBackupStr", [](C& o) -> Variant { return o.LogicPowerBackupStr(); }},
    {"ModeLineFoldback", [](C& o) { return Long(o.ModeLineFoldback()); }},
    {"ModeLineFoldbackStr", [](C& o) -> Variant { return o.ModeLineFoldbackStr(); }},
    {"MoveDoneFoldback", [](C& o) -> Variant { return o.MoveDoneFoldback(); }},
    {"MoveDoneFoldbackStr", [](C& o) -> Variant { return o.MoveDoneFoldbackStr(); }},
    {"InputMode", [](C& o) { return Long(o.InputMode()); }},
    {"InputModeStr", [](C& o) -> Variant { return o.InputModeStr(); }},
    {"HardStopFoldback", [](C& o) -> Variant { return o.HardStopFoldback(); }},
    {"HardStopFoldbackStr", [](C& o) -> Variant { return o.HardStopFoldbackStr(); }},
    {"HighLevelFeedback", [](C& o) { return Long(o.HighLevelFeedback()); }},
    {"HighLevelFeedbackStr", [](C& o) -> Variant { return o.HighLevelFeedbackStr(); }},
    {"LinearMotor", [](C& o) -> Variant { return o.LinearMotor(); }},
    {"StepInFilter", [](C& o) -> Variant { return o.StepInFilter(); }},
    {"StepInFilterStr", [](C& o) -> Variant { return o.StepInFilterStr(); }},
    {"SyncPulse", [](C& o) { return Long(o.SyncPulse()); }},
    {"SyncPulseStr", [](C& o) -> Variant { return o.SyncPulseStr(); }},
    {"VectorLock", [](C& o) -> Variant { return o.VectorLock(); }},
    {"VectorLockStr", [](C& o) -> Variant { return o.VectorLockStr(); }},
    {"VelocityEstimator", [](C& o) { return Long(o.VelocityEstimator()); }},
    {"LimitSwitchModeStr", [](C& o) -> Variant { return o.LimitSwitchModeStr(); }},
    {"MotorStyle", [](C& o) { return Long(o.MotorStyle()); }},
    {"MotorStyleStr", [](C& o) -> Variant { return o.MotorStyleStr(); }},
    {"StepEncInputFilter", [](C& o) { return Long(o.StepEncInputFilter()); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

// Register is an object, not a field: readable by name but not listed for printing.
Variant ConfigRegObj::GetProperty(std::string_view name) {
  if (EqualsNoCase(name, "Register")) return Variant(std::shared_ptr<Object>(Register()));
  return kTable.Read(*this, name);
}
std::span<const std::string_view> ConfigRegObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
