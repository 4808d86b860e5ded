# Lays one record of a type library out on 4-byte boundaries.
#
#   cmake -DTLB=<file.tlb> -DRECORD=<name> -DSIZE=<bytes> -P PackRecord.cmake
#
# The published records are packed on 4 bytes (infcParamChg is 20 bytes, its double at
# offset 0). widl places members at those offsets but aligns a record that holds a double
# on 8 bytes and rounds its size up to 24, and neither #pragma pack nor --win32-align /
# --win64-align changes what it writes into a type library. The automation runtime copies
# records by that size, so the type library must say 20: this script rewrites the record's
# alignment and size in place. It touches two bytes and checks everything it relies on.

cmake_minimum_required(VERSION 3.18)

foreach(var TLB RECORD SIZE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "PackRecord: ${var} is not set")
  endif()
endforeach()

file(READ "${TLB}" hex HEX)

# Little-endian 32-bit integer at byte offset `at` (unsigned; callers mask what they need).
function(read_u32 out at)
  math(EXPR pos "(${at}) * 2")
  string(SUBSTRING "${hex}" ${pos} 8 le)
  string(REGEX REPLACE "^(..)(..)(..)(..)$" "\\4\\3\\2\\1" be "${le}")
  math(EXPR value "0x${be}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

function(read_u8 out at)
  math(EXPR pos "(${at}) * 2")
  string(SUBSTRING "${hex}" ${pos} 2 b)
  math(EXPR value "0x${b}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

function(write_u8 at value)
  # printf takes the byte as an octal escape; dd puts it in place without truncating.
  set(digits "")
  foreach(shift 6 3 0)
    math(EXPR d "(${value} >> ${shift}) & 7")
    string(APPEND digits "${d}")
  endforeach()
  execute_process(COMMAND printf "\\${digits}"
                  COMMAND dd "of=${TLB}" bs=1 "seek=${at}" count=1 conv=notrunc status=none
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "PackRecord: writing byte ${at} of ${TLB} failed (${rc})")
  endif()
endfunction()

read_u32(magic 0)
if(NOT magic EQUAL 0x5446534D)  # "MSFT"
  message(FATAL_ERROR "PackRecord: ${TLB} is not a type library")
endif()

read_u32(varflags 0x14)
read_u32(count 0x20)
set(offsets 0x54)
math(EXPR helpDll "${varflags} & 0x100")
if(helpDll)
  math(EXPR offsets "${offsets} + 4")  # the help DLL's name comes first
endif()
# The segment directory follows one offset per type; segment 0 holds the type entries
# (0x64 bytes each), segment 7 the names.
math(EXPR segdir "${offsets} + 4 * ${count}")
read_u32(types ${segdir})
math(EXPR at "${segdir} + 7 * 16")
read_u32(names ${at})

string(HEX "${RECORD}" wanted)
string(LENGTH "${RECORD}" wantedLength)
set(found -1)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  math(EXPR entry "${types} + ${i} * 0x64")
  read_u32(nameOffset "${entry} + 0x34")
  math(EXPR nameEntry "${names} + ${nameOffset}")
  read_u8(length "${nameEntry} + 8")
  if(length EQUAL wantedLength)
    math(EXPR pos "(${nameEntry} + 12) * 2")
    math(EXPR chars "${length} * 2")
    string(SUBSTRING "${hex}" ${pos} ${chars} name)
    if(name STREQUAL wanted)
      set(found ${entry})
      break()
    endif()
  endif()
endforeach()
if(found EQUAL -1)
  message(FATAL_ERROR "PackRecord: ${TLB} has no type named ${RECORD}")
endif()

read_u32(kind ${found})
math(EXPR kind "${kind} & 0xF")
if(NOT kind EQUAL 1)  # TKIND_RECORD
  message(FATAL_ERROR "PackRecord: ${RECORD} is not a record")
endif()
math(EXPR sizeAt "${found} + 0x50")
read_u32(size ${sizeAt})
math(EXPR padded "(${SIZE} + 7) / 8 * 8")
if(size EQUAL SIZE)
  return()  # already packed
endif()
# Alignment sits in bits 11-15 of the kind word, i.e. the top five bits of its second byte.
math(EXPR kindByteAt "${found} + 1")
read_u8(kindByte ${kindByteAt})
math(EXPR alignment "${kindByte} >> 3")
if(NOT alignment EQUAL 8 OR NOT size EQUAL padded OR SIZE GREATER 255)
  message(FATAL_ERROR "PackRecord: ${RECORD} is ${size} bytes aligned on ${alignment}, "
                      "expected ${padded} bytes aligned on 8 before packing")
endif()
math(EXPR packedKindByte "(${kindByte} & 7) | (4 << 3)")
write_u8(${kindByteAt} ${packedKindByte})
write_u8(${sizeAt} ${SIZE})
