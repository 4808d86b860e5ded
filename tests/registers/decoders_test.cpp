// What all five decoders share: the set-up of their own value object, which of its
// notifications they hear, holding it without being kept alive by it, moving the
// subscription, and failing reads without a register.

#include <set>

#include "support.h"

namespace zentnet::test {
namespace {

struct Decoder {
  // Assigns another value object; null for the status register, which keeps its own.
  void (*replace)(Object&, std::shared_ptr<ValueObj>);
  Lines setUp;                  // the calls it should make on its own value object, in order
  std::set<std::string> plain;  // properties that never read the register
  std::string fresh;            // and their values in a new object
  uint32_t burstBits;           // a register whose change raises more than one event
  Lines heard;                  // what the notices below raise with burstBits loaded over 0
  std::string name = {};
  std::shared_ptr<Object> object = {};
  std::shared_ptr<FakeValue> value = {};  // the value object it holds
  Lines built = {};                       // the calls construction made on its own value object
};

template <class T, void (T::*Assign)(std::shared_ptr<ValueObj>)>
void Replace(Object& o, std::shared_ptr<ValueObj> v) {
  (static_cast<T&>(o).*Assign)(std::move(v));
}

// One decoder built over strict value objects holding a register loaded beforehand, with
// the calls its construction made on the first of them; an I/O register is handed one.
template <class T>
Decoder Build(const std::shared_ptr<Recorder>& rec, Decoder d) {
  FakeValues values(true, nullptr, -2147421967);  // 0x8000F0F1
  const auto obj = T::create();
  d.name = obj->ClassName(), d.object = obj, d.value = values.made.front();
  d.built = std::exchange(d.value->calls, {});
  d.value->Put(0);
  if constexpr (std::is_same_v<T, IOregisterObj>) {
    d.value = FakeValue::create();
    d.value->SetName("IO");
    obj->SetValueObjRef(d.value);
    d.value->calls.clear();
  }
  obj->Advise(rec);
  return d;
}

std::vector<Decoder> All(const std::shared_ptr<Recorder>& rec) {
  // clang-format off
  return {
      Build<ConfigRegObj>(rec, {Replace<ConfigRegObj, &ConfigRegObj::SetRegister>,
       {"Advise", "Name=Configuration Register", "SetupA=0", "SetupB=26", "ParamNum=15", "SetupC=1",
        "LowerBoundA=-2147483648", "UpperBoundA=2147483647", "SetupH=-1",
        "Value", "DefaultValue=-2147421199"},  // 0x8000F3F1: the unknown motor over the register
       {"CapabilityMask", "VelocityEstimatorMax", "VelocityEstimatorMin"}, "-1 0 0",
       0x220, {"> ValueChanged", "Change", "MotorTypeChanged", "HighLevelFeedbackChanged",
               "> Changed", "> ContentChanged", "UpdateView",
               "> Refresh", "Refresh Configuration Register", "> InitializeCache",
               "InitializeCache 7"}}),
      Build<StatusRegObj>(rec, {nullptr,
       {"Advise", "Name=Status Register", "SetupA=0", "SetupB=6", "ParamNum=72",
        "LowerBoundA=-2147483648", "UpperBoundA=2147483647", "SetupD=6"},
       {"StatusImplemented"}, "-1",
       0x40000801, {"> ValueChanged", "> Changed", "Changed", "EnableChanged false", "LockChanged",
                    "Shutdown", "> ContentChanged", "ContentChanged Status Register",
                    "> Refresh", "Refresh", "> InitializeCache", "InitializeCache 7"}}),
      Build<OptionRegObj>(rec, {Replace<OptionRegObj, &OptionRegObj::SetRegister>,
       {"Advise", "Name=Option register", "SetupA=0", "SetupB=6", "ParamNum=62", "SetupC=1",
        "LowerBoundB=-2147483648", "UpperBoundB=2147483647", "SetupH=-1"},
       {"CapabilityMask"}, "2147483647",
       0x20, {"> ValueChanged", "> Changed", "Change", "FirmwareChanged", "> ContentChanged",
              "> Refresh", "Refresh Option register", "> InitializeCache", "InitializeCache 7"}}),
      Build<IOregisterObj>(rec, {Replace<IOregisterObj, &IOregisterObj::SetValueObjRef>,
       {"Advise"}, {"LastCommutationCode"}, "0",
       0x80, {"> ValueChanged", "> Changed", "CommutationChanged 1,0", "> ContentChanged",
              "> Refresh", "Refresh IO", "> InitializeCache", "InitializeCache 7"}}),
      Build<ErrorCodeObj>(rec, {Replace<ErrorCodeObj, &ErrorCodeObj::SetRegister>,
       {"Advise", "SetupA=0", "SetupB=26", "ParamNum=26", "Name=Error Blink Codes", "SetupE=-1",
        "SetupF=-1", "LowerBoundB=-32768", "SetupC=1", "SetupD=6", "SetupG=0"},
       {}, "",
       0x1, {"> ValueChanged", "> Changed", "Changed", "> ContentChanged", "> Refresh", "Refresh",
             "> InitializeCache", "InitializeCache 7"}}),
  };
  // clang-format on
}

// What a store of the burst number raises: what ValueChanged and Changed raise.
Lines Burst(const Decoder& d) {
  Lines out;
  for (auto it = d.heard.begin(); *it != "> ContentChanged"; ++it)
    if (!it->starts_with("> ")) out.push_back(*it);
  return out;
}

// The members with a specMode argument show "???" instead of failing.
const std::set<std::string> kQuestionMarks = {"InputModeStr", "HighLevelFeedbackStr",
                                              "SyncPulseStr", "ModeLineFoldbackStr",
                                              "LimitSwitchModeStr"};

struct Decoders : ::testing::Test {
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();
  std::vector<Decoder> all = All(rec);

