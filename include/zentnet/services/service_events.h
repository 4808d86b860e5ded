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

  // Calls `event` on every sink with references to `args`, the raising member's own
  // variables: a parameter the member took by value is its private copy, so a sink's write
  // reaches later sinks but never the caller; one taken by reference is the caller's
  // variable. The raiser stays alive until the raise returns, even if a sink drops the last
  // outside reference to it.
  template <class... Params, class... Args>
  void Raise(void (Sink::*event)(Params...), Args&... args) {
    this->events_.Raise(this->shared_from_this(), [&](Sink& sink) { (sink.*event)(args...); });
  }
};

}  // namespace zentnet
