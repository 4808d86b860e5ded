#pragma once
// One analog monitor port of a drive: the monitored variable, its full-scale amplitude,
// the output filter and the scope's sync pulse. The three numbers live in value objects the
// drive library keeps in step with the drive; this class sets them up, names the variable,
// forwards their notifications and bundles a change of all three into one Changed.

#include <memory>
#include <string>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/testsignal/HeldValue.h"

namespace zentnet {

class MonitorPortStateObjEvents {
 public:
  virtual ~MonitorPortStateObjEvents() = default;
  virtual void VariableChanged() {}
  virtual void AmplitudeChanged() {}
  virtual void FilterChanged() {}
  virtual void SyncPulseChanged() {}
  virtual void Refresh() {}
  virtual void SaveToNonVolatile() {}
  // The owner answers by rescaling the amplitude for the new variable.
  virtual void RescaleAmplitude() {}
  virtual void Changed() {}
  virtual void Initialize() {}
  virtual void UpdateView() {}
};

inline constexpr DispatchEntry kMonitorPortStateObjEventIds[] = {
    {"VariableChanged", 1},  {"AmplitudeChanged", 2}, {"FilterChanged", 3},
    {"SyncPulseChanged", 4}, {"Refresh", 5},          {"SaveToNonVolatile", 6},
    {"RescaleAmplitude", 7}, {"Changed", 8},          {"Initialize", 9},
    {"UpdateView", 10}};

class MonitorPortStateObj final : public Object,
                                  public EventHost<MonitorPortStateObjEvents>,
                                  public std::enable_shared_from_this<MonitorPortStateObj> {
 public:
  static std::shared_ptr<MonitorPortStateObj> create();
  ~MonitorPortStateObj() override;

  // Replacing a value object or the register moves the subscription and does nothing else.
  std::shared_ptr<ValueObj> Amplitude() const { return m_Amplitude.get(); }
  void SetAmplitude(std::shared_ptr<ValueObj> newRef);
  void SetVariable(std::shared_ptr<ValueObj> newRef);
  std::shared_ptr<ValueObj> Variable() const { return m_Variable.get(); }
  void SetFilter(std::shared_ptr<ValueObj> newRef);
  std::shared_ptr<ValueObj> Filter() const { return m_Filter.get(); }
  std::shared_ptr<ConfigRegObj> ConfigReg() const { return m_ConfigReg.get(); }
  void SetConfigReg(std::shared_ptr<ConfigRegObj> newRef);

  // Writes the register's sync pulse bits with its edit lock lifted for the one write.
  void SetSyncPulse(SyncPulses vNewValue);
  SyncPulses SyncPulse() const;
  std::string SyncPulseStr() const;

  // The display name of variable `which`, or of the current variable when it is missing.
  // A given `which` converts as a script host converts: numeric text is its number, an
  // empty value 0, other text or an object the type-mismatch error (13).
  std::string MonitorVarStr(const Variant& which = {}) const;

  void Rescale();
  void CopyTo(const std::shared_ptr<MonitorPortStateObj>& newObj);
  void Initialize();
  void Refresh();
  void SaveToNonVolatile();
  void ChangeTo(MonitorVariables newVar, double fullScale, double filterTC = 0);

  std::string_view ClassName() const override { return "MonitorPortStateObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  MonitorPortStateObj();  // use create()

 private:
  class ConfigSink;
  template <class... Event>
  void Raise(Event&&... event);

  void m_Amplitude_ValueChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Variable_ValueChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Filter_ValueChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Value_ContentChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Value_Refresh(std::shared_ptr<ValueObj>& newVal);
  void m_ConfigReg_Change();

  HeldValue m_Amplitude;
  HeldValue m_Variable;
  HeldValue m_Filter;
  std::shared_ptr<ConfigSink> configSink_;
  Subscribed<ConfigRegObj, ConfigRegObjEvents> m_ConfigReg;
  SyncPulses cachedSyncPulse_ = SYNC_PULSE_OFF;
  // Holds back Changed from the value handlers while a bulk change runs.
  bool changing_ = false;
  // Each guarded procedure drops a nested call of itself.
  bool amplitudeGuard_ = false;
  bool variableGuard_ = false;
  bool rescaleGuard_ = false;
  bool refreshGuard_ = false;
};

}  // namespace zentnet
