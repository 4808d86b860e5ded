#pragma once
// The I/O register: the drive's digital input and output lines and the three
// commutation sensor lines. It reads the register afresh on every call and never writes it.

#include <memory>
#include <string>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class IOregisterObjEvents {
 public:
  virtual ~IOregisterObjEvents() = default;
  // Writing into the references changes the decoder's stored codes.
  virtual void CommutationChanged(int32_t& /*thisCode*/, int32_t& /*lastCode*/) {}
  virtual void Refresh(std::shared_ptr<ValueObj>& /*newVal*/) {}
  virtual void InitializeCache(double& /*initialValue*/, bool& /*processed*/) {}
};

inline constexpr DispatchEntry kIOregisterObjEventIds[] = {
    {"CommutationChanged", 1}, {"Refresh", 2}, {"InitializeCache", 3}};

class IOregisterObj final : public Object,
                            public EventHost<IOregisterObjEvents>,
                            public Pinnable,
                            public std::enable_shared_from_this<IOregisterObj> {
 public:
  static std::shared_ptr<IOregisterObj> create();
  ~IOregisterObj() override;

  void Refresh();
  bool AmpEnable() const;  // true while the amplifier-disable output is clear
  bool EnableIn() const;
  bool FaultIn() const;
  bool ModeIn() const;
  bool NegativeLimit() const;
  bool PositiveLimit() const;
  bool ShutdownLineOut() const;
  bool ThermalFaultIn() const;
  int32_t CommutationCode() const;
  // Swaps in the drive's value object and zeroes both codes; raises nothing.
  void SetValueObjRef(std::shared_ptr<ValueObj> newRef);
  IOregMasks Bits() const;
  // The names of bits 0 to 15 set in `bits` (a number as text), joined by ", ".
  std::string BitNames(const std::string& bits) const;
  int32_t LastCommutationCode() const { return lastCode_; }

  std::string_view ClassName() const override { return "IOregisterObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  IOregisterObj();  // use create()

 private:
  bool Bit(IOregMasks mask) const;
  void m_register_Changed(std::shared_ptr<ValueObj>& newVal);
  void m_register_Refresh(std::shared_ptr<ValueObj>& newVal);
  void m_register_InitializeCache(double& initialValue, bool& processed);

  // Passes the value object's events to the handlers above, holding this object weakly.
  std::shared_ptr<ValueObjEvents> sink_;
  Subscribed<ValueObj, ValueObjEvents> m_register;
  int32_t code_ = 0;
  int32_t lastCode_ = 0;
};

}  // namespace zentnet
