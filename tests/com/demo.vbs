' The tool's demo session (zentnet demo), played by a client of the automation server.
'
' The application root and the simulated drive, with the drive library's part of keeping
' the library's objects in step with the drive, are classes of this script; the decoders,
' the stimulus state, the port supervisor and its adapters, the command log and the event
' hubs are the DLL's, reached only through ZentNetLib.<Class> and ValuesLib.<Class>, with
' events through WScript.ConnectObject. Every line echoed is the tool's line for the same
' moment, so the two transcripts compare line for line once the command log's time stamps
' and folder are masked. The log is written by the DLL's CmdLog, beside the DLL.

Option Explicit

' Enumerators the session uses: a script has no type-library constants.
Const DRV_MODEL_07 = 7
Const IN_MODE_STEP_POSITION = 2
Const STIM_POSN = 3
Const NODES_OFFLINE = 0, NODES_ONLINE = 1
Const ERR_CODE_TRACKING = 16, ERR_CODE_ENC = 64, ERR_CODE_SHUTDOWN = &H10000
Const RESOURCE_NOT_FOUND = 326

Const Indent = "   "
Const Width = 96

' The numbers of the simulated drive the session touches (registers first), and the
' mnemonics its commands use for them.
Const Q_CF = 0, Q_ST = 1, Q_IO = 2, Q_EC = 3, Q_SM = 4, Q_SA = 5, Q_SP = 6, Q_TL = 7, Q_SR = 8
Dim Mnemonic
Mnemonic = Array("CF", "ST", "IO", "EC", "SM", "SA", "SP", "TL", "SR")

Sub Say(text) : WScript.Echo text : End Sub
Sub Step(n, text) : Say n & ". " & text : End Sub
Sub Remark(text) : Say Indent & text : End Sub

Function Bool(b)
  If b Then Bool = "true" Else Bool = "false"
End Function

Function Quoted(text) : Quoted = """" & text & """" : End Function

Function Hex8(value) : Hex8 = "0x" & Right("0000000" & Hex(CLng(value)), 8) : End Function

