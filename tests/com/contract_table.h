// The published binary contract of ZentNetLib, written out by hand from the class
// descriptions: every class's identifiers, its default interface's members in vtable order
// (after IDispatch's seven slots) and its event interface's dispatch identifiers.
//
// Deliberately not generated from our IDL: this table is what the IDL is checked against.
#pragma once

#include <cstddef>
#include <iterator>
#include <span>

namespace contract {

// One vtable slot of a member. A property lists its forms in slot order.
enum Form : unsigned char {
    NONE = 0,
    GET,     // propget
    LET,     // propput
    SET,     // propputref
    METHOD,  // function without a result
    FUNC,    // function with an [out, retval] result
    WRITE,   // the undescribed write slot of an object-valued public field (a hidden propput)
};

struct Member {
    const char* name;
    Form forms[3];
};

// Event arguments are passed by reference so that listeners can write back; `byValue` marks
// the few that are not (bit i = argument i, from the left).
struct Event {
    const char* name;
    int dispid;
    int params;
    unsigned byValue = 0;
};

struct Class {
    const char* name;
    const wchar_t* clsid;
    const wchar_t* iid;
    const wchar_t* eventIid;  // nullptr: the class raises no events
    std::span<const Member> members;
    std::span<const Event> events;
};

inline constexpr wchar_t kLibId[] = L"{EC0ACDA5-6E4E-42C1-87F7-4A0FF22A6EA7}";
inline constexpr unsigned short kLibMajor = 1;
inline constexpr unsigned short kLibMinor = 8;
inline constexpr unsigned kDispatchSlots = 7;

// ---------------------------------------------------------------------------------------
inline constexpr Member kCmdLog[] = {
    {"Logging", {GET, LET}},
    {"LogPolling", {GET, LET}},
    {"InPoll", {GET, LET}},
    {"CommandSent", {METHOD}},
    {"Received", {METHOD}},
    {"Errors", {METHOD}},
    {"LogToFile", {LET}},
    {"RunTimeErr", {METHOD}},
    {"RunTimeLog", {METHOD}},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kDriveEventObj[] = {
    {"FireCommError", {METHOD}},
    {"FireDriveStateChange", {METHOD}},
    {"FireEnableChanged", {METHOD}},
    {"FireHighLevelFeedbackChanged", {METHOD}},
    {"FireMotorTypeChanged", {METHOD}},
    {"FireParameterChanged", {METHOD}},
    {"FireSetupUndoChanged", {METHOD}},
    {"FireUserIDchanged", {METHOD}},
};
inline constexpr Event kDriveEventObjEvents[] = {
    {"CommError", 1, 3},
    {"DriveStateChange", 2, 1},
    {"EnableChanged", 3, 2},
    {"HighLevelFeedbackChanged", 4, 1},
    {"MotorTypeChanged", 5, 1},
    {"ParameterChanged", 6, 2},
    {"SetupUndoChanged", 7, 2},
    {"UserIDchanged", 8, 1},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kNetSupervisorObj[] = {
    {"FireNetworkChanged", {METHOD}},
    {"FireNetworkError", {METHOD}},
    {"FireDriveParameterChanged", {METHOD}},
    {"FireParameterChanged", {METHOD}},
    {"FirePointToPointChanged", {METHOD}},
    {"FireRequestNetOpen", {METHOD}},
    {"GetRefToNetPort", {GET}},
    {"Ports", {LET, GET}},
    {"Nets", {GET}},
    {"MaxAdapters", {LET, GET}},
    {"AdapterDefault", {LET, GET}},
};
inline constexpr Event kNetSupervisorObjEvents[] = {
    {"NetworkChanged", 1, 2},
    {"NetworkError", 2, 2},
    {"DriveParameterChanged", 3, 3},
    {"ParameterChanged", 4, 2},
    {"PointToPointChanged", 5, 3},
    {"RequestNetOpen", 6, 5},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kConfigRegObj[] = {
    {"CapabilityMask", {GET, LET}},
    {"VelocityEstimatorMax", {GET, LET}},
    {"VelocityEstimatorMin", {GET, LET}},
    {"Register", {GET, WRITE, SET}},
    {"AnalogInFilter", {LET, GET}},
    {"AnalogInFilterStr", {GET}},
    {"TorqueMode", {GET}},
    {"Steadix", {LET, GET}},
    {"SteadixStr", {GET}},
    {"BadSequenceEnable", {LET, GET}},
    {"BadSequenceEnableStr", {GET}},
    {"BrushMode", {GET}},
    {"BrushModeStr", {GET}},
    {"EncoderBalanced", {LET, GET}},
    {"EncoderBalancedStr", {GET}},
    {"EncoderInFilter", {LET, GET}},
    {"EncoderInFilterStr", {GET}},
    {"HallCheck", {LET, GET}},
    {"HallCheckStr", {GET}},
    {"FilterClock", {LET, GET}},
    {"FilterClockStr", {GET}},
    {"FilterClockStrArb", {GET}},
    {"HallInverter", {LET, GET}},
    {"HallInverterStr", {GET}},
    {"HallLessStart", {LET, GET}},
    {"HallLessStartStr", {GET}},
    {"LimitMode", {LET, GET}},
    {"LimitModeStr", {GET}},
    {"LogicPowerBackup", {LET, GET}},
    {"LogicPowerBackupStr", {GET}},
    {"ModeLineFoldback", {LET, GET}},
    {"ModeLineFoldbackStr", {GET}},
    {"MoveDoneFoldback", {LET, GET}},
    {"MoveDoneFoldbackStr", {GET}},
    {"InputMode", {LET, GET}},
    {"InputModeStr", {GET}},
    {"HardStopFoldback", {LET, GET}},
    {"HardStopFoldbackStr", {GET}},
    {"HighLevelFeedback", {LET, GET}},
    {"HighLevelFeedbackStr", {FUNC}},
    {"LinearMotor", {GET}},
    {"StepInFilter", {LET, GET}},
    {"StepInFilterStr", {GET}},
    {"SyncPulse", {LET, GET}},
    {"SyncPulseStr", {GET}},
    {"VectorLock", {LET, GET}},
    {"VectorLockStr", {GET}},
    {"VelocityEstimator", {LET, GET}},
    {"LimitSwitchModeStr", {FUNC}},
    {"MotorStyle", {LET, GET}},
    {"MotorStyleStr", {GET}},
    {"StepEncInputFilter", {LET, GET}},
    {"LimitModeLookup", {GET}},
};
inline constexpr Event kConfigRegObjEvents[] = {
    {"Change", 1, 0},
    {"UpdateView", 2, 0},
    {"MotorTypeChanged", 3, 0},
    {"HighLevelFeedbackChanged", 4, 0},
    {"Refresh", 5, 1},
    {"InitializeCache", 6, 2},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kErrorCodeObj[] = {
    {"Register", {GET, WRITE, SET}},
    {"ADCproblems", {GET}},
    {"CommutationProblems", {GET}},
    {"CurrentSensorProblems", {GET}},
    {"EEhardwareProblems", {GET}},
    {"EEnotInitialized", {GET}},
    {"EncoderProblems", {GET}},
    {"LogicPowerBackedUp", {GET}},
    {"LogicPowerRecoveryFailed", {GET}},
    {"OverVoltageCurrent", {GET}},
    {"RMSoverload", {GET}},
    {"VectorSetupProblems", {GET}},
    {"StepInputProblems", {GET}},
    {"Thermal", {GET}},
    {"Tracking", {GET}},
    {"IsShutdown", {GET}},
    {"Refresh", {METHOD}},
    {"ErrorListStr", {FUNC}},
};
inline constexpr Event kErrorCodeObjEvents[] = {
    {"Changed", 1, 0},
    {"Refresh", 2, 0},
    {"InitializeCache", 3, 2},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kIOregisterObj[] = {
    {"Refresh", {METHOD}},
    {"AmpEnable", {GET}},
    {"EnableIn", {GET}},
    {"FaultIn", {GET}},
    {"ModeIn", {GET}},
    {"NegativeLimit", {GET}},
    {"PositiveLimit", {GET}},
    {"ShutdownLineOut", {GET}},
    {"ThermalFaultIn", {GET}},
    {"CommutationCode", {GET}},
    {"ValueObjRef", {SET}},
    {"Bits", {GET}},
    {"BitNames", {FUNC}},
    {"LastCommutationCode", {GET}},
};
inline constexpr Event kIOregisterObjEvents[] = {
    {"CommutationChanged", 1, 2},
    {"Refresh", 2, 1},
    {"InitializeCache", 3, 2},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kMonitorPortStateObj[] = {
    {"Amplitude", {GET, SET}},
    {"Variable", {SET, GET}},
    {"Filter", {SET, GET}},
    {"ConfigReg", {GET, SET}},
    {"SyncPulse", {LET, GET}},
    {"SyncPulseStr", {GET}},
    {"MonitorVarStr", {GET}},
    {"Rescale", {METHOD}},
    {"CopyTo", {METHOD}},
    {"Initialize", {METHOD}},
    {"Refresh", {METHOD}},
    {"SaveToNonVolatile", {METHOD}},
    {"ChangeTo", {METHOD}},
};
inline constexpr Event kMonitorPortStateObjEvents[] = {
    {"VariableChanged", 1, 0},
    {"AmplitudeChanged", 2, 0},
    {"FilterChanged", 3, 0},
    {"SyncPulseChanged", 4, 0},
    {"Refresh", 5, 0},
    {"SaveToNonVolatile", 6, 0},
    {"RescaleAmplitude", 7, 0},
    {"Changed", 8, 0},
    {"Initialize", 9, 0},
    {"UpdateView", 10, 0},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kSoundEventsObj[] = {
    {"LimitAssertion", {LET, GET}},
    {"OffOnLine", {LET, GET}},
    {"Shutdown", {LET, GET}},
    {"TorqueSaturation", {LET, GET}},
    {"VoltageSaturation", {LET, GET}},
    {"Bits", {LET, GET}},
    {"RestoreAll", {METHOD}},
    {"Control", {LET, GET}},
};
inline constexpr Event kSoundEventsObjEvents[] = {
    {"Changed", 1, 0},
    {"ControlChanged", 2, 0},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kStatusRegObj[] = {
    {"StatusImplemented", {GET, LET}},
    {"ConfigReg", {GET, WRITE, SET}},
    {"AllSystemsGo", {GET}},
    {"HighLevelFeedback", {GET}},
    {"AmpDisable", {GET}},
    {"BitStr", {GET}},
    {"EncoderError", {GET}},
    {"Hardstopped", {GET}},
    {"IVfault", {GET}},
    {"LockLevel", {GET}},
    {"LogicPowerBackup", {GET}},
    {"NegativeLimit", {GET}},
    {"NotMoveDone", {GET}},
    {"OutOfPosition", {GET}},
    {"OutputSaturation", {GET}},
    {"OverSpeed", {GET}},
    {"OverTemp", {GET}},
    {"PositiveLimit", {GET}},
    {"PWMsaturation", {GET}},
    {"Register", {GET}},
    {"RMSshutdown", {GET}},
    {"StepInputError", {GET}},
    {"TempShutdown", {GET}},
    {"TorqueMode", {GET}},
    {"TrackingShutdown", {GET}},
    {"VectorSearch", {GET}},
    {"LockLevelRef", {GET}},
};
inline constexpr Event kStatusRegObjEvents[] = {
    {"Changed", 1, 0},
    {"Refresh", 2, 0},
    {"EnableChanged", 3, 1},
    {"LimitHit", 4, 0},
    {"OverSpeed", 5, 0},
    {"Hardstopped", 6, 0},
    {"Shutdown", 7, 0},
    {"LockChanged", 8, 0},
    {"InitializeCache", 9, 2},
    {"ContentChanged", 10, 1},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kStimulusStateObj[] = {
    {"Amplitude", {GET, SET}},
    {"Period", {GET, SET}},
    {"Mode", {GET, SET}},
    {"VelocityQ", {GET, LET}},
    {"ConfigReg", {GET, SET}},
    {"TrackingLimit", {GET, SET}},
    {"SampleRate", {SET}},
    {"Start", {METHOD}},
    {"StartStop", {METHOD}},
    {"Terminate", {METHOD}},
    {"ModeStr", {GET}},
    {"LastMode", {LET, GET}},
    {"UImode", {GET, LET}},
    {"Running", {GET}},
    {"CopyTo", {METHOD}},
    {"Refresh", {METHOD}},
    {"StimMode", {LET, GET}},
    {"ChangeTo", {METHOD}},
    {"Initialize", {METHOD}},
    {"InitializeMode", {LET}},
    {"Initializing", {LET, GET}},
    {"FireChanges", {METHOD}},
    {"SetupFor", {METHOD}},
};
// The seventh event keeps identifier 10: listeners bound to the numbers, not the order.
inline constexpr Event kStimulusStateObjEvents[] = {
    {"AmplitudeChanged", 1, 0},
    {"PeriodChanged", 2, 0},
    {"ModeChanged", 3, 0},
    {"StimulusChanged", 4, 0},
    {"UIModeChanged", 5, 0},
    {"UIchanged", 6, 0},
    {"TrackingLimSetup", 10, 1},
    {"AdjustAmplitudeScaling", 7, 1},
    {"Refresh", 8, 0},
    {"UpdateView", 9, 0},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kOptionRegObj[] = {
    {"CapabilityMask", {GET, LET}},
    {"Register", {GET, WRITE, SET}},
    {"CaseOption", {LET, GET}},
    {"FirmwareType", {LET, GET}},
    {"InitialCalibration", {LET, GET}},
    {"RuntimeCalibration", {LET, GET}},
    {"VoltageMode", {LET, GET}},
    {"VoltageModeStr", {GET}},
    {"Vendor", {LET, GET}},
    {"VendorStr", {GET}},
    {"WarrantyOptions", {LET, GET}},
    {"AnalogInputFormat", {LET, GET}},
    {"AnalogInputFormatStr", {GET}},
    {"LPBenabled", {LET, GET}},
    {"LPBenabledStr", {GET}},
};
inline constexpr Event kOptionRegObjEvents[] = {
    {"Change", 1, 0},
    {"FirmwareChanged", 2, 0},
    {"Refresh", 3, 1},
    {"InitializeCache", 4, 2},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kNetAdapterObj[] = {
    {"FireNetworkError", {METHOD}},
    {"FireNetworkChanged", {METHOD}},
    {"FireDriveParameterChanged", {METHOD}},
    {"FireParameterChanged", {METHOD}},
    {"FirePointToPointChange", {METHOD}},
    {"NetState", {GET}},
    {"NetStateStr", {GET}},
    {"NetSupervisor", {METHOD}},
    {"AdapterName", {GET}},
    {"PortNumber", {LET, GET}},
    {"PortType", {LET, GET}},
    {"NetOpen", {LET, GET}},
    {"Nodes", {GET}},
    {"Enabled", {LET, GET}},
    {"Peer", {SET, GET}},
    {"ClearNodes", {METHOD}},
    {"InhibitParameterChangeEvent", {LET, GET}},
    {"NetStateStrLookup", {FUNC}},
};
inline constexpr Event kNetAdapterObjEvents[] = {
    {"NetworkChanged", 1, 1},
    {"NetworkError", 2, 1},
    {"DriveParameterChanged", 3, 2},
    {"ParameterChanged", 4, 1},
    {"PointToPointChanged", 5, 2},
    {"RequestNetOpen", 6, 4},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kHotKeyObj[] = {
    {"KeyCode", {GET, LET}},
    {"ShiftCodes", {GET, LET}},
    {"FireHit", {METHOD}},
    {"KeyName", {GET}},
    {"Key", {GET}},
    {"FireHitUp", {METHOD}},
    {"FormRef", {SET, GET}},
};
inline constexpr Event kHotKeyObjEvents[] = {
    {"Hit", 1, 0},
    {"HitUp", 2, 0},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kAppStateEventObj[] = {
    {"FireLockChange", {METHOD}},
    {"FirePollStateChange", {METHOD}},
    {"FireTechSupportChange", {METHOD}},
    {"FireTimerTick", {METHOD}},
    {"FireTerminate", {FUNC}},
    {"FireCreateDemoDrive", {METHOD}},
    {"FireNetChange", {METHOD}},
    {"MotorPageEnabled", {LET, GET}},
};
// MotorPageEnableChanged sits in the seventh place with identifier 8.
inline constexpr Event kAppStateEventObjEvents[] = {
    {"LockChanged", 1, 1},
    {"TechSupportChanged", 2, 1},
    {"PollStateChanged", 3, 1},
    {"TimerTick", 4, 0},
    {"Terminate", 5, 1},
    {"CreateDemoDrive", 6, 2},
    {"MotorPageEnableChanged", 8, 1},
    {"NetworkChange", 7, 2, 0b10},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kErrReflector[] = {
    {"CopyError", {LET}},
    {"Raise", {METHOD}},
    {"Description", {GET}},
    {"Number", {GET}},
    {"Source", {GET}},
    {"HelpContext", {GET}},
    {"HelpFile", {GET}},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kNetLib[] = {
    {"AppEvents", {GET}},
    {"AppTitle", {GET}},
    {"CreateDemoDrive", {METHOD}},
    {"DriveEvent", {GET}},
    {"Drives", {GET}},
    {"Flash", {GET}},
    {"ForceOffline", {METHOD}},
    {"LockLevel", {GET}},
    {"LookupDriveErrorMsg", {GET}},
    {"LogFile", {GET}},
    {"Nets", {GET}},
    {"Online", {GET}},
    {"OnlinePoll", {LET, GET}},
    {"Polling", {LET, GET}},
    {"PollingInternal", {LET, GET}},
    {"Ports", {LET, GET}},
    {"PortsOpen", {LET, GET}},
    {"RegisterFKey", {METHOD}},
    {"ColdResetSystem", {METHOD}},
    {"Resetting", {GET}},
    {"NetSupervisor", {GET}},
    {"SerialVersion", {GET}},
    {"Sounds", {GET}},
    {"SystemFileConfiguration", {GET}},
    {"SystemFileLoad", {METHOD}},
    {"SystemFileSave", {METHOD}},
    {"TechSupportMode", {LET, GET}},
    {"TechSupportModeEnable", {METHOD}},
    {"UnRegisterFKey", {METHOD}},
    {"ValueVersion", {GET}},
    {"Version", {GET}},
    {"WarmResetSystem", {METHOD}},
    {"WinHookRef", {SET}},
};

// ---------------------------------------------------------------------------------------
inline constexpr Member kPhysDriveObj[] = {
    {"ACin", {GET}},
    {"Address", {LET, GET}},
    {"AddToPosition", {METHOD}},
    {"SteadixList", {GET}},
    {"AppLockLevel", {SET}},
    {"CanMoveDone", {GET}},
    {"CommPort", {GET}},
    {"ConfigReg", {GET}},
    {"DemoMode", {LET, GET}},
    {"DriveState", {GET}},
    {"DriveStateStr", {GET}},
    {"DriveType", {GET}},
    {"Enabled", {GET}},
    {"EncAndStepFilterList", {GET}},
    {"ErrorCodeReg", {GET}},
    {"FilterClockList", {GET}},
    {"FirmwareName", {GET}},
    {"FirmwareID", {GET}},
    {"FirmwareVersionStr", {GET}},
    {"FirmwareVersion", {GET}},
    {"FirmwareVersionCode", {GET}},
    {"HasFlash", {GET}},
    {"HighLevelFeedbackList", {GET}},
    {"InitializeNonVolatile", {METHOD}},
    {"InputModeList", {GET}},
    {"IOregister", {GET}},
    {"IsLumoType", {FUNC}},
    {"LogFile", {GET, SET}},
    {"ModeLineFoldbackList", {GET}},
    {"ModeLineStr", {GET}},
    {"MonitorVariableList", {GET}},
    {"MonitorState", {GET}},
    {"ModelString", {GET}},
    {"MotorFileExists", {FUNC}},
    {"MotorFileLoad", {METHOD}},
    {"MotorFileName", {LET, GET}},
    {"MotorFileSave", {METHOD}},
    {"MotorStyleList", {GET}},
    {"MotorConfigChanged", {LET, GET}},
    {"Online", {GET}},
    {"OptionReg", {GET}},
    {"ParamExists", {FUNC}},
    {"Parameter", {GET}},
    {"ParameterList", {GET}},
    {"ParameterValueObj", {GET}},
    {"PollPriority", {LET, GET}},
    {"PositionMeasured", {GET}},
    {"VEXlist", {GET}},
    {"ReAddressNetwork", {FUNC}},
    {"Ready", {GET}},
    {"ReEnable", {METHOD}},
    {"ResetDrive", {METHOD}},
    {"ResetNetwork", {METHOD}},
    {"ResetParamUpdateIndicator", {METHOD}},
    {"RMSlevel", {GET}},
    {"RMSpeak", {GET}},
    {"RunCommand", {FUNC}},
    {"RunPollCycle", {METHOD}},
    {"ScenarioExists", {GET}},
    {"ScenarioMax", {GET}},
    {"ScenarioRecall", {METHOD}},
    {"ScenarioStore", {METHOD}},
    {"SetupUndo", {METHOD}},
    {"SetupUndoAvailable", {FUNC}},
    {"SetupUndoSaveState", {METHOD}},
    {"SetupVelocityTuning", {METHOD}},
    {"SetupStepResponseView", {METHOD}},
    {"SetupPositionTuning", {METHOD}},
    {"Shutdown", {GET}},
    {"SoundEvents", {SET, GET}},
    {"StatusReg", {GET}},
    {"StimulusState", {GET}},
    {"SyncPulseList", {GET}},
    {"SystemFileExists", {FUNC}},
    {"SystemFileLoad", {METHOD}},
    {"SystemFileSave", {METHOD}},
    {"TrqFrcString", {FUNC}},
    {"TrqFrcStringUpdated", {FUNC}},
    {"UpdateDriveInfo", {FUNC}},
    {"UserPositionUnit", {GET}},
    {"UserVelocityUnit", {GET}},
    {"UserTorqueUnit", {GET}},
    {"StepResList", {GET}},
    {"StimulusList", {GET}},
    {"UserID", {LET, GET}},
    {"VelocityMeasured", {GET}},
    {"WakeupDrive", {FUNC}},
};

// ---------------------------------------------------------------------------------------
// The seventeen classes, in roster order.
inline constexpr Class kClasses[] = {
    {"CmdLog", L"{F3D8EDBF-CFD4-414F-A9F3-AA756809BE30}",
     L"{1FF8B2C8-FC97-4206-93A3-6A4F48BCDA23}", nullptr, kCmdLog, {}},
    {"DriveEventObj", L"{C78DD335-BF3F-48D4-92FB-B6B1F7A4D290}",
     L"{DD1F8062-3844-45A0-9DED-24BE94596F92}", L"{0AD2AFAB-BC1C-4E8D-82A4-C925111D6354}",
     kDriveEventObj, kDriveEventObjEvents},
    {"NetSupervisorObj", L"{DE863BAF-8D47-42DA-960D-D1E525F4C029}",
     L"{32FEBE76-E53C-4CE9-BE29-491D551CBEE3}", L"{70D4E324-9E05-45A0-BF86-12BA9B738F72}",
     kNetSupervisorObj, kNetSupervisorObjEvents},
    {"ConfigRegObj", L"{A9A51C69-0C84-4420-91DE-4D4194A47356}",
     L"{50B1C39F-A568-4597-A44F-A563FFA5FE79}", L"{42DC00F2-6958-44B1-AB02-283428FECBB4}",
     kConfigRegObj, kConfigRegObjEvents},
    {"ErrorCodeObj", L"{A9DA0A42-F11C-400F-96CA-7CB8A7C3FEA7}",
     L"{A9EA7783-1465-4C89-91B7-C1BBE87C4E97}", L"{31F21D4F-3114-4F60-A3B9-D493505D1ED1}",
     kErrorCodeObj, kErrorCodeObjEvents},
    {"IOregisterObj", L"{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}",
     L"{CAAEF27C-0CA0-4A29-856A-4497A12EB80A}", L"{56DFB106-F77B-4082-A7BB-20B148420335}",
     kIOregisterObj, kIOregisterObjEvents},
    {"MonitorPortStateObj", L"{7682FCCE-CE8B-48DA-810C-EA89EAB6D418}",
     L"{0528FC56-A84D-4AFA-AD7D-333CF172206A}", L"{ACA80673-22C0-49A3-AA12-2EA44168AA32}",
     kMonitorPortStateObj, kMonitorPortStateObjEvents},
    {"SoundEventsObj", L"{18FCA850-01CE-40E4-9477-1C1C357F7518}",
     L"{E26F2B5D-8737-448E-960D-2574524DAD9C}", L"{8A325FA7-A7B5-44A8-B53F-118C8022F716}",
     kSoundEventsObj, kSoundEventsObjEvents},
    {"StatusRegObj", L"{F012E358-A8B3-449C-8733-7929597EE0F7}",
     L"{86FBBD90-ED63-49D5-9EDC-6C52E34FC1F5}", L"{599C4A06-EB08-45FA-B7D0-EFF2B42090E2}",
     kStatusRegObj, kStatusRegObjEvents},
    {"StimulusStateObj", L"{8A36E7E8-ABDA-48FF-BA8D-3D06D2D4F5D8}",
     L"{0DDD12EA-C4A2-47BD-A9E2-FE75E0EA6C63}", L"{7F12B558-36F3-4D56-AEEC-E88B43E0B3B9}",
     kStimulusStateObj, kStimulusStateObjEvents},
    {"OptionRegObj", L"{A6AB9BC2-DC90-4211-A9AF-F8F3620CBE0C}",
     L"{C1B38680-248E-41FB-93E2-C542E3009F26}", L"{022A5B8D-D8B0-4E5A-B776-F176D45CC900}",
     kOptionRegObj, kOptionRegObjEvents},
    {"NetAdapterObj", L"{4D04695F-2D7B-4D85-8127-4E597BD08077}",
     L"{572E2129-6084-48A0-B886-70FD000528BA}", L"{CA94310D-87C6-4A18-A268-69A5F4117F09}",
     kNetAdapterObj, kNetAdapterObjEvents},
    {"HotKeyObj", L"{A5858DD8-1063-4F44-AA4A-A7553644C7C8}",
     L"{8837AFA4-3C3A-49DC-A53C-188EEA346509}", L"{849E4F06-5871-4210-AA55-81FD07F198A0}",
     kHotKeyObj, kHotKeyObjEvents},
    {"AppStateEventObj", L"{65F653FE-8B6B-48BF-946C-79A02213C038}",
     L"{B01B6CC4-8F69-4B6A-A0C5-895BA3BDBE6B}", L"{D7CC60F7-F1C7-489A-85DA-1FC82452A15A}",
     kAppStateEventObj, kAppStateEventObjEvents},
    {"ErrReflector", L"{93A9889A-6D1E-411B-AF31-4F179AA6CCD6}",
     L"{5AAAFE3C-426B-4F9A-AE8B-A7E901437CF7}", nullptr, kErrReflector, {}},
    {"NetLib", L"{206C0115-83C1-4A7B-977F-60754FA1C8F3}",
     L"{B7F2AE18-6023-4BA4-8D6B-79B3A11E15DE}", nullptr, kNetLib, {}},
    {"PhysDriveObj", L"{04963D3F-F3CE-4AE2-A13A-2586C808A84D}",
     L"{AA23CBE6-11EB-4703-B679-415F64D76894}", nullptr, kPhysDriveObj, {}},
};

static_assert(std::size(kClasses) == 17);

// Two events of one interface never share an identifier.
constexpr bool DispidsUnique() {
    for (const Class& cls : kClasses)
        for (size_t i = 0; i < cls.events.size(); ++i)
            for (size_t j = i + 1; j < cls.events.size(); ++j)
                if (cls.events[i].dispid == cls.events[j].dispid) return false;
    return true;
}
static_assert(DispidsUnique());

}  // namespace contract
