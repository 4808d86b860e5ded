' The tool's demo session (zentnet demo), played by a client of the automation server.
'
' The decoders, the stimulus state, the port supervisor and its adapters, the command log and
' the event hubs are the DLL's, reached only through ZentNetLib.<Class> and ValuesLib.<Class>,
' with events through WScript.ConnectObject; the application, the drive on the wire and the
' drive library's part of keeping the objects in step with it are this script's. Every line
' echoed is the tool's line for the same moment, so the two transcripts compare line for line
' once the command log's time stamps and folder are masked. The DLL's CmdLog writes the log
' beside the DLL.

Option Explicit

' Enumerators the session uses: a script has no type-library constants.
Const IN_MODE_STEP_POSITION = 2, STIM_POSN = 3, NODES_OFFLINE = 0, NODES_ONLINE = 1, RESOURCE_NOT_FOUND = 326
Const ERR_CODE_TRACKING = 16, ERR_CODE_ENC = 64, ERR_CODE_SHUTDOWN = &H10000
Const Indent = "   ", Width = 96

' The numbers of the drive on the wire the session touches (registers first), and the
' mnemonics its commands use for them. A new drive: analog torque input with motor style 2,
' amplifier disabled, commutation code 1, tracking limit 400, sample rate 4000.
Const Q_CF = 0, Q_ST = 1, Q_IO = 2, Q_EC = 3, Q_SM = 4, Q_SA = 5, Q_SP = 6, Q_TL = 7, Q_SR = 8
Dim Mnemonic, wire
Mnemonic = Array("CF", "ST", "IO", "EC", "SM", "SA", "SP", "TL", "SR")
wire = Array(&H1000200, &H800, &H80, 0, 0, 0, 0, 400, 4000)

Sub Say(text) : WScript.Echo text : End Sub
Sub Step(n, text) : Say n & ". " & text : End Sub
Sub Remark(text) : Say Indent & text : End Sub
Function Bool(b) : Bool = LCase(CBool(b)) : End Function
Function Quoted(text) : Quoted = """" & text & """" : End Function
Function Hex8(value) : Hex8 = "0x" & Right("0000000" & Hex(CLng(value)), 8) : End Function

