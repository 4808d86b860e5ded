// The published binary contract of ZentNetLib, written out by hand from the class
// descriptions: every class's identifiers, its default interface's members in vtable order
// (after IDispatch's seven slots), its event interface's events in order, parameter types
// and flags, every enumeration's values and every record's layout. The one table of the
// contract: the native test compares the core's roster and enumerations with it, and the
// contract client the registered (or a DLL's) type library.
//
// Deliberately not generated from our IDL: this table is what the IDL is checked against.
//
// Members: "Name:forms", one letter per vtable slot in slot order: g Get (propget), l Let
// (propput), s Set (propputref), m a method without a result, f a function with an
// [out, retval] result, w the write slot of an object-valued public field that the type
// library does not describe (the slot is there, its description is not). Events:
// "Name=dispid:args", one letter per argument from the left, r by reference (so that
// listeners can write back) or v by value.
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

// The seventeen classes, in roster order.
inline constexpr Class kClasses[] = {
    {"CmdLog", L"{F3D8EDBF-CFD4-414F-A9F3-AA756809BE30}", L"{1FF8B2C8-FC97-4206-93A3-6A4F48BCDA23}",
     "Logging:gl LogPolling:gl InPoll:gl CommandSent:m Received:m Errors:m LogToFile:l RunTimeErr:m "
     "RunTimeLog:m",
     nullptr, ""},
    {"DriveEventObj", L"{C78DD335-BF3F-48D4-92FB-B6B1F7A4D290}", L"{DD1F8062-3844-45A0-9DED-24BE94596F92}",
     "FireCommError:m FireDriveStateChange:m FireEnableChanged:m FireHighLevelFeedbackChanged:m "
     "FireMotorTypeChanged:m FireParameterChanged:m FireSetupUndoChanged:m FireUserIDchanged:m",
     L"{0AD2AFAB-BC1C-4E8D-82A4-C925111D6354}", "CommError=1:rrr DriveStateChange=2:r EnableChanged=3:rr "
     "HighLevelFeedbackChanged=4:r MotorTypeChanged=5:r ParameterChanged=6:rr SetupUndoChanged=7:rr "
     "UserIDchanged=8:r"},
    {"NetSupervisorObj", L"{DE863BAF-8D47-42DA-960D-D1E525F4C029}", L"{32FEBE76-E53C-4CE9-BE29-491D551CBEE3}",
     "FireNetworkChanged:m FireNetworkError:m FireDriveParameterChanged:m FireParameterChanged:m "
     "FirePointToPointChanged:m FireRequestNetOpen:m GetRefToNetPort:g Ports:lg Nets:g MaxAdapters:lg "
     "AdapterDefault:lg",
     L"{70D4E324-9E05-45A0-BF86-12BA9B738F72}", "NetworkChanged=1:rr NetworkError=2:rr "
     "DriveParameterChanged=3:rrr ParameterChanged=4:rr PointToPointChanged=5:rrr RequestNetOpen=6:rrrrr"},
    {"ConfigRegObj", L"{A9A51C69-0C84-4420-91DE-4D4194A47356}", L"{50B1C39F-A568-4597-A44F-A563FFA5FE79}",
     "CapabilityMask:gl VelocityEstimatorMax:gl VelocityEstimatorMin:gl Register:gws AnalogInFilter:lg "
     "AnalogInFilterStr:g TorqueMode:g Steadix:lg SteadixStr:g BadSequenceEnable:lg BadSequenceEnableStr:g "
     "BrushMode:g BrushModeStr:g EncoderBalanced:lg EncoderBalancedStr:g EncoderInFilter:lg "
     "EncoderInFilterStr:g HallCheck:lg HallCheckStr:g FilterClock:lg FilterClockStr:g FilterClockStrArb:g "
     "HallInverter:lg HallInverterStr:g HallLessStart:lg HallLessStartStr:g LimitMode:lg LimitModeStr:g "
     "LogicPowerBackup:lg LogicPowerBackupStr:g ModeLineFoldback:lg ModeLineFoldbackStr:g MoveDoneFoldback:lg "
     "MoveDoneFoldbackStr:g InputMode:lg InputModeStr:g HardStopFoldback:lg HardStopFoldbackStr:g "
     "HighLevelFeedback:lg HighLevelFeedbackStr:f LinearMotor:g StepInFilter:lg StepInFilterStr:g "
     "SyncPulse:lg SyncPulseStr:g VectorLock:lg VectorLockStr:g VelocityEstimator:lg LimitSwitchModeStr:f "
     "MotorStyle:lg MotorStyleStr:g StepEncInputFilter:lg LimitModeLookup:g",
     L"{42DC00F2-6958-44B1-AB02-283428FECBB4}", "Change=1 UpdateView=2 MotorTypeChanged=3 "
     "HighLevelFeedbackChanged=4 Refresh=5:r InitializeCache=6:rr"},
    {"ErrorCodeObj", L"{A9DA0A42-F11C-400F-96CA-7CB8A7C3FEA7}", L"{A9EA7783-1465-4C89-91B7-C1BBE87C4E97}",
     "Register:gws ADCproblems:g CommutationProblems:g CurrentSensorProblems:g EEhardwareProblems:g "
     "EEnotInitialized:g EncoderProblems:g LogicPowerBackedUp:g LogicPowerRecoveryFailed:g "
     "OverVoltageCurrent:g RMSoverload:g VectorSetupProblems:g StepInputProblems:g Thermal:g Tracking:g "
     "IsShutdown:g Refresh:m ErrorListStr:f",
     L"{31F21D4F-3114-4F60-A3B9-D493505D1ED1}", "Changed=1 Refresh=2 InitializeCache=3:rr"},
    {"IOregisterObj", L"{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}", L"{CAAEF27C-0CA0-4A29-856A-4497A12EB80A}",
     "Refresh:m AmpEnable:g EnableIn:g FaultIn:g ModeIn:g NegativeLimit:g PositiveLimit:g ShutdownLineOut:g "
     "ThermalFaultIn:g CommutationCode:g ValueObjRef:s Bits:g BitNames:f LastCommutationCode:g",
     L"{56DFB106-F77B-4082-A7BB-20B148420335}", "CommutationChanged=1:rr Refresh=2:r InitializeCache=3:rr"},
    {"MonitorPortStateObj", L"{7682FCCE-CE8B-48DA-810C-EA89EAB6D418}", L"{0528FC56-A84D-4AFA-AD7D-333CF172206A}",
     "Amplitude:gs Variable:sg Filter:sg ConfigReg:gs SyncPulse:lg SyncPulseStr:g MonitorVarStr:g Rescale:m "
     "CopyTo:m Initialize:m Refresh:m SaveToNonVolatile:m ChangeTo:m",
     L"{ACA80673-22C0-49A3-AA12-2EA44168AA32}", "VariableChanged=1 AmplitudeChanged=2 FilterChanged=3 "
     "SyncPulseChanged=4 Refresh=5 SaveToNonVolatile=6 RescaleAmplitude=7 Changed=8 Initialize=9 "
     "UpdateView=10"},
    {"SoundEventsObj", L"{18FCA850-01CE-40E4-9477-1C1C357F7518}", L"{E26F2B5D-8737-448E-960D-2574524DAD9C}",
     "LimitAssertion:lg OffOnLine:lg Shutdown:lg TorqueSaturation:lg VoltageSaturation:lg Bits:lg "
     "RestoreAll:m Control:lg",
     L"{8A325FA7-A7B5-44A8-B53F-118C8022F716}", "Changed=1 ControlChanged=2"},
    {"StatusRegObj", L"{F012E358-A8B3-449C-8733-7929597EE0F7}", L"{86FBBD90-ED63-49D5-9EDC-6C52E34FC1F5}",
     "StatusImplemented:gl ConfigReg:gws AllSystemsGo:g HighLevelFeedback:g AmpDisable:g BitStr:g "
     "EncoderError:g Hardstopped:g IVfault:g LockLevel:g LogicPowerBackup:g NegativeLimit:g NotMoveDone:g "
     "OutOfPosition:g OutputSaturation:g OverSpeed:g OverTemp:g PositiveLimit:g PWMsaturation:g Register:g "
     "RMSshutdown:g StepInputError:g TempShutdown:g TorqueMode:g TrackingShutdown:g VectorSearch:g "
     "LockLevelRef:g",
     L"{599C4A06-EB08-45FA-B7D0-EFF2B42090E2}", "Changed=1 Refresh=2 EnableChanged=3:r LimitHit=4 OverSpeed=5 "
     "Hardstopped=6 Shutdown=7 LockChanged=8 InitializeCache=9:rr ContentChanged=10:r"},
    // The seventh event keeps identifier 10: listeners bound to the numbers, not the order.
    {"StimulusStateObj", L"{8A36E7E8-ABDA-48FF-BA8D-3D06D2D4F5D8}", L"{0DDD12EA-C4A2-47BD-A9E2-FE75E0EA6C63}",
     "Amplitude:gs Period:gs Mode:gs VelocityQ:gl ConfigReg:gs TrackingLimit:gs SampleRate:s Start:m "
     "StartStop:m Terminate:m ModeStr:g LastMode:lg UImode:gl Running:g CopyTo:m Refresh:m StimMode:lg "
     "ChangeTo:m Initialize:m InitializeMode:l Initializing:lg FireChanges:m SetupFor:m",
     L"{7F12B558-36F3-4D56-AEEC-E88B43E0B3B9}", "AmplitudeChanged=1 PeriodChanged=2 ModeChanged=3 "
     "StimulusChanged=4 UIModeChanged=5 UIchanged=6 TrackingLimSetup=10:r AdjustAmplitudeScaling=7:r "
     "Refresh=8 UpdateView=9"},
    {"OptionRegObj", L"{A6AB9BC2-DC90-4211-A9AF-F8F3620CBE0C}", L"{C1B38680-248E-41FB-93E2-C542E3009F26}",
     "CapabilityMask:gl Register:gws CaseOption:lg FirmwareType:lg InitialCalibration:lg "
     "RuntimeCalibration:lg VoltageMode:lg VoltageModeStr:g Vendor:lg VendorStr:g WarrantyOptions:lg "
     "AnalogInputFormat:lg AnalogInputFormatStr:g LPBenabled:lg LPBenabledStr:g",
     L"{022A5B8D-D8B0-4E5A-B776-F176D45CC900}", "Change=1 FirmwareChanged=2 Refresh=3:r InitializeCache=4:rr"},
    {"NetAdapterObj", L"{4D04695F-2D7B-4D85-8127-4E597BD08077}", L"{572E2129-6084-48A0-B886-70FD000528BA}",
     "FireNetworkError:m FireNetworkChanged:m FireDriveParameterChanged:m FireParameterChanged:m "
     "FirePointToPointChange:m NetState:g NetStateStr:g NetSupervisor:m AdapterName:g PortNumber:lg "
     "PortType:lg NetOpen:lg Nodes:g Enabled:lg Peer:sg ClearNodes:m InhibitParameterChangeEvent:lg "
     "NetStateStrLookup:f",
     L"{CA94310D-87C6-4A18-A268-69A5F4117F09}", "NetworkChanged=1:r NetworkError=2:r "
     "DriveParameterChanged=3:rr ParameterChanged=4:r PointToPointChanged=5:rr RequestNetOpen=6:rrrr"},
    {"HotKeyObj", L"{A5858DD8-1063-4F44-AA4A-A7553644C7C8}", L"{8837AFA4-3C3A-49DC-A53C-188EEA346509}",
     "KeyCode:gl ShiftCodes:gl FireHit:m KeyName:g Key:g FireHitUp:m FormRef:sg",
     L"{849E4F06-5871-4210-AA55-81FD07F198A0}", "Hit=1 HitUp=2"},
    // MotorPageEnableChanged sits in the seventh place with identifier 8.
    {"AppStateEventObj", L"{65F653FE-8B6B-48BF-946C-79A02213C038}", L"{B01B6CC4-8F69-4B6A-A0C5-895BA3BDBE6B}",
     "FireLockChange:m FirePollStateChange:m FireTechSupportChange:m FireTimerTick:m FireTerminate:f "
     "FireCreateDemoDrive:m FireNetChange:m MotorPageEnabled:lg",
     L"{D7CC60F7-F1C7-489A-85DA-1FC82452A15A}", "LockChanged=1:r TechSupportChanged=2:r PollStateChanged=3:r "
     "TimerTick=4 Terminate=5:r CreateDemoDrive=6:rr MotorPageEnableChanged=8:r NetworkChange=7:rv"},
    {"ErrReflector", L"{93A9889A-6D1E-411B-AF31-4F179AA6CCD6}", L"{5AAAFE3C-426B-4F9A-AE8B-A7E901437CF7}",
     "CopyError:l Raise:m Description:g Number:g Source:g HelpContext:g HelpFile:g",
     nullptr, ""},
    {"NetLib", L"{206C0115-83C1-4A7B-977F-60754FA1C8F3}", L"{B7F2AE18-6023-4BA4-8D6B-79B3A11E15DE}",
     "AppEvents:g AppTitle:g CreateDemoDrive:m DriveEvent:g Drives:g Flash:g ForceOffline:m LockLevel:g "
     "LookupDriveErrorMsg:g LogFile:g Nets:g Online:g OnlinePoll:lg Polling:lg PollingInternal:lg Ports:lg "
     "PortsOpen:lg RegisterFKey:m ColdResetSystem:m Resetting:g NetSupervisor:g SerialVersion:g Sounds:g "
     "SystemFileConfiguration:g SystemFileLoad:m SystemFileSave:m TechSupportMode:lg TechSupportModeEnable:m "
     "UnRegisterFKey:m ValueVersion:g Version:g WarmResetSystem:m WinHookRef:s",
     nullptr, ""},
    {"PhysDriveObj", L"{04963D3F-F3CE-4AE2-A13A-2586C808A84D}", L"{AA23CBE6-11EB-4703-B679-415F64D76894}",
     "ACin:g Address:lg AddToPosition:m SteadixList:g AppLockLevel:s CanMoveDone:g CommPort:g ConfigReg:g "
     "DemoMode:lg DriveState:g DriveStateStr:g DriveType:g Enabled:g EncAndStepFilterList:g ErrorCodeReg:g "
     "FilterClockList:g FirmwareName:g FirmwareID:g FirmwareVersionStr:g FirmwareVersion:g "
     "FirmwareVersionCode:g HasFlash:g HighLevelFeedbackList:g InitializeNonVolatile:m InputModeList:g "
     "IOregister:g IsLumoType:f LogFile:gs ModeLineFoldbackList:g ModeLineStr:g MonitorVariableList:g "
     "MonitorState:g ModelString:g MotorFileExists:f MotorFileLoad:m MotorFileName:lg MotorFileSave:m "
     "MotorStyleList:g MotorConfigChanged:lg Online:g OptionReg:g ParamExists:f Parameter:g ParameterList:g "
     "ParameterValueObj:g PollPriority:lg PositionMeasured:g VEXlist:g ReAddressNetwork:f Ready:g ReEnable:m "
     "ResetDrive:m ResetNetwork:m ResetParamUpdateIndicator:m RMSlevel:g RMSpeak:g RunCommand:f "
     "RunPollCycle:m ScenarioExists:g ScenarioMax:g ScenarioRecall:m ScenarioStore:m SetupUndo:m "
     "SetupUndoAvailable:f SetupUndoSaveState:m SetupVelocityTuning:m SetupStepResponseView:m "
     "SetupPositionTuning:m Shutdown:g SoundEvents:sg StatusReg:g StimulusState:g SyncPulseList:g "
     "SystemFileExists:f SystemFileLoad:m SystemFileSave:m TrqFrcString:f TrqFrcStringUpdated:f "
     "UpdateDriveInfo:f UserPositionUnit:g UserVelocityUnit:g UserTorqueUnit:g StepResList:g StimulusList:g "
     "UserID:lg VelocityMeasured:g WakeupDrive:f",
     nullptr, ""},
};

