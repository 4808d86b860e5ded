#include "zentnet/values/values.h"

#include <gtest/gtest.h>

#include "recorder.h"
#include "zentnet/values/factory.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;

class Recorder : public ValueObjEvents {
 public:
  explicit Recorder(test::Journal& j) : j_(j) {}
  void Changed(std::shared_ptr<ValueObj>& v) override { Note("Changed", v); }
  void ValueChanged(std::shared_ptr<ValueObj>& v) override { Note("ValueChanged", v); }
  void ContentChanged(std::shared_ptr<ValueObj>& v) override { Note("ContentChanged", v); }
  void Refresh(std::shared_ptr<ValueObj>& v) override { Note("Refresh", v); }
  void InitializeCache(double& initial, bool& processed) override {
    j_.Add("InitializeCache " + std::to_string(static_cast<int>(initial)));
    initial = 42;
    processed = true;
  }

 private:
  void Note(const char* what, const std::shared_ptr<ValueObj>& v) {
    const auto n = v->Number();
    j_.Add(std::string(what) + " " + std::to_string(static_cast<int>(n->Value())) + "<-" +
           std::to_string(static_cast<int>(n->PreviousValue())));
  }
  test::Journal& j_;
};

TEST(BasicValueObj, AWriteOfADifferentNumberRaisesValueChangedThenChanged) {
  test::Journal j;
  auto v = BasicValueObj::create();
  v->Advise(std::make_shared<Recorder>(j));
  v->Number()->SetValue(5);
  v->Number()->SetValue(5);  // same number: nothing
  v->Number()->SetValue(-1);
  EXPECT_EQ(j.lines, (Lines{"ValueChanged 5<-0", "Changed 5<-0", "ValueChanged -1<-5",
                            "Changed -1<-5"}));
}

TEST(BasicValueObj, DriveLibraryNoticesReachSubscribers) {
  test::Journal j;
  auto v = BasicValueObj::create();
  v->Advise(std::make_shared<Recorder>(j));
  v->Refresh();
  v->ApplySetup();
  v->RaiseContentChanged();
  double initial = 7;
  bool processed = false;
  v->RaiseInitializeCache(initial, processed);
  EXPECT_EQ(initial, 42);
  EXPECT_TRUE(processed);
  EXPECT_EQ(j.lines, (Lines{"Refresh 0<-0", "ContentChanged 0<-0", "ContentChanged 0<-0",
                            "InitializeCache 7"}));
}

TEST(BasicValueObj, RequestNumberIsSeparateAndSilent) {
  test::Journal j;
  auto v = BasicValueObj::create();
  v->Advise(std::make_shared<Recorder>(j));
  v->RequestNumber()->SetValue(1000);
  EXPECT_EQ(v->RequestNumber()->Value(), 1000);
  EXPECT_EQ(v->Number()->Value(), 0);
  EXPECT_TRUE(j.lines.empty());
}

TEST(BasicValueObj, CopyContentKeepsTheDestinationsIdentityAndSubscribers) {
  test::Journal j;
  auto src = BasicValueObj::create();
  auto dest = BasicValueObj::create();
  dest->Advise(std::make_shared<Recorder>(j));
  src->SetName("Amplitude");
  src->SetSetupB(22);
  src->SetEditLock(2);
  src->Number()->SetUpperBoundB(32767);
  src->Number()->SetValue(9);
  src->RequestNumber()->SetValue(3);
  const auto destNumber = dest->Number();
  src->CopyContentTo(dest);
  EXPECT_EQ(dest->Number(), destNumber);
  EXPECT_EQ(dest->Name(), "Amplitude");
  EXPECT_EQ(dest->SetupB(), 22);
  EXPECT_EQ(dest->EditLock(), 2);
  EXPECT_EQ(dest->Number()->UpperBoundB(), 32767);
  EXPECT_EQ(dest->RequestNumber()->Value(), 3);
  EXPECT_EQ(j.lines, (Lines{"ContentChanged 9<-0"}));
}

TEST(BasicValueObj, NumberHandedOutOutlivesItsValueSafely) {
  std::shared_ptr<ValueNumberObj> number;
  {
    auto v = BasicValueObj::create();
    number = v->Number();
  }
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
  LockLevels level = LOCK_LEVEL_2;
  lock->SetLevel(level);
  lock->SetLevel(level);
  EXPECT_EQ(lock->Level(), LOCK_LEVEL_2);
  EXPECT_EQ(sink->count, 1);
}

TEST(ValueFactory, IsReplaceableAndRestorable) {
  int made = 0;
  SetValueObjFactory([&] {
    ++made;
    return BasicValueObj::create();
  });
  NewValueObj();
  EXPECT_EQ(made, 1);
  SetValueObjFactory(nullptr);
  SetValueObjFactory([] { return std::shared_ptr<ValueObj>(); });
  try {
    NewValueObj();
    ADD_FAILURE();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 429);
  }
  SetValueObjFactory({});
  EXPECT_NE(std::dynamic_pointer_cast<BasicValueObj>(NewValueObj()), nullptr);
  EXPECT_EQ(made, 1);
}

}  // namespace
}  // namespace zentnet