' As the drive's commands write numbers: registers as 32-bit integers (CLng rounds a tie to
' the even neighbour, as the library does); CStr writes the whole numbers of the other
' quantities without exponent or fraction.
Function NumberText(q, value)
  If q <= Q_EC Then NumberText = CStr(CLng(value)) Else NumberText = CStr(value)
End Function

' ---- The application root ------------------------------------------------------------------

' The peer a port's adapter gets: the host port it stands for.
Class SimHostPort
  Public PortNumber
End Class

Function NewHostPort(port)
  Set NewHostPort = New SimHostPort
  NewHostPort.PortNumber = port
End Function

' Hands out the supervisor and the drive event hub, and plays the host side of
' the ports: the host has every port, so each opening or closing asked for through
' RequestNetOpen succeeds.
Class SimRoot
  ' One declaration a line: the script engine under Wine takes no list in a class.
  Private mSupervisor
  Private mLog
  Private mDriveEvent

  ' The root hears the supervisor before any listener the application attaches later.
  Public Sub Init(commandLog)
    Set mSupervisor = CreateObject("ZentNetLib.NetSupervisorObj")
    Set mLog = commandLog
    Set mDriveEvent = CreateObject("ZentNetLib.DriveEventObj")
    WScript.ConnectObject mSupervisor, "RootSupervisor_"
  End Sub

  Public Property Get NetSupervisor() : Set NetSupervisor = mSupervisor : End Property
  Public Property Get DriveEvent() : Set DriveEvent = mDriveEvent : End Property
  Public Property Get Nets() : Set Nets = mSupervisor.Nets : End Property

  ' The supervisor normalises the list in the variable it is given: a copy, not the caller's.
  Public Property Let Ports(value)
    Dim list
    list = value
    mSupervisor.Ports = list
  End Property
  Public Property Get Ports() : Ports = mSupervisor.Ports : End Property

  ' Some adapter exists and every adapter is open.
  Public Property Get PortsOpen()
    Dim adapter, all
    all = Adapters()
    PortsOpen = UBound(all) >= 0
    For Each adapter In all
      If Not adapter.NetOpen Then PortsOpen = False
    Next
  End Property

  ' A snapshot: a listener may change the port list while the ports open or close.
  Public Property Let PortsOpen(value)
    Dim adapter
    For Each adapter In Adapters()
      If value Then
        If adapter.Peer Is Nothing Then Set adapter.Peer = NewHostPort(adapter.PortNumber)
        adapter.NetOpen = True
      Else
        adapter.Enabled = False
        If adapter.NetState <> NODES_OFFLINE Then TakeNodesOffline adapter
      End If
    Next
  End Property

  ' Puts the drive on the adapter of the port, as the communication layer does when it finds
  ' one: the drive gets the root's log and drive event hub and goes online, and the adapter
  ' reports it.
  Public Sub AttachDrive(port, drive)
    Dim adapter
    Set adapter = mSupervisor.GetRefToNetPort(port)
    If adapter Is Nothing Then Err.Raise 5, "SimRoot.AttachDrive", "No adapter serves port " & port
    Set drive.LogFile = mLog
    drive.SetDriveEvents mDriveEvent
    drive.SetOnline True
    adapter.Nodes.Add drive
    adapter.FireNetworkChanged NODES_ONLINE
  End Sub

  Private Function Adapters()
    Dim nets, list, k
    Set nets = mSupervisor.Nets
    ReDim list(nets.Count - 1)
    For k = 1 To nets.Count
      Set list(k - 1) = nets.Item(k)
    Next
    Adapters = list
  End Function

  ' The drives on an adapter leave the network with it.
  Private Sub TakeNodesOffline(adapter)
    Dim node
    For Each node In adapter.Nodes
      node.SetOnline False
    Next
    adapter.FireNetworkChanged NODES_OFFLINE
  End Sub
End Class

Dim root

Sub RootSupervisor_RequestNetOpen(netRef, Peer, newState, PortNumber, success) : success = True : End Sub

' ---- The simulated drive and its drive library -----------------------------------------------

' The drive on the wire is a handful of numbers; as the drive library, the class owns the
' decoders and the stimulus state, polls through the command log, and sends back what the
' application writes into a value object, unless the drive holds that number already (so the
' drive's own answers are never echoed back to it).
Class SimDrive
  Private mAddress
  Private mType
  Private mOnline
  Private mNumbers
  Private mConfig
  Private mStatus
  Private mIo
  Private mErrorCode
  Private mStimulus
  Private mIoValue
  Private mSampleRate
  Private mLog
  Private mDriveEvents

  Public Sub Build(address, driveType, initial)
    Dim q
    mAddress = address
    mType = driveType
    mOnline = False
    ReDim mNumbers(Q_SR)  ' nor a fixed-size array in a class
    Set mLog = Nothing
    Set mDriveEvents = Nothing
    Set mConfig = CreateObject("ZentNetLib.ConfigRegObj")
    Set mStatus = CreateObject("ZentNetLib.StatusRegObj")
    Set mIo = CreateObject("ZentNetLib.IOregisterObj")
    Set mErrorCode = CreateObject("ZentNetLib.ErrorCodeObj")
    Set mStimulus = CreateObject("ZentNetLib.StimulusStateObj")

    ' One configuration register per drive: the objects that read it share the drive's.
    Set mStatus.ConfigReg = mConfig
    Set mStimulus.ConfigReg = mConfig
    Set mIoValue = CreateObject("ValuesLib.ValueObj")
    Set mIo.ValueObjRef = mIoValue
    Set mSampleRate = CreateObject("ValuesLib.ValueObj")
    Set mStimulus.SampleRate = mSampleRate

    ' The upload: the objects start with the drive's numbers, before anyone listens.
    For Each q In Array(Q_CF, Q_ST, Q_IO, Q_EC, Q_SR, Q_TL, Q_SA, Q_SP)
      Store q, initial(q)
    Next
    mNumbers(Q_SM) = ValueFor(Q_SM).Number.Value
    ' What the application may change (the handlers DriveCF_ValueChanged ... below).
    For Each q In Array(Q_CF, Q_SM, Q_SA, Q_SP, Q_TL)
      WScript.ConnectObject ValueFor(q), "Drive" & Mnemonic(q) & "_"
    Next
  End Sub

  ' ---- The simulation ----
  Public Sub SetDriveValue(q, value) : mNumbers(q) = value : End Sub
  Public Function DriveValue(q) : DriveValue = mNumbers(q) : End Function
  Public Sub SetOnline(value) : mOnline = value : End Sub

  ' Heard only once the drive has joined an application, so that the application's own
  ' listeners on the decoders hear a change before the hub does.
  Public Sub SetDriveEvents(hub)
    If mDriveEvents Is Nothing Then WScript.ConnectObject mStatus, "DriveStatus_"
    Set mDriveEvents = hub
  End Sub

  ' One read exchange, logged as poll traffic, then the answer stored in the value object,
  ' whose decoder raises its events before Poll returns.
  Public Sub Poll(q)
    Dim value, before
    value = mNumbers(q)
    If Not mLog Is Nothing Then
      before = mLog.InPoll
      mLog.InPoll = True
      Exchange Mnemonic(q), "v " & NumberText(q, value) & vbCr
      mLog.InPoll = before
    End If
    Store q, value
  End Sub

  Public Sub OnValueChanged(q, value)
    Dim number
    number = value.Number.Value
    If number = mNumbers(q) Then Exit Sub
    ' A generator start runs with the amplitude and period the caller asked for.
    If q = Q_SM And number <> 0 Then SendPendingRequests
    Send q, number
  End Sub

  ' The hub hears of the change from the drive itself, as its Node.
  Public Sub AnnounceEnableChanged(newState)
    Dim hub, node
    If mDriveEvents Is Nothing Then Exit Sub
    Set hub = mDriveEvents  ' a listener may take the hub away
    Set node = Me
    hub.FireEnableChanged node, newState
  End Sub

  ' ---- The drive object: what the session reads of it ----
  Public Property Get Address() : Address = mAddress : End Property
  Public Property Get Online() : Online = mOnline : End Property
  Public Property Get ConfigReg() : Set ConfigReg = mConfig : End Property
  Public Property Get StatusReg() : Set StatusReg = mStatus : End Property
  Public Property Get IOregister() : Set IOregister = mIo : End Property
  Public Property Get ErrorCodeReg() : Set ErrorCodeReg = mErrorCode : End Property
  Public Property Get StimulusState() : Set StimulusState = mStimulus : End Property
  Public Property Set LogFile(value) : Set mLog = value : End Property
  Public Property Get ModelString() : ModelString = "Simulated drive, model " & mType : End Property
  Public Property Get Enabled() : Enabled = Not mStatus.AmpDisable : End Property
  Public Property Get Shutdown() : Shutdown = mErrorCode.IsShutdown : End Property

  ' Offline, shut down, enabled or disabled, in that order of precedence.
  Public Property Get DriveStateStr()
    If Not mOnline Then
      DriveStateStr = "Offline"
    ElseIf Shutdown Then
      DriveStateStr = "Shutdown"
    ElseIf Enabled Then
      DriveStateStr = "Enabled"
    Else
      DriveStateStr = "Disabled"
    End If
  End Property

  ' ---- The drive library's part ----
  Public Function ValueFor(q)
    Select Case q
      Case Q_CF : Set ValueFor = mConfig.Register
      Case Q_ST : Set ValueFor = mStatus.Register
      Case Q_IO : Set ValueFor = mIoValue
      Case Q_EC : Set ValueFor = mErrorCode.Register
      Case Q_SM : Set ValueFor = mStimulus.Mode
      Case Q_SA : Set ValueFor = mStimulus.Amplitude
      Case Q_SP : Set ValueFor = mStimulus.Period
      Case Q_TL : Set ValueFor = mStimulus.TrackingLimit
      Case Q_SR : Set ValueFor = mSampleRate
    End Select
  End Function

  ' The drive's number is taken first: the value object's listeners, the drive's own among
  ' them, then find nothing left to send.
  Private Sub Store(q, value)
    Dim target
    mNumbers(q) = value
    Set target = ValueFor(q)
    target.Number.Value = value
    ' What the drive holds is no longer a request: StartStop reads the request numbers.
    If q = Q_SA Or q = Q_SP Then target.RequestNumber.Value = value
    ' The stimulus state hears a new sample rate only as new content.
    If q = Q_SR Then target.ApplySetup
  End Sub

  Private Sub Exchange(command, answer)
    If mLog Is Nothing Then Exit Sub
    mLog.CommandSent command
    mLog.Received answer
  End Sub

  Private Sub Send(q, value)
    Exchange Mnemonic(q) & " " & NumberText(q, value), "ok" & vbCr
    mNumbers(q) = value
    If q = Q_SA Or q = Q_SP Then ValueFor(q).RequestNumber.Value = value
  End Sub

  Private Sub SendPendingRequests()
    Dim q, requested
    For Each q In Array(Q_SA, Q_SP)
      requested = ValueFor(q).RequestNumber.Value
      If requested <> mNumbers(q) Then
        Send q, requested
        Store q, requested
      End If
    Next
  End Sub
