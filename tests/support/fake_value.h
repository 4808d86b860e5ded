#pragma once
// A value object that journals every write made to it, so a test sees what the object under
// test writes, in order and interleaved with the events it raises. It stores through one of
// ours and raises our notifications with itself as newVal, as a drive library's own value
// object would. Lines read "<member>=<value>" ("Req.<member>" for the request number), and
// Refresh, ApplySetup and CopyContentTo(<dest tag>) as calls; with a journal they go there
// after "<tag>.", else into `calls`.
// A strict one hides nothing more: every write of its number raises ValueChanged and then
// Changed, even a write of the number it holds, so a missing or an extra write shows; reads
// of the number, Advise, Unadvise and RequestNumber are journaled too, and its request number
// is its number.

#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "recorder.h"
#include "zentnet/automation/error.h"
#include "zentnet/values/factory.h"
#include "zentnet/values/values.h"

namespace zentnet::test {

inline std::string Show(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}
inline std::string Show(int32_t v) { return std::to_string(v); }
inline std::string Show(const std::string& v) { return v; }

// A getter passed through and a setter that journals, then stores.
#define ZN_RECORD_AS(Get, Param, Member)                   \
  Get Member() const override { return inner_->Member(); } \
  void Set##Member(Param v) override {                     \
    Note(#Member "=" + Show(v));                           \
    inner_->Set##Member(v);                                \
  }
#define ZN_RECORD(T, Member) ZN_RECORD_AS(T, T, Member)
#define ZN_RECORD_TEXT(Member) ZN_RECORD_AS(std::string, const std::string&, Member)

class FakeValue;

class FakeNumber final : public ValueNumberObj {
 public:
  FakeNumber(FakeValue& owner, std::shared_ptr<ValueNumberObj> inner, std::string prefix)
      : owner_(owner), inner_(std::move(inner)), prefix_(std::move(prefix)) {}

  double Value() const override;
  void SetValue(double v) override;
  double PreviousValue() const override;
  // clang-format off
  ZN_RECORD(double, LowerBoundA) ZN_RECORD(double, UpperBoundA) ZN_RECORD(double, LowerBoundB)
  ZN_RECORD(double, UpperBoundB) ZN_RECORD(double, DefaultValue) ZN_RECORD(int32_t, SetupH)
  ZN_RECORD_TEXT(Format) ZN_RECORD_TEXT(Label) ZN_RECORD(double, InitialValue)
  ZN_RECORD(double, Scale) ZN_RECORD(int32_t, SetupI) ZN_RECORD(int32_t, SetupJ)
  ZN_RECORD(int32_t, SetupK)

 private:
  friend class FakeValue;
  // clang-format on
  void Note(const std::string& line) const;
  FakeValue& owner_;
  std::shared_ptr<ValueNumberObj> inner_;
  std::string prefix_;
  double previous_ = 0;  // a strict one's: every write moves it, even of the same number
};

class FakeValue final : public ValueObj, public std::enable_shared_from_this<FakeValue> {
 public:
  static std::shared_ptr<FakeValue> create(bool strict = true, Journal* journal = nullptr,
                                           std::string tag = {}) {
    auto v = std::make_shared<FakeValue>(strict, journal, std::move(tag));
    v->inner_->Advise(std::make_shared<Forwarder>(v));
    return v;
  }
  FakeValue(bool strict, Journal* journal, std::string tag)
      : strict_(strict), journal_(journal), tag_(std::move(tag)) {}

  mutable std::vector<std::string> calls;
  bool noteUnadvise = false;  // journals Unadvise too: when a holder lets go
  const std::string& Tag() const { return tag_; }
  BasicValueObj& Inner() { return *inner_; }  // to raise what the drive library raises
  // How many times the number was written since `calls` was last cleared.
  int Writes() const {
    int n = 0;
    for (const auto& c : calls) n += c.starts_with("Value=");
    return n;
  }
  // Stores a number as the drive library does while loading, without a notification.
  void Put(double v) {
    number_->previous_ = number_->inner_->Value();
    quiet_ = true;
    inner_->Number()->SetValue(v);
    quiet_ = false;
  }
  // Raises one notification of a drive library's own.
  void Raise(void (ValueObjEvents::*event)(std::shared_ptr<ValueObj>&)) {
    std::shared_ptr<ValueObj> self = shared_from_this();
    events_.Raise(self, [&](ValueObjEvents& s) { (s.*event)(self); });
  }
  void RaiseInitializeCache(double& initialValue, bool& processed) {
    inner_->RaiseInitializeCache(initialValue, processed);
  }

  std::shared_ptr<ValueNumberObj> Number() override { return number_; }
  std::shared_ptr<ValueNumberObj> RequestNumber() override {
    if (!strict_) return request_;
    Note("RequestNumber");
    return number_;
  }
  void Refresh() override {
    Note("Refresh");
    inner_->Refresh();
  }
  void ApplySetup() override {
    Note("ApplySetup");
    inner_->ApplySetup();
  }
  void CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& extra = {}) override {
    auto fake = std::dynamic_pointer_cast<FakeValue>(dest);
    Note("CopyContentTo(" + (fake ? fake->tag_ : "?") + ")");
    inner_->CopyContentTo(fake ? fake->inner_ : dest, extra);
  }
  // clang-format off
  ZN_RECORD_TEXT(Name) ZN_RECORD_TEXT(ShortName) ZN_RECORD(int32_t, ParamNum)
  ZN_RECORD(int32_t, SetupA) ZN_RECORD(int32_t, SetupB) ZN_RECORD(int32_t, SetupC)
  ZN_RECORD(int32_t, SetupD) ZN_RECORD(int32_t, SetupE) ZN_RECORD(int32_t, SetupF)
  ZN_RECORD(int32_t, SetupG) ZN_RECORD(int32_t, EditLock)

