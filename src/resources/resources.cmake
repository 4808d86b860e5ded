# The string table is kept as a data file and compiled into the library as C++ initialisers.

set(ZENTNET_STRINGS_DATA ${CMAKE_CURRENT_LIST_DIR}/strings.txt)
set(ZENTNET_GENERATED_DIR ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(ZENTNET_STRINGS_INC ${ZENTNET_GENERATED_DIR}/zentnet/resources/strings_table.inc)

add_custom_command(
  OUTPUT ${ZENTNET_STRINGS_INC}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${ZENTNET_STRINGS_DATA} -DOUTPUT=${ZENTNET_STRINGS_INC}
          -P ${CMAKE_CURRENT_LIST_DIR}/gen_strings.cmake
  DEPENDS ${ZENTNET_STRINGS_DATA} ${CMAKE_CURRENT_LIST_DIR}/gen_strings.cmake
  COMMENT "Generating the string table"
  VERBATIM)
# Listing the generated file as a source makes it exist before any library object compiles.
target_sources(zentnet PRIVATE ${ZENTNET_STRINGS_INC})
target_include_directories(zentnet PRIVATE ${ZENTNET_GENERATED_DIR})

# The version record in version.h is authoritative; the CMake project version must agree.
file(STRINGS ${PROJECT_SOURCE_DIR}/include/zentnet/resources/version.h _zentnet_version_lines
     REGEX "inline constexpr int32_t k(Major|Minor|Revision) = [0-9]+;")
foreach(_line IN LISTS _zentnet_version_lines)
  string(REGEX MATCH "k(Major|Minor|Revision) = ([0-9]+)" _ "${_line}")
  set(_zentnet_version_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
endforeach()
set(_zentnet_record_version
    "${_zentnet_version_Major}.${_zentnet_version_Minor}.${_zentnet_version_Revision}")
if(NOT _zentnet_record_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "version.h says ${_zentnet_record_version}, "
                      "project() says ${PROJECT_VERSION}; change both together")
endif()

if(ZENTNET_TESTS)
  # The tool's side of the resources: texts by id, the loader error, and the version record.
  function(zentnet_tool_check name args rc out err)
    add_test(NAME tool_${name}
             COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:zentnet_tool> "-DARGS=${args}" -DRC=${rc}
                     "-DOUT=${out}" "-DERR=${err}"
                     -P ${PROJECT_SOURCE_DIR}/tests/resources/run_tool.cmake)
  endfunction()
  zentnet_tool_check(version "--version" 0 "1.0.48|" "")
  zentnet_tool_check(strings_texts "strings|2054|4250|8004" 0 "@*@ Input Scaling|OFFLINE|Unknown vendor  4|" "")
  zentnet_tool_check(strings_missing "strings|4100|4108|4101" 2 "Analog Velocity|"
                     "error 326 (ZentNetLib): Resource with identifier '4108' not found|")
  zentnet_tool_check(strings_not_a_number "strings|4100|x1" 2 ""
                     "zentnet: strings: 'x1' is not a string id (a decimal number)|")
  zentnet_tool_check(strings_no_id "strings" 2 "" "zentnet: strings: expected at least one ID|")
endif()
