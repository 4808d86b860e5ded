#pragma once
// Shared set-up of the configuration register tests: a decoder on its own value object
// and a recording sink that notes, with each event, the register number at that moment.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "recorder.h"
#include "zentnet/automation/error.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/values/values.h"

namespace zentnet::config_test {

using Lines = std::vector<std::string>;

inline std::string Hex(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", static_cast<uint32_t>(v));
  return buf;
}

class ConfigRecorder : public ConfigRegObjEvents {
 public:
  ConfigRecorder(test::Journal& j, std::shared_ptr<ValueObj> value)
      : j_(j), value_(std::move(value)) {}
  void Change() override { Note("Change"); }
  void UpdateView() override { Note("UpdateView"); }
  void MotorTypeChanged() override { Note("MotorTypeChanged"); }
  void HighLevelFeedbackChanged() override { Note("HighLevelFeedbackChanged"); }
  void Refresh(std::shared_ptr<ValueObj>& newVal) override {
    j_.Add(newVal == value_ ? "Refresh register" : "Refresh other");
  }
  void InitializeCache(double& initialValue, bool& processed) override {
    j_.Add("InitializeCache " + std::to_string(static_cast<int>(initialValue)));
    initialValue = supply;
    processed = true;
  }
  double supply = 0;

 private:
  void Note(const std::string& event) {
    j_.Add(event + " " + Hex(static_cast<int32_t>(value_->Number()->Value())));
  }
  test::Journal& j_;
  std::shared_ptr<ValueObj> value_;
};

struct ConfigFixture : ::testing::Test {
  std::shared_ptr<ConfigRegObj> config = ConfigRegObj::create();
  std::shared_ptr<ValueObj> value = config->Register();
  test::Journal j;
  std::shared_ptr<ConfigRecorder> sink = std::make_shared<ConfigRecorder>(j, value);

  Cookie cookie = 0;

  void SetUp() override { cookie = config->Advise(sink); }
  // Loads the register as the drive library would, then forgets the events it caused.
  void Load(uint32_t bits) {
    value->Number()->SetValue(static_cast<double>(static_cast<int32_t>(bits)));
    j.Clear();
  }
  uint32_t Bits() const { return static_cast<uint32_t>(static_cast<int32_t>(value->Number()->Value())); }
  void Capability(uint32_t mask) { config->SetCapabilityMask(static_cast<ConfigRegMasks>(mask)); }
};

// Runs `call` and expects the automation error `number` from the runtime.
template <class Call>
void ExpectRuntimeError(int32_t number, const std::string& description, Call&& call) {
  try {
    call();
    ADD_FAILURE() << "expected error " << number;
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), number);
    EXPECT_EQ(e.Source(), err::kRuntimeSource);
    EXPECT_EQ(e.Description(), description);
  }
}

}  // namespace zentnet::config_test
