#pragma once
// The contract of the value objects this library builds on: one drive register or
// parameter as a number, with change notifications. A drive library may supply its own
// implementation through the value-object factory; src/values/ holds ours.

#include <cstdint>
#include <memory>
#include <string>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"

namespace zentnet {

class ValueObj;

class ValueNumberObj {
 public:
  virtual ~ValueNumberObj() = default;

  // A write stores a whole new number; the next read returns it.
  virtual double Value() const = 0;
  virtual void SetValue(double value) = 0;
  // The number before the latest change (read from a change event's newVal).
  virtual double PreviousValue() const = 0;

  // Set-up.
  virtual double LowerBoundA() const = 0;
  virtual void SetLowerBoundA(double v) = 0;
  virtual double UpperBoundA() const = 0;
  virtual void SetUpperBoundA(double v) = 0;
  virtual double LowerBoundB() const = 0;
  virtual void SetLowerBoundB(double v) = 0;
  virtual double UpperBoundB() const = 0;
  virtual void SetUpperBoundB(double v) = 0;
  virtual double DefaultValue() const = 0;
  virtual void SetDefaultValue(double v) = 0;
  virtual int32_t SetupH() const = 0;
  virtual void SetSetupH(int32_t v) = 0;
  virtual std::string Format() const = 0;
  virtual void SetFormat(const std::string& v) = 0;
  virtual std::string Label() const = 0;
  virtual void SetLabel(const std::string& v) = 0;
  virtual double InitialValue() const = 0;
  virtual void SetInitialValue(double v) = 0;
  virtual double Scale() const = 0;
  virtual void SetScale(double v) = 0;
  virtual int32_t SetupI() const = 0;
  virtual void SetSetupI(int32_t v) = 0;
  virtual int32_t SetupJ() const = 0;
  virtual void SetSetupJ(int32_t v) = 0;
  virtual int32_t SetupK() const = 0;
  virtual void SetSetupK(int32_t v) = 0;
};

// Events of a value object; every argument is by reference.
class ValueObjEvents {
 public:
  // A sink built with `readsNewValue` false promises that its Changed and ValueChanged never
  // read newVal (an owner that re-reads its register): when no listener of a write reads it,
  // the value object passes an empty reference and spares itself the atomic step of taking
  // a strong reference to itself, the dearest part of a poll. One built with
  // `hearsValueChanged` false promises that its ValueChanged does nothing: a write that no
  // listener hears that way raises Changed alone.
  explicit ValueObjEvents(bool readsNewValue = true, bool hearsValueChanged = true)
      : readsNewValue_(readsNewValue), hearsValueChanged_(hearsValueChanged) {}
  virtual ~ValueObjEvents() = default;
  virtual void Changed(std::shared_ptr<ValueObj>& /*newVal*/) {}
  virtual void ValueChanged(std::shared_ptr<ValueObj>& /*newVal*/) {}
  virtual void ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) {}
  virtual void Refresh(std::shared_ptr<ValueObj>& /*newVal*/) {}
  virtual void InitializeCache(double& /*initialValue*/, bool& /*processed*/) {}
  bool ReadsNewValue() const { return readsNewValue_; }
  bool HearsValueChanged() const { return hearsValueChanged_; }

 private:
  bool readsNewValue_;
  bool hearsValueChanged_;
};

class ValueObj : public Object {
 public:
  using Events = ValueObjEvents;

  virtual std::shared_ptr<ValueNumberObj> Number() = 0;
  // Number()->Value() without handing out the number object; decoders read registers
  // through it on every call, so an implementation may make it cheaper.
  virtual double NumberValue() { return Number()->Value(); }
  virtual void Refresh() = 0;

  virtual std::string Name() const = 0;
  virtual void SetName(const std::string& v) = 0;
  virtual int32_t ParamNum() const = 0;
  virtual void SetParamNum(int32_t v) = 0;
  virtual int32_t SetupA() const = 0;
  virtual void SetSetupA(int32_t v) = 0;
  virtual int32_t SetupB() const = 0;
  virtual void SetSetupB(int32_t v) = 0;
  virtual int32_t SetupC() const = 0;
  virtual void SetSetupC(int32_t v) = 0;
  virtual int32_t SetupD() const = 0;
  virtual void SetSetupD(int32_t v) = 0;
  virtual int32_t SetupE() const = 0;
  virtual void SetSetupE(int32_t v) = 0;
  virtual int32_t SetupF() const = 0;
  virtual void SetSetupF(int32_t v) = 0;
  virtual int32_t SetupG() const = 0;
  virtual void SetSetupG(int32_t v) = 0;

  // Used by the stimulus and monitor-port state.
  virtual std::shared_ptr<ValueNumberObj> RequestNumber() = 0;
  virtual int32_t EditLock() const = 0;
  virtual void SetEditLock(int32_t v) = 0;
  // Copies this value's content into `dest`, which keeps its identity and subscribers.
  virtual void CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& extra = {}) = 0;
  virtual std::string ShortName() const = 0;
  virtual void SetShortName(const std::string& v) = 0;
  virtual void ApplySetup() = 0;

  virtual Cookie Advise(std::shared_ptr<ValueObjEvents> sink) = 0;
  virtual bool Unadvise(Cookie cookie) = 0;

  std::string_view ClassName() const override { return "ValueObj"; }
};

class LockLevelObjEvents {
 public:
  virtual ~LockLevelObjEvents() = default;
  virtual void Changed() {}
};

class LockLevelObj : public Object {
 public:
  using Events = LockLevelObjEvents;

  virtual LockLevels Level() const = 0;
  virtual void SetLevel(LockLevels& level) = 0;
  // A temporary level, such as SetLevel(LOCK_LEVEL_2).
  void SetLevel(LockLevels&& level) { SetLevel(level); }

  virtual Cookie Advise(std::shared_ptr<LockLevelObjEvents> sink) = 0;
  virtual bool Unadvise(Cookie cookie) = 0;

  std::string_view ClassName() const override { return "LockLevelObj"; }
};

}  // namespace zentnet
