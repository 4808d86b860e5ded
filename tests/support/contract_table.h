// The published binary contract of ZentNetLib, written out by hand from the class
// descriptions: every class's identifiers, its default interface's members in vtable order
// (after IDispatch's seven slots), its event interface's events in order, parameter types
// and flags, every enumeration's values and every record's layout. The one table of the
// contract: the native test compares the core's roster and enumerations with it, and the
// contract client the registered (or a DLL's) type library.
//
// Deliberately not generated from our IDL: this table is what the IDL is checked against.
//
// Members: one row per member, "Name:forms parameters;" (rows run on across lines), forms
// one letter per vtable slot in slot order: g Get (propget), l Let (propput), s Set
// (propputref), m a method without a result, f a function with an [out, retval] result,
// w the write slot of an object-valued public field that the type library does not
// describe (the slot is there, its description is not). Parameters from the left, ", "
// between them, each "[ref ]Type[ opt][=default]", then "-> Type" for the result. A
// property's row gives its Get: its writes take the same arguments and then the value, by
// reference where the type says "ref". Events: "Name=dispid parameters;" in place order.
// Types as the type library names them (long, double, BSTR, VARIANT_BOOL, VARIANT,
// IDispatch, IUnknown, or a published type's name; an object is its interface, "ref" only
// where the pointer itself is by reference), a type of another library as "Library.Name".
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace contract {

struct Class {
  const char* name;
  const wchar_t* clsid;
  const wchar_t* iid;
  const char* members;
  const wchar_t* eventIid;  // nullptr: the class raises no events
  const char* events;
};

inline constexpr wchar_t kLibId[] = L"{EC0ACDA5-6E4E-42C1-87F7-4A0FF22A6EA7}";
inline constexpr unsigned short kLibMajor = 1;
inline constexpr unsigned short kLibMinor = 8;
inline constexpr unsigned kDispatchSlots = 7;

// The seventeen classes, in roster order. Types of other libraries that the type library
// stands in for: the automation runtime's error object (CmdLog.RunTimeErr,
// ErrReflector.CopyError) and the scripting runtime's Dictionary (PhysDriveObj.ParameterList)
// by IDispatch, the runtime's key-code and shift-state types (HotKeyObj) by long, the value
// library's ParamNumber by our own alias of long.
inline constexpr Class kClasses[] = {
    {"CmdLog", L"{F3D8EDBF-CFD4-414F-A9F3-AA756809BE30}", L"{1FF8B2C8-FC97-4206-93A3-6A4F48BCDA23}",
     "Logging:gl -> VARIANT_BOOL; LogPolling:gl -> VARIANT_BOOL; InPoll:gl -> VARIANT_BOOL;"
     "CommandSent:m ref BSTR; Received:m ref BSTR; Errors:m ref BSTR, ref BSTR;"
     "LogToFile:l ref VARIANT_BOOL -> ref VARIANT_BOOL;"
     "RunTimeErr:m IDispatch, ref BSTR opt=\"\"; RunTimeLog:m ref BSTR;",
     nullptr, ""},
    {"DriveEventObj", L"{C78DD335-BF3F-48D4-92FB-B6B1F7A4D290}",
     L"{DD1F8062-3844-45A0-9DED-24BE94596F92}",
     "FireCommError:m ref _PhysDriveObj, DriveErrors, long opt=0;"
     "FireDriveStateChange:m ref _PhysDriveObj;"
     "FireEnableChanged:m ref _PhysDriveObj, VARIANT_BOOL;"
     "FireHighLevelFeedbackChanged:m ref _PhysDriveObj; FireMotorTypeChanged:m ref _PhysDriveObj;"
     "FireParameterChanged:m ref _PhysDriveObj, ref ValuesLib._ValueObj;"
     "FireSetupUndoChanged:m ref _PhysDriveObj, VARIANT_BOOL;"
     "FireUserIDchanged:m ref _PhysDriveObj;",
     L"{0AD2AFAB-BC1C-4E8D-82A4-C925111D6354}",
     "CommError=1 ref _PhysDriveObj, ref DriveErrors, ref long;"
     "DriveStateChange=2 ref _PhysDriveObj; EnableChanged=3 ref _PhysDriveObj, ref VARIANT_BOOL;"
     "HighLevelFeedbackChanged=4 ref _PhysDriveObj; MotorTypeChanged=5 ref _PhysDriveObj;"
     "ParameterChanged=6 ref _PhysDriveObj, ref ValuesLib._ValueObj;"
     "SetupUndoChanged=7 ref _PhysDriveObj, ref VARIANT_BOOL; UserIDchanged=8 ref _PhysDriveObj;"},
    {"NetSupervisorObj", L"{DE863BAF-8D47-42DA-960D-D1E525F4C029}",
     L"{32FEBE76-E53C-4CE9-BE29-491D551CBEE3}",
     "FireNetworkChanged:m ref _NetAdapterObj, ref NetworkChanges;"
     "FireNetworkError:m ref _NetAdapterObj, ref infcErrInfo;"
     "FireDriveParameterChanged:m ref _NetAdapterObj, ref _PhysDriveObj, ref ValuesLib._ValueObj;"
     "FireParameterChanged:m ref _NetAdapterObj, ref infcParamChg;"
     "FirePointToPointChanged:m ref _NetAdapterObj, ref long, ref PointToPointStatus;"
     "FireRequestNetOpen:m ref _NetAdapterObj, ref IDispatch, ref VARIANT_BOOL, ref long, "
     "ref VARIANT_BOOL;"
     "GetRefToNetPort:g long -> _NetAdapterObj; Ports:lg -> ref BSTR; Nets:g -> _Collection;"
     "MaxAdapters:lg -> long; AdapterDefault:lg -> NetAdapterType;",
     L"{70D4E324-9E05-45A0-BF86-12BA9B738F72}",
     "NetworkChanged=1 ref _NetAdapterObj, ref NetworkChanges;"
     "NetworkError=2 ref _NetAdapterObj, ref infcErrInfo;"
     "DriveParameterChanged=3 ref _NetAdapterObj, ref _PhysDriveObj, ref ValuesLib._ValueObj;"
     "ParameterChanged=4 ref _NetAdapterObj, ref infcParamChg;"
     "PointToPointChanged=5 ref _NetAdapterObj, ref long, ref PointToPointStatus;"
     "RequestNetOpen=6 ref _NetAdapterObj, ref IDispatch, ref VARIANT_BOOL, ref long, "
     "ref VARIANT_BOOL;"},
    {"ConfigRegObj", L"{A9A51C69-0C84-4420-91DE-4D4194A47356}",
     L"{50B1C39F-A568-4597-A44F-A563FFA5FE79}",
     "CapabilityMask:gl -> ConfigRegMasks; VelocityEstimatorMax:gl -> long;"
     "VelocityEstimatorMin:gl -> long; Register:gws -> ValuesLib._ValueObj;"
     "AnalogInFilter:lg -> ref VARIANT_BOOL; AnalogInFilterStr:g -> BSTR;"
     "TorqueMode:g -> VARIANT_BOOL; Steadix:lg -> ref SteadixModes;"
     "SteadixStr:g ref SteadixModes opt=-1 -> BSTR; BadSequenceEnable:lg -> ref VARIANT_BOOL;"
     "BadSequenceEnableStr:g -> BSTR; BrushMode:g -> VARIANT_BOOL; BrushModeStr:g -> BSTR;"
     "EncoderBalanced:lg -> ref VARIANT_BOOL; EncoderBalancedStr:g -> BSTR;"
     "EncoderInFilter:lg -> ref VARIANT_BOOL; EncoderInFilterStr:g -> BSTR;"
     "HallCheck:lg -> ref VARIANT_BOOL; HallCheckStr:g -> BSTR; FilterClock:lg -> ref FilterClks;"
     "FilterClockStr:g -> BSTR; FilterClockStrArb:g ref FilterClks -> BSTR;"
     "HallInverter:lg -> ref VARIANT_BOOL; HallInverterStr:g -> BSTR;"
     "HallLessStart:lg -> ref VARIANT_BOOL; HallLessStartStr:g -> BSTR;"
     "LimitMode:lg -> ref LimitModes; LimitModeStr:g -> BSTR;"
     "LogicPowerBackup:lg -> ref VARIANT_BOOL; LogicPowerBackupStr:g -> BSTR;"
     "ModeLineFoldback:lg -> ref ModeLineFoldbacks;"
     "ModeLineFoldbackStr:g ref VARIANT opt -> BSTR; MoveDoneFoldback:lg -> ref VARIANT_BOOL;"
     "MoveDoneFoldbackStr:g -> BSTR; InputMode:lg -> InputModes;"
     "InputModeStr:g ref VARIANT opt -> BSTR; HardStopFoldback:lg -> VARIANT_BOOL;"
     "HardStopFoldbackStr:g -> BSTR; HighLevelFeedback:lg -> HighLevelFeedbacks;"
     "HighLevelFeedbackStr:f ref VARIANT opt -> BSTR; LinearMotor:g -> VARIANT_BOOL;"
     "StepInFilter:lg -> VARIANT_BOOL; StepInFilterStr:g -> BSTR; SyncPulse:lg -> SyncPulses;"
     "SyncPulseStr:g ref VARIANT opt -> BSTR; VectorLock:lg -> VARIANT_BOOL;"
     "VectorLockStr:g -> BSTR; VelocityEstimator:lg -> VelocityEstimators;"
     "LimitSwitchModeStr:f ref VARIANT opt -> BSTR; MotorStyle:lg -> MotorStyles;"
     "MotorStyleStr:g ref MotorStyles opt=-1 -> BSTR; StepEncInputFilter:lg -> StepEncFilters;"
     "LimitModeLookup:g ref LimitModes -> BSTR;",
     L"{42DC00F2-6958-44B1-AB02-283428FECBB4}",
     "Change=1; UpdateView=2; MotorTypeChanged=3; HighLevelFeedbackChanged=4;"
     "Refresh=5 ref ValuesLib._ValueObj; InitializeCache=6 ref double, ref VARIANT_BOOL;"},
    {"ErrorCodeObj", L"{A9DA0A42-F11C-400F-96CA-7CB8A7C3FEA7}",
     L"{A9EA7783-1465-4C89-91B7-C1BBE87C4E97}",
     "Register:gws -> ValuesLib._ValueObj; ADCproblems:g -> VARIANT_BOOL;"
     "CommutationProblems:g -> VARIANT_BOOL; CurrentSensorProblems:g -> VARIANT_BOOL;"
     "EEhardwareProblems:g -> VARIANT_BOOL; EEnotInitialized:g -> VARIANT_BOOL;"
     "EncoderProblems:g -> VARIANT_BOOL; LogicPowerBackedUp:g -> VARIANT_BOOL;"
     "LogicPowerRecoveryFailed:g -> VARIANT_BOOL; OverVoltageCurrent:g -> VARIANT_BOOL;"
     "RMSoverload:g -> VARIANT_BOOL; VectorSetupProblems:g -> VARIANT_BOOL;"
     "StepInputProblems:g -> VARIANT_BOOL; Thermal:g -> VARIANT_BOOL; Tracking:g -> VARIANT_BOOL;"
     "IsShutdown:g -> VARIANT_BOOL; Refresh:m; ErrorListStr:f -> BSTR;",
     L"{31F21D4F-3114-4F60-A3B9-D493505D1ED1}",
     "Changed=1; Refresh=2; InitializeCache=3 ref double, ref VARIANT_BOOL;"},
    {"IOregisterObj", L"{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}",
     L"{CAAEF27C-0CA0-4A29-856A-4497A12EB80A}",
     "Refresh:m; AmpEnable:g -> VARIANT_BOOL; EnableIn:g -> VARIANT_BOOL;"
     "FaultIn:g -> VARIANT_BOOL; ModeIn:g -> VARIANT_BOOL; NegativeLimit:g -> VARIANT_BOOL;"
     "PositiveLimit:g -> VARIANT_BOOL; ShutdownLineOut:g -> VARIANT_BOOL;"
     "ThermalFaultIn:g -> VARIANT_BOOL; CommutationCode:g -> long;"
     "ValueObjRef:s -> ref ValuesLib._ValueObj; Bits:g -> IOregMasks;"
     "BitNames:f ref BSTR -> BSTR; LastCommutationCode:g -> long;",
     L"{56DFB106-F77B-4082-A7BB-20B148420335}",
     "CommutationChanged=1 ref long, ref long; Refresh=2 ref ValuesLib._ValueObj;"
     "InitializeCache=3 ref double, ref VARIANT_BOOL;"},
    {"MonitorPortStateObj", L"{7682FCCE-CE8B-48DA-810C-EA89EAB6D418}",
     L"{0528FC56-A84D-4AFA-AD7D-333CF172206A}",
     "Amplitude:gs -> ValuesLib._ValueObj; Variable:sg -> ValuesLib._ValueObj;"
     "Filter:sg -> ValuesLib._ValueObj; ConfigReg:gs -> _ConfigRegObj;"
     "SyncPulse:lg -> ref SyncPulses; SyncPulseStr:g -> BSTR;"
     "MonitorVarStr:g ref VARIANT opt -> BSTR; Rescale:m; CopyTo:m ref _MonitorPortStateObj;"
     "Initialize:m; Refresh:m; SaveToNonVolatile:m;"
     "ChangeTo:m MonitorVariables, double, double opt=0;",
     L"{ACA80673-22C0-49A3-AA12-2EA44168AA32}",
     "VariableChanged=1; AmplitudeChanged=2; FilterChanged=3; SyncPulseChanged=4; Refresh=5;"
     "SaveToNonVolatile=6; RescaleAmplitude=7; Changed=8; Initialize=9; UpdateView=10;"},
    {"SoundEventsObj", L"{18FCA850-01CE-40E4-9477-1C1C357F7518}",
     L"{E26F2B5D-8737-448E-960D-2574524DAD9C}",
     "LimitAssertion:lg -> VARIANT_BOOL; OffOnLine:lg -> VARIANT_BOOL;"
     "Shutdown:lg -> VARIANT_BOOL; TorqueSaturation:lg -> VARIANT_BOOL;"
     "VoltageSaturation:lg -> VARIANT_BOOL; Bits:lg -> ref SoundEvents; RestoreAll:m;"
     "Control:lg -> VARIANT_BOOL;",
     L"{8A325FA7-A7B5-44A8-B53F-118C8022F716}", "Changed=1; ControlChanged=2;"},
    {"StatusRegObj", L"{F012E358-A8B3-449C-8733-7929597EE0F7}",
     L"{86FBBD90-ED63-49D5-9EDC-6C52E34FC1F5}",
     "StatusImplemented:gl -> StatusRegMasks; ConfigReg:gws -> _ConfigRegObj;"
     "AllSystemsGo:g -> VARIANT_BOOL; HighLevelFeedback:g -> VARIANT_BOOL;"
     "AmpDisable:g -> VARIANT_BOOL; BitStr:g ref long -> BSTR; EncoderError:g -> VARIANT_BOOL;"
     "Hardstopped:g -> VARIANT_BOOL; IVfault:g -> VARIANT_BOOL;"
     "LockLevel:g -> ValuesLib.LockLevels; LogicPowerBackup:g -> VARIANT_BOOL;"
     "NegativeLimit:g -> VARIANT_BOOL; NotMoveDone:g -> VARIANT_BOOL;"
     "OutOfPosition:g -> VARIANT_BOOL; OutputSaturation:g -> VARIANT_BOOL;"
     "OverSpeed:g -> VARIANT_BOOL; OverTemp:g -> VARIANT_BOOL; PositiveLimit:g -> VARIANT_BOOL;"
     "PWMsaturation:g -> VARIANT_BOOL; Register:g -> ValuesLib._ValueObj;"
     "RMSshutdown:g -> VARIANT_BOOL; StepInputError:g -> VARIANT_BOOL;"
     "TempShutdown:g -> VARIANT_BOOL; TorqueMode:g -> VARIANT_BOOL;"
     "TrackingShutdown:g -> VARIANT_BOOL; VectorSearch:g -> VARIANT_BOOL;"
     "LockLevelRef:g -> ValuesLib._LockLevelObj;",
     L"{599C4A06-EB08-45FA-B7D0-EFF2B42090E2}",
     "Changed=1; Refresh=2; EnableChanged=3 ref VARIANT_BOOL; LimitHit=4; OverSpeed=5;"
     "Hardstopped=6; Shutdown=7; LockChanged=8; InitializeCache=9 ref double, ref VARIANT_BOOL;"
     "ContentChanged=10 ref ValuesLib._ValueObj;"},
    // The seventh event keeps identifier 10: listeners bound to the numbers, not the order.
    {"StimulusStateObj", L"{8A36E7E8-ABDA-48FF-BA8D-3D06D2D4F5D8}",
     L"{0DDD12EA-C4A2-47BD-A9E2-FE75E0EA6C63}",
     "Amplitude:gs -> ValuesLib._ValueObj; Period:gs -> ValuesLib._ValueObj;"
     "Mode:gs -> ValuesLib._ValueObj; VelocityQ:gl -> long; ConfigReg:gs -> _ConfigRegObj;"
     "TrackingLimit:gs -> ValuesLib._ValueObj; SampleRate:s -> ValuesLib._ValueObj; Start:m;"
     "StartStop:m; Terminate:m; ModeStr:g ref MonitorVariables opt=5 -> BSTR;"
     "LastMode:lg -> long; UImode:gl -> long; Running:g -> VARIANT_BOOL;"
     "CopyTo:m ref _StimulusStateObj; Refresh:m; StimMode:lg -> long;"
     "ChangeTo:m ref long, ref double, ref long; Initialize:m ref long, ref long, ref long;"
     "InitializeMode:l -> long; Initializing:lg -> VARIANT_BOOL; FireChanges:m;"
     "SetupFor:m long, double, long;",
     L"{7F12B558-36F3-4D56-AEEC-E88B43E0B3B9}",
     "AmplitudeChanged=1; PeriodChanged=2; ModeChanged=3; StimulusChanged=4; UIModeChanged=5;"
     "UIchanged=6; TrackingLimSetup=10 ref VARIANT_BOOL;"
     "AdjustAmplitudeScaling=7 ref StimGenModes; Refresh=8; UpdateView=9;"},
    {"OptionRegObj", L"{A6AB9BC2-DC90-4211-A9AF-F8F3620CBE0C}",
     L"{C1B38680-248E-41FB-93E2-C542E3009F26}",
     "CapabilityMask:gl -> OptionRegMasks; Register:gws -> ValuesLib._ValueObj;"
     "CaseOption:lg -> ref OptionCases; FirmwareType:lg -> ref long;"
     "InitialCalibration:lg -> ref VARIANT_BOOL; RuntimeCalibration:lg -> ref VARIANT_BOOL;"
     "VoltageMode:lg -> ref VARIANT_BOOL; VoltageModeStr:g -> BSTR;"
     "Vendor:lg -> ref OptionVendors; VendorStr:g -> BSTR;"
     "WarrantyOptions:lg -> ref OptionWarranties;"
     "AnalogInputFormat:lg -> ref OptionAnalogInFormats; AnalogInputFormatStr:g -> BSTR;"
     "LPBenabled:lg -> VARIANT_BOOL; LPBenabledStr:g -> BSTR;",
     L"{022A5B8D-D8B0-4E5A-B776-F176D45CC900}",
     "Change=1; FirmwareChanged=2; Refresh=3 ref ValuesLib._ValueObj;"
     "InitializeCache=4 ref double, ref VARIANT_BOOL;"},
    {"NetAdapterObj", L"{4D04695F-2D7B-4D85-8127-4E597BD08077}",
     L"{572E2129-6084-48A0-B886-70FD000528BA}",
     "FireNetworkError:m ref infcErrInfo; FireNetworkChanged:m NetworkChanges;"
     "FireDriveParameterChanged:m ref _PhysDriveObj, ref ValuesLib._ValueObj;"
     "FireParameterChanged:m ref infcParamChg; FirePointToPointChange:m long, PointToPointStatus;"
     "NetState:g -> NetworkChanges; NetStateStr:g -> BSTR;"
     "NetSupervisor:m ref _NetSupervisorObj, ref IDispatch; AdapterName:g -> BSTR;"
     "PortNumber:lg -> long; PortType:lg -> NetAdapterType; NetOpen:lg -> VARIANT_BOOL;"
     "Nodes:g -> _Collection; Enabled:lg -> VARIANT_BOOL; Peer:sg -> IDispatch; ClearNodes:m;"
     "InhibitParameterChangeEvent:lg -> VARIANT_BOOL;"
     "NetStateStrLookup:f NetworkChanges -> VARIANT;",
     L"{CA94310D-87C6-4A18-A268-69A5F4117F09}",
     "NetworkChanged=1 ref NetworkChanges; NetworkError=2 ref infcErrInfo;"
     "DriveParameterChanged=3 ref _PhysDriveObj, ref ValuesLib._ValueObj;"
     "ParameterChanged=4 ref infcParamChg;"
     "PointToPointChanged=5 ref long, ref PointToPointStatus;"
     "RequestNetOpen=6 ref IDispatch, ref VARIANT_BOOL, ref long, ref VARIANT_BOOL;"},
    {"HotKeyObj", L"{A5858DD8-1063-4F44-AA4A-A7553644C7C8}",
     L"{8837AFA4-3C3A-49DC-A53C-188EEA346509}",
     "KeyCode:gl -> long; ShiftCodes:gl -> long; FireHit:m; KeyName:g -> BSTR; Key:g -> long;"
     "FireHitUp:m; FormRef:sg -> IDispatch;",
     L"{849E4F06-5871-4210-AA55-81FD07F198A0}", "Hit=1; HitUp=2;"},
    // MotorPageEnableChanged sits in the seventh place with identifier 8.
    {"AppStateEventObj", L"{65F653FE-8B6B-48BF-946C-79A02213C038}",
     L"{B01B6CC4-8F69-4B6A-A0C5-895BA3BDBE6B}",
     "FireLockChange:m ValuesLib.LockLevels; FirePollStateChange:m VARIANT_BOOL;"
     "FireTechSupportChange:m VARIANT_BOOL; FireTimerTick:m; FireTerminate:f -> VARIANT_BOOL;"
     "FireCreateDemoDrive:m PhysDriveType, ref _PhysDriveObj;"
     "FireNetChange:m ref _NetAdapterObj, NetworkChanges; MotorPageEnabled:lg -> VARIANT_BOOL;",
     L"{D7CC60F7-F1C7-489A-85DA-1FC82452A15A}",
     "LockChanged=1 ref ValuesLib.LockLevels; TechSupportChanged=2 ref VARIANT_BOOL;"
     "PollStateChanged=3 ref VARIANT_BOOL; TimerTick=4; Terminate=5 ref VARIANT_BOOL;"
     "CreateDemoDrive=6 ref PhysDriveType, ref _PhysDriveObj;"
     "MotorPageEnableChanged=8 ref VARIANT_BOOL;"
     "NetworkChange=7 ref _NetAdapterObj, NetworkChanges;"},
    {"ErrReflector", L"{93A9889A-6D1E-411B-AF31-4F179AA6CCD6}",
     L"{5AAAFE3C-426B-4F9A-AE8B-A7E901437CF7}",
     "CopyError:l -> ref IDispatch; Raise:m; Description:g -> BSTR; Number:g -> long;"
     "Source:g -> BSTR; HelpContext:g -> long; HelpFile:g -> BSTR;",
     nullptr, ""},
    {"NetLib", L"{206C0115-83C1-4A7B-977F-60754FA1C8F3}", L"{B7F2AE18-6023-4BA4-8D6B-79B3A11E15DE}",
     "AppEvents:g -> _AppStateEventObj; AppTitle:g -> BSTR;"
     "CreateDemoDrive:m PhysDriveType opt=7; DriveEvent:g -> _DriveEventObj;"
     "Drives:g -> _Collection; Flash:g -> ZentFlashLib._FlashObj; ForceOffline:m;"
     "LockLevel:g -> ValuesLib._LockLevelObj; LookupDriveErrorMsg:g DriveErrors -> BSTR;"
     "LogFile:g -> _CmdLog; Nets:g -> _Collection; Online:g -> VARIANT_BOOL;"
     "OnlinePoll:lg -> VARIANT_BOOL; Polling:lg -> VARIANT_BOOL;"
     "PollingInternal:lg -> VARIANT_BOOL; Ports:lg -> BSTR; PortsOpen:lg -> VARIANT_BOOL;"
     "RegisterFKey:m _HotKeyObj; ColdResetSystem:m; Resetting:g -> VARIANT_BOOL;"
     "NetSupervisor:g -> _NetSupervisorObj; SerialVersion:g -> BSTR; Sounds:g -> _SoundEventsObj;"
     "SystemFileConfiguration:g BSTR -> _Collection;"
     "SystemFileLoad:m BSTR, VARIANT_BOOL opt=true; SystemFileSave:m BSTR, VARIANT_BOOL opt=true;"
     "TechSupportMode:lg -> VARIANT_BOOL; TechSupportModeEnable:m long;"
     "UnRegisterFKey:m _HotKeyObj; ValueVersion:g -> BSTR; Version:g -> BSTR; WarmResetSystem:m;"
     "WinHookRef:s -> IDispatch;",
     nullptr, ""},
    {"PhysDriveObj", L"{04963D3F-F3CE-4AE2-A13A-2586C808A84D}",
     L"{AA23CBE6-11EB-4703-B679-415F64D76894}",
     "ACin:g -> VARIANT_BOOL; Address:lg -> long; AddToPosition:m long;"
     "SteadixList:g -> _Collection; AppLockLevel:s -> ValuesLib._LockLevelObj;"
     "CanMoveDone:g -> VARIANT_BOOL; CommPort:g -> long; ConfigReg:g -> _ConfigRegObj;"
     "DemoMode:lg -> VARIANT_BOOL; DriveState:g -> DriveStates; DriveStateStr:g -> BSTR;"
     "DriveType:g -> PhysDriveType; Enabled:g -> VARIANT_BOOL;"
     "EncAndStepFilterList:g -> _Collection; ErrorCodeReg:g -> _ErrorCodeObj;"
     "FilterClockList:g -> _Collection; FirmwareName:g -> BSTR; FirmwareID:g -> BSTR;"
     "FirmwareVersionStr:g -> BSTR; FirmwareVersion:g -> BSTR; FirmwareVersionCode:g -> long;"
     "HasFlash:g -> VARIANT_BOOL; HighLevelFeedbackList:g -> _Collection;"
     "InitializeNonVolatile:m; InputModeList:g -> _Collection; IOregister:g -> _IOregisterObj;"
     "IsLumoType:f -> VARIANT_BOOL; LogFile:gs -> _CmdLog; ModeLineFoldbackList:g -> _Collection;"
     "ModeLineStr:g -> BSTR; MonitorVariableList:g long -> _Collection;"
     "MonitorState:g long -> _MonitorPortStateObj; ModelString:g -> BSTR;"
     "MotorFileExists:f ref BSTR -> VARIANT_BOOL;"
     "MotorFileLoad:m ref BSTR, VARIANT_BOOL opt=true; MotorFileName:lg -> BSTR;"
     "MotorFileSave:m ref BSTR, VARIANT_BOOL opt=true; MotorStyleList:g -> _Collection;"
     "MotorConfigChanged:lg -> VARIANT_BOOL; Online:g -> VARIANT_BOOL;"
     "OptionReg:g -> _OptionRegObj; ParamExists:f ParamNumber -> VARIANT_BOOL;"
     "Parameter:g ParamNumber -> ValuesLib._ValueObj;"
     "ParameterList:g -> IDispatch; ParameterValueObj:g long -> ValuesLib._ValueObj;"
     "PollPriority:lg -> PhysPollType; PositionMeasured:g -> ValuesLib._ValueObj;"
     "VEXlist:g -> _Collection; ReAddressNetwork:f -> long; Ready:g -> VARIANT_BOOL; ReEnable:m;"
     "ResetDrive:m; ResetNetwork:m; ResetParamUpdateIndicator:m;"
     "RMSlevel:g -> ValuesLib._ValueObj; RMSpeak:g -> ValuesLib._ValueObj;"
     "RunCommand:f ref BSTR, long opt=50, VARIANT_BOOL opt=true -> BSTR; RunPollCycle:m;"
     "ScenarioExists:g long -> VARIANT_BOOL; ScenarioMax:g -> long; ScenarioRecall:m long;"
     "ScenarioStore:m long; SetupUndo:m; SetupUndoAvailable:f -> VARIANT_BOOL;"
     "SetupUndoSaveState:m; SetupVelocityTuning:m; SetupStepResponseView:m;"
     "SetupPositionTuning:m; Shutdown:g -> VARIANT_BOOL; SoundEvents:sg -> _SoundEventsObj;"
     "StatusReg:g -> _StatusRegObj; StimulusState:g -> _StimulusStateObj;"
     "SyncPulseList:g -> _Collection; SystemFileExists:f ref BSTR -> VARIANT_BOOL;"
     "SystemFileLoad:m ref BSTR, VARIANT_BOOL opt=true;"
     "SystemFileSave:m ref BSTR, VARIANT_BOOL opt=true; TrqFrcString:f ref BSTR -> BSTR;"
     "TrqFrcStringUpdated:f long -> VARIANT; UpdateDriveInfo:f -> VARIANT_BOOL;"
     "UserPositionUnit:g -> ValuesLib._UserUnitObj; UserVelocityUnit:g -> ValuesLib._UserUnitObj;"
     "UserTorqueUnit:g -> ValuesLib._UserUnitObj; StepResList:g -> _Collection;"
     "StimulusList:g -> _Collection; UserID:lg -> BSTR;"
     "VelocityMeasured:g -> ValuesLib._ValueObj; WakeupDrive:f _Collection, ref long -> long;",
     nullptr, ""},
};

// Interfaces of other libraries that members name, as this library's type library must
// describe or refer to them: the automation runtime's collection (described by ours, since
// compiled clients bind to its slots) and the value object's (in the value library).
// Members as for a class, with "@dispid" after a name where the dispatch identifier is
// published; types of the interface's own library without its name.
struct Interface {
  const char* name;
  const wchar_t* iid;
  const char* members;
};
inline constexpr Interface kCollection{
    "_Collection", L"{A4C46780-499F-101B-BB78-00AA00383CBB}",
    "Item@0:f ref VARIANT -> VARIANT;"
    "Add@1:m ref VARIANT, ref VARIANT opt, ref VARIANT opt, ref VARIANT opt; Count@2:f -> long;"
    "Remove@3:m ref VARIANT; _NewEnum@-4:f -> IUnknown;"};
inline constexpr Interface kValueObj{
    "_ValueObj", L"{FEBD95C4-31C5-406E-9B38-10F694CC61CA}",
    "Number:g -> _ValueNumberObj; Refresh:m; Name:gl -> BSTR; ParamNum:gl -> long;"
    "SetupA:gl -> ref long; SetupB:gl -> long; SetupC:gl -> ref long; SetupD:gl -> long;"
    "SetupE:gl -> ref long; SetupF:gl -> ref long; SetupG:gl -> ref long;"
    "RequestNumber:g -> _ValueNumberObj; EditLock:gl -> long;"
    "CopyContentTo:m _ValueObj, VARIANT opt; ShortName:gl -> ref BSTR; ApplySetup:m;"};

// Every enumeration's values in declaration order: "bits FIRST COUNT" (COUNT consecutive
// bits from bit FIRST), "run FIRST COUNT" (consecutive numbers) or the values themselves.
struct Enumeration {
  const char* name;
  const char* values;
};
inline constexpr Enumeration kEnumerations[] = {
    {"ConfigRegMasks", "bits 0 32"},
    {"SteadixModes", "run -1 4"},
    {"FilterClks", "run 0 4"},
    {"HighLevelFeedbacks", "run 0 5"},
    {"InputModes", "run 0 5"},
    {"LimitModes", "run 0 2"},
    {"VelocityEstimators", "run 0 8"},
    {"ModeLineFoldbacks", "run 0 4"},
    {"MotorStyles", "run 0 4"},
    {"SyncPulses", "run 0 4"},
    {"StepEncFilters", "run 0 16"},
    {"ErrCodes", "bits 2 25"},
    {"MonitorVariables",
     "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 0x10000 0xFFFF"},
    {"SoundEvents", "0 1 2 4 8 16 0x7FFFFFFF"},
    {"StatusRegMasks",
     "1 2 4 16 32 64 128 0x100 0x200 0x400 0x800 0x1000 0x4000 0x8000 0x10000 0x20000 "
     "0x40000 0x80000 0x100000 0x200000 0x400000 0x40000000 0x80000000"},
    {"OptionRegMasks",
     "1 2 4 8 16 32 64 128 0x10000 0x20000 0x40000 0x100000 0x200000 0x400000 0x800000 "
     "0x1000000"},
    {"OptionAnalogInFormats", "run 0 2"},
    {"OptionCases", "run 0 3"},
    {"OptionVendors", "run 0 4"},
    {"OptionWarranties", "run 0 2"},
    {"SXAppErrors", "0 0x8004189C 0x8004189D 0x8004189E 0x8004189F 0x800418A0 0x800418A1"},
    {"DriveStates", "run 0 9"},
    {"PhysDriveType", "run 0 17"},
    {"DSPtypes", "run 0 4"},
    {"IOregMasks", "16 32 64 128 0x100 0x200 0x400 0x800 0x2000 0x4000 0x8000"},
    {"DriveErrors", "run 1500 22"},
    {"PhysPollType", "run 0 3"},
    {"StimGenModes", "run 0 6"},
    {"NetworkChanges", "run 0 10"},
    {"PointToPointStatus", "run 0 5"},
    {"NetAdapterType", "run 0 2"},
    {"NetworkErrors", "0 6301"},
};

// An enumeration's values, as 32-bit patterns, from its text above.
inline std::vector<unsigned long> EnumerationValues(const char* text) {
  std::istringstream in(text);
  std::string first;
  std::vector<unsigned long> out;
  in >> first;
  if (first == "bits" || first == "run") {
    long from = 0, count = 0;
    in >> from >> count;
    for (long i = 0; i < count; ++i)
      out.push_back(first == "bits" ? 1ul << (from + i)
                                    : static_cast<unsigned long>(from + i) & 0xFFFFFFFFul);
    return out;
  }
  for (std::string v = first; !v.empty(); v.clear(), in >> v)
    out.push_back(std::strtoul(v.c_str(), nullptr, 0));
  return out;
}

// The records: size and "field:type@offset" in order, laid out for 32 bits.
struct Record {
  const char* name;
  unsigned size;
  const char* fields;
};
inline constexpr Record kRecords[] = {
    {"packetbuf", 24, "bufferSize:long@0 buffer:unsigned char[18]@4"},
    {"infcErrInfo", 36, "nc:long@0 Node:long@4 errCode:long@8 response:packetbuf@12"},
    {"infcParamChg", 20, "NewValue:double@0 Node:long@8 net:long@12 ParamNum:long@16"},
};

}  // namespace contract
