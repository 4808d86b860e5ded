#pragma once
// What the register decoders share, private to src/registers: the sink through which a
// decoder hears the value object it holds, the late-bound property rows, and the display
// texts they have in common. Decoders raise their own events with EventHost::Fire.

#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/registers/register_field.h"
#include "zentnet/resources/strings.h"

namespace zentnet::reg {

// A decoder's subscription to its value object: passes each event on to the member of the
// decoder named for it in `Routes`. It holds the decoder weakly, so that the value object
// does not keep the decoder alive; an event that arrives once the decoder is gone reaches
// nobody, and the decoder stays alive until its member returns.
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
  };

  ValueSink(const std::shared_ptr<Owner>& owner, const Routes& routes)
      : owner_(owner), routes_(routes) {}

  void Changed(std::shared_ptr<ValueObj>& v) override { Forward(routes_.changed, v); }
  void ValueChanged(std::shared_ptr<ValueObj>& v) override { Forward(routes_.valueChanged, v); }
  void ContentChanged(std::shared_ptr<ValueObj>& v) override { Forward(routes_.contentChanged, v); }
  void Refresh(std::shared_ptr<ValueObj>& v) override { Forward(routes_.refresh, v); }
  void InitializeCache(double& initialValue, bool& processed) override {
    Forward(routes_.initializeCache, initialValue, processed);
  }

 private:
  template <class... A>
  void Forward(void (Owner::*member)(A&...), A&... args) const {
    if (member == nullptr) return;
    if (const auto owner = owner_.lock()) ((*owner).*member)(args...);
  }

  std::weak_ptr<Owner> owner_;
  Routes routes_;
};

template <class Owner>
std::shared_ptr<ValueObjEvents> MakeSink(const std::shared_ptr<Owner>& owner,
                                         const typename ValueSink<Owner>::Routes& routes) {
  return std::make_shared<ValueSink<Owner>>(owner, routes);
}

template <class T>
Variant AsVariant(T value) {
  if constexpr (std::is_enum_v<T>)
    return static_cast<int32_t>(value);
  else
    return Variant(std::move(value));
}

// One row of a late-bound property table: the member `Name` of `Self` (the class whose table
// is being built), read without arguments. A macro, so that the row's name and the member
// it reads are spelt once, and so that members with default arguments can be read.
// clang-format off
#define REG_PROPERTY(Name) \
  { #Name, [](Self& o) { return ::zentnet::reg::AsVariant(o.Name()); } }
// clang-format on

inline std::string OnOffText(bool on) { return LoadResString(on ? 4191 : 4190); }
// "N/A": the drive model lacks the field.
inline std::string NotAvailableText() { return LoadResString(4192); }

// The texts of the bits set in `bits` from bit `first` to bit `last`, in ascending bit
// order, joined by ", ". `textOf(bit)` gives a bit's text; an empty text is left out.
template <class TextOf>
std::string JoinSetBits(int32_t bits, int first, int last, TextOf&& textOf) {
  std::string result;
  for (int bit = first; bit <= last; ++bit) {
    if (!Has(bits, 1u << bit)) continue;
    const std::string text = textOf(bit);
    if (text.empty()) continue;
    if (!result.empty()) result += ", ";
    result += text;
  }
  return result;
}

}  // namespace zentnet::reg
