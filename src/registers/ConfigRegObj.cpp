#include "zentnet/registers/ConfigRegObj.h"

#include "decoder.h"
#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
using Events = ConfigRegObjEvents;

// ---------------------------------------------------------------------------------------
// The register's fields, each declared once: its bits and how CapabilityMask gates it.
// Drive models differ in which fields they lack, and the application has always treated
// them differently: some read as zero and refuse writes, some are masked bit by bit, most
// ignore the mask altogether.

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
  uint32_t mask;
  ReadGate read = ReadGate::Open;
  WriteGate write = WriteGate::Open;
};

template <class... M>
constexpr uint32_t Bits(M... masks) {
  return (static_cast<uint32_t>(masks) | ...);
}

constexpr FieldRule kSyncPulse{Bits(CONFIG_MASK_SYNC_PULSE_P, CONFIG_MASK_SYNC_PULSE_N),
                               ReadGate::Masked, WriteGate::Masked};
constexpr FieldRule kHallInverter{Bits(CONFIG_MASK_HALL_INV)};
constexpr FieldRule kLimitMode{Bits(CONFIG_MASK_LIM_POSN)};
constexpr FieldRule kHighLevelFeedback{
    Bits(CONFIG_MASK_HIGH_LEVEL_FB0, CONFIG_MASK_HIGH_LEVEL_FB1, CONFIG_MASK_HIGH_LEVEL_FB2),
    ReadGate::ZeroWithout, WriteGate::IgnoredWithout};
constexpr FieldRule kAnalogInFilter{Bits(CONFIG_MASK_ANA_IN_FILT), ReadGate::ZeroWithout,
                                    WriteGate::IgnoredWithout};
constexpr FieldRule kMotorStyle{Bits(CONFIG_MASK_BRUSH_MOTOR, CONFIG_MASK_LINEAR_MOTOR)};
constexpr FieldRule kSteadix{Bits(CONFIG_MASK_STEADIX0, CONFIG_MASK_STEADIX1),
                             ReadGate::ZeroWithout};
constexpr FieldRule kHallLessStart{Bits(CONFIG_MASK_HALL_LESS)};
constexpr FieldRule kVectorLock{Bits(CONFIG_MASK_VECT_LOCK)};
constexpr FieldRule kStepInFilter{Bits(CONFIG_MASK_STEP_FILT)};
constexpr FieldRule kEncoderInFilter{Bits(CONFIG_MASK_ENC_FILT)};
constexpr FieldRule kMoveDoneFoldback{Bits(CONFIG_MASK_MOVE_DN_FB), ReadGate::Open,
                                      WriteGate::IgnoredWithout};
constexpr FieldRule kHardStopFoldback{Bits(CONFIG_MASK_HSTOP_FB), ReadGate::Open,
                                      WriteGate::IgnoredWithout};
constexpr FieldRule kModeLineFoldback{Bits(CONFIG_MASK_MODE_P_FB, CONFIG_MASK_MODE_N_FB),
                                      ReadGate::Masked};
constexpr FieldRule kBadSequenceEnable{Bits(CONFIG_MASK_BAD_SEQ_EN)};
// Reads false without bit 21 in CapabilityMask, the same test its write and its display
// text make, so the three never disagree about a drive without the field.
constexpr FieldRule kLogicPowerBackup{Bits(CONFIG_MASK_LPB_POS_REC), ReadGate::ZeroWithout,
                                      WriteGate::IgnoredWithout};
constexpr FieldRule kFilterClock{Bits(CONFIG_MASK_FILT_CLK0, CONFIG_MASK_FILT_CLK1)};
constexpr FieldRule kInputMode{
    Bits(CONFIG_MASK_IN_MODE0, CONFIG_MASK_IN_MODE1, CONFIG_MASK_IN_MODE2)};
constexpr FieldRule kEncoderBalanced{Bits(CONFIG_MASK_ENC_BALANCED)};
constexpr FieldRule kHallCheck{Bits(CONFIG_MASK_HALL_CHECK)};
constexpr FieldRule kVelocityEstimator{
    Bits(CONFIG_MASK_VEL_EST0, CONFIG_MASK_VEL_EST1, CONFIG_MASK_VEL_EST2)};

