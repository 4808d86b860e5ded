#pragma once
// The scripted drive session of `zentnet demo`, kept in the library so that the
// integration test replays exactly what the tool shows.
//
// One simulated application root and one simulated drive: the port list "1;2", both ports
// opened through RequestNetOpen, the drive found on port 1, status, I/O and error-code
// polls, a configuration field written by a window and sent back by the drive library, a
// stimulus start and stop with the tracking limit swapped and restored, and the ports
// closed by Enabled := false. Every event the application hears is told as one line, in
// the order it is raised; nothing in the narrative depends on the clock or the folder.
//
// The command log, with logging of poll traffic on, is written to "sx_cmds.log" in
// `logFolder` (emptied first) and closed with its banner before the function returns.
// Everything the session created is released when it returns.

#include <functional>
#include <string>

#include "zentnet/services/CmdLog.h"

namespace zentnet {

using DemoLine = std::function<void(const std::string&)>;

// Runs the session, handing each narrative line (without line end) to `say`; returns the
// path of the command log it wrote. `clock` as for CmdLog::createForTesting.
std::string RunDemoSession(const std::string& logFolder, const DemoLine& say,
                           CmdLog::Clock clock = {});

}  // namespace zentnet