// Parameters of one member: "Class.Member form" and its parameters from the left, ", "
// between them, each "[ref ]Type[ opt][=default]", then "-> Type" for the result. Types as
// the type library names them (long, double, BSTR, VARIANT_BOOL, VARIANT, IDispatch,
// IUnknown, or a published type's name), a type of another library as "Library.Name".
struct Signature {
    const char* member;
    const char* params;
};
inline constexpr Signature kSignatures[] = {
    {"NetSupervisorObj.Nets g", "-> _Collection"},
    {"NetAdapterObj.Nodes g", "-> _Collection"},
    {"NetLib.Drives g", "-> _Collection"},
    {"NetLib.Nets g", "-> _Collection"},
    {"NetLib.SystemFileConfiguration g", "BSTR -> _Collection"},
    {"NetLib.Flash g", "-> ZentFlashLib._FlashObj"},
    {"PhysDriveObj.SteadixList g", "-> _Collection"},
    {"PhysDriveObj.EncAndStepFilterList g", "-> _Collection"},
    {"PhysDriveObj.FilterClockList g", "-> _Collection"},
    {"PhysDriveObj.HighLevelFeedbackList g", "-> _Collection"},
    {"PhysDriveObj.InputModeList g", "-> _Collection"},
    {"PhysDriveObj.ModeLineFoldbackList g", "-> _Collection"},
    {"PhysDriveObj.MonitorVariableList g", "long -> _Collection"},
    {"PhysDriveObj.MotorStyleList g", "-> _Collection"},
    {"PhysDriveObj.VEXlist g", "-> _Collection"},
    {"PhysDriveObj.SyncPulseList g", "-> _Collection"},
    {"PhysDriveObj.StepResList g", "-> _Collection"},
    {"PhysDriveObj.StimulusList g", "-> _Collection"},
    {"PhysDriveObj.WakeupDrive f", "_Collection, ref long -> long"},
    {"CmdLog.CommandSent m", "ref BSTR"},
    {"CmdLog.Received m", "ref BSTR"},
    {"CmdLog.Errors m", "ref BSTR, ref BSTR"},
    {"CmdLog.LogToFile l", "ref VARIANT_BOOL, ref VARIANT_BOOL"},
    {"CmdLog.RunTimeLog m", "ref BSTR"},
    {"MonitorPortStateObj.ChangeTo m", "MonitorVariables, double, double opt=0"},
    {"CmdLog.RunTimeErr m", "IDispatch, ref BSTR opt=\"\""},
    {"ConfigRegObj.Register s", "ValuesLib._ValueObj"},
    {"ErrorCodeObj.Register s", "ValuesLib._ValueObj"},
    {"OptionRegObj.Register s", "ValuesLib._ValueObj"},
    {"StatusRegObj.ConfigReg s", "_ConfigRegObj"},
    {"NetLib.CreateDemoDrive m", "PhysDriveType opt=7"},
    {"NetLib.SystemFileLoad m", "BSTR, VARIANT_BOOL opt=true"},
    {"NetLib.SystemFileSave m", "BSTR, VARIANT_BOOL opt=true"},
    {"PhysDriveObj.MotorFileLoad m", "ref BSTR, VARIANT_BOOL opt=true"},
    {"PhysDriveObj.MotorFileSave m", "ref BSTR, VARIANT_BOOL opt=true"},
    {"PhysDriveObj.RunCommand f", "ref BSTR, long opt=50, VARIANT_BOOL opt=true -> BSTR"},
    {"PhysDriveObj.SystemFileLoad m", "ref BSTR, VARIANT_BOOL opt=true"},
    {"PhysDriveObj.SystemFileSave m", "ref BSTR, VARIANT_BOOL opt=true"},
    {"ConfigRegObj.SteadixStr g", "ref SteadixModes opt=-1 -> BSTR"},
    {"ConfigRegObj.ModeLineFoldbackStr g", "ref VARIANT opt -> BSTR"},
    {"ConfigRegObj.InputModeStr g", "ref VARIANT opt -> BSTR"},
    {"ConfigRegObj.HighLevelFeedbackStr f", "ref VARIANT opt -> BSTR"},
    {"ConfigRegObj.SyncPulseStr g", "ref VARIANT opt -> BSTR"},
    {"ConfigRegObj.LimitSwitchModeStr f", "ref VARIANT opt -> BSTR"},
    {"ConfigRegObj.MotorStyleStr g", "ref MotorStyles opt=-1 -> BSTR"},
    {"StimulusStateObj.ModeStr g", "ref MonitorVariables opt=5 -> BSTR"},
    {"MonitorPortStateObj.MonitorVarStr g", "ref VARIANT opt -> BSTR"},
    {"DriveEventObj.FireCommError m", "ref _PhysDriveObj, DriveErrors, long opt=0"},
    {"_Collection.Item f", "ref VARIANT -> VARIANT"},
    {"_Collection.Add m", "ref VARIANT, ref VARIANT opt, ref VARIANT opt, ref VARIANT opt"},
    {"_Collection.Count f", "-> long"},
    {"_Collection.Remove m", "ref VARIANT"},
    {"_Collection._NewEnum f", "-> IUnknown"},
    {"_ValueObj.ShortName l", "ref BSTR"},
};