// Shifting a filter-clock value into bits 22-23 is a 32-bit multiplication for the drive
// library; values whose product leaves the range are refused the same way here.
constexpr int32_t kFilterClockWeight = 1 << 22;

bool Available(const ConfigRegObj& o, uint32_t bits) { return reg::Has(o.CapabilityMask(), bits); }

// A field reads its own bits as they stand, bit 31 included.
int32_t Read(const ConfigRegObj& o, const FieldRule& f) {
  if (f.read == ReadGate::ZeroWithout && !Available(o, f.mask)) return 0;
  int32_t bits = reg::Read(o.Register());
  if (f.read == ReadGate::Masked) bits &= o.CapabilityMask();
  return reg::Unsigned(bits, f.mask);
}

bool Flag(const ConfigRegObj& o, const FieldRule& f) { return Read(o, f) != 0; }

// Values outside a field's range are cut to the field's width: bits outside the field
// never change.
void Write(const ConfigRegObj& o, const FieldRule& f, int32_t value) {
  if (f.write == WriteGate::IgnoredWithout && !Available(o, f.mask)) return;
  if (f.write == WriteGate::Masked) value &= o.CapabilityMask();
  reg::Update(o.Register(), f.mask, value);
}

// Until the drive tells otherwise the motor is of unknown style; that goes into the
// default, so the register itself stays as loaded.
void InitMotorStyle(const ConfigRegObj& o, MotorStyles style) {
  const uint32_t bits = reg::Replace(reg::Read(o.Register()), kMotorStyle.mask, style);
  o.Register()->Number()->SetDefaultValue(RegisterToDouble(bits));
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Construction and the value object's notifications

ConfigRegObj::ConfigRegObj() = default;
ConfigRegObj::~ConfigRegObj() = default;

std::shared_ptr<ConfigRegObj> ConfigRegObj::create() {
  auto self = Pinnable::Make<ConfigRegObj>();
  self->sink_ = MakeValueSink(self, {.valueChanged = &ConfigRegObj::Register_ValueChanged,
                                     .contentChanged = &ConfigRegObj::Register_ContentChanged,
                                     .refresh = &ConfigRegObj::Register_Refresh,
                                     .initializeCache = &ConfigRegObj::Register_InitializeCache});
  self->SetRegister(NewValueObj());

  ValueObj& value = *self->Register();
  value.SetName(LoadResString(1009));
  value.SetSetupA(0);
  value.SetSetupB(26);
  value.SetParamNum(15);
  value.SetSetupC(1);

  // Any 32-bit pattern is a valid register, bit 31 included.
  const auto number = value.Number();
  number->SetLowerBoundA(-2147483648.0);
  number->SetUpperBoundA(2147483647.0);
  number->SetSetupH(-1);

  // The capability mask and the estimator's bounds start from their member initialisers.
  InitMotorStyle(*self, MOTOR_UNKNOWN);
  return self;
}

void ConfigRegObj::SetRegister(std::shared_ptr<ValueObj> newRef) {
  m_register.Reset(std::move(newRef), sink_);
}

// Change detection looks at the object the notification carries: a drive library may
// announce a value other than the one Register() holds. Both numbers are converted before
// anything is raised.
void ConfigRegObj::Register_ValueChanged(std::shared_ptr<ValueObj>& newVal) {
  const auto number = err::Required(newVal)->Number();
  const int32_t now = ToLong(number->Value());
  const int32_t changed = now ^ ToLong(number->PreviousValue());
  Fire(*this, &Events::Change);
  if (reg::Has(changed, kMotorStyle.mask)) Fire(*this, &Events::MotorTypeChanged);
  if (reg::Has(changed, kHighLevelFeedback.mask)) Fire(*this, &Events::HighLevelFeedbackChanged);
}

void ConfigRegObj::Register_ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  Fire(*this, &Events::UpdateView);
}
void ConfigRegObj::Register_Refresh(std::shared_ptr<ValueObj>& newVal) {
  Fire(*this, &Events::Refresh, newVal);
}
void ConfigRegObj::Register_InitializeCache(double& initialValue, bool& processed) {
  Fire(*this, &Events::InitializeCache, initialValue, processed);
}

