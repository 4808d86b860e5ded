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
