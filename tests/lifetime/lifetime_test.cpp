// Every member that raises, at every event it raises, with a listener that lets go of the
// last outside reference to the raiser right then. Each member is first run with a listener
// that only counts, to learn its events; then once per event with the object dropped at
// that event. Under AddressSanitizer a member that goes on with its object afterwards
// reads freed memory; errors a member raises on purpose are fine.

#include <gtest/gtest.h>

#include "every_event.h"

namespace zentnet::test {
namespace {

TEST(Lifetime, ListenerDropsTheRaiserAtEveryEvent) {
  for (const auto& suite : kSuites) {
    for (const Case& c : suite.cases()) {
      Hits count;
      count.drop = [] {};
      c.run(count);
      ASSERT_FALSE(count.heard.empty()) << suite.cls << " " << c.member << " raises nothing";
      for (size_t at = 1; at <= count.heard.size(); ++at) {
        SCOPED_TRACE(std::string(suite.cls) + " " + c.member + ", dropped at " +
                     count.heard[at - 1] + " (event " + std::to_string(at) + ")");
        Hits hits;
        hits.dropAt = at;
        c.run(hits);
        EXPECT_GE(hits.heard.size(), at);
      }
    }
  }
  // The rows above raise every event of every class: a new event needs its row.
  for (const auto& [cls, ids] : kEventTables)
    for (const auto& e : ids)
      EXPECT_TRUE(Covered()[std::string(cls)].contains(std::string(e.event)))
          << cls << "." << e.event;
}

}  // namespace
}  // namespace zentnet::test
