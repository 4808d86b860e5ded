#pragma once
// The status register: shutdown causes, limit and saturation flags, the amplifier-disable
// flag, move and feedback flags and the drive's two-bit lock level. It reads the register
// afresh on every call and never writes it; it mirrors the lock level into its lock-level
// object and turns every register change into one burst of events: Changed, then
// EnableChanged, then the lock-level write (LockChanged), then one event per kind of newly
// set fault (Shutdown, Hardstopped, LimitHit, OverSpeed).

#include <memory>
#include <string>
#include <vector>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/registers/ConfigRegObj.h"

namespace zentnet {

class StatusRegObjEvents {
 public:
  virtual ~StatusRegObjEvents() = default;
  virtual void Changed() {}
  virtual void Refresh() {}
  // Bit 11 toggled; newState is true when the amplifier is no longer disabled.
  virtual void EnableChanged(bool& /*newState*/) {}
  virtual void LimitHit() {}
  virtual void OverSpeed() {}
  virtual void Hardstopped() {}
  virtual void Shutdown() {}
  virtual void LockChanged() {}
  virtual void InitializeCache(double& /*initialValue*/, bool& /*processed*/) {}
  virtual void ContentChanged(std::shared_ptr<ValueObj>& /*statusRef*/) {}
};

inline constexpr DispatchEntry kStatusRegObjEventIds[] = {
    {"Changed", 1},         {"Refresh", 2},        {"EnableChanged", 3}, {"LimitHit", 4},
    {"OverSpeed", 5},       {"Hardstopped", 6},    {"Shutdown", 7},      {"LockChanged", 8},
    {"InitializeCache", 9}, {"ContentChanged", 10}};

class StatusRegObj final : public Object,
                           public EventHost<StatusRegObjEvents>,
                           public Pinnable,
                           public std::enable_shared_from_this<StatusRegObj> {
 public:
  static std::shared_ptr<StatusRegObj> create();
  ~StatusRegObj() override;

  // The bits this drive implements (all at creation); HighLevelFeedback, LogicPowerBackup,
  // NotMoveDone and OutOfPosition answer false without reading the register when their
  // bit is clear here.
  StatusRegMasks StatusImplemented() const { return statusImplemented_; }
  void SetStatusImplemented(StatusRegMasks mask) { statusImplemented_ = mask; }

  // Only BitStr reads it, for the motor's kind; null makes BitStr fail with error 91.
  const std::shared_ptr<ConfigRegObj>& ConfigReg() const { return configReg_; }
  void SetConfigReg(std::shared_ptr<ConfigRegObj> config) { configReg_ = std::move(config); }

  bool AllSystemsGo() const;
  bool HighLevelFeedback() const;
  bool AmpDisable() const;
  // The display name of one bit, torque or force by ConfigReg's LinearMotor. Bits 13 and
  // 23 to 29 have none (error 326).
  std::string BitStr(int32_t bitNum) const;
  bool EncoderError() const;
  bool Hardstopped() const;
  bool IVfault() const;
  LockLevels LockLevel() const;  // bit 30 counts 1, bit 31 counts 2
  bool LogicPowerBackup() const;
  bool NegativeLimit() const;
  bool NotMoveDone() const;
  bool OutOfPosition() const;
  bool OutputSaturation() const;
  bool OverSpeed() const;
  bool OverTemp() const;
  bool PositiveLimit() const;
  bool PWMsaturation() const;
  // The status value object; it cannot be replaced.
  const std::shared_ptr<ValueObj>& Register() const { return m_statusReg.get(); }
  bool RMSshutdown() const;
  bool StepInputError() const;
  bool TempShutdown() const;
  bool TorqueMode() const;
  bool TrackingShutdown() const;
  bool VectorSearch() const;
  const std::shared_ptr<LockLevelObj>& LockLevelRef() const { return m_lockLevel.get(); }

  // Not published: BitStr of every set bit that has a name, in ascending bit order, as a
  // list and joined by ", " (LinearMotor and the register each read once).
  std::vector<std::string> ActiveBitNames() const;
  std::string ActiveBitsStr() const;

  std::string_view ClassName() const override { return "StatusRegObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  StatusRegObj();  // use create()

 private:
  class LockSink;
  void m_statusReg_Changed(std::shared_ptr<ValueObj>& newVal);
  void m_statusReg_Refresh(std::shared_ptr<ValueObj>& newVal);
  void m_statusReg_ContentChanged(std::shared_ptr<ValueObj>& newVal);
  void m_statusReg_InitializeCache(double& initialValue, bool& processed);

  // Passes the value object's events to the handlers above, holding this object weakly.
  std::shared_ptr<ValueObjEvents> sink_;
  std::shared_ptr<LockLevelObjEvents> lockSink_;
  StatusRegMasks statusImplemented_ = static_cast<StatusRegMasks>(-1);
  // Declared in this order so that destruction releases the lock-level object first, then
  // the status value object.
  Subscribed<ValueObj, ValueObjEvents> m_statusReg;
  std::shared_ptr<ConfigRegObj> configReg_;
  Subscribed<LockLevelObj, LockLevelObjEvents> m_lockLevel;
};

}  // namespace zentnet
