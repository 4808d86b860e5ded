// The demo's session replayed through the library: the events the application hears, in
// order, and the exchanges the simulated drive library logged.

#include "zentnet/sim/DemoSession.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim_support.h"

namespace zentnet {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct Session {
  std::vector<std::string> lines;
  std::string logPath;
};

Session RunSession(const test::ScratchFolder& folder) {
  Session s;
  s.logPath = RunDemoSession(
      folder.str(), [&](const std::string& line) { s.lines.push_back(line); },
      [] { return int64_t{1767225600}; });
  return s;
}

// The lines that tell an event ("   StatusRegObj.Changed"), without their indent.
std::vector<std::string> EventLines(const std::vector<std::string>& lines) {
  std::vector<std::string> events;
  for (const auto& line : lines) {
    if (line.rfind("   ", 0) != 0) continue;
    const std::string body = line.substr(3);
    const size_t dot = body.find("Obj.");
    if (dot != std::string::npos && body.find(' ') > dot) events.push_back(body);
  }
  return events;
}

// One run, read two ways, then run again: the same lines and a fresh log.
TEST(DemoSession, ReplaysTheSessionThroughTheLibrary) {
  test::ScratchFolder folder;
  const Session s = RunSession(folder);
  // The events the application hears, in raising order.
  EXPECT_THAT(
      EventLines(s.lines),
      ElementsAreArray<std::string>({
          // Ports := "1;2": each new adapter is renumbered from 0, then the list.
          "NetSupervisorObj.NetworkChanged(LPT1, 9 \"Stopping...\")",
          "NetSupervisorObj.NetworkChanged(LPT2, 5 \"Starting...\")",
          "NetSupervisorObj.NetworkChanged(LPT1, 9 \"Stopping...\")",
          "NetSupervisorObj.NetworkChanged(LPT3, 5 \"Starting...\")",
          "NetSupervisorObj.NetworkChanged(none, 5 \"Starting...\")",
          "NetSupervisorObj.RequestNetOpen(LPT2, newState true, PortNumber 1) -> success true",
          "NetSupervisorObj.RequestNetOpen(LPT3, newState true, PortNumber 2) -> success true",
          "NetSupervisorObj.NetworkChanged(LPT2, 1 \"ONLINE\")",
          // 0x800 -> 0x40000000
          "StatusRegObj.Changed",
          "StatusRegObj.EnableChanged(newState true)",
          "DriveEventObj.EnableChanged(drive 1, newState true)",
          "StatusRegObj.LockChanged (LockLevel 1)",
          // -> 0x40000A21: the lock level stays, two faults rise
          "StatusRegObj.Changed",
          "StatusRegObj.EnableChanged(newState false)",
          "DriveEventObj.EnableChanged(drive 1, newState false)",
          "StatusRegObj.Shutdown",
          "StatusRegObj.LimitHit",
          "IOregisterObj.CommutationChanged(thisCode 3, lastCode 1)",
          "ConfigRegObj.Change",
          "ErrorCodeObj.Changed",
          "NetSupervisorObj.RequestNetOpen(LPT2, newState false, PortNumber 1) -> success true",
          "NetSupervisorObj.NetworkChanged(LPT2, 0 \"OFFLINE\")",
          "NetSupervisorObj.RequestNetOpen(LPT3, newState false, PortNumber 2) -> success true",
          "NetSupervisorObj.NetworkChanged(LPT3, 0 \"OFFLINE\")",
      }));

  // The log holds every exchange between its banners.
  EXPECT_EQ(s.logPath, folder.LogPath());
  EXPECT_THAT(
      test::LogLines(s.logPath),
      ElementsAre(" ******** Session Started *********",
                  " cmd: ST => v 1073741824\\XD [0x40000000]",
                  " cmd: ST => v 1073744417\\XD [0x40000A21]", " cmd: IO => v 384\\XD [0x180]",
                  " cmd: CF 33554944 [0x2000200] => ok\\XD", " cmd: SA 800 [0x320] => ok\\XD",
                  " cmd: SP 100 [0x64] => ok\\XD", " cmd: TL 1000 [0x3E8] => ok\\XD",
                  " cmd: SM 3 [0x3] => ok\\XD", " cmd: TL 400 [0x190] => ok\\XD",
                  " cmd: SM 0 [0x0] => ok\\XD", " cmd: EC => v 65616\\XD [0x10050]",
                  " ******** Session Closed *********"));

  const std::string firstLog = test::ReadFile(s.logPath);
  const Session second = RunSession(folder);
  EXPECT_EQ(second.lines, s.lines);
  EXPECT_EQ(test::ReadFile(second.logPath), firstLog);  // emptied, not appended to
}

}  // namespace
}  // namespace zentnet
