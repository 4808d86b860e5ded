// The string table: exactly the published ids, the texts other parts quote, the loader's
// error, the torque/force marker; and the version record.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>

#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"
#include "zentnet/resources/version.h"

namespace zentnet {
namespace {

// "326 ZentNetLib: ..." for the loader's error, the text otherwise.
std::string Load(int32_t id, int marked = -1) {
  try {
    return marked < 0 ? LoadResString(id) : MarkedText(id, marked == 1);
  } catch (const AutomationError& e) {
    return std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description();
  }
}
std::string NotFound(int32_t id) {
  return "326 ZentNetLib: Resource with identifier '" + std::to_string(id) + "' not found";
}

TEST(StringTable, HoldsExactlyTheListedIdsNoneEmpty) {
  constexpr std::pair<int32_t, int32_t> kPresent[] = {
      {1000, 1037}, {1045, 1097}, {1100, 1106}, {1150, 1150}, {1230, 1230}, {1270, 1274}, {1300, 1300},
      {1500, 1519}, {1602, 1625}, {2000, 2022}, {2025, 2035}, {2045, 2082}, {2093, 2094}, {2213, 2213},
      {2215, 2218}, {2225, 2231}, {2251, 2251}, {2258, 2258}, {2262, 2266}, {2274, 2283}, {2300, 2323},
      {2350, 2357}, {2398, 2400}, {2410, 2422}, {2424, 2432}, {2440, 2441}, {3000, 3066}, {3068, 3075},
      {3100, 3127}, {3150, 3152}, {3200, 3200}, {3300, 3331}, {4000, 4008}, {4020, 4026}, {4032, 4032},
      {4035, 4079}, {4090, 4094}, {4100, 4107}, {4110, 4117}, {4130, 4133}, {4140, 4143}, {4150, 4151},
      {4160, 4173}, {4190, 4196}, {4200, 4207}, {4250, 4259}, {4500, 4503}, {4800, 4801}, {5000, 5017},
      {5030, 5038}, {5050, 5052}, {5060, 5082}, {5084, 5087}, {5089, 5089}, {6100, 6132}, {6134, 6148},
      {6151, 6151}, {6160, 6168}, {6170, 6171}, {6173, 6177}, {6200, 6209}, {6220, 6220}, {6300, 6305},
      {6900, 6905}, {6920, 6927}, {6930, 6935}, {6940, 6948}, {6960, 6960}, {6970, 6974}, {6980, 6982},
      {7000, 7011}, {7500, 7504}, {8000, 8015},
  };
  std::set<int32_t> expected, found;
  for (const auto& [first, last] : kPresent)
    for (int32_t id = first; id <= last; ++id) expected.insert(id);
  ASSERT_EQ(expected.size(), 800u);
  for (int32_t id = 0; id <= 65535; ++id) {
    const std::string text = Load(id);
    if (text != NotFound(id)) found.insert(id);
    EXPECT_FALSE(text.empty()) << id;
  }
  EXPECT_EQ(found, expected);
  for (int32_t id : {-1, 65536, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()})
    EXPECT_EQ(Load(id), NotFound(id));
}

// Every text another part of the library, or its clients, relies on word for word.
TEST(StringTable, QuotedTextsMatchByteForByte) {
  // Texts no other test shows through the member that uses them.
  const std::pair<int32_t, const char*> kQuoted[] = {
      {1000, "Hardware Version"}, {1001, "Option register"}, {1007, "Error Blink Codes"},
      {1009, "Configuration Register"}, {1056, "Tracking Limit"}, {1100, "Velocity (measured)"},
      {1270, "OFF"}, {1271, "2 ms, light"}, {1272, "5 ms, medium"}, {1273, "10 ms, medium+"},
      {1274, "25 ms, high"}, {1500, "OK"},
      {1501, "Address cannot be changed. Device is not networked."},
      {1504, "Unknown command response."}, {1505, "Drive didn't respond to command."},
      {1506, "\r   Command attempted: "},
      {1507, "Monitor Channel not supported by this device: "}, {1508, "Field is unknown."},
      {1509, "Response garbled."}, {1511, "Response from wrong node"},
      {1512, "Network configuration error. Too many nodes present?"},
      {1513, "Unknown lock level."}, {1514, "Illegal lock PIN value."},
      {1515, "Scenerio index is out of range."}, {1516, "Wrong port type for this drive."},
      {1517, "Serial port selection problem. Format: <port1>[;<portList>]."},
      {1518, "Error: Select Valid Setting"}, {1519, "Mavrel Network Error"},
      {2054, "@*@ Input Scaling"}, {2352, "Monitor Port: Variable"},
      {2353, "Monitor Port: Amplitude"}, {2354, "Monitor Port: Filter"}, {2356, "Gain Factor"},
      {2398, "Unknown Variable: "}, {2400, "Status Register"}, {2411, "Step Input"},
      {2412, "RMS Shutdown"}, {2416, "I/V"}, {2417, "Brake Mode"}, {2418, "@*@ Mode"},
      {2419, "+ Limit"}, {2421, "Amp Disabled"}, {2422, "Vector Srch"}, {2424, "Over-Temp"},
      {2425, "Over-Speed"}, {2426, "Volt Sat."}, {2427, "@*@ Sat."}, {2428, "Logic Backup"},
      {2429, "Hard-stopped"}, {2440, "LOCK0"}, {3301, "N/A 1"},
      {3302, "Over-current/voltage (I/V) shutdown"}, {3303, "Thermal shutdown"},
      {3306, "Encoder signal problem"}, {3307, "Step failure"},
      {3308, "Commutation signal problem"}, {3309, "ADC failure"},
      {3310, "EE needs initializing"}, {3311, "EE hardware failure"}, {3312, "Motor setup error"},
      {3313, "Current Sensor Fault"}, {3314, "Logic power backed-up"}, {3316, "Drive Shutdown"},
      {3317, "Over-Current Shutdown"}, {3318, "Over-Voltage Shutdown"},
      {3319, "IBUS Sensor Failure"}, {3320, "Watchdog"}, {3321, "Node Stopped"},
      {3322, "Spline Under-run"}, {3323, "Run-time Error"}, {3324, "Network Overrun"},
      {3325, "Move Generation Error"}, {3326, "Memory Failure"}, {3327, "N/A 27"},
      {3328, "N/A 28"}, {3329, "N/A 29"}, {3330, "N/A 30"}, {4000, "???"}, {4001, "Offline"},
      {4002, "Disabled"}, {4005, "FW?"}, {4006, "Resetting"}, {4007, "Demo"}, {4008, "Receiving"},
      {4101, "Analog @*@"}, {4103, "Step+Direction @*@"}, {4104, "Internal"},
      {4105, "Unknown Mode 5"}, {4107, "Unknown Mode 7"}, {4110, "N/A"}, {4113, "~ASG- In-Range"},
      {4115, "Unknown mode 5"}, {4116, "Unknown mode 6"}, {4117, "Unknown mode 7"},
      {4130, "None"}, {4140, "OFF"}, {4141, "On for: Positive @*@"},
      {4142, "On for: Negative @*@"}, {4143, "On for: Pos. + Neg. @*@"}, {4150, "@*@"},
      {4165, "Mode: "}, {4170, "OFF"}, {4173, "Unknown mode 3"}, {4190, "OFF"}, {4191, "ON"},
      {4192, "N/A"}, {4193, "NO"}, {4194, "YES"}, {4202, "Mode"}, {4203, "OFF"}, {4205, "@*@"},
      {4500, "Rotary Brushless"}, {4502, "Linear Brushless"},
      {6300, "Attempting to overwrite a configuration file"},
      {6302, "Configuration can't load because the drive is enabled."},
      {6303, "Illegal motor change"},
      {6304, "Configuration file problems: wrong drive type of garbled content."},
      {6305, "Revision string format appears damaged."}, {8000, "Zentara"}, {8001, "Aldora"},
  };
  for (const auto& [id, text] : kQuoted) EXPECT_EQ(Load(id), text) << id;
  for (int vendor = 4; vendor <= 15; ++vendor)
    EXPECT_EQ(Load(8000 + vendor), (vendor < 10 ? "Unknown vendor  " : "Unknown vendor ") +
                                       std::to_string(vendor));
}

TEST(MarkedText, ReplacesEveryMarkerByTheMotorsWord) {
  const std::tuple<int32_t, const char*, const char*> cases[] = {
      {2054, "Torque Input Scaling", "Force Input Scaling"},
      {4150, "Torque", "Force"},  // the marker is the whole text
      {4143, "On for: Pos. + Neg. Torque", "On for: Pos. + Neg. Force"},
      {1615, "Shutdown: Torque command held at the peak Torque limit too long.",
       "Shutdown: Force command held at the peak Force limit too long."},
      // Texts without a marker come back unchanged, control characters included.
      {4206, "Position", "Position"},
      {1506, "\r   Command attempted: ", "\r   Command attempted: "},
      {4108, "", ""},  // no text: the loader's error
  };
  for (const auto& [id, rotary, linear] : cases) {
    EXPECT_EQ(Load(id, 0), *rotary ? rotary : NotFound(id)) << id;
    EXPECT_EQ(Load(id, 1), *linear ? linear : NotFound(id)) << id;
  }
  // A stray "@*" or "*@" would survive the replacement and reach the user.
  for (int32_t id = 1000; id <= 8015; ++id) EXPECT_EQ(Load(id, 0).find('@'), std::string::npos) << id;
}

TEST(VersionRecord, IsOnePointZeroZeroBuildFortyEight) {
  EXPECT_EQ(version::kFileVersion, "1.00.0048");
  EXPECT_EQ(version::kProductVersion, "1.00.0048");
  EXPECT_EQ(version::kNumbers, "1.0.48");
}

}  // namespace
}  // namespace zentnet
