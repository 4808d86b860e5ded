#include "zentnet/automation/events.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recorder.h"

namespace zentnet {
namespace {

class TickEvents {
 public:
  virtual ~TickEvents() = default;
  virtual void Tick(int& /*n*/) {}
};

class Ticker : public EventHost<TickEvents>, public std::enable_shared_from_this<Ticker> {
 public:
  explicit Ticker(bool* destroyed = nullptr) : destroyed_(destroyed) {}
  ~Ticker() {
    if (destroyed_) *destroyed_ = true;
  }
  void Tick(int& n) { events_.Raise(shared_from_this(), [&](TickEvents& s) { s.Tick(n); }); }
  size_t Sinks() const { return events_.Count(); }

 private:
  bool* destroyed_;
};

// A sink whose behaviour is a lambda, journaling its name.
class Probe : public TickEvents {
 public:
  Probe(test::Journal& j, std::string name, std::function<void(int&)> act = {})
      : j_(j), name_(std::move(name)), act_(std::move(act)) {}
  void Tick(int& n) override {
    j_.Add(name_ + ":" + std::to_string(n));
    if (act_) act_(n);
  }

 private:
  test::Journal& j_;
  std::string name_;
  std::function<void(int&)> act_;
};

using Lines = std::vector<std::string>;

TEST(EventSource, RaisesInSubscriptionOrderAndPassesReferences) {
  test::Journal j;
  auto t = std::make_shared<Ticker>();
  t->Advise(std::make_shared<Probe>(j, "a", [](int& n) { n += 10; }));
  t->Advise(std::make_shared<Probe>(j, "b"));
  int n = 1;
  t->Tick(n);
  EXPECT_EQ(j.lines, (Lines{"a:1", "b:11"}));
  EXPECT_EQ(n, 11);
}

TEST(EventSource, CookiesAreDistinctAndUnadviseEndsTheSubscription) {
  test::Journal j;
  auto t = std::make_shared<Ticker>();
  const Cookie a = t->Advise(std::make_shared<Probe>(j, "a"));
  const Cookie b = t->Advise(std::make_shared<Probe>(j, "b"));
  EXPECT_NE(a, b);
  EXPECT_TRUE(t->Unadvise(a));
  EXPECT_FALSE(t->Unadvise(a));
  EXPECT_FALSE(t->Unadvise(12345));
  int n = 0;
  t->Tick(n);
  EXPECT_EQ(j.lines, (Lines{"b:0"}));
  const Cookie c = t->Advise(std::make_shared<Probe>(j, "c"));
  EXPECT_GT(c, b);  // never reused
}

TEST(EventSource, NullSinkIsAMissingObject) {
  auto t = std::make_shared<Ticker>();
  try {
    t->Advise(nullptr);
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 91);
  }
}

TEST(EventSource, SinkThatUnadvisesItselfIsNotCalledAgain) {
  test::Journal j;
  auto t = std::make_shared<Ticker>();
  Cookie self = 0;
  self = t->Advise(std::make_shared<Probe>(j, "once", [&](int&) { t->Unadvise(self); }));
  t->Advise(std::make_shared<Probe>(j, "always"));
  int n = 0;
  t->Tick(n);
  t->Tick(n);
  EXPECT_EQ(j.lines, (Lines{"once:0", "always:0", "always:0"}));
}

TEST(EventSource, SinkUnadvisedByAnotherDuringTheRaiseIsSkipped) {
  test::Journal j;
  auto t = std::make_shared<Ticker>();
  Cookie victim = 0;
  t->Advise(std::make_shared<Probe>(j, "killer", [&](int&) { t->Unadvise(victim); }));
  victim = t->Advise(std::make_shared<Probe>(j, "victim"));
  t->Advise(std::make_shared<Probe>(j, "last"));
  int n = 0;
  t->Tick(n);
  EXPECT_EQ(j.lines, (Lines{"killer:0", "last:0"}));
}

TEST(EventSource, SinkAdvisedDuringTheRaiseHearsTheNextOne) {
  test::Journal j;
  auto t = std::make_shared<Ticker>();
  bool added = false;
  t->Advise(std::make_shared<Probe>(j, "adder", [&](int&) {
    if (!added) t->Advise(std::make_shared<Probe>(j, "late"));
    added = true;
  }));
  int n = 0;
  t->Tick(n);
  t->Tick(n);
  EXPECT_EQ(j.lines, (Lines{"adder:0", "adder:0", "late:0"}));
}

TEST(EventSource, RaiserOutlivesASinkThatDropsTheLastReference) {
  test::Journal j;
  bool destroyed = false;
  auto t = std::make_shared<Ticker>(&destroyed);
  std::shared_ptr<Ticker> owner = t;
  t->Advise(std::make_shared<Probe>(j, "dropper", [&](int&) { owner.reset(); }));
  t->Advise(std::make_shared<Probe>(j, "after", [&](int&) { EXPECT_FALSE(destroyed); }));
  Ticker* raw = t.get();
  t.reset();
  int n = 0;
  raw->Tick(n);  // under ASan a freed raiser would be caught here
  EXPECT_EQ(j.lines, (Lines{"dropper:0", "after:0"}));
  EXPECT_TRUE(destroyed);
}

TEST(EventSource, ExceptionFromASinkStopsTheRaiseAndReachesTheCaller) {
  test::Journal j;
  auto t = std::make_shared<Ticker>();
  t->Advise(std::make_shared<Probe>(j, "first"));
  t->Advise(std::make_shared<Probe>(
      j, "thrower", [](int&) { throw AutomationError(5, "Sink", "refused"); }));
  t->Advise(std::make_shared<Probe>(j, "never"));
  int n = 0;
  try {
    t->Tick(n);
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 5);
    EXPECT_EQ(e.Source(), "Sink");
    EXPECT_EQ(e.Description(), "refused");
  }
  EXPECT_EQ(j.lines, (Lines{"first:0", "thrower:0"}));
  EXPECT_EQ(t->Sinks(), 3u);  // a failed raise changes no subscription
}

