#pragma once
// What the decoder tests share: storing a register, expecting an exact automation error,
// and one recording sink that listens to any of the five decoders.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "zentnet/automation/error.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/OptionRegObj.h"
#include "zentnet/registers/StatusRegObj.h"
#include "error_text.h"
#include "fake_value.h"
#include "zentnet/values/values.h"

namespace zentnet::test {

using Lines = std::vector<std::string>;

// Stores a 32-bit pattern as a drive library does: as the signed number.
inline void StoreBits(const std::shared_ptr<ValueObj>& value, uint32_t bits) {
  value->Number()->SetValue(static_cast<double>(static_cast<int32_t>(bits)));
}
inline uint32_t BitsOf(const std::shared_ptr<ValueObj>& value) {
  return static_cast<uint32_t>(static_cast<int32_t>(value->Number()->Value()));
}
inline std::string Hex(uint32_t bits) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "%08X", bits);
  return buf;
}

// Runs `call` and expects exactly this error of the runtime.
template <class Call>
void ExpectError(int32_t number, const std::string& description, Call&& call) {
  EXPECT_EQ(ErrorOf(call), std::to_string(number) + "|ZentNetLib|" + description + "||0");
}
template <class Call>
void ExpectOverflow(Call&& call) {
  ExpectError(err::kOverflow, "Overflow", call);
}
template <class Call>
void ExpectMissingObject(Call&& call) {
  ExpectError(err::kObjectRequired, "Object variable or With block variable not set", call);
}
template <class Call>
void ExpectNoText(int32_t id, Call&& call) {
  ExpectError(err::kResourceNotFound,
              "Resource with identifier '" + std::to_string(id) + "' not found", call);
}

// The late-bound properties `names` of `o` as numbers (true is -1), joined by blanks.
inline std::string Values(Object& o, std::initializer_list<const char*> names) {
  std::string out;
  for (const char* name : names)
    out += (out.empty() ? "" : " ") + std::to_string(o.GetProperty(name).ToLong());
  return out;
}

// A write of `value` through the setter `set`, for tables of writes.
template <class T, class V>
std::function<void(T&)> Writing(void (T::*set)(V), int32_t value) {
  return [=](T& o) { (o.*set)(static_cast<V>(value)); };
}

// Notes every event as one line, "Name args"; with `watch` set, each line ends with that
// register in hex. `then` runs after each line is noted, so a test can act inside an event.
struct Recorder : ConfigRegObjEvents,
                  StatusRegObjEvents,
                  OptionRegObjEvents,
                  IOregisterObjEvents,
                  ErrorCodeObjEvents {
  Lines lines;
  std::shared_ptr<ValueObj> watch;
  std::function<void(const std::string& line)> then;
  double supply = 42;  // InitializeCache answers this, processed

  void Note(std::string line) {
    if (watch) line += " " + Hex(BitsOf(watch));
    lines.push_back(line);
    if (then) then(line);
  }
  void Refresh(std::shared_ptr<ValueObj>& v) override { Note("Refresh " + v->Name()); }
  void ContentChanged(std::shared_ptr<ValueObj>& v) override {
    Note("ContentChanged " + v->Name());
  }
  void EnableChanged(bool& newState) override {
    Note(newState ? "EnableChanged true" : "EnableChanged false");
  }
  void CommutationChanged(int32_t& code, int32_t& last) override {
    Note("CommutationChanged " + std::to_string(code) + "," + std::to_string(last));
  }
  void InitializeCache(double& initialValue, bool& processed) override {
    Note("InitializeCache " + std::to_string(static_cast<int>(initialValue)));
    initialValue = supply;
    processed = true;
  }
  // One member per macro:
  // clang-format off
#define NOTE(Event) void Event() override { Note(#Event); }
  NOTE(Change) NOTE(UpdateView) NOTE(MotorTypeChanged) NOTE(HighLevelFeedbackChanged)
  NOTE(FirmwareChanged) NOTE(Changed) NOTE(Refresh) NOTE(LimitHit) NOTE(OverSpeed)
  NOTE(Hardstopped) NOTE(Shutdown) NOTE(LockChanged)
#undef NOTE
  // clang-format on
};

// A decoder, the strict fake value object it holds (an I/O register is handed one) and a
// recorder subscribed to it.
template <class T>
struct DecoderTest : ::testing::Test {
  std::shared_ptr<T> obj;
  std::shared_ptr<FakeValue> value;
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();

  DecoderTest() {
    FakeValues values(true);
    obj = T::create();
    value = values.made.front();
    if constexpr (std::is_same_v<T, IOregisterObj>)
      obj->SetValueObjRef(value = FakeValue::create());
    obj->Advise(rec);
  }
  // Loads the register as a drive library would, then forgets what that caused.
  void Load(uint32_t bits) {
    StoreBits(value, bits);
    rec->lines.clear();
    value->calls.clear();
  }
  void Store(double number) { value->Number()->SetValue(number); }
  uint32_t Bits() const { return BitsOf(value); }
};

}  // namespace zentnet::test