// ---------------------------------------------------------------------------------------
// Field reads and writes

void ConfigRegObj::SetAnalogInFilter(bool newFilt) { Write(*this, kAnalogInFilter, newFilt); }
bool ConfigRegObj::AnalogInFilter() const { return Flag(*this, kAnalogInFilter); }
void ConfigRegObj::SetBadSequenceEnable(bool v) { Write(*this, kBadSequenceEnable, v); }
bool ConfigRegObj::BadSequenceEnable() const { return Flag(*this, kBadSequenceEnable); }
void ConfigRegObj::SetEncoderBalanced(bool isBalanced) {
  Write(*this, kEncoderBalanced, isBalanced);
}
bool ConfigRegObj::EncoderBalanced() const { return Flag(*this, kEncoderBalanced); }
void ConfigRegObj::SetEncoderInFilter(bool newFilt) { Write(*this, kEncoderInFilter, newFilt); }
bool ConfigRegObj::EncoderInFilter() const { return Flag(*this, kEncoderInFilter); }
void ConfigRegObj::SetHallCheck(bool newFilt) { Write(*this, kHallCheck, newFilt); }
bool ConfigRegObj::HallCheck() const { return Flag(*this, kHallCheck); }
void ConfigRegObj::SetHallInverter(bool v) { Write(*this, kHallInverter, v); }
bool ConfigRegObj::HallInverter() const { return Flag(*this, kHallInverter); }
void ConfigRegObj::SetHallLessStart(bool v) { Write(*this, kHallLessStart, v); }
bool ConfigRegObj::HallLessStart() const { return Flag(*this, kHallLessStart); }
void ConfigRegObj::SetLogicPowerBackup(bool v) { Write(*this, kLogicPowerBackup, v); }
bool ConfigRegObj::LogicPowerBackup() const { return Flag(*this, kLogicPowerBackup); }
void ConfigRegObj::SetMoveDoneFoldback(bool v) { Write(*this, kMoveDoneFoldback, v); }
bool ConfigRegObj::MoveDoneFoldback() const { return Flag(*this, kMoveDoneFoldback); }
void ConfigRegObj::SetHardStopFoldback(bool v) { Write(*this, kHardStopFoldback, v); }
bool ConfigRegObj::HardStopFoldback() const { return Flag(*this, kHardStopFoldback); }
void ConfigRegObj::SetStepInFilter(bool newFilt) { Write(*this, kStepInFilter, newFilt); }
bool ConfigRegObj::StepInFilter() const { return Flag(*this, kStepInFilter); }
void ConfigRegObj::SetVectorLock(bool v) { Write(*this, kVectorLock, v); }
bool ConfigRegObj::VectorLock() const { return Flag(*this, kVectorLock); }

void ConfigRegObj::SetSyncPulse(SyncPulses v) { Write(*this, kSyncPulse, v); }
SyncPulses ConfigRegObj::SyncPulse() const {
  return static_cast<SyncPulses>(Read(*this, kSyncPulse));
}

void ConfigRegObj::SetLimitMode(LimitModes v) { Write(*this, kLimitMode, v == LIM_MODE_POSITION); }
LimitModes ConfigRegObj::LimitMode() const {
  return static_cast<LimitModes>(Read(*this, kLimitMode));
}

void ConfigRegObj::SetMotorStyle(MotorStyles newState) { Write(*this, kMotorStyle, newState); }
MotorStyles ConfigRegObj::MotorStyle() const {
  return static_cast<MotorStyles>(Read(*this, kMotorStyle));
}
bool ConfigRegObj::BrushMode() const { return MotorStyle() == MOTOR_BRUSH_ROTARY; }
bool ConfigRegObj::LinearMotor() const { return MotorStyle() == MOTOR_BRUSHLESS_LINEAR; }

void ConfigRegObj::SetModeLineFoldback(ModeLineFoldbacks v) { Write(*this, kModeLineFoldback, v); }
ModeLineFoldbacks ConfigRegObj::ModeLineFoldback() const {
  return static_cast<ModeLineFoldbacks>(Read(*this, kModeLineFoldback));
}