End Class

Dim drive

' The drive library's subscriptions, routed to the one simulated drive.
Sub DriveCF_ValueChanged(newVal) : drive.OnValueChanged Q_CF, newVal : End Sub
Sub DriveSM_ValueChanged(newVal) : drive.OnValueChanged Q_SM, newVal : End Sub
Sub DriveSA_ValueChanged(newVal) : drive.OnValueChanged Q_SA, newVal : End Sub
Sub DriveSP_ValueChanged(newVal) : drive.OnValueChanged Q_SP, newVal : End Sub
Sub DriveTL_ValueChanged(newVal) : drive.OnValueChanged Q_TL, newVal : End Sub
Sub DriveStatus_EnableChanged(newState) : drive.AnnounceEnableChanged newState : End Sub

' ---- The application's listeners: each tells what it hears as one line -----------------------

Dim stateTexts, status, stimulusEvents

Function AdapterText(netRef)
  AdapterText = "none"
  If Not netRef Is Nothing Then AdapterText = netRef.AdapterName
End Function

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
  Dim address
  address = 0
  If Not Node Is Nothing Then address = Node.Address
  Remark "DriveEventObj.EnableChanged(drive " & address & ", newState " & Bool(newState) & ")"
End Sub

Sub IO_CommutationChanged(thisCode, lastCode)
  Remark "IOregisterObj.CommutationChanged(thisCode " & thisCode & ", lastCode " & lastCode & ")"
