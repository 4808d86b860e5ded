// The string table: lookups, the loader's error and the torque/force marker.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"

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

// The lookup is a search over sorted ids: the ends of the table and of a run, and the gaps
// beside them.
TEST(StringTable, FindsListedIdsOnlyWithTheLoadersError) {
  for (int32_t id : {1000, 1037, 4150, 8015}) EXPECT_NE(Load(id), NotFound(id)) << id;
  for (int32_t id : {999, 1038, 4152, 8016, -1, 65536, std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::max()})
    EXPECT_EQ(Load(id), NotFound(id));
}

TEST(MarkedText, ReplacesEveryMarkerByTheMotorsWord) {
  const std::tuple<int32_t, const char*, const char*> cases[] = {
      {4150, "Torque", "Force"},  // the marker is the whole text
      {4143, "On for: Pos. + Neg. Torque", "On for: Pos. + Neg. Force"},
      {1615, "Shutdown: Torque command held at the peak Torque limit too long.",
       "Shutdown: Force command held at the peak Force limit too long."},
      // Texts without a marker come back unchanged, control characters included.
      {1506, "\r   Command attempted: ", "\r   Command attempted: "},
      {4108, "", ""},  // no text: the loader's error
  };
  for (const auto& [id, rotary, linear] : cases) {
    EXPECT_EQ(Load(id, 0), *rotary ? rotary : NotFound(id)) << id;
    EXPECT_EQ(Load(id, 1), *linear ? linear : NotFound(id)) << id;
  }
  // A stray "@*" or "*@" would survive the replacement and reach the user.
  for (int32_t id = 1000; id <= 8015; ++id)
    EXPECT_EQ(Load(id, 0).find('@'), std::string::npos) << id;
}

}  // namespace
}  // namespace zentnet
