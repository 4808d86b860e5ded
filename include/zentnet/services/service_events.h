#pragma once
// The connection point every event-raising service shares, with the one way they raise.

#include <memory>

#include "zentnet/automation/events.h"

namespace zentnet {

// Self is the service class (created by make_shared), Sink its event interface.
template <class Self, class Sink>
class ServiceEvents : public EventHost<Sink>, public std::enable_shared_from_this<Self> {
 protected:
  using Events = Sink;

  // EventHost::Fire from the service itself; see there for what a sink may write.
  template <class... Params, class... Args>
  void Raise(void (Sink::*event)(Params...), Args&... args) {
    this->Fire(static_cast<Self&>(*this), event, args...);
  }
};

}  // namespace zentnet
