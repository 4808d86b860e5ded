// The published vocabulary: every enumeration's values and every class's identifiers, each
// compared as a whole with the contract table (contract_table.h, which the contract client
// checks the type library against); finding and creating classes by them.

#include <gtest/gtest.h>

#include <cwchar>
#include <tuple>
#include <vector>

#include "contract_table.h"
#include "error_text.h"
#include "zentnet/automation/error.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/factory.h"
#include "zentnet/zentnet.h"  // the umbrella header compiles on its own

namespace zentnet {
namespace {

// Each enumeration's enumerators in declaration order, compared with the published values
// in the contract table.
struct Enumeration {
  const char* name;
  std::vector<int32_t> enumerators;
};

TEST(Enumerations, HaveThePublishedValues) {
  // clang-format off
  const Enumeration kPublished[] = {
    {"ConfigRegMasks", {CONFIG_MASK_SYNC_PULSE_P, CONFIG_MASK_SYNC_PULSE_N, CONFIG_MASK_HALL_INV,
     CONFIG_MASK_LIM_POSN, CONFIG_MASK_HIGH_LEVEL_FB0, CONFIG_MASK_HIGH_LEVEL_FB1, CONFIG_MASK_HIGH_LEVEL_FB2,
     CONFIG_MASK_ANA_IN_FILT, CONFIG_MASK_BRUSH_MOTOR, CONFIG_MASK_LINEAR_MOTOR, CONFIG_MASK_STEADIX0,
     CONFIG_MASK_STEADIX1, CONFIG_MASK_HALL_LESS, CONFIG_MASK_VECT_LOCK, CONFIG_MASK_STEP_FILT, CONFIG_MASK_ENC_FILT,
     CONFIG_MASK_MOVE_DN_FB, CONFIG_MASK_HSTOP_FB, CONFIG_MASK_MODE_P_FB, CONFIG_MASK_MODE_N_FB,
     CONFIG_MASK_BAD_SEQ_EN, CONFIG_MASK_LPB_POS_REC, CONFIG_MASK_FILT_CLK0, CONFIG_MASK_FILT_CLK1,
     CONFIG_MASK_IN_MODE0, CONFIG_MASK_IN_MODE1, CONFIG_MASK_IN_MODE2, CONFIG_MASK_ENC_BALANCED,
     CONFIG_MASK_HALL_CHECK, CONFIG_MASK_VEL_EST0, CONFIG_MASK_VEL_EST1, CONFIG_MASK_VEL_EST2}},
    {"SteadixModes", {STEADIX_ME, STEADIX_OFF, STEADIX_STD, STEADIX_ENH}},
    {"FilterClks", {FILT_LOW_FREQ, FILT_HIGH_FREQ, FILT_NA1, FILT_NA2}},
    {"HighLevelFeedbacks", {HIGH_LEVEL_FB_NONE, HIGH_LEVEL_FB_IN_RANGE, HIGH_LEVEL_FB_MOVE_DONE,
     HIGH_LEVEL_FB_ASG_IN_RANGE, HIGH_LEVEL_FB_ASG_MOVE_DONE}},
    {"InputModes", {IN_MODE_ANALOG_VELOCITY, IN_MODE_ANALOG_TORQUE, IN_MODE_STEP_POSITION,
     IN_MODE_STEP_TORQUE, IN_MODE_INTERNAL}},
    {"LimitModes", {LIM_MODE_TORQUE, LIM_MODE_POSITION}},
    {"VelocityEstimators", {VEL_EST_BACK_DIFF, VEL_EST_MODE1, VEL_EST_MODE2, VEL_EST_MODE3, VEL_EST_MODE4,
     VEL_EST_MODE5, VEL_EST_MODE6, VEL_EST_MODE7}},
    {"ModeLineFoldbacks", {MODE_LINE_FOLDBACK_OFF, MODE_LINE_FOLDBACK_POS, MODE_LINE_FOLDBACK_NEG,
     MODE_LINE_FOLDBACK_BOTH}},
    {"MotorStyles", {MOTOR_BRUSHLESS_ROTARY, MOTOR_BRUSH_ROTARY, MOTOR_BRUSHLESS_LINEAR, MOTOR_UNKNOWN}},
    {"SyncPulses", {SYNC_PULSE_OFF, SYNC_PULSE_PLUS, SYNC_PULSE_NEG, SYNC_PULSE_EITHER}},
    {"StepEncFilters", {STEP_ENC_FILT_OFF, STEP_ENC_FILT_CLK1, STEP_ENC_FILT_CLK2, STEP_ENC_FILT_CLK3,
     STEP_ENC_FILT_STEP0, STEP_ENC_FILT_STEP1, STEP_ENC_FILT_STEP2, STEP_ENC_FILT_STEP3, STEP_ENC_FILT_ENC0,
     STEP_ENC_FILT_ENC1, STEP_ENC_FILT_ENC2, STEP_ENC_FILT_ENC3, STEP_ENC_FILT_BOTH0, STEP_ENC_FILT_BOTH1,
     STEP_ENC_FILT_BOTH2, STEP_ENC_FILT_BOTH3}},
    {"ErrCodes", {ERR_CODE_IV, ERR_CODE_THERM, ERR_CODE_TRACKING, ERR_CODE_RMS, ERR_CODE_ENC,
     ERR_CODE_STEP, ERR_CODE_HALL, ERR_CODE_ADC, ERR_CODE_EEBAD, ERR_CODE_EEHW, ERR_CODE_SINE, ERR_CODE_ISEN,
     ERR_CODE_LPB, ERR_CODE_LPB_FAILED, ERR_CODE_SHUTDOWN, ERR_CODE_OVER_CURRENT, ERR_CODE_OVER_VOLTAGE,
     ERR_CODE_IBUS, ERR_CODE_WATCHDOG, ERR_CODE_NODESTOP, ERR_CODE_SPLINE, ERR_CODE_RUNTIME, ERR_CODE_NET_OVERRUN,
     ERR_CODE_MOVEGEN, ERR_CODE_MEM}},
    {"MonitorVariables", {MON_ME, MON_UNKNOWN, MON_VEL_MEAS, MON_VEL_CMD, MON_VEL_STEP, MON_VEL_ERR, MON_POSN_ERR,
     MON_TRQ_MEAS, MON_TRQ_CMD, MON_CALIBRATE, MON_ANALOG_IN, MON_SINE_R, MON_COS_R, MON_VOLT_D, MON_VOLT_Q,
     MON_SGN_CMD_VEL, MON_SGN_CMD_STEP, MON_INTEGRATOR, MON_POSN_MEAS, MON_VEL_ERR_SERVO, MON_JRK_CMD, MON_ACC_CMD,
     MON_TRQ_D_MEAS, MON_VOLTS_MAX, MON_NON_VIRTUAL_MASK, MON_NON_VIRTUAL_EXTRACT}},
    {"SoundEvents", {SOUNDS_OFF, SOUNDS_TORQUE_SAT, SOUNDS_VOLT_SAT, SOUNDS_LIMITS,
     SOUNDS_SHUTDOWN, SOUNDS_OFF_ONLINE, SOUNDS_ALL}},
    {"StatusRegMasks", {STATUS_ENC_SHUTDOWN,
     STATUS_STEP_SHUTDOWN, STATUS_RMS_SHUTDOWN, STATUS_TEMP_SHUTDOWN, STATUS_TRACK_SHUTDOWN, STATUS_IV_FAULT,
     STATUS_BRAKE_MODE, STATUS_TORQUE, STATUS_P_LIM, STATUS_N_LIM, STATUS_AMP_DISABLE, STATUS_VECT_REF_SRCH,
     STATUS_OVER_TEMP, STATUS_OVER_SPEED, STATUS_PWM_SAT, STATUS_OUT_SAT, STATUS_LPB, STATUS_HARDSTOPPED,
     STATUS_NOT_IN_RANGE, STATUS_NOT_MOVE_DONE, STATUS_NOT_HLFB, STATUS_LOCK_LVL0, STATUS_LOCK_LVL1}},
    {"OptionRegMasks", {OPTION_MASK_VOLT_MODE, OPTION_MASK_RUN_CAL, OPTION_MASK_POR_CAL, OPTION_MASK_ANA_IN_FMT0,
     OPTION_MASK_FW_OPTION0, OPTION_MASK_FW_OPTION1, OPTION_MASK_FW_OPTION2, OPTION_MASK_LPB_ENABLED,
     OPTION_MASK_CASE_OPTION0, OPTION_MASK_CASE_OPTION1, OPTION_MASK_CASE_OPTION2, OPTION_MASK_WARRANTY,
     OPTION_MASK_VENDOR0, OPTION_MASK_VENDOR1, OPTION_MASK_VENDOR2, OPTION_MASK_VENDOR3}},
    {"OptionAnalogInFormats", {OPTION_ANA_IN_4V, OPTION_ANA_IN_5V}},
    {"OptionCases", {OPTION_CASE, OPTION_CASE_L_BRACKET, OPTION_CASE_PWBA}},
    {"OptionVendors", {OPTION_VENDOR_ZENTARA, OPTION_VENDOR_ALDORA, OPTION_VENDOR_PELLMONT,
     OPTION_VENDOR_CORVAN}},
    {"OptionWarranties", {OPTION_WARRANTY_NORM, OPTION_WARRANTY_EXT}},
    {"SXAppErrors", {SX_NO_ERROR,
     SX_ERR_SAVE_OVERWRITE, SX_ERR_PORT_PROBLEM, SX_ERR_ENABLED, SX_ERR_MOTOR_CHANGE, SX_ERR_CFG_FILE_PROBLEM,
     SX_ERR_REV_FMT_WRONG}},
    {"DriveStates", {DRIVE_UNKNOWN_STATE, DRIVE_OFFLINE, DRIVE_DISABLED, DRIVE_ENABLED, DRIVE_SHUTDOWN,
     DRIVE_NEEDS_FIRMWARE, DRIVE_RESETTING, DRIVE_IS_DEMO, DRIVE_SENDING_STATE}},
    {"PhysDriveType", {Unknown, DRV_MODEL_01, DRV_MODEL_02, DRV_MODEL_03, DRV_MODEL_04, DRV_MODEL_05,
     DRV_MODEL_06, DRV_MODEL_07, DRV_MODEL_08, DRV_MODEL_09, DRV_MODEL_10, DRV_MODEL_11, DRV_MODEL_12, DRV_MODEL_13,
     DRV_MODEL_14, DRV_MODEL_15, DRV_MODEL_16}},
    {"DSPtypes", {DSP_UNKNOWN, DSP_P14, DSP_F240, DSP_F2407A}},
    {"IOregMasks", {IO_LIMIT_P, IO_LIMIT_N,
     IO_FAULT_OUT, IO_HALL_R, IO_HALL_S, IO_HALL_T, IO_ENABLE, IO_AMP_EN_OUT, IO_HWFLT, IO_TEMPFLT, IO_MODE}},
    {"DriveErrors", {NO_ERR, DRV_ERR_ADDR_FIXED, DRV_ERR_CMD_REJECT_UNK, DRV_ERR_CMD_REJECT_PARSE,
     DRV_ERR_CMD_REJECT_INV_RESP, DRV_ERR_CMD_TIME_OUT, DRV_ERR_CMD_DISP_STR, DRV_ERR_MON_CHANNEL_NOT,
     DRV_ERR_FIELD_UNKNOWN, DRV_ERR_RESP_GARBLE, DRV_ERR_CMD_OFFLINE, DRV_ERR_CMD_WRONG_NODE, DRV_ERR_NET_CONFIG,
     DRV_ERR_ILLEGAL_LOCK_LEVEL, DRV_ERR_ILLEGAL_PIN_VALUE, DRV_ERR_SCENARIO_INDEX_RANGE, DRV_ERR_WRONG_PORT_TYPE,
     DRV_ERR_COM_PORT, DRV_ERR_ILLEGAL_FILT_CODE, DRV_ERR_MV_ERROR, DRV_ERR_MEMORY, DRV_ERR_RUN_TIME}},
    {"PhysPollType", {POLL_STATUS_ONLY, POLL_ALL, POLL_DISABLE}},
    {"StimGenModes", {STIM_OFF, STIM_VEL, STIM_TRQ, STIM_POSN, STIM_CALIBRATE, STIM_ME}},
    {"NetworkChanges", {NODES_OFFLINE, NODES_ONLINE, NODES_RESETTING, NODES_SENDING, NODES_NO_NET_CONTROLLER,
     NODES_CHANGING_NETWORK_CONFIG, NODES_NO_PORT, NODES_ONLINE_NO_TEST, NODES_FLASH_MODE, NODES_STOP_NET_CONFIG}},
    {"PointToPointStatus", {PTOP_STAT_IDLE, PTOP_STAT_RUNNING, PTOP_STAT_STOPPING, PTOP_STAT_STOPPED,
     PTOP_STAT_ERROR}},
    {"NetAdapterType", {SERIAL_PORT, PARALLEL_PORT}},
    {"NetworkErrors", {NET_ERR_OK, NET_ERR_PORT_PROBLEM}},
  };
  // clang-format on
  ASSERT_EQ(std::size(kPublished), std::size(contract::kEnumerations));
  for (size_t k = 0; k < std::size(kPublished); ++k) {
    const auto& e = kPublished[k];
    ASSERT_STREQ(e.name, contract::kEnumerations[k].name);
    const std::vector<unsigned long> values = contract::EnumerationValues(contract::kEnumerations[k].values);
    ASSERT_EQ(e.enumerators.size(), values.size()) << e.name;
    for (size_t i = 0; i < values.size(); ++i)
      EXPECT_EQ(static_cast<uint32_t>(e.enumerators[i]), values[i]) << e.name << " #" << i;
  }
}

TEST(Roster, HoldsThePublishedClassesAndIdentifiers) {
  const auto narrow = [](const wchar_t* wide) { return wide ? std::string(wide, wide + std::wcslen(wide)) : ""; };
  const auto roster = ClassRoster();
  ASSERT_EQ(roster.size(), std::size(contract::kClasses));
  for (size_t i = 0; i < roster.size(); ++i) {
    const contract::Class& c = contract::kClasses[i];
    EXPECT_EQ(roster[i].name, c.name);
    EXPECT_EQ(roster[i].classId, narrow(c.clsid)) << c.name;
    EXPECT_EQ(roster[i].interfaceId, narrow(c.iid)) << c.name;
    EXPECT_EQ(roster[i].eventInterfaceId, narrow(c.eventIid)) << c.name;
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
  EXPECT_EQ(kTypeLibrary.majorVersion, contract::kLibMajor);
  EXPECT_EQ(kTypeLibrary.minorVersion, contract::kLibMinor);
  EXPECT_EQ(kTypeLibrary.libraryId, narrow(contract::kLibId));
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
