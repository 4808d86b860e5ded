#pragma once
// What the stimulus state and the monitor port share: each holds value objects in fields and
// turns their notifications into calls of its own handlers through a ValueSink.

#include <memory>
#include <utility>

#include "zentnet/automation/events.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/values/value_sink.h"

namespace zentnet {

// A value object in one field of its owner, with the owner's subscription to it. The sink
// belongs to the field, not to the object: replacing the object moves the subscription, and
// one object held in two fields reaches the handlers of both.
class HeldValue {
 public:
  template <class Owner>
  void Listen(const std::shared_ptr<Owner>& owner,
              const typename ValueSink<Owner>::Routes& routes) {
    sink_ = MakeValueSink(owner, routes);
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