' As the drive's commands write numbers: registers as 32-bit integers (CLng rounds a tie to
' the even neighbour, as the library does); CStr writes the whole numbers of the other
' quantities without exponent or fraction.
Function NumberText(q, value)
  If q <= Q_EC Then NumberText = CStr(CLng(value)) Else NumberText = CStr(value)
End Function

' ---- The drive library ----------------------------------------------------------------------

Dim cmdLog, config, status, io, errorCode, stimulus, vals, online, node, hub

' The drive's number is taken first: the value object's listeners, the drive library among
' them, then find nothing left to send.
Sub Store(q, value)
  wire(q) = value
  vals(q).Number.Value = value
  ' The stimulus state hears a new sample rate only as new content.
  If q = Q_SR Then vals(q).ApplySetup
End Sub

Sub Exchange(command, answer) : cmdLog.CommandSent command : cmdLog.Received answer : End Sub

' One read exchange, logged as poll traffic, then the answer stored in the value object,
' whose decoder raises its events before Poll returns.
Sub Poll(q, value)
  cmdLog.InPoll = True
  Exchange Mnemonic(q), "v " & NumberText(q, value) & vbCr
  cmdLog.InPoll = False
  Store q, value
End Sub

' What the application writes into a value object goes to the drive, unless the drive holds
' that number already: the drive's own answers are never echoed back to it.
Sub ToDrive(q, value)
  If value.Number.Value = wire(q) Then Exit Sub
  wire(q) = value.Number.Value
  Exchange Mnemonic(q) & " " & NumberText(q, wire(q)), "ok" & vbCr
End Sub
Sub DriveCF_ValueChanged(newVal) : ToDrive Q_CF, newVal : End Sub
Sub DriveSM_ValueChanged(newVal) : ToDrive Q_SM, newVal : End Sub
Sub DriveSA_ValueChanged(newVal) : ToDrive Q_SA, newVal : End Sub
Sub DriveSP_ValueChanged(newVal) : ToDrive Q_SP, newVal : End Sub
Sub DriveTL_ValueChanged(newVal) : ToDrive Q_TL, newVal : End Sub
' The hub hears of the change from the drive itself, as its Node.
Sub DriveStatus_EnableChanged(newState) : hub.FireEnableChanged node, newState : End Sub

' Offline, shut down, enabled or disabled, in that order of precedence.
Function DriveState()
  DriveState = "Offline"
  If online Then DriveState = "Disabled"
  If online And Not status.AmpDisable Then DriveState = "Enabled"
  If online And errorCode.IsShutdown Then DriveState = "Shutdown"
End Function

' The drive object as the adapter and the hub hand it on.
Class DriveNode
  Public Address
End Class

' The peer a port's adapter gets: the adapter only stores it.
Class HostPort
End Class

' ---- The application's listeners: each tells what it hears as one line -----------------------

Dim stateTexts, stimulusEvents

Function AdapterText(netRef)
  AdapterText = "none"
  If Not netRef Is Nothing Then AdapterText = netRef.AdapterName
End Function

' The root plays the host side of the ports and hears the supervisor first: every opening or
' closing asked for succeeds.
Sub Root_RequestNetOpen(netRef, Peer, newState, PortNumber, success) : success = True : End Sub

Sub Supervisor_NetworkChanged(netRef, theState)
  Remark "NetSupervisorObj.NetworkChanged(" & AdapterText(netRef) & ", " & theState & " " & _
    Quoted(stateTexts.NetStateStrLookup(theState)) & ")"
End Sub

Sub Supervisor_RequestNetOpen(netRef, Peer, newState, PortNumber, success)
  Remark "NetSupervisorObj.RequestNetOpen(" & AdapterText(netRef) & ", newState " & Bool(newState) & _
    ", PortNumber " & PortNumber & ") -> success " & Bool(success)
End Sub

Sub Status_Changed() : Remark "StatusRegObj.Changed" : End Sub
Sub Status_EnableChanged(newState) : Remark "StatusRegObj.EnableChanged(newState " & Bool(newState) & ")" : End Sub
Sub Status_LockChanged() : Remark "StatusRegObj.LockChanged (LockLevel " & status.LockLevel & ")" : End Sub
Sub Status_Shutdown() : Remark "StatusRegObj.Shutdown" : End Sub
Sub Status_Hardstopped() : Remark "StatusRegObj.Hardstopped" : End Sub
Sub Status_LimitHit() : Remark "StatusRegObj.LimitHit" : End Sub
Sub Status_OverSpeed() : Remark "StatusRegObj.OverSpeed" : End Sub
Sub DriveEvent_EnableChanged(Node, newState)
  Remark "DriveEventObj.EnableChanged(drive " & Node.Address & ", newState " & Bool(newState) & ")"
End Sub
Sub IO_CommutationChanged(thisCode, lastCode)
  Remark "IOregisterObj.CommutationChanged(thisCode " & thisCode & ", lastCode " & lastCode & ")"
End Sub
Sub Config_Change() : Remark "ConfigRegObj.Change" : End Sub
Sub Config_MotorTypeChanged() : Remark "ConfigRegObj.MotorTypeChanged" : End Sub
Sub Config_HighLevelFeedbackChanged() : Remark "ConfigRegObj.HighLevelFeedbackChanged" : End Sub
Sub ErrorCode_Changed() : Remark "ErrorCodeObj.Changed" : End Sub

' The stimulus raises many events per action; they are told as one wrapped list.
Sub Heard(text) : stimulusEvents = stimulusEvents & text & ",|" : End Sub
Sub FlushStimulusEvents()
  Dim item, line
  line = Indent & "StimulusStateObj:"
  For Each item In Split(Left(stimulusEvents, Len(stimulusEvents) - 2), "|")
    If Len(line) + 1 + Len(item) > Width Then Say line : line = Indent & " "
    line = line & " " & item
  Next
  Say line
  stimulusEvents = ""
End Sub
Sub Stimulus_AmplitudeChanged() : Heard "AmplitudeChanged" : End Sub
Sub Stimulus_PeriodChanged() : Heard "PeriodChanged" : End Sub
Sub Stimulus_ModeChanged() : Heard "ModeChanged" : End Sub
Sub Stimulus_StimulusChanged() : Heard "StimulusChanged" : End Sub
Sub Stimulus_UIModeChanged() : Heard "UIModeChanged" : End Sub
Sub Stimulus_UIchanged() : Heard "UIchanged" : End Sub
Sub Stimulus_TrackingLimSetup(cancel) : Heard "TrackingLimSetup(cancel " & Bool(cancel) & ")" : End Sub
Sub Stimulus_AdjustAmplitudeScaling(newMode) : Heard "AdjustAmplitudeScaling(" & newMode & ")" : End Sub
Sub Stimulus_Refresh() : Heard "Refresh" : End Sub
Sub Stimulus_UpdateView() : Heard "UpdateView" : End Sub

' BitStr of every set bit that has a name, in ascending order; a bit without a name has no
' text in the string table, and its BitStr is the resource error.
Function SetBitNames(decoder)
  Dim bits, bit, mask, name
  bits = CLng(decoder.Register.Number.Value)
  SetBitNames = ""
  On Error Resume Next
  For bit = 0 To 31
    If bit = 31 Then mask = &H80000000 Else mask = CLng(2 ^ bit)
    name = ""
    If (bits And mask) <> 0 Then name = decoder.BitStr(bit)
    If Err.Number <> 0 And Err.Number <> RESOURCE_NOT_FOUND Then name = "error " & Err.Number
    Err.Clear
    If name <> "" And SetBitNames <> "" Then SetBitNames = SetBitNames & ", "
    SetBitNames = SetBitNames & name
  Next
End Function

' ---- The session -------------------------------------------------------------------------------

' NetLib.Version of the DLL's own root object: its numbers, then its module without extension.
Dim version, logPath, supervisor, list, a, names, q, before
version = Split(CreateObject("ZentNetLib.NetLib").Version, vbCrLf)
logPath = Left(version(1), InStrRev(version(1), "\")) & "sx_cmds.log"
Say "ZentNetLib " & version(0) & " demo: one simulated drive session"
Say "Command log: " & logPath

' The texts of the network states, from an adapter of the listener's own: netRef may be Nothing.
Set stateTexts = CreateObject("ZentNetLib.NetAdapterObj")
Set cmdLog = CreateObject("ZentNetLib.CmdLog")
cmdLog.Logging = True
cmdLog.LogPolling = True
cmdLog.LogToFile(False) = True
Set supervisor = CreateObject("ZentNetLib.NetSupervisorObj")
Set hub = CreateObject("ZentNetLib.DriveEventObj")
WScript.ConnectObject supervisor, "Root_"
WScript.ConnectObject supervisor, "Supervisor_"
WScript.ConnectObject hub, "DriveEvent_"

Function PortsOpen()
  Dim a
  PortsOpen = supervisor.Nets.Count > 0
  For Each a In supervisor.Nets
    If Not a.NetOpen Then PortsOpen = False
  Next
End Function

Step 1, "The application sets Ports := ""1;2"" (new adapters start on port 0, LPT1)"
' The supervisor normalises the list in the variable it is given.
list = "1;2"
supervisor.Ports = list
names = ""
For Each a In supervisor.Nets
  If names <> "" Then names = names & ", "
  names = names & a.AdapterName & " on port " & a.PortNumber
Next
Remark "Ports reads " & Quoted(supervisor.Ports) & ": " & names

Step 2, "The application gives each adapter a peer and sets NetOpen := true"
For Each a In supervisor.Nets
  Set a.Peer = New HostPort
  a.NetOpen = True
Next
Remark "PortsOpen " & Bool(PortsOpen())

Step 3, "The communication layer finds drive 1 on port 1"
Set config = CreateObject("ZentNetLib.ConfigRegObj")
Set status = CreateObject("ZentNetLib.StatusRegObj")
Set io = CreateObject("ZentNetLib.IOregisterObj")
Set errorCode = CreateObject("ZentNetLib.ErrorCodeObj")
Set stimulus = CreateObject("ZentNetLib.StimulusStateObj")
' One configuration register per drive: the objects that read it share the drive's.
Set status.ConfigReg = config
Set stimulus.ConfigReg = config
vals = Array(config.Register, status.Register, CreateObject("ValuesLib.ValueObj"), errorCode.Register, _
  stimulus.Mode, stimulus.Amplitude, stimulus.Period, stimulus.TrackingLimit, CreateObject("ValuesLib.ValueObj"))
Set io.ValueObjRef = vals(Q_IO)
Set stimulus.SampleRate = vals(Q_SR)
' The upload: the objects start with the drive's numbers, before anyone listens; then what the
' application may change reaches the drive (DriveCF_ValueChanged ... above).
For Each q In Array(Q_CF, Q_ST, Q_IO, Q_EC, Q_SR, Q_TL, Q_SA, Q_SP)
  Store q, wire(q)
Next
wire(Q_SM) = vals(Q_SM).Number.Value
For Each q In Array(Q_CF, Q_SM, Q_SA, Q_SP, Q_TL)
  WScript.ConnectObject vals(q), "Drive" & Mnemonic(q) & "_"
Next
list = Array(status, "Status_", io, "IO_", config, "Config_", errorCode, "ErrorCode_", stimulus, "Stimulus_")
For q = 0 To UBound(list) Step 2
  WScript.ConnectObject list(q), list(q + 1)
Next
' The drive joins the application: the drive library hears the status register after the
' application's own listeners, the drive goes online, and its port's adapter reports it.
WScript.ConnectObject status, "DriveStatus_"
Set node = New DriveNode
node.Address = 1
online = True
Set a = supervisor.GetRefToNetPort(1)
a.Nodes.Add node
a.FireNetworkChanged NODES_ONLINE
Remark "drive 1: Simulated drive, model 7, " & DriveState() & ", status " & Hex8(status.Register.Number.Value)

Sub PollStatus(n, value, meaning)
  Step n, "Poll: the drive reports status " & Hex8(value) & " (" & meaning & ")"
  Poll Q_ST, value
  Remark "set bits: " & SetBitNames(status) & "; drive " & DriveState()
End Sub
PollStatus 4, &H40000000, "enabled, lock level 1"
PollStatus 5, &H40000A21, "encoder and tracking shutdown, + limit, disabled"

Step 6, "Poll: the I/O register goes from 0x0080 to 0x0180"
Poll Q_IO, &H180

Step 7, "A window sets ConfigReg.InputMode := IN_MODE_STEP_POSITION"
before = config.InputModeStr
config.InputMode = IN_MODE_STEP_POSITION
Remark "InputModeStr " & Quoted(before) & " -> " & Quoted(config.InputModeStr) & _
  "; the drive library sent CF " & NumberText(Q_CF, wire(Q_CF))

Step 8, "A window prepares the stimulus: SetupFor(STIM_POSN, 800, 100)"
stimulus.SetupFor STIM_POSN, 800, 100
FlushStimulusEvents
Remark "the drive holds amplitude " & wire(Q_SA) & ", period " & wire(Q_SP) & ", tracking limit " & wire(Q_TL)

Step 9, "A window calls StimulusState.StartStop: the generator starts"
stimulus.StartStop
FlushStimulusEvents
Remark "ModeStr " & Quoted(stimulus.ModeStr) & ", Running " & Bool(stimulus.Running) & _
  "; the drive's tracking limit is now " & wire(Q_TL)

Step 10, "StartStop again: the generator stops"
stimulus.StartStop
FlushStimulusEvents
Remark "Running " & Bool(stimulus.Running) & "; the drive's tracking limit is back at " & wire(Q_TL)

q = ERR_CODE_TRACKING Or ERR_CODE_ENC Or ERR_CODE_SHUTDOWN
Step 11, "Poll: the error-code register reads " & Hex8(q)
Poll Q_EC, q
Remark "ErrorListStr " & Quoted(errorCode.ErrorListStr) & "; drive " & DriveState()

' The drives on an adapter leave the network with it.
Step 12, "The application closes the ports: Enabled := false on each adapter"
For Each a In supervisor.Nets
  a.Enabled = False
  If a.Nodes.Count > 0 Then online = False
  If a.NetState <> NODES_OFFLINE Then a.FireNetworkChanged NODES_OFFLINE
Next
Remark "PortsOpen " & Bool(PortsOpen()) & "; drive 1 " & DriveState()
cmdLog.LogToFile(False) = False

' The log as the DLL wrote it: code-page text with CR LF line ends.
Say "The command log as written, blank lines left out (time stamps vary):"
For Each a In Split(CreateObject("Scripting.FileSystemObject").OpenTextFile(logPath, 1).ReadAll, vbCrLf)
  If a <> "" Then Say "   | " & a
Next
