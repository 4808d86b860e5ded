#pragma once
// Test support for the stimulus state: value objects that journal every write the state
// makes to them, and a sink that journals the state's events into the same journal, so
// that one list shows events and writes in the order they happened.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "recorder.h"
#include "zentnet/testsignal/StimulusStateObj.h"
#include "zentnet/values/factory.h"
#include "zentnet/values/values.h"

namespace zentnet::test {

inline std::string Num(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

struct RecordingTarget {
  Journal* journal;
  std::string tag;
  void Add(const std::string& what) const { journal->Add(tag + "." + what); }
};

// A number that journals the writes the stimulus state relies on.
class RecordingNumber final : public ValueNumberObj {
 public:
  RecordingNumber(std::shared_ptr<ValueNumberObj> inner, std::shared_ptr<RecordingTarget> target,
                  std::string prefix)
      : inner_(std::move(inner)), target_(std::move(target)), prefix_(std::move(prefix)) {}

  double Value() const override { return inner_->Value(); }
  void SetValue(double v) override {
    target_->Add(prefix_ + "Value=" + Num(v));
    inner_->SetValue(v);
  }
  double PreviousValue() const override { return inner_->PreviousValue(); }
  double LowerBoundA() const override { return inner_->LowerBoundA(); }
  void SetLowerBoundA(double v) override { inner_->SetLowerBoundA(v); }
  double UpperBoundA() const override { return inner_->UpperBoundA(); }
  void SetUpperBoundA(double v) override { inner_->SetUpperBoundA(v); }
  double LowerBoundB() const override { return inner_->LowerBoundB(); }
  void SetLowerBoundB(double v) override { inner_->SetLowerBoundB(v); }
  double UpperBoundB() const override { return inner_->UpperBoundB(); }
  void SetUpperBoundB(double v) override { inner_->SetUpperBoundB(v); }
  double DefaultValue() const override { return inner_->DefaultValue(); }
  void SetDefaultValue(double v) override {
    target_->Add(prefix_ + "DefaultValue=" + Num(v));
    inner_->SetDefaultValue(v);
  }
  int32_t SetupH() const override { return inner_->SetupH(); }
  void SetSetupH(int32_t v) override { inner_->SetSetupH(v); }
  std::string Format() const override { return inner_->Format(); }
  void SetFormat(const std::string& v) override { inner_->SetFormat(v); }
  std::string Label() const override { return inner_->Label(); }
  void SetLabel(const std::string& v) override { inner_->SetLabel(v); }
  double InitialValue() const override { return inner_->InitialValue(); }
  void SetInitialValue(double v) override {
    target_->Add(prefix_ + "InitialValue=" + Num(v));
    inner_->SetInitialValue(v);
  }
  double Scale() const override { return inner_->Scale(); }
  void SetScale(double v) override {
    target_->Add(prefix_ + "Scale=" + Num(v));
    inner_->SetScale(v);
  }
  int32_t SetupI() const override { return inner_->SetupI(); }
  void SetSetupI(int32_t v) override { inner_->SetSetupI(v); }
  int32_t SetupJ() const override { return inner_->SetupJ(); }
  void SetSetupJ(int32_t v) override { inner_->SetSetupJ(v); }
  int32_t SetupK() const override { return inner_->SetupK(); }
  void SetSetupK(int32_t v) override { inner_->SetSetupK(v); }

 private:
  std::shared_ptr<ValueNumberObj> inner_;
  std::shared_ptr<RecordingTarget> target_;
  std::string prefix_;
};

// Our value object behind a journaling front. Notifications carry the front, as a drive
// library's own value object would pass itself.
class RecordingValue final : public ValueObj, public std::enable_shared_from_this<RecordingValue> {
 public:
  static std::shared_ptr<RecordingValue> create(Journal* journal, std::string tag) {
    return std::make_shared<RecordingValue>(journal, std::move(tag));
  }
  RecordingValue(Journal* journal, std::string tag)
      : inner_(BasicValueObj::create()),
        target_(std::make_shared<RecordingTarget>(RecordingTarget{journal, std::move(tag)})),
        number_(std::make_shared<RecordingNumber>(inner_->Number(), target_, "")),
        request_(std::make_shared<RecordingNumber>(inner_->RequestNumber(), target_, "Req.")) {}

  const std::string& Tag() const { return target_->tag; }
  void SetTag(std::string tag) { target_->tag = std::move(tag); }
  BasicValueObj& Inner() { return *inner_; }

  std::shared_ptr<ValueNumberObj> Number() override { return number_; }
  void Refresh() override {
    target_->Add("Refresh");
    inner_->Refresh();
  }
  std::string Name() const override { return inner_->Name(); }
  void SetName(const std::string& v) override { inner_->SetName(v); }
  int32_t ParamNum() const override { return inner_->ParamNum(); }
  void SetParamNum(int32_t v) override { inner_->SetParamNum(v); }
  int32_t SetupA() const override { return inner_->SetupA(); }
  void SetSetupA(int32_t v) override {
    target_->Add("SetupA=" + std::to_string(v));
    inner_->SetSetupA(v);
  }
  int32_t SetupB() const override { return inner_->SetupB(); }
  void SetSetupB(int32_t v) override {
    target_->Add("SetupB=" + std::to_string(v));
    inner_->SetSetupB(v);
  }
  int32_t SetupC() const override { return inner_->SetupC(); }
  void SetSetupC(int32_t v) override { inner_->SetSetupC(v); }
  int32_t SetupD() const override { return inner_->SetupD(); }
  void SetSetupD(int32_t v) override { inner_->SetSetupD(v); }
  int32_t SetupE() const override { return inner_->SetupE(); }
  void SetSetupE(int32_t v) override { inner_->SetSetupE(v); }
  int32_t SetupF() const override { return inner_->SetupF(); }
  void SetSetupF(int32_t v) override { inner_->SetSetupF(v); }
  int32_t SetupG() const override { return inner_->SetupG(); }
  void SetSetupG(int32_t v) override { inner_->SetSetupG(v); }

  std::shared_ptr<ValueNumberObj> RequestNumber() override { return request_; }
  int32_t EditLock() const override { return inner_->EditLock(); }
  void SetEditLock(int32_t v) override {
    target_->Add("EditLock=" + std::to_string(v));
    inner_->SetEditLock(v);
  }
  void CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& extra = {}) override {
    auto front = std::dynamic_pointer_cast<RecordingValue>(dest);
    target_->Add("CopyContentTo(" + (front ? front->Tag() : std::string("?")) + ")");
    inner_->CopyContentTo(front ? std::shared_ptr<ValueObj>(front->inner_) : dest, extra);
  }
  std::string ShortName() const override { return inner_->ShortName(); }
  void SetShortName(const std::string& v) override { inner_->SetShortName(v); }
  void ApplySetup() override {
    target_->Add("ApplySetup");
    inner_->ApplySetup();
  }

  Cookie Advise(std::shared_ptr<ValueObjEvents> sink) override {
    return inner_->Advise(std::make_shared<Forwarder>(weak_from_this(), std::move(sink)));
  }
  bool Unadvise(Cookie cookie) override { return inner_->Unadvise(cookie); }

 private:
  class Forwarder final : public ValueObjEvents {
   public:
    Forwarder(std::weak_ptr<RecordingValue> front, std::shared_ptr<ValueObjEvents> sink)
        : front_(std::move(front)), sink_(std::move(sink)) {}
    void Changed(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::Changed); }
    void ValueChanged(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::ValueChanged); }
    void ContentChanged(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::ContentChanged); }
    void Refresh(std::shared_ptr<ValueObj>&) override { Pass(&ValueObjEvents::Refresh); }
    void InitializeCache(double& v, bool& p) override { sink_->InitializeCache(v, p); }

   private:
    void Pass(void (ValueObjEvents::*event)(std::shared_ptr<ValueObj>&)) {
      std::shared_ptr<ValueObj> self = front_.lock();
      ((*sink_).*event)(self);
    }
    std::weak_ptr<RecordingValue> front_;
    std::shared_ptr<ValueObjEvents> sink_;
  };

  std::shared_ptr<BasicValueObj> inner_;
  std::shared_ptr<RecordingTarget> target_;
  std::shared_ptr<RecordingNumber> number_;
  std::shared_ptr<RecordingNumber> request_;
};

