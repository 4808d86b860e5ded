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