End Sub

Sub Config_Change() : Remark "ConfigRegObj.Change" : End Sub
Sub Config_MotorTypeChanged() : Remark "ConfigRegObj.MotorTypeChanged" : End Sub
Sub Config_HighLevelFeedbackChanged() : Remark "ConfigRegObj.HighLevelFeedbackChanged" : End Sub

Sub ErrorCode_Changed() : Remark "ErrorCodeObj.Changed" : End Sub

' The stimulus raises many events per action; they are told as one wrapped list.
Sub FlushStimulusEvents()
  Dim items, item, line, i
  items = Split(Mid(stimulusEvents, 2), "|")
  stimulusEvents = ""
  line = Indent & "StimulusStateObj: "
  For i = 0 To UBound(items)
    item = items(i)
    If i < UBound(items) Then item = item & ","
    If Len(line) + 1 + Len(item) > Width Then
      Say line
      line = Indent & "  "
    End If
    If Right(line, 1) <> " " Then line = line & " "
    line = line & item
  Next
  Say line
End Sub

Sub Heard(text) : stimulusEvents = stimulusEvents & "|" & text : End Sub
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

' BitStr of every set bit that has a name, in ascending order.
Function SetBitNames(decoder)
  Dim bits, bit, mask, name
  bits = CLng(decoder.Register.Number.Value)
  SetBitNames = ""
  For bit = 0 To 31
    If bit = 31 Then mask = &H80000000 Else mask = CLng(2 ^ bit)
    If (bits And mask) <> 0 Then name = BitName(decoder, bit) Else name = ""
    If name <> "" And SetBitNames <> "" Then SetBitNames = SetBitNames & ", "
    SetBitNames = SetBitNames & name
  Next
End Function

' A bit without a name has no text in the string table: its BitStr is the resource error.
Function BitName(decoder, bit)
  Dim number, source, description
  On Error Resume Next
  BitName = decoder.BitStr(bit)
  number = Err.Number
  source = Err.Source
  description = Err.Description
  On Error GoTo 0
  If number = RESOURCE_NOT_FOUND Then
    BitName = ""
  ElseIf number <> 0 Then
    Err.Raise number, source, description
  End If
End Function

' ---- The session -------------------------------------------------------------------------------

