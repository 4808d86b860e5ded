// The published vocabulary: every enumeration's values and every class's identifiers, each
// compared as a whole with the published tables; finding and creating classes by them.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "error_text.h"
#include "zentnet/automation/error.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/factory.h"
#include "zentnet/zentnet.h"  // the umbrella header compiles on its own

namespace zentnet {
namespace {

// An enumeration's published values in declaration order: consecutive numbers from `first`,
// consecutive bits from bit `first`, or a list.
struct Published {
  enum Kind { kList, kRun, kBits } kind = kList;
  int64_t first = 0;
  std::vector<uint32_t> list;
  Published(std::initializer_list<uint32_t> values) : list(values) {}
  Published(Kind k, int64_t f) : kind(k), first(f) {}
  uint32_t operator[](size_t i) const {
    if (kind == kRun) return static_cast<uint32_t>(first + static_cast<int64_t>(i));
    if (kind == kBits) return 1u << (first + static_cast<int64_t>(i));
    return i < list.size() ? list[i] : 0xDEADBEEF;
  }
};
Published Seq(int64_t first) { return Published(Published::kRun, first); }
Published FromBit(int first) { return Published(Published::kBits, first); }

struct Enumeration {
  const char* name;
  Published values;
  std::vector<int32_t> enumerators;
};

TEST(Enumerations, HaveThePublishedValues) {
  // clang-format off
  const Enumeration kPublished[] = {
    {"ConfigRegMasks", FromBit(0), {CONFIG_MASK_SYNC_PULSE_P, CONFIG_MASK_SYNC_PULSE_N, CONFIG_MASK_HALL_INV,
     CONFIG_MASK_LIM_POSN, CONFIG_MASK_HIGH_LEVEL_FB0, CONFIG_MASK_HIGH_LEVEL_FB1, CONFIG_MASK_HIGH_LEVEL_FB2,
     CONFIG_MASK_ANA_IN_FILT, CONFIG_MASK_BRUSH_MOTOR, CONFIG_MASK_LINEAR_MOTOR, CONFIG_MASK_STEADIX0,
     CONFIG_MASK_STEADIX1, CONFIG_MASK_HALL_LESS, CONFIG_MASK_VECT_LOCK, CONFIG_MASK_STEP_FILT, CONFIG_MASK_ENC_FILT,
     CONFIG_MASK_MOVE_DN_FB, CONFIG_MASK_HSTOP_FB, CONFIG_MASK_MODE_P_FB, CONFIG_MASK_MODE_N_FB,
     CONFIG_MASK_BAD_SEQ_EN, CONFIG_MASK_LPB_POS_REC, CONFIG_MASK_FILT_CLK0, CONFIG_MASK_FILT_CLK1,
     CONFIG_MASK_IN_MODE0, CONFIG_MASK_IN_MODE1, CONFIG_MASK_IN_MODE2, CONFIG_MASK_ENC_BALANCED,
     CONFIG_MASK_HALL_CHECK, CONFIG_MASK_VEL_EST0, CONFIG_MASK_VEL_EST1, CONFIG_MASK_VEL_EST2}},
    {"SteadixModes", Seq(-1), {STEADIX_ME, STEADIX_OFF, STEADIX_STD, STEADIX_ENH}},
    {"FilterClks", Seq(0), {FILT_LOW_FREQ, FILT_HIGH_FREQ, FILT_NA1, FILT_NA2}},
    {"HighLevelFeedbacks", Seq(0), {HIGH_LEVEL_FB_NONE, HIGH_LEVEL_FB_IN_RANGE, HIGH_LEVEL_FB_MOVE_DONE,
     HIGH_LEVEL_FB_ASG_IN_RANGE, HIGH_LEVEL_FB_ASG_MOVE_DONE}},
    {"InputModes", Seq(0), {IN_MODE_ANALOG_VELOCITY, IN_MODE_ANALOG_TORQUE, IN_MODE_STEP_POSITION,
     IN_MODE_STEP_TORQUE, IN_MODE_INTERNAL}},
    {"LimitModes", Seq(0), {LIM_MODE_TORQUE, LIM_MODE_POSITION}},
    {"VelocityEstimators", Seq(0), {VEL_EST_BACK_DIFF, VEL_EST_MODE1, VEL_EST_MODE2, VEL_EST_MODE3, VEL_EST_MODE4,
     VEL_EST_MODE5, VEL_EST_MODE6, VEL_EST_MODE7}},
    {"ModeLineFoldbacks", Seq(0), {MODE_LINE_FOLDBACK_OFF, MODE_LINE_FOLDBACK_POS, MODE_LINE_FOLDBACK_NEG,
     MODE_LINE_FOLDBACK_BOTH}},
    {"MotorStyles", Seq(0), {MOTOR_BRUSHLESS_ROTARY, MOTOR_BRUSH_ROTARY, MOTOR_BRUSHLESS_LINEAR, MOTOR_UNKNOWN}},
    {"SyncPulses", Seq(0), {SYNC_PULSE_OFF, SYNC_PULSE_PLUS, SYNC_PULSE_NEG, SYNC_PULSE_EITHER}},
    {"StepEncFilters", Seq(0), {STEP_ENC_FILT_OFF, STEP_ENC_FILT_CLK1, STEP_ENC_FILT_CLK2, STEP_ENC_FILT_CLK3,
     STEP_ENC_FILT_STEP0, STEP_ENC_FILT_STEP1, STEP_ENC_FILT_STEP2, STEP_ENC_FILT_STEP3, STEP_ENC_FILT_ENC0,
     STEP_ENC_FILT_ENC1, STEP_ENC_FILT_ENC2, STEP_ENC_FILT_ENC3, STEP_ENC_FILT_BOTH0, STEP_ENC_FILT_BOTH1,
     STEP_ENC_FILT_BOTH2, STEP_ENC_FILT_BOTH3}},
    {"ErrCodes", FromBit(2), {ERR_CODE_IV, ERR_CODE_THERM, ERR_CODE_TRACKING, ERR_CODE_RMS, ERR_CODE_ENC,
     ERR_CODE_STEP, ERR_CODE_HALL, ERR_CODE_ADC, ERR_CODE_EEBAD, ERR_CODE_EEHW, ERR_CODE_SINE, ERR_CODE_ISEN,
     ERR_CODE_LPB, ERR_CODE_LPB_FAILED, ERR_CODE_SHUTDOWN, ERR_CODE_OVER_CURRENT, ERR_CODE_OVER_VOLTAGE,
     ERR_CODE_IBUS, ERR_CODE_WATCHDOG, ERR_CODE_NODESTOP, ERR_CODE_SPLINE, ERR_CODE_RUNTIME, ERR_CODE_NET_OVERRUN,
     ERR_CODE_MOVEGEN, ERR_CODE_MEM}},
    {"MonitorVariables", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
     0x10000, 0xFFFF}, {MON_ME, MON_UNKNOWN, MON_VEL_MEAS, MON_VEL_CMD, MON_VEL_STEP, MON_VEL_ERR, MON_POSN_ERR,
     MON_TRQ_MEAS, MON_TRQ_CMD, MON_CALIBRATE, MON_ANALOG_IN, MON_SINE_R, MON_COS_R, MON_VOLT_D, MON_VOLT_Q,
     MON_SGN_CMD_VEL, MON_SGN_CMD_STEP, MON_INTEGRATOR, MON_POSN_MEAS, MON_VEL_ERR_SERVO, MON_JRK_CMD, MON_ACC_CMD,
     MON_TRQ_D_MEAS, MON_VOLTS_MAX, MON_NON_VIRTUAL_MASK, MON_NON_VIRTUAL_EXTRACT}},
    {"SoundEvents", {0, 1, 2, 4, 8, 16, 0x7FFFFFFF}, {SOUNDS_OFF, SOUNDS_TORQUE_SAT, SOUNDS_VOLT_SAT, SOUNDS_LIMITS,
     SOUNDS_SHUTDOWN, SOUNDS_OFF_ONLINE, SOUNDS_ALL}},
    {"StatusRegMasks", {1, 2, 4, 16, 32, 64, 128, 0x100, 0x200, 0x400, 0x800, 0x1000, 0x4000, 0x8000, 0x10000,
     0x20000, 0x40000, 0x80000, 0x100000, 0x200000, 0x400000, 0x40000000, 0x80000000}, {STATUS_ENC_SHUTDOWN,
     STATUS_STEP_SHUTDOWN, STATUS_RMS_SHUTDOWN, STATUS_TEMP_SHUTDOWN, STATUS_TRACK_SHUTDOWN, STATUS_IV_FAULT,
     STATUS_BRAKE_MODE, STATUS_TORQUE, STATUS_P_LIM, STATUS_N_LIM, STATUS_AMP_DISABLE, STATUS_VECT_REF_SRCH,
     STATUS_OVER_TEMP, STATUS_OVER_SPEED, STATUS_PWM_SAT, STATUS_OUT_SAT, STATUS_LPB, STATUS_HARDSTOPPED,
     STATUS_NOT_IN_RANGE, STATUS_NOT_MOVE_DONE, STATUS_NOT_HLFB, STATUS_LOCK_LVL0, STATUS_LOCK_LVL1}},
    {"OptionRegMasks", {1, 2, 4, 8, 16, 32, 64, 128, 0x10000, 0x20000, 0x40000, 0x100000, 0x200000, 0x400000,
     0x800000, 0x1000000}, {OPTION_MASK_VOLT_MODE, OPTION_MASK_RUN_CAL, OPTION_MASK_POR_CAL, OPTION_MASK_ANA_IN_FMT0,
     OPTION_MASK_FW_OPTION0, OPTION_MASK_FW_OPTION1, OPTION_MASK_FW_OPTION2, OPTION_MASK_LPB_ENABLED,
     OPTION_MASK_CASE_OPTION0, OPTION_MASK_CASE_OPTION1, OPTION_MASK_CASE_OPTION2, OPTION_MASK_WARRANTY,
     OPTION_MASK_VENDOR0, OPTION_MASK_VENDOR1, OPTION_MASK_VENDOR2, OPTION_MASK_VENDOR3}},
    {"OptionAnalogInFormats", Seq(0), {OPTION_ANA_IN_4V, OPTION_ANA_IN_5V}},
    {"OptionCases", Seq(0), {OPTION_CASE, OPTION_CASE_L_BRACKET, OPTION_CASE_PWBA}},
    {"OptionVendors", Seq(0), {OPTION_VENDOR_ZENTARA, OPTION_VENDOR_ALDORA, OPTION_VENDOR_PELLMONT,
     OPTION_VENDOR_CORVAN}},
    {"OptionWarranties", Seq(0), {OPTION_WARRANTY_NORM, OPTION_WARRANTY_EXT}},
    {"SXAppErrors", {0, 0x8004189C, 0x8004189D, 0x8004189E, 0x8004189F, 0x800418A0, 0x800418A1}, {SX_NO_ERROR,
     SX_ERR_SAVE_OVERWRITE, SX_ERR_PORT_PROBLEM, SX_ERR_ENABLED, SX_ERR_MOTOR_CHANGE, SX_ERR_CFG_FILE_PROBLEM,
     SX_ERR_REV_FMT_WRONG}},
    {"DriveStates", Seq(0), {DRIVE_UNKNOWN_STATE, DRIVE_OFFLINE, DRIVE_DISABLED, DRIVE_ENABLED, DRIVE_SHUTDOWN,
     DRIVE_NEEDS_FIRMWARE, DRIVE_RESETTING, DRIVE_IS_DEMO, DRIVE_SENDING_STATE}},
    {"PhysDriveType", Seq(0), {Unknown, DRV_MODEL_01, DRV_MODEL_02, DRV_MODEL_03, DRV_MODEL_04, DRV_MODEL_05,
     DRV_MODEL_06, DRV_MODEL_07, DRV_MODEL_08, DRV_MODEL_09, DRV_MODEL_10, DRV_MODEL_11, DRV_MODEL_12, DRV_MODEL_13,
     DRV_MODEL_14, DRV_MODEL_15, DRV_MODEL_16}},
    {"DSPtypes", Seq(0), {DSP_UNKNOWN, DSP_P14, DSP_F240, DSP_F2407A}},
    {"IOregMasks", {16, 32, 64, 128, 0x100, 0x200, 0x400, 0x800, 0x2000, 0x4000, 0x8000}, {IO_LIMIT_P, IO_LIMIT_N,
     IO_FAULT_OUT, IO_HALL_R, IO_HALL_S, IO_HALL_T, IO_ENABLE, IO_AMP_EN_OUT, IO_HWFLT, IO_TEMPFLT, IO_MODE}},
    {"DriveErrors", Seq(1500), {NO_ERR, DRV_ERR_ADDR_FIXED, DRV_ERR_CMD_REJECT_UNK, DRV_ERR_CMD_REJECT_PARSE,
     DRV_ERR_CMD_REJECT_INV_RESP, DRV_ERR_CMD_TIME_OUT, DRV_ERR_CMD_DISP_STR, DRV_ERR_MON_CHANNEL_NOT,
     DRV_ERR_FIELD_UNKNOWN, DRV_ERR_RESP_GARBLE, DRV_ERR_CMD_OFFLINE, DRV_ERR_CMD_WRONG_NODE, DRV_ERR_NET_CONFIG,
     DRV_ERR_ILLEGAL_LOCK_LEVEL, DRV_ERR_ILLEGAL_PIN_VALUE, DRV_ERR_SCENARIO_INDEX_RANGE, DRV_ERR_WRONG_PORT_TYPE,
     DRV_ERR_COM_PORT, DRV_ERR_ILLEGAL_FILT_CODE, DRV_ERR_MV_ERROR, DRV_ERR_MEMORY, DRV_ERR_RUN_TIME}},
    {"PhysPollType", Seq(0), {POLL_STATUS_ONLY, POLL_ALL, POLL_DISABLE}},
    {"StimGenModes", Seq(0), {STIM_OFF, STIM_VEL, STIM_TRQ, STIM_POSN, STIM_CALIBRATE, STIM_ME}},
    {"NetworkChanges", Seq(0), {NODES_OFFLINE, NODES_ONLINE, NODES_RESETTING, NODES_SENDING, NODES_NO_NET_CONTROLLER,
     NODES_CHANGING_NETWORK_CONFIG, NODES_NO_PORT, NODES_ONLINE_NO_TEST, NODES_FLASH_MODE, NODES_STOP_NET_CONFIG}},
    {"PointToPointStatus", Seq(0), {PTOP_STAT_IDLE, PTOP_STAT_RUNNING, PTOP_STAT_STOPPING, PTOP_STAT_STOPPED,
     PTOP_STAT_ERROR}},
    {"NetAdapterType", Seq(0), {SERIAL_PORT, PARALLEL_PORT}},
    {"NetworkErrors", {0, 6301}, {NET_ERR_OK, NET_ERR_PORT_PROBLEM}},
  };
  // clang-format on
  for (const auto& e : kPublished) {
    if (e.values.kind == Published::kList) {
      EXPECT_EQ(e.values.list.size(), e.enumerators.size()) << e.name;
    }
    for (size_t i = 0; i < e.enumerators.size(); ++i)
      EXPECT_EQ(static_cast<uint32_t>(e.enumerators[i]), e.values[i]) << e.name << " #" << i;
  }
}

TEST(Roster, HoldsThePublishedClassesAndIdentifiers) {
  // Class, class identifier, default interface, event interface ("" for none).
  // clang-format off
  const ClassInfo kPublished[] = {
      {"CmdLog", "{F3D8EDBF-CFD4-414F-A9F3-AA756809BE30}",
       "{1FF8B2C8-FC97-4206-93A3-6A4F48BCDA23}", ""},
      {"DriveEventObj", "{C78DD335-BF3F-48D4-92FB-B6B1F7A4D290}",
       "{DD1F8062-3844-45A0-9DED-24BE94596F92}", "{0AD2AFAB-BC1C-4E8D-82A4-C925111D6354}"},
      {"NetSupervisorObj", "{DE863BAF-8D47-42DA-960D-D1E525F4C029}",
       "{32FEBE76-E53C-4CE9-BE29-491D551CBEE3}", "{70D4E324-9E05-45A0-BF86-12BA9B738F72}"},
      {"ConfigRegObj", "{A9A51C69-0C84-4420-91DE-4D4194A47356}",
       "{50B1C39F-A568-4597-A44F-A563FFA5FE79}", "{42DC00F2-6958-44B1-AB02-283428FECBB4}"},
      {"ErrorCodeObj", "{A9DA0A42-F11C-400F-96CA-7CB8A7C3FEA7}",
       "{A9EA7783-1465-4C89-91B7-C1BBE87C4E97}", "{31F21D4F-3114-4F60-A3B9-D493505D1ED1}"},
      {"IOregisterObj", "{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}",
       "{CAAEF27C-0CA0-4A29-856A-4497A12EB80A}", "{56DFB106-F77B-4082-A7BB-20B148420335}"},
      {"MonitorPortStateObj", "{7682FCCE-CE8B-48DA-810C-EA89EAB6D418}",
       "{0528FC56-A84D-4AFA-AD7D-333CF172206A}", "{ACA80673-22C0-49A3-AA12-2EA44168AA32}"},
      {"SoundEventsObj", "{18FCA850-01CE-40E4-9477-1C1C357F7518}",
       "{E26F2B5D-8737-448E-960D-2574524DAD9C}", "{8A325FA7-A7B5-44A8-B53F-118C8022F716}"},
      {"StatusRegObj", "{F012E358-A8B3-449C-8733-7929597EE0F7}",
       "{86FBBD90-ED63-49D5-9EDC-6C52E34FC1F5}", "{599C4A06-EB08-45FA-B7D0-EFF2B42090E2}"},
      {"StimulusStateObj", "{8A36E7E8-ABDA-48FF-BA8D-3D06D2D4F5D8}",
       "{0DDD12EA-C4A2-47BD-A9E2-FE75E0EA6C63}", "{7F12B558-36F3-4D56-AEEC-E88B43E0B3B9}"},
      {"OptionRegObj", "{A6AB9BC2-DC90-4211-A9AF-F8F3620CBE0C}",
       "{C1B38680-248E-41FB-93E2-C542E3009F26}", "{022A5B8D-D8B0-4E5A-B776-F176D45CC900}"},
      {"NetAdapterObj", "{4D04695F-2D7B-4D85-8127-4E597BD08077}",
       "{572E2129-6084-48A0-B886-70FD000528BA}", "{CA94310D-87C6-4A18-A268-69A5F4117F09}"},
      {"HotKeyObj", "{A5858DD8-1063-4F44-AA4A-A7553644C7C8}",
       "{8837AFA4-3C3A-49DC-A53C-188EEA346509}", "{849E4F06-5871-4210-AA55-81FD07F198A0}"},
      {"AppStateEventObj", "{65F653FE-8B6B-48BF-946C-79A02213C038}",
       "{B01B6CC4-8F69-4B6A-A0C5-895BA3BDBE6B}", "{D7CC60F7-F1C7-489A-85DA-1FC82452A15A}"},
      {"ErrReflector", "{93A9889A-6D1E-411B-AF31-4F179AA6CCD6}",
       "{5AAAFE3C-426B-4F9A-AE8B-A7E901437CF7}", ""},
      {"NetLib", "{206C0115-83C1-4A7B-977F-60754FA1C8F3}",
       "{B7F2AE18-6023-4BA4-8D6B-79B3A11E15DE}", ""},
      {"PhysDriveObj", "{04963D3F-F3CE-4AE2-A13A-2586C808A84D}",
       "{AA23CBE6-11EB-4703-B679-415F64D76894}", ""},
  };
  // clang-format on
  const auto roster = ClassRoster();
  ASSERT_EQ(roster.size(), std::size(kPublished));
  for (size_t i = 0; i < roster.size(); ++i) {
    EXPECT_EQ(roster[i].name, kPublished[i].name);
    EXPECT_EQ(roster[i].classId, kPublished[i].classId) << kPublished[i].name;
    EXPECT_EQ(roster[i].interfaceId, kPublished[i].interfaceId) << kPublished[i].name;
    EXPECT_EQ(roster[i].eventInterfaceId, kPublished[i].eventInterfaceId) << kPublished[i].name;
  }
  // The value component's, which the Windows build creates and recognises value objects by.
  const ComponentClassInfo kValues[] = {
      {"ValueObj", "{0B598C67-7C53-4228-B898-E682170468D2}", "{FEBD95C4-31C5-406E-9B38-10F694CC61CA}"},
      {"ValueNumberObj", "", "{90BBD6C7-6D65-47BB-9428-2FB08A7EB249}"},
      {"LockLevelObj", "{9A783CF3-150C-4893-9EBF-9D72EC9E3975}", "{7E6DCD99-4C75-4E9C-8129-89E3B329BA91}"}};
  ASSERT_EQ(std::size(kValueComponent), std::size(kValues));
  for (size_t i = 0; i < std::size(kValues); ++i)
    EXPECT_EQ(std::tie(kValueComponent[i].name, kValueComponent[i].classId, kValueComponent[i].interfaceId),
              std::tie(kValues[i].name, kValues[i].classId, kValues[i].interfaceId));
  EXPECT_EQ(kTypeLibrary.name, "ZentNetLib");
  EXPECT_EQ(kTypeLibrary.helpString, "Zentara Networking 1.0 Type Library");
  EXPECT_EQ(kTypeLibrary.majorVersion * 100 + kTypeLibrary.minorVersion, 108);
  EXPECT_EQ(kTypeLibrary.libraryId, "{EC0ACDA5-6E4E-42C1-87F7-4A0FF22A6EA7}");
}

TEST(Roster, FindsByNameOrIdentifierInAnySpelling) {
  const ClassInfo* io = FindClass("IOregisterObj");
  ASSERT_NE(io, nullptr);
  EXPECT_EQ(io->classId, "{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}");
  EXPECT_EQ(FindClass("ioREGISTERobj"), io);
  EXPECT_EQ(FindClass("29b99bcc-9499-4e90-8ca7-1bc2535d5bfa"), io);
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
  EXPECT_EQ(test::ErrorOf([] { CreateObject("ValuesLib.ValueObj"); }),
            "429|ZentNetLib|ActiveX component can't create object||0");
}

}  // namespace
}  // namespace zentnet
