#pragma once
// Steps the stimulus state and the monitor port take the same way.

#include <cstdint>
#include <functional>
#include <memory>

#include "zentnet/automation/events.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet::testsignal {

// Raises each event in turn; an event is a sink member without arguments or a callable
// taking the sink. `self` keeps the raiser alive for the whole burst, so that a listener
// dropping the last outside reference halfway does not end it under the later events.
template <class Owner, class Sink, class... Event>
void RaiseEach(const std::shared_ptr<Owner>& self, const EventSource<Sink>& events,
               Event&&... event) {
  (events.Raise(self, [&event](Sink& s) { std::invoke(event, s); }), ...);
}

// Runs `write` with the value's edit lock lifted, then puts the lock back on the same
// object, which is held here: a listener of the write may replace it in its owner's field
// and so drop the owner's reference. A failed write leaves the lock lifted: as everywhere
// in these classes, no step after an error runs.
template <class Write>
void WithEditLockLifted(std::shared_ptr<ValueObj> value, Write&& write) {
  err::Required(value);
  const int32_t save = value->EditLock();
  value->SetEditLock(0);
  write(*value);
  value->SetEditLock(save);
}

}  // namespace zentnet::testsignal
