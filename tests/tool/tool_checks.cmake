# The tool as a user runs it: exit status, standard output and error output, exactly.
# Arguments are separated by "|"; in OUT and ERR a line end is written as "|".

function(zentnet_tool_check name args rc out err)
  add_test(NAME tool_${name}
           COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:zentnet_tool> "-DARGS=${args}" -DRC=${rc}
                   "-DOUT=${out}" "-DERR=${err}" -P ${CMAKE_CURRENT_LIST_DIR}/run_tool.cmake)
endfunction()

zentnet_tool_check(version "--version" 0 "${PROJECT_VERSION}|" "")
zentnet_tool_check(no_command "" 2 "" "zentnet: no command; try zentnet --help|")
zentnet_tool_check(unknown_command "frob" 2 "" "zentnet: unknown command 'frob'; try zentnet --help|")

zentnet_tool_check(decode_io_json "decode|io|0x0380|--json" 0
  "{\"AmpEnable\": true, \"EnableIn\": false, \"FaultIn\": false, \"ModeIn\": false, \"NegativeLimit\": false, \"PositiveLimit\": false, \"ShutdownLineOut\": false, \"ThermalFaultIn\": false, \"CommutationCode\": 7, \"Bits\": 896, \"LastCommutationCode\": 0, \"BitNames\": \"COMMUTATION T, COMMUTATION S, COMMUTATION R\"}|" "")
zentnet_tool_check(decode_io_too_wide "decode|io|0x100000000" 2 "" "zentnet: does not fit in 32 bits: '0x100000000'|")
zentnet_tool_check(decode_io_below_range "decode|io|-2147483649" 2 "" "zentnet: does not fit in 32 bits: '-2147483649'|")
zentnet_tool_check(decode_io_not_a_number "decode|io|abc" 2 "" "zentnet: not a number: 'abc'|")
zentnet_tool_check(decode_unknown_register "decode|bogus|1" 2 "" "zentnet: decode: unknown register 'bogus'|")
zentnet_tool_check(decode_unknown_option "decode|io|1|--frob" 2 "" "zentnet: unknown option: --frob|")
zentnet_tool_check(decode_error_list "decode|error|0x10050|--json" 0
  "{\"ADCproblems\": false, \"CommutationProblems\": false, \"CurrentSensorProblems\": false, \"EEhardwareProblems\": false, \"EEnotInitialized\": false, \"EncoderProblems\": true, \"LogicPowerBackedUp\": false, \"LogicPowerRecoveryFailed\": false, \"OverVoltageCurrent\": false, \"RMSoverload\": false, \"VectorSetupProblems\": false, \"StepInputProblems\": false, \"Thermal\": false, \"Tracking\": true, \"IsShutdown\": true, \"ErrorListStr\": \"Tracking  shutdown, Encoder signal problem, Drive Shutdown\"}|" "")
zentnet_tool_check(decode_status_bits_as_a_list "decode|status|0x21|--json" 0
  "{\"StatusImplemented\": -1, \"AllSystemsGo\": false, \"HighLevelFeedback\": true, \"AmpDisable\": false, \"EncoderError\": true, \"Hardstopped\": false, \"IVfault\": false, \"LockLevel\": 0, \"LogicPowerBackup\": false, \"NegativeLimit\": false, \"NotMoveDone\": false, \"OutOfPosition\": false, \"OutputSaturation\": false, \"OverSpeed\": false, \"OverTemp\": false, \"PositiveLimit\": false, \"PWMsaturation\": false, \"RMSshutdown\": false, \"StepInputError\": false, \"TempShutdown\": false, \"TorqueMode\": false, \"TrackingShutdown\": true, \"VectorSearch\": false, \"BitStr\": [\"Encoder\", \"Tracking\"]}|" "")

zentnet_tool_check(ports_one "ports|3|--json" 0 "{\"Ports\": \"3\", \"Adapters\": [{\"PortNumber\": 3, \"AdapterName\": \"LPT4\"}]}|" "")
zentnet_tool_check(ports_rejected "ports|x" 2 ""
  "error -2147217430 (SetrixObj.Ports(let)): Serial port selection problems. Use numeric values separated by semicolons.|")

zentnet_tool_check(dump "dump|v 300\\r" 0 "v 300\\XD [0x12C]|" "")

zentnet_tool_check(strings_texts "strings|2054|4250|8004" 0 "@*@ Input Scaling|OFFLINE|Unknown vendor  4|" "")
zentnet_tool_check(strings_missing "strings|4100|4108|4101" 2 "Analog Velocity|"
                   "error 326 (ZentNetLib): Resource with identifier '4108' not found|")
zentnet_tool_check(strings_not_a_number "strings|4100|x1" 2 ""
                   "zentnet: strings: 'x1' is not a string id (a decimal number)|")
zentnet_tool_check(strings_no_id "strings" 2 "" "zentnet: strings: expected at least one ID|")
