#pragma once
// A value object that hides nothing from a test: every write of its number raises
// ValueChanged and then Changed, even a write of the number it already holds, so a missing
// or an extra write shows; and every call the library makes on it is journaled in `calls`
// ("Value=5", "Value" for a read, "SetupA=0", "Advise"...). Reading back a set-up field is
// left out: only tests do that.

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "zentnet/values/factory.h"

namespace zentnet::test {

inline std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, v == std::trunc(v) ? "%.0f" : "%.17g", v);
  return buf;
}
inline std::string Num(const std::string& v) { return v; }

#define ZN_STRICT(T, Param, Member, field)                     \
  T Member() const override { return field; }                  \
  void Set##Member(Param v) override {                         \
    Note(#Member "=" + Num(v));                                \
    field = v;                                                 \
  }

class StrictValue final : public ValueObj,
                          public ValueNumberObj,
                          public std::enable_shared_from_this<StrictValue> {
 public:
  static std::shared_ptr<StrictValue> create() { return std::make_shared<StrictValue>(); }

  mutable std::vector<std::string> calls;
  // How many times the number was written since `calls` was last cleared.
  int Writes() const {
    int n = 0;
    for (const auto& c : calls) n += c.starts_with("Value=");
    return n;
  }
  // Stores a number as the drive library does while loading, without a notification.
  void Put(double v) { previous_ = std::exchange(value_, v); }
  // Raises one notification of a drive library's own.
  void Raise(void (ValueObjEvents::*event)(std::shared_ptr<ValueObj>&)) {
    std::shared_ptr<ValueObj> self = shared_from_this();
    events_.Raise(self, [&](ValueObjEvents& s) { (s.*event)(self); });
  }
  void RaiseInitializeCache(double& initialValue, bool& processed) {
    events_.Raise(shared_from_this(),
                  [&](ValueObjEvents& s) { s.InitializeCache(initialValue, processed); });
  }

  // ValueObj
  std::shared_ptr<ValueNumberObj> Number() override { return shared_from_this(); }
  void Refresh() override {
    Note("Refresh");
    Raise(&ValueObjEvents::Refresh);
  }
  ZN_STRICT(std::string, const std::string&, Name, name_)
  ZN_STRICT(int32_t, int32_t, ParamNum, paramNum_)
  ZN_STRICT(int32_t, int32_t, SetupA, codes_[0])
  ZN_STRICT(int32_t, int32_t, SetupB, codes_[1])
  ZN_STRICT(int32_t, int32_t, SetupC, codes_[2])
  ZN_STRICT(int32_t, int32_t, SetupD, codes_[3])
  ZN_STRICT(int32_t, int32_t, SetupE, codes_[4])
  ZN_STRICT(int32_t, int32_t, SetupF, codes_[5])
  ZN_STRICT(int32_t, int32_t, SetupG, codes_[6])
  ZN_STRICT(int32_t, int32_t, EditLock, codes_[7])
  ZN_STRICT(std::string, const std::string&, ShortName, shortName_)
  std::shared_ptr<ValueNumberObj> RequestNumber() override {
    Note("RequestNumber");
    return shared_from_this();
  }
  void CopyContentTo(const std::shared_ptr<ValueObj>&, const Variant& = {}) override {
    Note("CopyContentTo");
  }
  void ApplySetup() override { Note("ApplySetup"); }
  Cookie Advise(std::shared_ptr<ValueObjEvents> sink) override {
    Note("Advise");
    return events_.Advise(std::move(sink));
  }
  bool Unadvise(Cookie cookie) override {
    Note("Unadvise");
    return events_.Unadvise(cookie);
  }

  // ValueNumberObj
  double Value() const override {
    Note("Value");
    return value_;
  }
  void SetValue(double v) override {
    Note("Value=" + Num(v));
    Put(v);
    Raise(&ValueObjEvents::ValueChanged);
    Raise(&ValueObjEvents::Changed);
  }
  double PreviousValue() const override {
    Note("PreviousValue");
    return previous_;
  }
  ZN_STRICT(double, double, LowerBoundA, bounds_[0])
  ZN_STRICT(double, double, UpperBoundA, bounds_[1])
  ZN_STRICT(double, double, LowerBoundB, bounds_[2])
  ZN_STRICT(double, double, UpperBoundB, bounds_[3])
  ZN_STRICT(double, double, DefaultValue, bounds_[4])
  ZN_STRICT(double, double, InitialValue, bounds_[5])
  ZN_STRICT(double, double, Scale, bounds_[6])
  ZN_STRICT(int32_t, int32_t, SetupH, codes_[8])
  ZN_STRICT(int32_t, int32_t, SetupI, codes_[9])
  ZN_STRICT(int32_t, int32_t, SetupJ, codes_[10])
  ZN_STRICT(int32_t, int32_t, SetupK, codes_[11])
  ZN_STRICT(std::string, const std::string&, Format, format_)
  ZN_STRICT(std::string, const std::string&, Label, label_)

 private:
  void Note(std::string call) const { calls.push_back(std::move(call)); }

  double value_ = 0, previous_ = 0, bounds_[7] = {};
  int32_t paramNum_ = 0, codes_[12] = {};
  std::string name_, shortName_, format_, label_;
  EventSource<ValueObjEvents> events_;
};

#undef ZN_STRICT

// While it lives every value object the library creates is a StrictValue holding
// `initial`, kept in `made` in the order of creation.
struct StrictValues {
  std::vector<std::shared_ptr<StrictValue>> made;
  explicit StrictValues(double initial = 0) {
    SetValueObjFactory([this, initial] {
      made.push_back(StrictValue::create());
      made.back()->Put(initial);
      return made.back();
    });
  }
  ~StrictValues() { SetValueObjFactory({}); }
  StrictValues(const StrictValues&) = delete;
  StrictValues& operator=(const StrictValues&) = delete;
};

}  // namespace zentnet::test