  Cookie Advise(std::shared_ptr<ValueObjEvents> sink) override;
  // clang-format on

  bool Unadvise(Cookie cookie) override {
    if (strict_ || noteUnadvise) Note("Unadvise");
    return events_.Unadvise(cookie);
  }

 private:
  friend class FakeNumber;
  // Hears our value object and raises what it raises with this one as newVal.
  class Forwarder final : public ValueObjEvents {
   public:
    explicit Forwarder(const std::shared_ptr<FakeValue>& front) : front_(front) {}
    void Changed(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::Changed); }
    void ValueChanged(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::ValueChanged); }
    void ContentChanged(std::shared_ptr<ValueObj>&) override {
      Pass(&ValueObjEvents::ContentChanged);
    }
    void Refresh(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::Refresh); }
    void InitializeCache(double& v, bool& processed) override {
      if (auto front = front_.lock())
        front->events_.Raise(front, [&](ValueObjEvents& s) { s.InitializeCache(v, processed); });
    }

   private:
    void Pass(void (ValueObjEvents::*event)(std::shared_ptr<ValueObj>&)) {
      if (auto front = front_.lock(); front && !front->quiet_) front->Raise(event);
    }
    std::weak_ptr<FakeValue> front_;
  };

  void Note(const std::string& line) const {
    if (journal_)
      journal_->Add(tag_ + "." + line);
    else
      calls.push_back(line);
  }
  void Written(double v) {  // after a write of the number that raised nothing
    if (!strict_ || v != inner_->Number()->Value()) return;
    Raise(&ValueObjEvents::ValueChanged);
    Raise(&ValueObjEvents::Changed);
  }

  bool strict_, quiet_ = false;
  Journal* journal_;
  std::string tag_;
  std::shared_ptr<BasicValueObj> inner_ = BasicValueObj::create();
  std::shared_ptr<FakeNumber> number_ = std::make_shared<FakeNumber>(*this, inner_->Number(), "");
  std::shared_ptr<FakeNumber> request_ =
      std::make_shared<FakeNumber>(*this, inner_->RequestNumber(), "Req.");
  EventSource<ValueObjEvents> events_;
};

inline Cookie FakeValue::Advise(std::shared_ptr<ValueObjEvents> sink) {
  if (strict_) Note("Advise");
  return events_.Advise(std::move(sink));
}
inline void FakeNumber::Note(const std::string& line) const { owner_.Note(prefix_ + line); }
inline double FakeNumber::Value() const {
  if (owner_.strict_) Note("Value");
  return inner_->Value();
}
inline double FakeNumber::PreviousValue() const {
  if (!owner_.strict_) return inner_->PreviousValue();
  Note("PreviousValue");
  return previous_;
}
inline void FakeNumber::SetValue(double v) {
  Note("Value=" + Show(v));
  const bool same = v == inner_->Value();
  previous_ = inner_->Value();
  inner_->SetValue(v);
  if (same && prefix_.empty()) owner_.Written(v);
}

#undef ZN_RECORD_AS
#undef ZN_RECORD
#undef ZN_RECORD_TEXT

// While it lives every value object created is a FakeValue (strict or not, journaling into
// `journal` or its own `calls`) holding `initial`, tagged by the next of `tags`, or "V<n>"
// once they run out.
class FakeValues {
 public:
  explicit FakeValues(bool strict, Journal* journal = nullptr, double initial = 0) {
    SetValueObjFactory([=, this] {
      std::string tag = "V" + std::to_string(made.size());
      if (!tags.empty()) tag = tags.front(), tags.pop_front();
      made.push_back(FakeValue::create(strict, journal, tag));
      made.back()->Put(initial);
      return std::shared_ptr<ValueObj>(made.back());
    });
  }
  ~FakeValues() { SetValueObjFactory({}); }
  FakeValues(const FakeValues&) = delete;
  FakeValues& operator=(const FakeValues&) = delete;

  std::deque<std::string> tags;
  std::vector<std::shared_ptr<FakeValue>> made;
};

// The events half of such a journal, for a recording sink: each event is journaled by name,
// after a prefix that tells two objects apart, and a hook under that name runs right after.
struct EventNotes {
  EventNotes(Journal& journal, std::string prefix)
      : journal_(journal), prefix_(std::move(prefix)) {}
  std::map<std::string, std::function<void()>> on;

  void Note(const std::string& event, const std::string& args = {}) {
    journal_.Add(prefix_ + event + args);
    if (auto it = on.find(event); it != on.end()) it->second();
  }
  // A listener that fails the first time it hears `event`.
  void FailOnce(const std::string& event) {
    on[event] = [failed = false]() mutable {
      if (!std::exchange(failed, true)) throw AutomationError(1234, "Listener", "listener failed");
    };
  }

 private:
  Journal& journal_;
  std::string prefix_;
};

// Runs `act` and hands back what it journaled, closed by an automation error that reached
// the caller ("! <number> <source>: <description>").
template <class Act>
std::vector<std::string> Journaled(Journal& journal, Act&& act) {
  journal.Clear();
  try {
    act();
  } catch (const AutomationError& e) {
    journal.Add("! " + std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description());
  }
  return std::exchange(journal.lines, {});
}

}  // namespace zentnet::test
