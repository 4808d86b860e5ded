#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"

namespace zentnet {
namespace {

// The ids the table holds, as inclusive ranges; nothing else may have a string.
struct IdRange {
  int32_t first, last;
};
constexpr IdRange kPresent[] = {
    {1000, 1037}, {1045, 1097}, {1100, 1106}, {1150, 1150}, {1230, 1230}, {1270, 1274},
    {1300, 1300}, {1500, 1519}, {1602, 1625}, {2000, 2022}, {2025, 2035}, {2045, 2082},
    {2093, 2094}, {2213, 2213}, {2215, 2218}, {2225, 2231}, {2251, 2251}, {2258, 2258},
    {2262, 2266}, {2274, 2283}, {2300, 2323}, {2350, 2357}, {2398, 2400}, {2410, 2422},
    {2424, 2432}, {2440, 2441}, {3000, 3066}, {3068, 3075}, {3100, 3127}, {3150, 3152},
    {3200, 3200}, {3300, 3331}, {4000, 4008}, {4020, 4026}, {4032, 4032}, {4035, 4079},
    {4090, 4094}, {4100, 4107}, {4110, 4117}, {4130, 4133}, {4140, 4143}, {4150, 4151},
    {4160, 4173}, {4190, 4196}, {4200, 4207}, {4250, 4259}, {4500, 4503}, {4800, 4801},
    {5000, 5017}, {5030, 5038}, {5050, 5052}, {5060, 5082}, {5084, 5087}, {5089, 5089},
    {6100, 6132}, {6134, 6148}, {6151, 6151}, {6160, 6168}, {6170, 6171}, {6173, 6177},
    {6200, 6209}, {6220, 6220}, {6300, 6305}, {6900, 6905}, {6920, 6927}, {6930, 6935},
    {6940, 6948}, {6960, 6960}, {6970, 6974}, {6980, 6982}, {7000, 7011}, {7500, 7504},
    {8000, 8015},
};

std::set<int32_t> PresentIds() {
  std::set<int32_t> ids;
  for (const auto& r : kPresent)
    for (int32_t id = r.first; id <= r.last; ++id) ids.insert(id);
  return ids;
}

bool HasString(int32_t id) {
  try {
    (void)LoadResString(id);
    return true;
  } catch (const AutomationError& e) {
    if (e.Number() != err::kResourceNotFound) throw;
    return false;
  }
}

TEST(StringTable, HoldsExactlyTheListedIds) {
  const auto expected = PresentIds();
  ASSERT_EQ(expected.size(), 800u);
  std::vector<int32_t> missing, extra;
  std::size_t found = 0;
  for (int32_t id = 0; id <= 65535; ++id) {
    const bool has = HasString(id);
    const bool listed = expected.count(id) != 0;
    if (has) ++found;
    if (listed && !has) missing.push_back(id);
    if (!listed && has) extra.push_back(id);
  }
  EXPECT_EQ(found, 800u);
  EXPECT_TRUE(missing.empty()) << "first missing id: " << (missing.empty() ? 0 : missing[0]);
  EXPECT_TRUE(extra.empty()) << "first unexpected id: " << (extra.empty() ? 0 : extra[0]);
}

TEST(StringTable, NoTextIsEmpty) {
  for (int32_t id : PresentIds()) EXPECT_FALSE(LoadResString(id).empty()) << id;
}

struct Quoted {
  int32_t id;
  const char* text;
};

// Every text another part of the library (or its clients) relies on word for word.
constexpr Quoted kQuoted[] = {
    // Parameter names used as value-object names, and the filter strengths.
    {1000, "Hardware Version"}, {1001, "Option register"}, {1007, "Error Blink Codes"},
    {1009, "Configuration Register"}, {1056, "Tracking Limit"}, {1100, "Velocity (measured)"},
    {1270, "OFF"}, {1271, "2 ms, light"}, {1272, "5 ms, medium"}, {1273, "10 ms, medium+"},
    {1274, "25 ms, high"},
    // Drive error messages.
    {1500, "OK"},
    {1501, "Address cannot be changed. Device is not networked."},
    {1502, "Drive rejected command as unknown."},
    {1503, "Drive rejected command due to parse or value errors."},
    {1504, "Unknown command response."},
    {1505, "Drive didn't respond to command."},
    {1506, "\r   Command attempted: "},
    {1507, "Monitor Channel not supported by this device: "},
    {1508, "Field is unknown."}, {1509, "Response garbled."}, {1510, "Node is offline."},
    {1511, "Response from wrong node"},
    {1512, "Network configuration error. Too many nodes present?"},
    {1513, "Unknown lock level."}, {1514, "Illegal lock PIN value."},
    {1515, "Scenerio index is out of range."}, {1516, "Wrong port type for this drive."},
    {1517, "Serial port selection problem. Format: <port1>[;<portList>]."},
    {1518, "Error: Select Valid Setting"}, {1519, "Mavrel Network Error"},
    {2054, "@*@ Input Scaling"},
    // Monitor port variables and labels.
    {2300, "Me (shouldn't see this)"}, {2301, "Unknown setting: "}, {2302, "Actual Velocity"},
    {2303, "Cmd Velocity (VEX)"}, {2304, "Digital Input Velocity"}, {2305, "Velocity Error"},
    {2306, "Tracking Error"}, {2307, "Actual @*@"}, {2308, "Commanded @*@"},
    {2309, "Calibrate"}, {2310, "Analog Input"}, {2311, "Sine R"}, {2312, "Cos R"},
    {2313, "Volts D"}, {2314, "Volts Q"}, {2315, "SGN(vel)"}, {2316, "SGN(steps)"},
    {2317, "Integrator"}, {2318, "Position, Measured"}, {2319, "Servo Velocity Error"},
    {2320, "Jerk, Commanded"}, {2321, "Acceleration, Commanded"},
    {2322, "Current D, Measured"}, {2323, "Max Phase Voltage"},
    {2352, "Monitor Port: Variable"}, {2353, "Monitor Port: Amplitude"},
    {2354, "Monitor Port: Filter"}, {2355, "Filter"}, {2356, "Gain Factor"},
    {2398, "Unknown Variable: "},
    // Status register.
    {2400, "Status Register"}, {2410, "Encoder"}, {2411, "Step Input"},
    {2412, "RMS Shutdown"}, {2413, "Comm. Sensor"}, {2414, "Thermal"}, {2415, "Tracking"},
    {2416, "I/V"}, {2417, "Brake Mode"}, {2418, "@*@ Mode"}, {2419, "+ Limit"},
    {2420, "\xE2\x80\x93 Limit"}, {2421, "Amp Disabled"}, {2422, "Vector Srch"},
    {2424, "Over-Temp"}, {2425, "Over-Speed"}, {2426, "Volt Sat."}, {2427, "@*@ Sat."},
    {2428, "Logic Backup"}, {2429, "Hard-stopped"}, {2430, "In-Range"}, {2431, "Move Done"},
    {2432, "HLFB Out"}, {2440, "LOCK0"}, {2441, "LOCK1"},
    {3118, "Torque"}, {3119, "Force"},
    // Error-code register.
    {3300, "N/A 0"}, {3301, "N/A 1"}, {3302, "Over-current/voltage (I/V) shutdown"},
    {3303, "Thermal shutdown"}, {3304, "Tracking  shutdown"}, {3305, "RMS shutdown"},
    {3306, "Encoder signal problem"}, {3307, "Step failure"},
    {3308, "Commutation signal problem"}, {3309, "ADC failure"},
    {3310, "EE needs initializing"}, {3311, "EE hardware failure"},
    {3312, "Motor setup error"}, {3313, "Current Sensor Fault"},
    {3314, "Logic power backed-up"}, {3315, "Power-Up Pos'n Recovery Window Exceeded"},
    {3316, "Drive Shutdown"}, {3317, "Over-Current Shutdown"},
    {3318, "Over-Voltage Shutdown"}, {3319, "IBUS Sensor Failure"}, {3320, "Watchdog"},
    {3321, "Node Stopped"}, {3322, "Spline Under-run"}, {3323, "Run-time Error"},
    {3324, "Network Overrun"}, {3325, "Move Generation Error"}, {3326, "Memory Failure"},
    {3327, "N/A 27"}, {3328, "N/A 28"}, {3329, "N/A 29"}, {3330, "N/A 30"},
    // Drive states.
    {4000, "???"}, {4001, "Offline"}, {4002, "Disabled"}, {4003, "Enabled"},
    {4004, "Shutdown"}, {4005, "FW?"}, {4006, "Resetting"}, {4007, "Demo"},
    {4008, "Receiving"},
    {4074, "Serial port selection problems. Use numeric values separated by semicolons."},
    // Configuration-field choices.
    {4100, "Analog Velocity"}, {4101, "Analog @*@"}, {4102, "Step+Direction Position"},
    {4103, "Step+Direction @*@"}, {4104, "Internal"}, {4105, "Unknown Mode 5"},
    {4106, "Unknown Mode 6"}, {4107, "Unknown Mode 7"},
    {4110, "N/A"}, {4111, "In-Range"}, {4112, "Move Done"}, {4113, "~ASG- In-Range"},
    {4114, "~ASG- Move Done"}, {4115, "Unknown mode 5"}, {4116, "Unknown mode 6"},
    {4117, "Unknown mode 7"},
    {4130, "None"}, {4131, "Positive"}, {4132, "Negative"}, {4133, "Pos./Neg."},
    {4140, "OFF"}, {4141, "On for: Positive @*@"}, {4142, "On for: Negative @*@"},
    {4143, "On for: Pos. + Neg. @*@"},
    {4150, "@*@"}, {4151, "Position"}, {4165, "Mode: "},
    {4170, "OFF"}, {4171, "Standard"}, {4172, "Enhanced"}, {4173, "Unknown mode 3"},
    {4190, "OFF"}, {4191, "ON"}, {4192, "N/A"}, {4193, "NO"}, {4194, "YES"},
    {4195, "Balanced"}, {4196, "Single-Ended"},
    // Stimulus.
    {4200, "Period"}, {4201, "Amplitude"}, {4202, "Mode"}, {4203, "OFF"}, {4204, "Velocity"},
    {4205, "@*@"}, {4206, "Position"}, {4207, "Calibration"},
    // Network states.
    {4250, "OFFLINE"}, {4251, "ONLINE"}, {4252, "Resetting..."}, {4253, "Receiving..."},
    {4254, "No Network Controller"}, {4255, "Starting..."}, {4256, "No Port"},
    {4257, "ONLINE (untested)"}, {4258, "Flashing..."}, {4259, "Stopping..."},
    // Motor styles and analog input formats.
    {4500, "Rotary Brushless"}, {4501, "Rotary Brush"}, {4502, "Linear Brushless"},
    {4503, "Unknown"}, {4800, "0.5V-4.5V"}, {4801, "0.0V-5.0V"},
    // Application errors.
    {6300, "Attempting to overwrite a configuration file"},
    {6301, "Port setup problems: busy or non-existant"},
    {6302, "Configuration can't load because the drive is enabled."},
    {6303, "Illegal motor change"},
    {6304, "Configuration file problems: wrong drive type of garbled content."},
    {6305, "Revision string format appears damaged."},
    // Vendors.
    {8000, "Zentara"}, {8001, "Aldora"}, {8002, "Pellmont"}, {8003, "Corvan Engineers"},
    {8004, "Unknown vendor  4"}, {8005, "Unknown vendor  5"}, {8006, "Unknown vendor  6"},
    {8007, "Unknown vendor  7"}, {8008, "Unknown vendor  8"}, {8009, "Unknown vendor  9"},
    {8010, "Unknown vendor 10"}, {8011, "Unknown vendor 11"}, {8012, "Unknown vendor 12"},
    {8013, "Unknown vendor 13"}, {8014, "Unknown vendor 14"}, {8015, "Unknown vendor 15"},
};

TEST(StringTable, QuotedTextsMatchByteForByte) {
  for (const auto& q : kQuoted) EXPECT_EQ(LoadResString(q.id), std::string(q.text)) << q.id;
}

TEST(StringTable, CommandFragmentStartsWithCarriageReturnAndThreeBlanks) {
  const std::string s = LoadResString(1506);
  ASSERT_EQ(s.size(), 23u);
  EXPECT_EQ(s[0], '\r');
  EXPECT_EQ(s.substr(1, 3), "   ");
  EXPECT_EQ(s.back(), ' ');
}

TEST(StringTable, NegativeLimitLabelUsesAnEnDash) {
  // U+2013 in UTF-8, not an ASCII hyphen.
  EXPECT_EQ(LoadResString(2420).substr(0, 3), std::string("\xE2\x80\x93"));
  EXPECT_EQ(LoadResString(2420).size(), 9u);
}

TEST(StringTable, MissingIdRaisesTheLoaderError) {
  constexpr int32_t kMissing[] = {0,    999,  1038, 1520, 1521, 2423, 3067, 4299, 4108,
                                  4118, 4134, 4144, 4152, 4174, 4504, 4802, 8016, 65535,
                                  -1,   65536, std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::max()};
  for (int32_t id : kMissing) {
    try {
      (void)LoadResString(id);
      ADD_FAILURE() << "id " << id << " loaded";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 326);
      EXPECT_EQ(e.Source(), "ZentNetLib");
      EXPECT_EQ(e.Description(),
                "Resource with identifier '" + std::to_string(id) + "' not found");
    }
  }
}

struct MarkedCase {
  int32_t id;
  const char* rotary;
  const char* linear;
};

constexpr MarkedCase kMarked[] = {
    {2054, "Torque Input Scaling", "Force Input Scaling"},
    {4101, "Analog Torque", "Analog Force"},
    {2418, "Torque Mode", "Force Mode"},
    {2427, "Torque Sat.", "Force Sat."},
    {4150, "Torque", "Force"},  // the marker is the whole text
    {4143, "On for: Pos. + Neg. Torque", "On for: Pos. + Neg. Force"},
    {1615, "Shutdown: Torque command held at the peak Torque limit too long.",
     "Shutdown: Force command held at the peak Force limit too long."},  // two markers
    // Texts without a marker come back unchanged, control characters included.
    {4206, "Position", "Position"},
    {1506, "\r   Command attempted: ", "\r   Command attempted: "},
    {2420, "\xE2\x80\x93 Limit", "\xE2\x80\x93 Limit"},
};

TEST(MarkedText, ReplacesEveryMarkerByTheMotorsWord) {
  for (const auto& c : kMarked) {
    EXPECT_EQ(MarkedText(c.id, false), c.rotary) << c.id;
    EXPECT_EQ(MarkedText(c.id, true), c.linear) << c.id;
  }
}

TEST(MarkedText, MissingIdRaisesTheLoaderError) {
  for (bool linear : {false, true}) {
    try {
      (void)MarkedText(4108, linear);
      ADD_FAILURE() << "id 4108 loaded";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 326);
      EXPECT_EQ(e.Source(), "ZentNetLib");
      EXPECT_EQ(e.Description(), "Resource with identifier '4108' not found");
    }
  }
}

TEST(MarkedText, MarkersOnlyAppearWhole) {
  // A stray "@*" or "*@" would survive the replacement and reach the user.
  for (int32_t id : PresentIds()) {
    const std::string rotary = MarkedText(id, false);
    EXPECT_EQ(rotary.find('@'), std::string::npos) << id << ": " << rotary;
  }
}

}  // namespace
}  // namespace zentnet
