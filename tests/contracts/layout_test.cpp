#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string>

#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/records.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/factory.h"
#include "zentnet/zentnet.h"  // the umbrella header compiles on its own
#include "zentnet/automation/error.h"

namespace zentnet {
namespace {

TEST(Records, HaveThePublishedLayout) {
  EXPECT_EQ(sizeof(packetbuf), 24u);
  EXPECT_EQ(sizeof(packetbuf::buffer), 18u);
  EXPECT_EQ(sizeof(infcErrInfo), 36u);
  EXPECT_EQ(offsetof(infcErrInfo, response), 12u);
  EXPECT_EQ(sizeof(infcParamChg), 20u);
  EXPECT_EQ(offsetof(infcParamChg, ParamNum), 16u);
  // An array of records keeps the 20-byte stride the type library declares.
  infcParamChg pair[2]{};
  EXPECT_EQ(reinterpret_cast<char*>(&pair[1]) - reinterpret_cast<char*>(&pair[0]), 20);
}

TEST(Enumerations, AreThirtyTwoBitWithTheSignBitAsABit) {
  static_assert(sizeof(ConfigRegMasks) == 4 && sizeof(StatusRegMasks) == 4);
  EXPECT_EQ(static_cast<uint32_t>(CONFIG_MASK_VEL_EST2), 0x80000000u);
  EXPECT_EQ(static_cast<uint32_t>(STATUS_LOCK_LVL1), 0x80000000u);
  EXPECT_LT(CONFIG_MASK_VEL_EST2, 0);
  EXPECT_EQ(SX_ERR_PORT_PROBLEM, static_cast<int32_t>(0x8004189Du));
  EXPECT_EQ(SX_ERR_REV_FMT_WRONG - SX_ERR_SAVE_OVERWRITE, 5);
  EXPECT_EQ(SOUNDS_ALL, 0x7FFFFFFF);
  EXPECT_EQ(MON_NON_VIRTUAL_EXTRACT, 0xFFFF);
  EXPECT_EQ(DRV_MODEL_16, 16);
  EXPECT_EQ(VEL_EST_MODE7, 7);
  EXPECT_EQ(NET_ERR_PORT_PROBLEM, 6301);
}

TEST(Enumerations, ConfigurationMasksCoverEveryBitOnce) {
  const ConfigRegMasks all[] = {
      CONFIG_MASK_SYNC_PULSE_P, CONFIG_MASK_SYNC_PULSE_N, CONFIG_MASK_HALL_INV,
      CONFIG_MASK_LIM_POSN,     CONFIG_MASK_HIGH_LEVEL_FB0, CONFIG_MASK_HIGH_LEVEL_FB1,
      CONFIG_MASK_HIGH_LEVEL_FB2, CONFIG_MASK_ANA_IN_FILT, CONFIG_MASK_BRUSH_MOTOR,
      CONFIG_MASK_LINEAR_MOTOR, CONFIG_MASK_STEADIX0,     CONFIG_MASK_STEADIX1,
      CONFIG_MASK_HALL_LESS,    CONFIG_MASK_VECT_LOCK,    CONFIG_MASK_STEP_FILT,
      CONFIG_MASK_ENC_FILT,     CONFIG_MASK_MOVE_DN_FB,   CONFIG_MASK_HSTOP_FB,
      CONFIG_MASK_MODE_P_FB,    CONFIG_MASK_MODE_N_FB,    CONFIG_MASK_BAD_SEQ_EN,
      CONFIG_MASK_LPB_POS_REC,  CONFIG_MASK_FILT_CLK0,    CONFIG_MASK_FILT_CLK1,
      CONFIG_MASK_IN_MODE0,     CONFIG_MASK_IN_MODE1,     CONFIG_MASK_IN_MODE2,
      CONFIG_MASK_ENC_BALANCED, CONFIG_MASK_HALL_CHECK,   CONFIG_MASK_VEL_EST0,
      CONFIG_MASK_VEL_EST1,     CONFIG_MASK_VEL_EST2};
  uint32_t seen = 0;
  for (size_t i = 0; i < std::size(all); ++i) {
    EXPECT_EQ(static_cast<uint32_t>(all[i]), 1u << i);
    seen |= static_cast<uint32_t>(all[i]);
  }
  EXPECT_EQ(seen, 0xFFFFFFFFu);
}

TEST(Roster, HoldsSeventeenClassesWithDistinctIdentifiers) {
  const auto roster = ClassRoster();
  ASSERT_EQ(roster.size(), 17u);
  std::set<std::string_view> ids;
  int withEvents = 0;
  for (const auto& c : roster) {
    ids.insert(c.classId);
    ids.insert(c.interfaceId);
    if (!c.eventInterfaceId.empty()) {
      ids.insert(c.eventInterfaceId);
      ++withEvents;
    }
    EXPECT_EQ(c.classId.size(), 38u) << c.name;
  }
  EXPECT_EQ(withEvents, 13);
  EXPECT_EQ(ids.size(), 17u * 2 + 13);
  EXPECT_EQ(kTypeLibrary.helpString, "Zentara Networking 1.0 Type Library");
  EXPECT_EQ(kTypeLibrary.minorVersion, 8);
}

TEST(Roster, FindsByNameOrIdentifierInAnySpelling) {
  const ClassInfo* io = FindClass("IOregisterObj");
  ASSERT_NE(io, nullptr);
  EXPECT_EQ(io->classId, "{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}");
  EXPECT_EQ(FindClass("ioREGISTERobj"), io);
  EXPECT_EQ(FindClass("29b99bcc-9499-4e90-8ca7-1bc2535d5bfa"), io);
  EXPECT_EQ(FindClass("{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}"), io);
  EXPECT_EQ(FindClass("{56DFB106-F77B-4082-A7BB-20B148420335}"), nullptr);  // an event iid
  EXPECT_EQ(FindClass("Nothing"), nullptr);
}

TEST(Factory, CreatesEveryRosterClassAndRefusesOthers) {
  for (const auto& c : ClassRoster()) {
    auto byName = CreateObject(c.name);
    ASSERT_NE(byName, nullptr) << c.name;
    EXPECT_EQ(byName->ClassName(), c.name);
    EXPECT_EQ(CreateObject(c.classId)->ClassName(), c.name);
  }
  try {
    CreateObject("ValuesLib.ValueObj");
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 429);
    EXPECT_EQ(e.Description(), "ActiveX component can't create object");
  }
}

}  // namespace
}  // namespace zentnet
