#include "zentnet/automation/events.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "error_text.h"
#include "recorder.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;

class TickEvents {
 public:
  virtual ~TickEvents() = default;
  virtual void Tick(int& /*n*/) {}
};

class Ticker : public EventHost<TickEvents>, public std::enable_shared_from_this<Ticker> {
 public:
  void Tick(int& n) {
    events_.Raise(shared_from_this(), [&](TickEvents& s) { s.Tick(n); });
  }
  size_t Sinks() const { return events_.Count(); }
};

// A sink that journals "name:n" and then acts.
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

struct EventSourceTest : ::testing::Test {
  test::Journal j;
  std::shared_ptr<Ticker> t = std::make_shared<Ticker>();
  Cookie Add(std::string name, std::function<void(int&)> act = {}) {
    return t->Advise(std::make_shared<Probe>(j, std::move(name), std::move(act)));
  }
  Lines Tick(int n = 0) {
    t->Tick(n);
    return std::exchange(j.lines, {});
  }
};

// Subscription order, by-reference arguments seen by later sinks, and a nested raise.
TEST_F(EventSourceTest, RaisesInSubscriptionOrderAndPassesReferences) {
  Add("a", [&](int& n) {
    int inner = 5;
    if (n == 1) t->Tick(inner);
    n += 10;
  });
  Add("b");
  int n = 1;
  t->Tick(n);
  EXPECT_EQ(j.lines, (Lines{"a:1", "a:5", "b:15", "b:11"}));
  EXPECT_EQ(n, 11);
}

TEST_F(EventSourceTest, CookiesAreDistinctNeverReusedAndEndTheSubscription) {
  const Cookie a = Add("a"), b = Add("b");
  EXPECT_NE(a, b);
  EXPECT_TRUE(t->Unadvise(a));
  EXPECT_FALSE(t->Unadvise(a));
  EXPECT_FALSE(t->Unadvise(12345));
  EXPECT_EQ(Tick(), Lines{"b:0"});
  EXPECT_GT(Add("c"), b);
  EXPECT_THROW(t->Advise(nullptr), AutomationError);
  EXPECT_EQ(t->Sinks(), 2u);
}

// Sinks unadvised during a raise are not called afterwards; sinks advised during it first
// hear the next one.
TEST_F(EventSourceTest, SubscriptionsChangedDuringARaise) {
  Cookie self = 0, victim = 0;
  bool added = false;
  self = Add("once", [&](int&) { t->Unadvise(self); });
  Add("killer", [&](int&) { t->Unadvise(victim); });
  victim = Add("victim");
  Add("adder", [&](int&) {
    if (!std::exchange(added, true)) Add("late");
  });
  EXPECT_EQ(Tick(), (Lines{"once:0", "killer:0", "adder:0"}));
  EXPECT_EQ(Tick(), (Lines{"killer:0", "adder:0", "late:0"}));
}

TEST_F(EventSourceTest, ExceptionFromASinkStopsTheRaiseAndReachesTheCaller) {
  Add("first");
  Add("thrower", [](int&) { throw AutomationError(1234, "Sink", "refused"); });
  Add("never");
  EXPECT_EQ(test::ErrorOf([&] { Tick(); }), "1234|Sink|refused||0");
  EXPECT_EQ(j.lines, (Lines{"first:0", "thrower:0"}));
  EXPECT_EQ(t->Sinks(), 3u);  // a failed raise changes no subscription
}

// A sink that raises again from inside its own event nests up to the bound and no further:
// the raise beyond it fails with 28, which unwinds every level, and the next attempt finds
// the whole depth free again.
TEST_F(EventSourceTest, NestingBeyondTheBoundRaisesOutOfStackSpace) {
  int stop = 0, deepest = 0;
  t->Advise(std::make_shared<Probe>(j, "loop", [&](int& n) {
    deepest = n;
    int next = n + 1;
    if (n < stop) t->Tick(next);
  }));
  const std::pair<int, const char*> runs[] = {
      {kMaxRaiseNesting + 1, "28|ZentNetLib|Out of stack space||0"},
      {kMaxRaiseNesting, "no error"}};
  for (const auto& [limit, error] : runs) {
    stop = limit;
    EXPECT_EQ(test::ErrorOf([&] { Tick(1); }), error);
    EXPECT_EQ(deepest, kMaxRaiseNesting);
  }
}

}  // namespace
}  // namespace zentnet
