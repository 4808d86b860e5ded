// The string table: exactly the published ids, the loader's error, the torque/force marker;
// and the version record.

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
