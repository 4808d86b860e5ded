#pragma once
// Which drive conditions are announced by a sound, and a master switch over them. The
// object plays nothing: drive objects and the application ask it before they sound.
//
// A condition reads true only while its bit is set AND the master switch is on, so a new
// object (every bit set, switch off) answers false for everything. `Bits` is the mask as
// stored, switch or no switch.

#include <cstdint>
#include <memory>
#include <span>

#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/services/service_events.h"

namespace zentnet {

class SoundEventsObjEvents {
 public:
  virtual ~SoundEventsObjEvents() = default;
  // After every write of a condition or of the whole mask, changed or not.
  virtual void Changed() {}
  // After every write of the master switch, changed or not.
  virtual void ControlChanged() {}
};

inline constexpr DispatchEntry kSoundEventsObjEventIds[] = {{"Changed", 1}, {"ControlChanged", 2}};

class SoundEventsObj final : public Object,
                             public ServiceEvents<SoundEventsObj, SoundEventsObjEvents> {
 public:
  static std::shared_ptr<SoundEventsObj> create();

  void SetLimitAssertion(bool newValue) { SetCondition(SOUNDS_LIMITS, newValue); }
  bool LimitAssertion() const { return Condition(SOUNDS_LIMITS); }
  void SetOffOnLine(bool newValue) { SetCondition(SOUNDS_OFF_ONLINE, newValue); }
  bool OffOnLine() const { return Condition(SOUNDS_OFF_ONLINE); }
  void SetShutdown(bool newValue) { SetCondition(SOUNDS_SHUTDOWN, newValue); }
  bool Shutdown() const { return Condition(SOUNDS_SHUTDOWN); }
  void SetTorqueSaturation(bool newValue) { SetCondition(SOUNDS_TORQUE_SAT, newValue); }
  bool TorqueSaturation() const { return Condition(SOUNDS_TORQUE_SAT); }
  void SetVoltageSaturation(bool newValue) { SetCondition(SOUNDS_VOLT_SAT, newValue); }
  bool VoltageSaturation() const { return Condition(SOUNDS_VOLT_SAT); }

  // Any 32-bit value, bits without a name included.
  void SetBits(SoundEvents newBits);
  SoundEvents Bits() const { return static_cast<SoundEvents>(m_mask); }
  void RestoreAll();

  void SetControl(bool newValue);
  bool Control() const { return m_control; }

  std::string_view ClassName() const override { return "SoundEventsObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  SoundEventsObj() = default;  // use create()

 private:
  void SetCondition(SoundEvents bit, bool on);
  bool Condition(SoundEvents bit) const { return m_control && (m_mask & bit) != 0; }
  void SetMask(int32_t mask);

  int32_t m_mask = SOUNDS_ALL;
  bool m_control = false;
};

}  // namespace zentnet