// Journals every event of the state; hooks let a test act from inside a listener.
class StimulusRecorder final : public StimulusStateObjEvents {
 public:
  explicit StimulusRecorder(Journal* journal, std::string prefix = {})
      : journal_(journal), prefix_(std::move(prefix)) {}

  std::function<void()> onModeChanged;
  std::function<void(bool&)> onTrackingLimSetup;
  std::function<void(StimGenModes)> onAdjust;

  void AmplitudeChanged() override { Add("AmplitudeChanged"); }
  void PeriodChanged() override { Add("PeriodChanged"); }
  void ModeChanged() override {
    Add("ModeChanged");
    if (onModeChanged) onModeChanged();
  }
  void StimulusChanged() override { Add("StimulusChanged"); }
  void UIModeChanged() override { Add("UIModeChanged"); }
  void UIchanged() override { Add("UIchanged"); }
  void TrackingLimSetup(bool& cancel) override {
    Add("TrackingLimSetup");
    if (onTrackingLimSetup) onTrackingLimSetup(cancel);
  }
  void AdjustAmplitudeScaling(StimGenModes& newMode) override {
    Add("AdjustAmplitudeScaling(" + std::to_string(newMode) + ")");
    if (onAdjust) onAdjust(newMode);
  }
  void Refresh() override { Add("Refresh"); }
  void UpdateView() override { Add("UpdateView"); }

