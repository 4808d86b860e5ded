// Our value objects: when each notification is raised and what it carries, content copies,
// the lock level, and the replaceable factory.

#include "zentnet/values/values.h"

#include <gtest/gtest.h>

#include "error_text.h"
#include "recorder.h"
#include "fake_value.h"

namespace zentnet::test {
namespace {

using Lines = std::vector<std::string>;

struct Recorder : ValueObjEvents {
  Lines lines;
  void Changed(std::shared_ptr<ValueObj>& v) override { Note("Changed", v); }
  void ValueChanged(std::shared_ptr<ValueObj>& v) override { Note("ValueChanged", v); }
  void ContentChanged(std::shared_ptr<ValueObj>& v) override { Note("ContentChanged", v); }
  void Refresh(std::shared_ptr<ValueObj>& v) override { Note("Refresh", v); }
  void InitializeCache(double& initial, bool& processed) override {
    lines.push_back("InitializeCache " + Show(initial));
    initial = 42;
    processed = true;
  }
  void Note(const char* what, std::shared_ptr<ValueObj>& v) {
    lines.push_back(std::string(what) + " " + v->Name() + " " + Show(v->Number()->Value()) + "<-" +
                    Show(v->Number()->PreviousValue()));
  }
};

struct Basic : ::testing::Test {
  std::shared_ptr<BasicValueObj> v = BasicValueObj::create();
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();
  Basic() {
    v->SetName("v");
    v->Advise(rec);
    v->Advise(rec);  // twice: by-reference arguments reach the second one as the first left them
  }
};

TEST_F(Basic, NotificationsAndWhatTheyCarry) {
  v->Number()->SetValue(5);
  v->Number()->SetValue(5);            // the same number: nothing
  v->RequestNumber()->SetValue(1000);  // a separate number that notifies nobody
  v->Refresh();
  v->ApplySetup();
  v->RaiseContentChanged();
  double initial = 7;
  bool processed = false;
  v->RaiseInitializeCache(initial, processed);
  EXPECT_EQ(rec->lines,
            (Lines{"ValueChanged v 5<-0", "ValueChanged v 5<-0", "Changed v 5<-0", "Changed v 5<-0",
                   "Refresh v 5<-0", "Refresh v 5<-0", "ContentChanged v 5<-0",
                   "ContentChanged v 5<-0", "ContentChanged v 5<-0", "ContentChanged v 5<-0",
                   "InitializeCache 7", "InitializeCache 42"}));
  EXPECT_TRUE(processed);
  EXPECT_EQ(v->RequestNumber()->Value(), 1000);
}

// ValueChanged is spared only while no listener hears it, whatever the order of advising.
TEST(BasicValueObj, ValueChangedReachesAListenerAdvisedAfterOneThatDoesNotHearIt) {
  struct Deaf : ValueObjEvents {
    Deaf() : ValueObjEvents(false, false) {}
  };
  const auto v = BasicValueObj::create();
  const auto rec = std::make_shared<Recorder>();
  v->Advise(std::make_shared<Deaf>());
  const Cookie heard = v->Advise(rec);
  v->Number()->SetValue(3);
  EXPECT_EQ(rec->lines, (Lines{"ValueChanged  3<-0", "Changed  3<-0"}));
  EXPECT_TRUE(v->Unadvise(heard));
  EXPECT_FALSE(v->Unadvise(heard));
}

// A listener that reads, advised during ValueChanged by one that does not, gets the value in
// Changed while someone holds it.
TEST(BasicValueObj, AReaderAdvisedDuringValueChangedGetsTheValue) {
  struct Blind : ValueObjEvents {
    Blind(ValueObj& value, std::shared_ptr<Recorder> reader)
        : ValueObjEvents(false), v(value), r(std::move(reader)) {}
    ValueObj& v;
    std::shared_ptr<Recorder> r;
    void ValueChanged(std::shared_ptr<ValueObj>&) override { v.Advise(r); }
  };
  const auto v = BasicValueObj::create();
  const auto rec = std::make_shared<Recorder>();
  v->Advise(std::make_shared<Blind>(*v, rec));
  v->Number()->SetValue(3);
  EXPECT_EQ(rec->lines, Lines{"Changed  3<-0"});
}

TEST_F(Basic, CopyContentKeepsTheDestinationsIdentityAndSubscribers) {
  auto src = BasicValueObj::create();
  src->SetName("Amplitude");
  src->SetShortName("Amp");
  src->SetParamNum(12);
  src->SetSetupG(22);
  src->Number()->SetUpperBoundB(32767);
  src->Number()->SetValue(9);
  src->RequestNumber()->SetValue(3);
  const auto number = v->Number();
  src->CopyContentTo(v);
  EXPECT_EQ(v->Number(), number);
  const auto n = v->Number();  // bounds the source never set arrive as a fresh value's zeros
  EXPECT_EQ(std::make_tuple(n->LowerBoundA(), n->UpperBoundA(), n->LowerBoundB()),
            std::make_tuple(0.0, 0.0, 0.0));
  EXPECT_EQ(std::make_tuple(v->ShortName(), v->SetupG(), v->Number()->UpperBoundB(),
                            v->RequestNumber()->Value()),
            std::make_tuple("Amp", 22, 32767.0, 3.0));
  v->CopyContentTo(v);  // onto itself: nothing
  EXPECT_EQ(rec->lines, (Lines{"ContentChanged Amplitude 9<-0", "ContentChanged Amplitude 9<-0"}));
  // Another component's value takes what its contract carries.
  auto foreign = FakeValue::create();
  src->CopyContentTo(foreign);
  EXPECT_EQ(foreign->calls, (Lines{"Name=Amplitude", "ShortName=Amp", "ParamNum=12", "Value=9"}));
}

// A new number's set-up is zero throughout, its scale one: what a drive library starts from.
TEST(BasicValueObj, ANewNumberStartsFromZerosAndScaleOne) {
  const auto n = BasicValueObj::create()->Number();
  EXPECT_EQ((std::vector<double>{n->Value(), n->PreviousValue(), n->LowerBoundA(), n->UpperBoundA(),
                                 n->LowerBoundB(), n->UpperBoundB(), n->DefaultValue(),
                                 n->InitialValue(), n->Scale() - 1, double(n->SetupH()),
                                 double(n->SetupI()), double(n->SetupJ()), double(n->SetupK())}),
            std::vector<double>(13, 0.0));
}

TEST(BasicValueObj, NumberHandedOutOutlivesItsValueSafely) {
  std::shared_ptr<ValueNumberObj> number = BasicValueObj::create()->Number();
  number->SetValue(3);  // must not reach back into the destroyed value
  EXPECT_EQ(number->Value(), 3);
}

TEST(BasicLockLevelObj, RaisesChangedOnlyForANewLevel) {
  auto lock = BasicLockLevelObj::create();
  struct Sink : LockLevelObjEvents {
    int count = 0;
    void Changed() override { ++count; }
  };
  auto sink = std::make_shared<Sink>();
  lock->Advise(sink);
  for (LockLevels level : {LOCK_LEVEL_2, LOCK_LEVEL_2, LOCK_LEVEL_0}) lock->SetLevel(level);
  EXPECT_EQ(lock->Level(), LOCK_LEVEL_0);
  EXPECT_EQ(sink->count, 2);
}

TEST(ValueFactory, IsReplaceableAndRestorable) {
  {
    FakeValues fakes(true);
    const auto made = NewValueObj();
    EXPECT_EQ(made, fakes.made.at(0));
  }
  EXPECT_NE(std::dynamic_pointer_cast<BasicValueObj>(NewValueObj()), nullptr);
  SetLockLevelObjFactory([] { return std::shared_ptr<LockLevelObj>(); });
  EXPECT_EQ(ErrorOf([] { (void)NewLockLevelObj(); }),
            "429|ZentNetLib|ActiveX component can't create object||0");
  SetLockLevelObjFactory({});
  EXPECT_NE(std::dynamic_pointer_cast<BasicLockLevelObj>(NewLockLevelObj()), nullptr);
}

}  // namespace
}  // namespace zentnet::test