void ConfigRegObj::SetInputMode(InputModes v) { Write(*this, kInputMode, v); }
InputModes ConfigRegObj::InputMode() const {
  return static_cast<InputModes>(Read(*this, kInputMode));
}
bool ConfigRegObj::TorqueMode() const { return InputMode() == IN_MODE_ANALOG_TORQUE; }

void ConfigRegObj::SetFilterClock(FilterClks newFilt) {
  (void)CheckedMul(newFilt, kFilterClockWeight);
  Write(*this, kFilterClock, newFilt);
}
FilterClks ConfigRegObj::FilterClock() const {
  return static_cast<FilterClks>(Read(*this, kFilterClock));
}

// The drive sees the field pass through "off" before the new mode, so the register is
// written twice, the second time from a fresh read.
void ConfigRegObj::SetSteadix(SteadixModes v) {
  const auto hold = HoldSelf(*this);  // a listener of the first write may let go of us
  reg::Update(Register(), kSteadix.mask, STEADIX_OFF);
  reg::Write(Register(),
             static_cast<uint32_t>(reg::Read(Register())) | reg::Replace(0, kSteadix.mask, v));
}
SteadixModes ConfigRegObj::Steadix() const {
  return static_cast<SteadixModes>(Read(*this, kSteadix));
}

// A value of 0 or below is never stored: "none" is not a choice a user makes here. A value
// above 7 is cut to the field like any other (so 8 stores 0).
void ConfigRegObj::SetHighLevelFeedback(HighLevelFeedbacks v) {
  const auto hold = HoldSelf(*this);  // a listener of the first write may let go of us
  if (!Available(*this, kHighLevelFeedback.mask)) return;
  const int32_t before = Read(*this, kHighLevelFeedback);
  if (v > HIGH_LEVEL_FB_NONE) Write(*this, kHighLevelFeedback, v);
  if (Read(*this, kHighLevelFeedback) != before) Fire(*this, &Events::HighLevelFeedbackChanged);
}
HighLevelFeedbacks ConfigRegObj::HighLevelFeedback() const {
  return static_cast<HighLevelFeedbacks>(Read(*this, kHighLevelFeedback));
}

// Composing clamped * 2^29 with bits 0-28 and folding the sum into the signed range gives
// exactly the pattern Replace builds for clamped values -4 to 11 (8 to 11 wrap to 0 to 3,
// -4 to -1 give 4 to 7). Bounds that let other values through store the low three bits of
// the clamped value, which keeps bits 0-28 as well.
void ConfigRegObj::SetVelocityEstimator(VelocityEstimators v) {
  const int32_t value = reg::Read(Register());
  int32_t clamped = v;
  if (clamped > velocityEstimatorMax_)
    clamped = velocityEstimatorMax_;
  else if (clamped < velocityEstimatorMin_)
    clamped = velocityEstimatorMin_;
  reg::Write(Register(), reg::Replace(value, kVelocityEstimator.mask, clamped));
}
VelocityEstimators ConfigRegObj::VelocityEstimator() const {
  return static_cast<VelocityEstimators>(Read(*this, kVelocityEstimator));
}

