#pragma once
// An owner's subscription to a value object it holds: each notification goes to the member
// of the owner named for it. The owner is held weakly, so that the value object does not
// keep it alive; a notification that arrives once the owner is gone (or doomed, for a
// Pinnable) reaches nobody, and the owner stays alive until its member returns.

#include <memory>
#include <type_traits>

#include "zentnet/contracts/value_contract.h"

namespace zentnet {

template <class Owner>
class ValueSink final : public ValueObjEvents {
 public:
  using OnValue = void (Owner::*)(std::shared_ptr<ValueObj>& newVal);
  // A route left empty leaves that event unheard. The members are usually private: the
  // owner names them where it creates the sink.
  struct Routes {
    OnValue changed = nullptr;
    OnValue valueChanged = nullptr;
    OnValue contentChanged = nullptr;
    OnValue refresh = nullptr;
    void (Owner::*initializeCache)(double& initialValue, bool& processed) = nullptr;
    // False when the changed and valueChanged members never read newVal, which may then be
    // empty (see ValueObjEvents).
    bool readsNewValue = true;
  };

  ValueSink(const std::shared_ptr<Owner>& owner, const Routes& routes)
      : ValueObjEvents(routes.readsNewValue, routes.valueChanged != nullptr),
        owner_(owner),
        raw_(owner.get()),
        routes_(routes) {}

  void Changed(std::shared_ptr<ValueObj>& v) override { Forward(routes_.changed, v); }
  void ValueChanged(std::shared_ptr<ValueObj>& v) override { Forward(routes_.valueChanged, v); }
  void ContentChanged(std::shared_ptr<ValueObj>& v) override { Forward(routes_.contentChanged, v); }
  void Refresh(std::shared_ptr<ValueObj>& v) override { Forward(routes_.refresh, v); }
  void InitializeCache(double& initialValue, bool& processed) override {
    Forward(routes_.initializeCache, initialValue, processed);
  }

 private:
  // A Pinnable owner is pinned (no atomic step), any other held by a strong reference.
  template <class... A>
  void Forward(void (Owner::*member)(A&...), A&... args) const {
    if (member == nullptr) return;
    if constexpr (std::is_base_of_v<Pinnable, Owner>) {
      if (owner_.expired()) return;
      const Pinnable::Pin pin(*raw_);
      (raw_->*member)(args...);
    } else if (const auto owner = owner_.lock()) {
      ((*owner).*member)(args...);
    }
  }

  std::weak_ptr<Owner> owner_;
  Owner* raw_;  // valid while owner_ has not expired
  Routes routes_;
};

template <class Owner>
std::shared_ptr<ValueObjEvents> MakeValueSink(const std::shared_ptr<Owner>& owner,
                                              const typename ValueSink<Owner>::Routes& routes) {
  return std::make_shared<ValueSink<Owner>>(owner, routes);
}

}  // namespace zentnet
