#pragma once
// Shared pieces of the monitor-port tests: a recording sink with per-event hooks, a value
// object that logs its set-up and can answer requests at once, and a factory guard.

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "recorder.h"
#include "zentnet/automation/error.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"
#include "zentnet/values/factory.h"
#include "zentnet/values/values.h"

namespace zentnet::test {

// Records every port event; a hook registered under the event's name runs right after the
// event is recorded, so tests can re-enter the port from inside a listener.
class PortRecorder final : public MonitorPortStateObjEvents {
 public:
  explicit PortRecorder(Journal& journal) : journal_(journal) {}

  std::map<std::string, std::function<void()>> on;

  void VariableChanged() override { Note("VariableChanged"); }
  void AmplitudeChanged() override { Note("AmplitudeChanged"); }
  void FilterChanged() override { Note("FilterChanged"); }
  void SyncPulseChanged() override { Note("SyncPulseChanged"); }
  void Refresh() override { Note("Refresh"); }
  void SaveToNonVolatile() override { Note("SaveToNonVolatile"); }
  void RescaleAmplitude() override { Note("RescaleAmplitude"); }
  void Changed() override { Note("Changed"); }
  void Initialize() override { Note("Initialize"); }
  void UpdateView() override { Note("UpdateView"); }

 private:
  void Note(const std::string& name) {
    journal_.Add(name);
    if (auto it = on.find(name); it != on.end() && it->second) it->second();
  }
  Journal& journal_;
};

inline std::string Num(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

// A number that forwards to a real one and logs every set-up write as "<tag>.<field>=<v>".
// `echo` runs after a Value write: the request number uses it to pass the request on.
class LoggingNumber final : public ValueNumberObj {
 public:
  LoggingNumber(std::shared_ptr<ValueNumberObj> inner, Journal* log, std::string tag,
                std::function<void(double)> echo = {})
      : inner_(std::move(inner)), log_(log), tag_(std::move(tag)), echo_(std::move(echo)) {}

  double Value() const override { return inner_->Value(); }
  void SetValue(double v) override {
    Log("Value", Num(v));
    inner_->SetValue(v);
    if (echo_) echo_(v);
  }
  double PreviousValue() const override { return inner_->PreviousValue(); }
#define ZN_FORWARD(T, Name, Show)                     \
  T Name() const override { return inner_->Name(); }  \
  void Set##Name(T v) override {                       \
    Log(#Name, Show(v));                               \
    inner_->Set##Name(v);                              \
  }
  ZN_FORWARD(double, LowerBoundA, Num)
  ZN_FORWARD(double, UpperBoundA, Num)
  ZN_FORWARD(double, LowerBoundB, Num)
  ZN_FORWARD(double, UpperBoundB, Num)
  ZN_FORWARD(double, DefaultValue, Num)
  ZN_FORWARD(int32_t, SetupH, std::to_string)
  ZN_FORWARD(double, InitialValue, Num)
  ZN_FORWARD(double, Scale, Num)
  ZN_FORWARD(int32_t, SetupI, std::to_string)
  ZN_FORWARD(int32_t, SetupJ, std::to_string)
  ZN_FORWARD(int32_t, SetupK, std::to_string)
#undef ZN_FORWARD
  std::string Format() const override { return inner_->Format(); }
  void SetFormat(const std::string& v) override {
    Log("Format", v);
    inner_->SetFormat(v);
  }
  std::string Label() const override { return inner_->Label(); }
  void SetLabel(const std::string& v) override {
    Log("Label", v);
    inner_->SetLabel(v);
  }

 private:
  void Log(const char* field, const std::string& v) {
    if (log_) log_->Add(tag_ + "." + field + "=" + v);
  }
  std::shared_ptr<ValueNumberObj> inner_;
  Journal* log_;
  std::string tag_;
  std::function<void(double)> echo_;
};

// A value object of "another component": it forwards to one of ours, logs its set-up and,
// with `echo`, stores a requested number in Number() at once, as a drive library that
// answers immediately would. Its events carry the inner object as newVal.
class LoggingValueObj final : public ValueObj {
 public:
  LoggingValueObj(Journal* log, std::string tag, bool echo)
      : inner_(BasicValueObj::create()), log_(log), tag_(std::move(tag)) {
    number_ = std::make_shared<LoggingNumber>(inner_->Number(), log, tag_ + ".Number");
    std::function<void(double)> pass;
    if (echo) pass = [n = inner_->Number()](double v) { n->SetValue(v); };
    request_ = std::make_shared<LoggingNumber>(inner_->RequestNumber(), log,
                                               tag_ + ".RequestNumber", std::move(pass));
  }

  std::shared_ptr<ValueNumberObj> Number() override { return number_; }
  void Refresh() override { inner_->Refresh(); }
#define ZN_FORWARD(T, Name, Show)                     \
  T Name() const override { return inner_->Name(); }  \
  void Set##Name(T v) override {                       \
    Log(#Name, Show(v));                               \
    inner_->Set##Name(v);                              \
  }
  ZN_FORWARD(int32_t, ParamNum, std::to_string)
  ZN_FORWARD(int32_t, SetupA, std::to_string)
  ZN_FORWARD(int32_t, SetupB, std::to_string)
  ZN_FORWARD(int32_t, SetupC, std::to_string)
  ZN_FORWARD(int32_t, SetupD, std::to_string)
  ZN_FORWARD(int32_t, SetupE, std::to_string)
  ZN_FORWARD(int32_t, SetupF, std::to_string)
  ZN_FORWARD(int32_t, SetupG, std::to_string)
  ZN_FORWARD(int32_t, EditLock, std::to_string)
#undef ZN_FORWARD
  std::string Name() const override { return inner_->Name(); }
  void SetName(const std::string& v) override {
    Log("Name", v);
    inner_->SetName(v);
  }
  std::string ShortName() const override { return inner_->ShortName(); }
  void SetShortName(const std::string& v) override {
    Log("ShortName", v);
    inner_->SetShortName(v);
  }
  std::shared_ptr<ValueNumberObj> RequestNumber() override { return request_; }
  void CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& extra) override {
    inner_->CopyContentTo(dest, extra);
  }
  void ApplySetup() override { inner_->ApplySetup(); }
  Cookie Advise(std::shared_ptr<ValueObjEvents> sink) override {
    return inner_->Advise(std::move(sink));
  }
  bool Unadvise(Cookie cookie) override { return inner_->Unadvise(cookie); }

  const std::shared_ptr<BasicValueObj>& inner() const { return inner_; }

 private:
  void Log(const char* field, const std::string& v) {
    if (log_) log_->Add(tag_ + "." + field + "=" + v);
  }
  std::shared_ptr<BasicValueObj> inner_;
  std::shared_ptr<LoggingNumber> number_;
  std::shared_ptr<LoggingNumber> request_;
  Journal* log_;
  std::string tag_;
};

// Installs a value factory for one test and restores ours afterwards.
class FactoryScope {
 public:
  explicit FactoryScope(ValueObjFactory factory) { SetValueObjFactory(std::move(factory)); }
  ~FactoryScope() { SetValueObjFactory({}); }
  FactoryScope(const FactoryScope&) = delete;
  FactoryScope& operator=(const FactoryScope&) = delete;
};

// Runs `call` and returns the automation error it raised (number 0 when none).
template <class Call>
AutomationError CatchError(Call&& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return e;
  }
  return AutomationError(0, "", "");
}

inline AutomationError ListenerError() { return AutomationError(1234, "Listener", "listener failed"); }

// A fresh port with a recording sink advised.
class PortTest : public ::testing::Test {
 protected:
  PortTest() { port->Advise(recorder); }

  // The events one action raises, in order.
  template <class Call>
  std::vector<std::string> Burst(Call&& call) {
    journal.Clear();
    call();
    return journal.lines;
  }

  void SetVariable(double v) { port->Variable()->Number()->SetValue(v); }
  void SetAmplitude(double v) { port->Amplitude()->Number()->SetValue(v); }
  void SetFilter(double v) { port->Filter()->Number()->SetValue(v); }
  void SetRegister(double v) { port->ConfigReg()->Register()->Number()->SetValue(v); }

  std::shared_ptr<MonitorPortStateObj> port = MonitorPortStateObj::create();
  Journal journal;
  std::shared_ptr<PortRecorder> recorder = std::make_shared<PortRecorder>(journal);
};

using Lines = std::vector<std::string>;

}  // namespace zentnet::test