  // Every property that reads the register fails with `number`.
  void ExpectEveryReadFails(Decoder& d, int32_t number) {
    for (const auto name : d.object->PropertyNames()) {
      const std::string n(name);
      if (d.plain.contains(n)) continue;
      if (kQuestionMarks.contains(n)) {
        EXPECT_EQ(d.object->GetProperty(n), Variant("???")) << d.name << "." << n;
        continue;
      }
      try {
        d.object->GetProperty(n);
        ADD_FAILURE() << d.name << "." << n;
      } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), number) << d.name << "." << n;
      }
    }
  }
};

TEST_F(Decoders, SetUpTheirOwnValueObjectInOrderAtConstruction) {
  for (auto& d : all) {
    EXPECT_EQ(d.built, d.setUp) << d.name;
    std::string fresh;
    for (const auto& name : d.plain)
      fresh += (fresh.empty() ? "" : " ") + d.object->GetProperty(name).ToString();
    EXPECT_EQ(fresh, d.fresh) << d.name;
  }
}

// Which of Changed and ValueChanged a decoder hears is part of its contract: a value object
// may raise either alone. By-reference arguments go back through both hops.
TEST_F(Decoders, HearTheirOwnNotificationsOfTheValueObject) {
  using Notice = void (ValueObjEvents::*)(std::shared_ptr<ValueObj>&);
  const std::pair<const char*, Notice> notices[] = {
      {"ValueChanged", &ValueObjEvents::ValueChanged},
      {"Changed", &ValueObjEvents::Changed},
      {"ContentChanged", &ValueObjEvents::ContentChanged},
      {"Refresh", &ValueObjEvents::Refresh},
      {"InitializeCache", nullptr}};
  for (auto& d : all) {
    d.value->Put(d.burstBits);
    rec->lines.clear();
    for (const auto& [name, notice] : notices) {
      rec->lines.push_back(std::string("> ") + name);
      if (notice) {
        d.value->Raise(notice);
        continue;
      }
      double initial = 7;
      bool processed = false;
      d.value->RaiseInitializeCache(initial, processed);
      EXPECT_EQ(initial, 42) << d.name;
      EXPECT_TRUE(processed) << d.name;
    }
    EXPECT_EQ(rec->lines, d.heard) << d.name;
    EXPECT_EQ(d.value->Writes(), 0) << d.name;
  }
}

// The new object is used as supplied: nothing is read, set up or raised.
TEST_F(Decoders, AssigningAnotherValueObjectRaisesNothingAndMovesTheSubscription) {
  for (auto& d : all) {
    if (!d.replace) continue;
    auto other = FakeValue::create();
    d.value->calls.clear();
    rec->lines.clear();
    d.replace(*d.object, other);
    EXPECT_TRUE(rec->lines.empty()) << d.name;
    EXPECT_EQ(other->calls, Lines{"Advise"}) << d.name;
    EXPECT_EQ(d.value->calls, Lines{"Unadvise"}) << d.name;
    StoreBits(d.value, d.burstBits);
    EXPECT_TRUE(rec->lines.empty()) << d.name;
    StoreBits(other, d.burstBits);
    EXPECT_EQ(rec->lines, Burst(d)) << d.name;

    d.replace(*d.object, nullptr);
    StoreBits(other, 0);
    other->Raise(&ValueObjEvents::Refresh);
    EXPECT_EQ(rec->lines, Burst(d)) << d.name;
    ExpectEveryReadFails(d, err::kObjectRequired);
  }
}

}  // namespace
}  // namespace zentnet::test
