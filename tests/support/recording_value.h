#pragma once
// A value object that journals every write made to it, so a test sees what the object
// under test writes, in order and interleaved with the events it raises. It stores through
// one of ours and passes our notifications on with itself as newVal, as a drive library's
// own value object would. Lines read "<tag>.<member>=<value>" ("<tag>.Req.<member>" for the
// request number); Refresh, ApplySetup and CopyContentTo(<dest tag>) are journaled as calls.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "recorder.h"
#include "zentnet/automation/error.h"
#include "zentnet/values/factory.h"
#include "zentnet/values/values.h"

namespace zentnet::test {

inline std::string Show(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}
inline std::string Show(int32_t v) { return std::to_string(v); }
inline std::string Show(const std::string& v) { return v; }

// A getter passed through and a setter that journals, then stores.
#define ZN_RECORD_AS(Get, Param, Member)                       \
  Get Member() const override { return inner_->Member(); }    \
  void Set##Member(Param v) override {                         \
    Note(#Member "=" + Show(v));                               \
    inner_->Set##Member(v);                                    \
  }
#define ZN_RECORD(T, Member) ZN_RECORD_AS(T, T, Member)
#define ZN_RECORD_TEXT(Member) ZN_RECORD_AS(std::string, const std::string&, Member)

class RecordingNumber final : public ValueNumberObj {
 public:
  RecordingNumber(std::shared_ptr<ValueNumberObj> inner, std::function<void(std::string)> note)
      : inner_(std::move(inner)), note_(std::move(note)) {}

  double Value() const override { return inner_->Value(); }
  void SetValue(double v) override {
    Note("Value=" + Show(v));
    inner_->SetValue(v);
  }
  double PreviousValue() const override { return inner_->PreviousValue(); }
  ZN_RECORD(double, LowerBoundA)
  ZN_RECORD(double, UpperBoundA)
  ZN_RECORD(double, LowerBoundB)
  ZN_RECORD(double, UpperBoundB)
  ZN_RECORD(double, DefaultValue)
  ZN_RECORD(int32_t, SetupH)
  ZN_RECORD_TEXT(Format)
  ZN_RECORD_TEXT(Label)
  ZN_RECORD(double, InitialValue)
  ZN_RECORD(double, Scale)
  ZN_RECORD(int32_t, SetupI)
  ZN_RECORD(int32_t, SetupJ)
  ZN_RECORD(int32_t, SetupK)

 private:
  void Note(const std::string& line) const { note_(line); }
  std::shared_ptr<ValueNumberObj> inner_;
  std::function<void(std::string)> note_;
};

class RecordingValue final : public ValueObj, public std::enable_shared_from_this<RecordingValue> {
 public:
  RecordingValue(Journal* journal, std::string tag) : journal_(journal), tag_(std::move(tag)) {}

  const std::string& Tag() const { return tag_; }
  BasicValueObj& Inner() { return *inner_; }  // to raise what the drive library raises

  std::shared_ptr<ValueNumberObj> Number() override { return number_; }
  std::shared_ptr<ValueNumberObj> RequestNumber() override { return request_; }
  void Refresh() override {
    Note("Refresh");
    inner_->Refresh();
  }
  void ApplySetup() override {
    Note("ApplySetup");
    inner_->ApplySetup();
  }
  void CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& extra = {}) override {
    auto front = std::dynamic_pointer_cast<RecordingValue>(dest);
    Note("CopyContentTo(" + (front ? front->tag_ : "?") + ")");
    inner_->CopyContentTo(front ? front->inner_ : dest, extra);
  }
  ZN_RECORD_TEXT(Name)
  ZN_RECORD_TEXT(ShortName)
  ZN_RECORD(int32_t, ParamNum)
  ZN_RECORD(int32_t, SetupA)
  ZN_RECORD(int32_t, SetupB)
  ZN_RECORD(int32_t, SetupC)
  ZN_RECORD(int32_t, SetupD)
  ZN_RECORD(int32_t, SetupE)
  ZN_RECORD(int32_t, SetupF)
  ZN_RECORD(int32_t, SetupG)
  ZN_RECORD(int32_t, EditLock)

  Cookie Advise(std::shared_ptr<ValueObjEvents> sink) override {
    return inner_->Advise(std::make_shared<Forwarder>(weak_from_this(), std::move(sink)));
  }
  bool Unadvise(Cookie cookie) override {
    if (noteUnadvise) Note("Unadvise");
    return inner_->Unadvise(cookie);
  }
  bool noteUnadvise = false;  // journals Unadvise too: when a holder lets go

 private:
  class Forwarder final : public ValueObjEvents {
   public:
    Forwarder(std::weak_ptr<RecordingValue> front, std::shared_ptr<ValueObjEvents> sink)
        : front_(std::move(front)), sink_(std::move(sink)) {}
    void Changed(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::Changed); }
    void ValueChanged(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::ValueChanged); }
    void ContentChanged(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::ContentChanged); }
    void Refresh(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::Refresh); }
    void InitializeCache(double& v, bool& processed) override { sink_->InitializeCache(v, processed); }

   private:
    void Pass(void (ValueObjEvents::*event)(std::shared_ptr<ValueObj>&)) {
      std::shared_ptr<ValueObj> front = front_.lock();
      ((*sink_).*event)(front);
    }
    std::weak_ptr<RecordingValue> front_;
    std::shared_ptr<ValueObjEvents> sink_;
  };

  void Note(const std::string& line) const {
    if (journal_) journal_->Add(tag_ + "." + line);
  }

  Journal* journal_;
  std::string tag_;
  std::shared_ptr<BasicValueObj> inner_ = BasicValueObj::create();
  std::shared_ptr<RecordingNumber> number_ = std::make_shared<RecordingNumber>(
      inner_->Number(), [this](const std::string& line) { Note(line); });
  std::shared_ptr<RecordingNumber> request_ = std::make_shared<RecordingNumber>(
      inner_->RequestNumber(), [this](const std::string& line) { Note("Req." + line); });
};

#undef ZN_RECORD_AS
#undef ZN_RECORD
#undef ZN_RECORD_TEXT

// While it lives every value object created goes through it: a RecordingValue tagged by the
// next of `tags`, or "V<n>" once they run out.
class RecordingValues {
 public:
  explicit RecordingValues(Journal& journal) {
    SetValueObjFactory([this, &journal] {
      std::string tag = "V" + std::to_string(made.size());
      if (!tags.empty()) {
        tag = tags.front();
        tags.pop_front();
      }
      made.push_back(std::make_shared<RecordingValue>(&journal, tag));
      return std::shared_ptr<ValueObj>(made.back());
    });
  }
  ~RecordingValues() { SetValueObjFactory({}); }
  RecordingValues(const RecordingValues&) = delete;
  RecordingValues& operator=(const RecordingValues&) = delete;

  std::deque<std::string> tags;
  std::vector<std::shared_ptr<RecordingValue>> made;
};

// The events half of such a journal, for a recording sink: each event is journaled by name,
// after a prefix that tells two objects apart, and a hook under that name runs right after.
struct EventNotes {
  EventNotes(Journal& journal, std::string prefix) : journal_(journal), prefix_(std::move(prefix)) {}
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
