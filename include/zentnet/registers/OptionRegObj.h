#pragma once
// The option register: the factory options of one drive. Every field reads the register
// afresh and every write is a read-modify-write of the whole number through the same
// value object; no write checks CapabilityMask, which only the display texts consult.

#include <memory>
#include <string>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class OptionRegObjEvents {
 public:
  virtual ~OptionRegObjEvents() = default;
  // Any change of the register number.
  virtual void Change() {}
  // Bits 4-6 (the firmware type) differ between the previous and the new number.
  virtual void FirmwareChanged() {}
  virtual void Refresh(std::shared_ptr<ValueObj>& /*valRef*/) {}
  virtual void InitializeCache(double& /*initialValue*/, bool& /*processed*/) {}
};

inline constexpr DispatchEntry kOptionRegObjEventIds[] = {
    {"Change", 1}, {"FirmwareChanged", 2}, {"Refresh", 3}, {"InitializeCache", 4}};

class OptionRegObj final : public Object,
                           public EventHost<OptionRegObjEvents>,
                           public Pinnable,
                           public std::enable_shared_from_this<OptionRegObj> {
 public:
  static std::shared_ptr<OptionRegObj> create();
  ~OptionRegObj() override;

  // The options this drive model has (every bit but 31 at creation); plain state.
  OptionRegMasks CapabilityMask() const { return capabilityMask_; }
  void SetCapabilityMask(OptionRegMasks mask) { capabilityMask_ = mask; }

  // Assigning another value object moves the subscription (the object is used as
  // supplied); null leaves every field member failing with error 91.
  const std::shared_ptr<ValueObj>& Register() const { return m_register.get(); }
  void SetRegister(std::shared_ptr<ValueObj> value);

  // Fields in published order. A write keeps the bits outside the field and drops the
  // parts of the new value that do not fit in it.
  void SetCaseOption(OptionCases value);
  OptionCases CaseOption() const;
  void SetFirmwareType(int32_t value);
  int32_t FirmwareType() const;
  void SetInitialCalibration(bool state);
  bool InitialCalibration() const;
  void SetRuntimeCalibration(bool state);
  bool RuntimeCalibration() const;
  void SetVoltageMode(bool state);
  bool VoltageMode() const;
  std::string VoltageModeStr() const;  // "ON"/"OFF", "N/A" without capability bit 0
  void SetVendor(OptionVendors value);
  OptionVendors Vendor() const;
  std::string VendorStr() const;  // the vendor's name, whatever the capability
  void SetWarrantyOptions(OptionWarranties value);
  OptionWarranties WarrantyOptions() const;
  void SetAnalogInputFormat(OptionAnalogInFormats value);
  OptionAnalogInFormats AnalogInputFormat() const;
  std::string AnalogInputFormatStr() const;  // "N/A" without capability bit 3
  void SetLPBenabled(bool state);
  bool LPBenabled() const;
  std::string LPBenabledStr() const;  // "YES"/"NO", "N/A" without capability bit 7

  std::string_view ClassName() const override { return "OptionRegObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  OptionRegObj();  // use create()

 private:
  void Register_Changed(std::shared_ptr<ValueObj>& newVal);
  void Register_Refresh(std::shared_ptr<ValueObj>& newVal);
  void Register_InitializeCache(double& initialValue, bool& processed);

  // Passes the value object's events to the handlers above, holding this object weakly.
  std::shared_ptr<ValueObjEvents> sink_;
  Subscribed<ValueObj, ValueObjEvents> m_register;
  OptionRegMasks capabilityMask_ = static_cast<OptionRegMasks>(0x7FFFFFFF);
};

}  // namespace zentnet
