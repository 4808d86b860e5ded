# Turns the string-table data file into C++ initialisers, one `{ID, "TEXT"sv},` line per string.
#   cmake -DINPUT=strings.txt -DOUTPUT=strings_table.inc -P gen_strings.cmake
# The texts are already C string bodies (see the data file's header), so they are copied as they
# stand after checking that they hold only the escapes the format allows. Runs at build time, so
# it uses nothing but CMake.

if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT)
  message(FATAL_ERROR "usage: cmake -DINPUT=<strings.txt> -DOUTPUT=<file.inc> -P gen_strings.cmake")
endif()

file(READ "${INPUT}" content)

# CMake lists split on ";" and treat "[", "]" and "\" specially; park those bytes in control
# characters the data file never holds, so that every line survives the split intact.
string(ASCII 1 ph_semi)
string(ASCII 2 ph_open)
string(ASCII 3 ph_close)
string(ASCII 4 ph_backslash)
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\\" "${ph_backslash}" content "${content}")
string(REPLACE ";" "${ph_semi}" content "${content}")
string(REPLACE "[" "${ph_open}" content "${content}")
string(REPLACE "]" "${ph_close}" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(body_pattern "^([^\"\\\\\t]|\\\\[rnt\\\\\"]|\\\\x[0-9A-Fa-f][0-9A-Fa-f])+$")
set(out "// Generated from strings.txt by gen_strings.cmake. Do not edit.\n")
set(line_no 0)
set(previous -1)
set(count 0)
foreach(line IN LISTS lines)
  math(EXPR line_no "${line_no} + 1")
  string(REPLACE "${ph_backslash}" "\\" line "${line}")
  string(REPLACE "${ph_semi}" ";" line "${line}")
  string(REPLACE "${ph_open}" "[" line "${line}")
  string(REPLACE "${ph_close}" "]" line "${line}")
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(NOT line MATCHES "^([0-9]+)\t\"(.*)\"$")
    message(FATAL_ERROR "${INPUT}:${line_no}: expected ID<TAB>\"TEXT\", got: ${line}")
  endif()
  set(id "${CMAKE_MATCH_1}")
  set(text "${CMAKE_MATCH_2}")
  if(NOT text MATCHES "${body_pattern}")
    message(FATAL_ERROR "${INPUT}:${line_no}: text of ${id} is empty, holds a raw tab, "
                        "an unescaped quote or an escape other than \\r \\n \\t \\\\ \\\" \\xNN")
  endif()
  string(REGEX REPLACE "^0+([0-9])" "\\1" id "${id}")
  if(id GREATER 65535)
    message(FATAL_ERROR "${INPUT}:${line_no}: id ${id} does not fit in 16 bits")
  endif()
  if(NOT id GREATER previous)
    message(FATAL_ERROR "${INPUT}:${line_no}: id ${id} does not follow ${previous}; keep ids ascending")
  endif()
  set(previous "${id}")
  math(EXPR count "${count} + 1")
  # A hex escape would swallow a following hex digit, so each one ends its own literal.
  string(REGEX REPLACE "(\\\\x[0-9A-Fa-f][0-9A-Fa-f])" "\\1\" \"" text "${text}")
  string(APPEND out "{${id}, \"${text}\"sv},\n")
endforeach()

if(count EQUAL 0)
  message(FATAL_ERROR "${INPUT}: no strings")
endif()
file(WRITE "${OUTPUT}" "${out}")