' NetLib.Version of the DLL's own root object: its numbers, then its module without extension.
Dim version, logFolder, logPath, cmdLog, supervisor, adapterList, nets, k, a, initial
version = Split(CreateObject("ZentNetLib.NetLib").Version, vbCrLf)
logFolder = Left(version(1), InStrRev(version(1), "\") - 1)
logPath = logFolder & "\sx_cmds.log"

Say "ZentNetLib " & version(0) & " demo: one simulated drive session"
Say "Command log: " & logPath

' The texts of the network states, from an adapter of the listener's own: netRef may be Nothing.
Set stateTexts = CreateObject("ZentNetLib.NetAdapterObj")
stimulusEvents = ""
Set cmdLog = CreateObject("ZentNetLib.CmdLog")
cmdLog.Logging = True
cmdLog.LogPolling = True
cmdLog.LogToFile(False) = True
Set root = New SimRoot
root.Init cmdLog
Set supervisor = root.NetSupervisor
WScript.ConnectObject supervisor, "Supervisor_"
WScript.ConnectObject root.DriveEvent, "DriveEvent_"

Step 1, "The application sets Ports := ""1;2"" (new adapters start on port 0, LPT1)"
root.Ports = "1;2"
adapterList = ""
Set nets = root.Nets
For k = 1 To nets.Count
  Set a = nets.Item(k)
  If k > 1 Then adapterList = adapterList & ", "
  adapterList = adapterList & a.AdapterName & " on port " & a.PortNumber
Next
Remark "Ports reads " & Quoted(root.Ports) & ": " & adapterList

Step 2, "The application gives each adapter a peer and sets NetOpen := true"
root.PortsOpen = True
Remark "PortsOpen " & Bool(root.PortsOpen)

Step 3, "The communication layer finds drive 1 on port 1"
' A new drive's numbers: analog torque input with motor style 2, amplifier disabled,
' commutation code 1, tracking limit 400, sample rate 4000.
initial = Array(&H1000200, &H800, &H80, 0, 0, 0, 0, 400, 4000)
Set drive = New SimDrive
drive.Build 1, DRV_MODEL_07, initial
Set status = drive.StatusReg
WScript.ConnectObject status, "Status_"
WScript.ConnectObject drive.IOregister, "IO_"
WScript.ConnectObject drive.ConfigReg, "Config_"
WScript.ConnectObject drive.ErrorCodeReg, "ErrorCode_"
WScript.ConnectObject drive.StimulusState, "Stimulus_"
root.AttachDrive 1, drive
Remark "drive 1: " & drive.ModelString & ", " & drive.DriveStateStr & ", status " & _
  Hex8(status.Register.Number.Value)

Sub PollStatus(n, value, meaning)
  Step n, "Poll: the drive reports status " & Hex8(value) & " (" & meaning & ")"
  drive.SetDriveValue Q_ST, value
  drive.Poll Q_ST
  Remark "set bits: " & SetBitNames(status) & "; drive " & drive.DriveStateStr
End Sub
PollStatus 4, &H40000000, "enabled, lock level 1"
PollStatus 5, &H40000A21, "encoder and tracking shutdown, + limit, disabled"

Step 6, "Poll: the I/O register goes from 0x0080 to 0x0180"
drive.SetDriveValue Q_IO, &H180
drive.Poll Q_IO

Step 7, "A window sets ConfigReg.InputMode := IN_MODE_STEP_POSITION"
Dim config, modeBefore
Set config = drive.ConfigReg
modeBefore = config.InputModeStr
config.InputMode = IN_MODE_STEP_POSITION
Remark "InputModeStr " & Quoted(modeBefore) & " -> " & Quoted(config.InputModeStr) & _
  "; the drive library sent CF " & NumberText(Q_CF, drive.DriveValue(Q_CF))

Function TrackingLimit() : TrackingLimit = NumberText(Q_TL, drive.DriveValue(Q_TL)) : End Function

Dim stimulus
Set stimulus = drive.StimulusState
Step 8, "A window prepares the stimulus: SetupFor(STIM_POSN, 800, 100)"
stimulus.SetupFor STIM_POSN, 800, 100
FlushStimulusEvents
Remark "the drive holds amplitude " & NumberText(Q_SA, drive.DriveValue(Q_SA)) & _
  ", period " & NumberText(Q_SP, drive.DriveValue(Q_SP)) & ", tracking limit " & TrackingLimit()

Step 9, "A window calls StimulusState.StartStop: the generator starts"
stimulus.StartStop
FlushStimulusEvents
Remark "ModeStr " & Quoted(stimulus.ModeStr) & ", Running " & Bool(stimulus.Running) & _
  "; the drive's tracking limit is now " & TrackingLimit()

Step 10, "StartStop again: the generator stops"
stimulus.StartStop
FlushStimulusEvents
Remark "Running " & Bool(stimulus.Running) & "; the drive's tracking limit is back at " & TrackingLimit()

Dim errorCode
errorCode = ERR_CODE_TRACKING Or ERR_CODE_ENC Or ERR_CODE_SHUTDOWN
Step 11, "Poll: the error-code register reads " & Hex8(errorCode)
drive.SetDriveValue Q_EC, errorCode
drive.Poll Q_EC
Remark "ErrorListStr " & Quoted(drive.ErrorCodeReg.ErrorListStr) & "; drive " & drive.DriveStateStr

Step 12, "The application closes the ports: Enabled := false on each adapter"
root.PortsOpen = False
Remark "PortsOpen " & Bool(root.PortsOpen) & "; drive 1 " & drive.DriveStateStr

cmdLog.LogToFile(False) = False

' The log as the DLL wrote it: code-page text with CR LF line ends.
Dim file, line
Say "The command log as written, blank lines left out (time stamps vary):"
Set file = CreateObject("Scripting.FileSystemObject").OpenTextFile(logPath, 1)
For Each line In Split(file.ReadAll, vbLf)
  If Right(line, 1) = vbCr Then line = Left(line, Len(line) - 1)
  If line <> "" Then Say "   | " & line
Next
file.Close