// Each part goes through its own member, so each is a write of its own (FilterClock last).
void ConfigRegObj::SetStepEncInputFilter(StepEncFilters newVal) {
  const auto hold = HoldSelf(*this);  // a listener of the first write may let go of us
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

namespace {
struct ChoiceRule {
  const FieldRule& field;
  int32_t base;
  bool marked;        // the texts name torque, which a linear motor calls force
  bool notAvailable;  // "N/A" for the current value while none of the field's bits is available
};

constexpr ChoiceRule kInputModeTexts{kInputMode, 4100, true, false};
constexpr ChoiceRule kHighLevelFeedbackTexts{kHighLevelFeedback, 4110, false, true};
constexpr ChoiceRule kSyncPulseTexts{kSyncPulse, 4130, false, false};
constexpr ChoiceRule kModeLineFoldbackTexts{kModeLineFoldback, 4140, true, true};
constexpr ChoiceRule kLimitModeTexts{kLimitMode, 4150, true, true};
constexpr ChoiceRule kLimitSwitchModeTexts{kLimitMode, 4150, true, false};
constexpr ChoiceRule kSteadixTexts{kSteadix, 4170, false, true};
constexpr ChoiceRule kMotorStyleTexts{kMotorStyle, 4500, false, false};

std::string ChoiceText(const ConfigRegObj& o, const ChoiceRule& c, int32_t id) {
  return c.marked ? MarkedText(id, o.LinearMotor()) : LoadResString(id);
}

std::string CurrentText(const ConfigRegObj& o, const ChoiceRule& c) {
  if (c.notAvailable && !Available(o, c.field.mask)) return reg::NotAvailableText();
  return ChoiceText(o, c, CheckedAdd(c.base, Read(o, c.field)));
}

// specMode may be any number or numeric text; the sum with the base is rounded. Any
// failure shows as "???", which cannot come from the string table: its failure may be the
// reason for showing it.
std::string SpecModeText(const ConfigRegObj& o, const ChoiceRule& c, const Variant& specMode) {
  try {
    if (specMode.IsMissing()) return CurrentText(o, c);
    return ChoiceText(o, c, ToLong(c.base + specMode.ToDouble()));
  } catch (...) {
    return std::string(ConfigRegObj::kUnknownChoice);
  }
}

// -1 stands for the current value; a value without a text raises the loader's error.
std::string LookupText(const ConfigRegObj& o, const ChoiceRule& c, int32_t lookup) {
  if (lookup == -1) return CurrentText(o, c);
  return ChoiceText(o, c, CheckedAdd(c.base, lookup));
}

std::string SwitchText(const ConfigRegObj& o, const FieldRule& f) {
  return Available(o, f.mask) ? reg::OnOffText(Flag(o, f)) : reg::NotAvailableText();
}
}  // namespace

std::string ConfigRegObj::AnalogInFilterStr() const { return SwitchText(*this, kAnalogInFilter); }
std::string ConfigRegObj::BadSequenceEnableStr() const {
  return SwitchText(*this, kBadSequenceEnable);
}
std::string ConfigRegObj::EncoderInFilterStr() const { return SwitchText(*this, kEncoderInFilter); }
std::string ConfigRegObj::HallCheckStr() const { return SwitchText(*this, kHallCheck); }
std::string ConfigRegObj::HallInverterStr() const { return SwitchText(*this, kHallInverter); }
std::string ConfigRegObj::HallLessStartStr() const { return SwitchText(*this, kHallLessStart); }
std::string ConfigRegObj::LogicPowerBackupStr() const {
  return SwitchText(*this, kLogicPowerBackup);
}
std::string ConfigRegObj::MoveDoneFoldbackStr() const {
  return SwitchText(*this, kMoveDoneFoldback);
}
std::string ConfigRegObj::HardStopFoldbackStr() const {
  return SwitchText(*this, kHardStopFoldback);
}
std::string ConfigRegObj::StepInFilterStr() const { return SwitchText(*this, kStepInFilter); }
std::string ConfigRegObj::VectorLockStr() const { return SwitchText(*this, kVectorLock); }

// Brush mode is one of the motor styles, shown as a switch on drives that have the brush bit.
std::string ConfigRegObj::BrushModeStr() const {
  if (!Available(*this, CONFIG_MASK_BRUSH_MOTOR)) return reg::NotAvailableText();
  return reg::OnOffText(BrushMode());
}

// Every drive has an encoder input of one kind or the other.
std::string ConfigRegObj::EncoderBalancedStr() const {
  return LoadResString(EncoderBalanced() ? 4195 : 4196);  // "Balanced", "Single-Ended"
}

std::string ConfigRegObj::InputModeStr(const Variant& specMode) const {
  return SpecModeText(*this, kInputModeTexts, specMode);
}
std::string ConfigRegObj::HighLevelFeedbackStr(const Variant& specMode) const {
  return SpecModeText(*this, kHighLevelFeedbackTexts, specMode);
}
std::string ConfigRegObj::SyncPulseStr(const Variant& specMode) const {
  return SpecModeText(*this, kSyncPulseTexts, specMode);
}
std::string ConfigRegObj::ModeLineFoldbackStr(const Variant& specMode) const {
  return SpecModeText(*this, kModeLineFoldbackTexts, specMode);
}
std::string ConfigRegObj::LimitSwitchModeStr(const Variant& specMode) const {
  return SpecModeText(*this, kLimitSwitchModeTexts, specMode);
}
std::string ConfigRegObj::LimitModeStr() const { return CurrentText(*this, kLimitModeTexts); }
std::string ConfigRegObj::LimitModeLookup(LimitModes theMode) const {
  return ChoiceText(*this, kLimitModeTexts, CheckedAdd(kLimitModeTexts.base, theMode));
}
std::string ConfigRegObj::SteadixStr(SteadixModes lookup) const {
  return LookupText(*this, kSteadixTexts, lookup);
}
std::string ConfigRegObj::MotorStyleStr(MotorStyles lookup) const {
  return LookupText(*this, kMotorStyleTexts, lookup);
}

std::string ConfigRegObj::FilterClockStr() const { return FilterClockStrArb(FilterClock()); }
std::string ConfigRegObj::FilterClockStrArb(FilterClks arbFilt) const {
  return LoadResString(4165) + std::to_string(static_cast<int32_t>(arbFilt));  // "Mode: "
}

// ---------------------------------------------------------------------------------------
// Late-bound reads: every field and the text of its current value, in published order.

namespace {
using Self = ConfigRegObj;
// clang-format off
constexpr PropertyEntry<Self> kProperties[] = {
    REG_PROPERTY(CapabilityMask),       REG_PROPERTY(VelocityEstimatorMax),
    REG_PROPERTY(VelocityEstimatorMin), REG_PROPERTY(AnalogInFilter),
    REG_PROPERTY(AnalogInFilterStr),    REG_PROPERTY(TorqueMode),
    REG_PROPERTY(Steadix),              REG_PROPERTY(SteadixStr),
    REG_PROPERTY(BadSequenceEnable),    REG_PROPERTY(BadSequenceEnableStr),
    REG_PROPERTY(BrushMode),            REG_PROPERTY(BrushModeStr),
    REG_PROPERTY(EncoderBalanced),      REG_PROPERTY(EncoderBalancedStr),
    REG_PROPERTY(EncoderInFilter),      REG_PROPERTY(EncoderInFilterStr),
    REG_PROPERTY(HallCheck),            REG_PROPERTY(HallCheckStr),
    REG_PROPERTY(FilterClock),          REG_PROPERTY(FilterClockStr),
    REG_PROPERTY(HallInverter),         REG_PROPERTY(HallInverterStr),
    REG_PROPERTY(HallLessStart),        REG_PROPERTY(HallLessStartStr),
    REG_PROPERTY(LimitMode),            REG_PROPERTY(LimitModeStr),
    REG_PROPERTY(LogicPowerBackup),     REG_PROPERTY(LogicPowerBackupStr),
    REG_PROPERTY(ModeLineFoldback),     REG_PROPERTY(ModeLineFoldbackStr),
    REG_PROPERTY(MoveDoneFoldback),     REG_PROPERTY(MoveDoneFoldbackStr),
    REG_PROPERTY(InputMode),            REG_PROPERTY(InputModeStr),
    REG_PROPERTY(HardStopFoldback),     REG_PROPERTY(HardStopFoldbackStr),
    REG_PROPERTY(HighLevelFeedback),    REG_PROPERTY(HighLevelFeedbackStr),
    REG_PROPERTY(LinearMotor),          REG_PROPERTY(StepInFilter),
    REG_PROPERTY(StepInFilterStr),      REG_PROPERTY(SyncPulse),
    REG_PROPERTY(SyncPulseStr),         REG_PROPERTY(VectorLock),
    REG_PROPERTY(VectorLockStr),        REG_PROPERTY(VelocityEstimator),
    REG_PROPERTY(LimitSwitchModeStr),   REG_PROPERTY(MotorStyle),
    REG_PROPERTY(MotorStyleStr),        REG_PROPERTY(StepEncInputFilter)};
// clang-format on
constexpr PropertyTable kTable(kProperties);
}  // namespace

// Register is an object, not a field: readable by name but not listed for printing.
Variant ConfigRegObj::GetProperty(std::string_view name) {
  if (EqualsNoCase(name, "Register")) return Variant(std::shared_ptr<Object>(Register()));
  return kTable.Read(*this, name);
}
std::span<const std::string_view> ConfigRegObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