TEST(EventSource, NestedRaiseFromASinkSeesTheSameSinks) {
  test::Journal j;
  auto t = std::make_shared<Ticker>();
  t->Advise(std::make_shared<Probe>(j, "outer", [&](int& n) {
    if (n == 0) {
      int inner = 1;
      t->Tick(inner);
    }
  }));
  t->Advise(std::make_shared<Probe>(j, "second"));
  int n = 0;
  t->Tick(n);
  EXPECT_EQ(j.lines, (Lines{"outer:0", "outer:1", "second:1", "second:0"}));
}

class Holder;
class HolderSink : public TickEvents {};

TEST(Subscribed, MovesTheSubscriptionAndEndsItOnDestruction) {
  auto first = std::make_shared<Ticker>();
  auto second = std::make_shared<Ticker>();
  auto sink = std::make_shared<HolderSink>();
  {
    Subscribed<Ticker, TickEvents> held;
    held.Reset(first, sink);
    EXPECT_EQ(first->Sinks(), 1u);
    held.Reset(second, sink);
    EXPECT_EQ(first->Sinks(), 0u);
    EXPECT_EQ(second->Sinks(), 1u);
    held.Reset(nullptr, sink);
    EXPECT_EQ(second->Sinks(), 0u);
    EXPECT_FALSE(held);
    held.Reset(first, sink);
  }
  EXPECT_EQ(first->Sinks(), 0u);
}

TEST(Subscribed, ArrowOnNothingIsAMissingObject) {
  Subscribed<Ticker, TickEvents> held;
  try {
    (void)held->Sinks();
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 91);
    EXPECT_EQ(e.Description(), "Object variable or With block variable not set");
  }
}

}  // namespace
}  // namespace zentnet
