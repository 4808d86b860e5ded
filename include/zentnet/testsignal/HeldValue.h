#pragma once
// What the stimulus state and the monitor port share: each holds value objects in fields and
// turns their notifications into calls of its own handlers.

#include <memory>
#include <utility>

#include "zentnet/automation/events.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

// Calls the owner's handler for each notification it has one for. The owner is held weakly,
// so that a value object does not keep it alive, and strongly while a handler runs.
template <class Owner>
class OwnerValueSink final : public ValueObjEvents {
 public:
  using Handler = void (Owner::*)(std::shared_ptr<ValueObj>& newVal);
  struct Handlers {
    Handler valueChanged = nullptr;
    Handler contentChanged = nullptr;
    Handler refresh = nullptr;
  };

  OwnerValueSink(std::weak_ptr<Owner> owner, Handlers handlers)
      : owner_(std::move(owner)), handlers_(handlers) {}

  void ValueChanged(std::shared_ptr<ValueObj>& v) override { Call(handlers_.valueChanged, v); }
  void ContentChanged(std::shared_ptr<ValueObj>& v) override { Call(handlers_.contentChanged, v); }
  void Refresh(std::shared_ptr<ValueObj>& v) override { Call(handlers_.refresh, v); }

 private:
  void Call(Handler handler, std::shared_ptr<ValueObj>& newVal) {
    if (!handler) return;
    if (auto owner = owner_.lock()) ((*owner).*handler)(newVal);
  }
  std::weak_ptr<Owner> owner_;
  Handlers handlers_;
};

// A value object in one field of its owner, with the owner's subscription to it. The sink
// belongs to the field, not to the object: replacing the object moves the subscription, and
// one object held in two fields reaches the handlers of both.
class HeldValue {
 public:
  template <class Owner>
  void Listen(const std::shared_ptr<Owner>& owner, typename OwnerValueSink<Owner>::Handlers h) {
    sink_ = std::make_shared<OwnerValueSink<Owner>>(owner, h);
  }
  void Reset(std::shared_ptr<ValueObj> next) { held_.Reset(std::move(next), sink_); }

  const std::shared_ptr<ValueObj>& get() const { return held_.get(); }
  // Both raise error 91 when the field is empty.
  ValueObj* operator->() const { return held_.operator->(); }
  ValueObj& operator*() const { return *held_.operator->(); }
  explicit operator bool() const { return static_cast<bool>(held_); }

 private:
  std::shared_ptr<ValueObjEvents> sink_;
  Subscribed<ValueObj, ValueObjEvents> held_;
};

}  // namespace zentnet
