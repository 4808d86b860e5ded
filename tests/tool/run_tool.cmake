# Runs the zentnet tool once and compares its exit status, standard output and error output.
#   cmake -DTOOL=<zentnet> -DARGS=<a|b|c> -DRC=<status> [-DOUT=<text>] [-DERR=<text>] -P run_tool.cmake
# ARGS separates arguments with "|"; OUT and ERR are exact, with "\n" written as "|".
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND ${TOOL} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\n" "|" out "${out}")
string(REPLACE "\n" "|" err "${err}")
if(NOT rc STREQUAL RC)
  message(FATAL_ERROR "exit status ${rc}, expected ${RC} (stdout '${out}', stderr '${err}')")
endif()
if(DEFINED OUT AND NOT out STREQUAL OUT)
  message(FATAL_ERROR "stdout '${out}', expected '${OUT}'")
endif()
if(DEFINED ERR AND NOT err STREQUAL ERR)
  message(FATAL_ERROR "stderr '${err}', expected '${ERR}'")
endif()