 private:
  void Add(const std::string& line) { journal_->Add(prefix_ + line); }
  Journal* journal_;
  std::string prefix_;
};

using Lines = std::vector<std::string>;

// Every value object created while a test runs is a RecordingValue, tagged in creation
// order. The state creates Mode, Period, Amplitude, the configuration register's value,
// TrackingLimit and SampleRate, in that order.
class StimulusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetValueObjFactory([this]() -> std::shared_ptr<ValueObj> {
      std::string tag = pendingTags_.empty() ? "V" + std::to_string(created_.size())
                                             : pendingTags_.front();
      if (!pendingTags_.empty()) pendingTags_.pop_front();
      auto v = RecordingValue::create(&journal_, tag);
      created_.push_back(v);
      return v;
    });
  }
  void TearDown() override { SetValueObjFactory({}); }

  // A state with its value objects tagged by field, a recording sink advised and the
  // journal cleared.
  // `prefix` goes in front of the value tags and the event names, to tell two states apart.
  std::shared_ptr<StimulusStateObj> Make(const std::string& prefix = {}) {
    pendingTags_.clear();
    for (const char* tag : {"Mode", "Period", "Amp", "Config", "TL", "Rate"})
      pendingTags_.push_back(prefix + tag);
    auto s = StimulusStateObj::create();
    rate_ = created_.back();
    recorder_ = std::make_shared<StimulusRecorder>(&journal_, prefix.empty() ? "" : prefix + ":");
    s->Advise(recorder_);
    journal_.Clear();
    return s;
  }

  static RecordingValue& Rec(const std::shared_ptr<ValueObj>& v) {
    return dynamic_cast<RecordingValue&>(*v);
  }

  Lines Take() {
    Lines l = journal_.lines;
    journal_.Clear();
    return l;
  }

  Journal journal_;
  std::deque<std::string> pendingTags_;
  std::vector<std::shared_ptr<RecordingValue>> created_;
  std::shared_ptr<RecordingValue> rate_;  // the sample rate of the last Make()
  std::shared_ptr<StimulusRecorder> recorder_;
};

}  // namespace zentnet::test
