#pragma once
// The error-code register: one bit per cause of a drive shutdown or fault. It reads the
// register afresh on every call and never writes it.

#include <memory>
#include <string>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class ErrorCodeObjEvents {
 public:
  virtual ~ErrorCodeObjEvents() = default;
  virtual void Changed() {}
  virtual void Refresh() {}
  virtual void InitializeCache(double& /*initialValue*/, bool& /*processed*/) {}
};

inline constexpr DispatchEntry kErrorCodeObjEventIds[] = {
    {"Changed", 1}, {"Refresh", 2}, {"InitializeCache", 3}};

class ErrorCodeObj final : public Object,
                           public EventHost<ErrorCodeObjEvents>,
                           public Pinnable,
                           public std::enable_shared_from_this<ErrorCodeObj> {
 public:
  static std::shared_ptr<ErrorCodeObj> create();
  ~ErrorCodeObj() override;

  // Assigning another value object moves the subscription; null leaves every decoding
  // member failing with error 91.
  const std::shared_ptr<ValueObj>& Register() const { return m_register.get(); }
  void SetRegister(std::shared_ptr<ValueObj> value);

  bool ADCproblems() const;
  bool CommutationProblems() const;
  bool CurrentSensorProblems() const;
  bool EEhardwareProblems() const;
  bool EEnotInitialized() const;
  bool EncoderProblems() const;
  bool LogicPowerBackedUp() const;
  bool LogicPowerRecoveryFailed() const;
  bool OverVoltageCurrent() const;
  bool RMSoverload() const;
  bool VectorSetupProblems() const;
  bool StepInputProblems() const;
  bool Thermal() const;
  bool Tracking() const;
  // Any bit at all, judged on the unconverted number (so 0.4 is a shutdown).
  bool IsShutdown() const;
  void Refresh();
  // The texts of the set causes, bits 0 to 30 in ascending order, joined by ", ".
  std::string ErrorListStr() const;

  std::string_view ClassName() const override { return "ErrorCodeObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  ErrorCodeObj();  // use create()

 private:
  void Register_Changed(std::shared_ptr<ValueObj>& newVal);
  void Register_Refresh(std::shared_ptr<ValueObj>& newVal);
  void Register_InitializeCache(double& initialValue, bool& processed);

  // Passes the value object's events to the handlers above, holding this object weakly.
  std::shared_ptr<ValueObjEvents> sink_;
  Subscribed<ValueObj, ValueObjEvents> m_register;
};

}  // namespace zentnet