// Interfaces of other libraries that members name, as this library's type library must
// describe or refer to them: the automation runtime's collection (described by ours, since
// compiled clients bind to its slots) and the value object's (in the value library).
// Members as for a class, with "@dispid" after a name where the dispatch identifier is
// published.
struct Interface {
    const char* name;
    const wchar_t* iid;
    const char* members;
};
inline constexpr Interface kCollection{
    "_Collection", L"{A4C46780-499F-101B-BB78-00AA00383CBB}",
    "Item@0:f Add@1:m Count@2:f Remove@3:m _NewEnum@-4:f"};
inline constexpr Interface kValueObj{
    "_ValueObj", L"{FEBD95C4-31C5-406E-9B38-10F694CC61CA}",
    "Number:g Refresh:m Name:gl ParamNum:gl SetupA:gl SetupB:gl SetupC:gl SetupD:gl SetupE:gl "
    "SetupF:gl SetupG:gl RequestNumber:g EditLock:gl CopyContentTo:m ShortName:gl ApplySetup:m"};

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
    {"MonitorVariables", "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 0x10000 0xFFFF"},
    {"SoundEvents", "0 1 2 4 8 16 0x7FFFFFFF"},
    {"StatusRegMasks", "1 2 4 16 32 64 128 0x100 0x200 0x400 0x800 0x1000 0x4000 0x8000 0x10000 0x20000 "
                       "0x40000 0x80000 0x100000 0x200000 0x400000 0x40000000 0x80000000"},
    {"OptionRegMasks", "1 2 4 8 16 32 64 128 0x10000 0x20000 0x40000 0x100000 0x200000 0x400000 0x800000 "
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
            out.push_back(first == "bits" ? 1ul << (from + i) : static_cast<unsigned long>(from + i) & 0xFFFFFFFFul);
        return out;
    }
    for (std::string v = first; !v.empty(); v.clear(), in >> v) out.push_back(std::strtoul(v.c_str(), nullptr, 0));
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
