# Turns a string source file (resources/strings/strings.txt format) into
#  - RC_OUT:  a resource script with one STRINGTABLE, English (United States), UTF-8;
#  - INC_OUT: C++ initialiser lines `{id, u"text"},` for the portable table;
#  - IDS_OUT: C++ enumerator lines `Name = id,` for the names code uses (every text must
#    then have a name).
# Any output may be omitted. Run as:
#   cmake -DSOURCE=<file> [-DRC_OUT=<file>] [-DINC_OUT=<file>] [-DIDS_OUT=<file>]
#         -P gen_string_table.cmake
#
# Source lines: <id> [<name>] "<text>" separated by blanks, escapes \n \t \" \\ inside the
# quotes; lines that start with # and empty lines are skipped; ids ascend strictly and lie
# in 1..65535; a name starts with a letter, holds letters and digits and is given once.
cmake_minimum_required(VERSION 3.20)

# Reports a fault of the source as "<file>:<line>: <text>" on one line (CMake wraps
# its own error messages) and stops.
function(fail lineno text)
  message("${SOURCE}:${lineno}: ${text}")
  message(FATAL_ERROR "string table not generated")
endfunction()

if(NOT SOURCE)
  message(FATAL_ERROR "gen_string_table: SOURCE not given")
endif()
file(READ "${SOURCE}" content)

# CMake lists split at ';' and treat brackets specially, so those characters travel
# through the line loop as control characters and are put back on output.
string(ASCII 1 SEMI)
string(ASCII 2 LBR)
string(ASCII 3 RBR)
string(ASCII 4 BSL)
string(ASCII 5 DQ)
string(ASCII 9 TAB)
string(ASCII 10 LF)
string(ASCII 13 CR)

file(READ "${SOURCE}" head LIMIT 3 HEX)
if(head STREQUAL "efbbbf")
  string(SUBSTRING "${content}" 3 -1 content)
endif()
string(REPLACE "${CR}${LF}" "${LF}" content "${content}")
string(REPLACE ";" "${SEMI}" content "${content}")
string(REPLACE "[" "${LBR}" content "${content}")
string(REPLACE "]" "${RBR}" content "${content}")
string(REPLACE "${LF}" ";" lines "${content}")

set(rc_body "")
set(inc_body "")
set(ids_body "")
set(names "")
set(unnamed_line "")
set(prev 0)
set(lineno 0)
foreach(line IN LISTS lines)
  math(EXPR lineno "${lineno} + 1")
  string(STRIP "${line}" stripped)
  if(stripped STREQUAL "" OR stripped MATCHES "^#")
    continue()
  endif()
  if(NOT line MATCHES "^([0-9]+)[ ${TAB}]+(([A-Za-z][A-Za-z0-9]*)[ ${TAB}]+)?\"(.*)\"[ ${TAB}]*$")
    fail(${lineno} "expected <number> [<name>] \"<text>\"")
  endif()
  set(id "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_3}")
  set(text "${CMAKE_MATCH_4}")
  if(id MATCHES "^0" OR id GREATER 65535)
    fail(${lineno} "number ${id} is not within 1..65535")
  endif()
  if(NOT id GREATER prev)
    fail(${lineno} "number ${id} does not follow ${prev} (numbers ascend strictly)")
  endif()
  set(prev ${id})
  if(name STREQUAL "")
    if(unnamed_line STREQUAL "")
      set(unnamed_line ${lineno})
      set(unnamed_id ${id})
    endif()
  else()
    list(FIND names "${name}" seen)
    if(NOT seen EQUAL -1)
      fail(${lineno} "name ${name} is given twice")
    endif()
    list(APPEND names "${name}")
    string(APPEND ids_body "${name} = ${id},\n")
  endif()

  # Unescape into control-character stand-ins first, so that later replacements
  # cannot mistake one escape's result for the start of another.
  string(REPLACE "\\\\" "${BSL}" text "${text}")
  string(REPLACE "\\\"" "${DQ}" text "${text}")
  string(REPLACE "\\n" "${LF}" text "${text}")
  string(REPLACE "\\t" "${TAB}" text "${text}")
  if(text MATCHES "\\\\")
    fail(${lineno} "unknown escape (use \\n, \\t, \\\" or \\\\)")
  endif()
  if(text MATCHES "\"")
    fail(${lineno} "a double quote inside the text must be written \\\"")
  endif()

  # Resource script: "" is a quote; \n, \t and \\ are the compiler's escapes.
  set(rc "${text}")
  string(REPLACE "${LF}" "\\n" rc "${rc}")
  string(REPLACE "${TAB}" "\\t" rc "${rc}")
  string(REPLACE "${BSL}" "\\\\" rc "${rc}")
  string(REPLACE "${DQ}" "\"\"" rc "${rc}")
  string(APPEND rc_body "  ${id}, \"${rc}\"\n")

  # C++: UTF-8 source text in a u"" literal; the compiler converts it to UTF-16.
  set(cpp "${text}")
  string(REPLACE "${LF}" "\\n" cpp "${cpp}")
  string(REPLACE "${TAB}" "\\t" cpp "${cpp}")
  string(REPLACE "${BSL}" "\\\\" cpp "${cpp}")
  string(REPLACE "${DQ}" "\\\"" cpp "${cpp}")
  string(APPEND inc_body "{${id}, u\"${cpp}\"},\n")
endforeach()

foreach(var rc_body inc_body)
  string(REPLACE "${SEMI}" ";" ${var} "${${var}}")
  string(REPLACE "${LBR}" "[" ${var} "${${var}}")
  string(REPLACE "${RBR}" "]" ${var} "${${var}}")
endforeach()

# Code asks for texts by name: a text without one could only be had by its number.
if(IDS_OUT AND NOT unnamed_line STREQUAL "")
  fail(${unnamed_line} "number ${unnamed_id} has no name")
endif()

get_filename_component(src_name "${SOURCE}" NAME)

if(RC_OUT)
  file(WRITE "${RC_OUT}"
    "// Generated from ${src_name}; edit that file, not this one.\n#pragma code_page(65001)\nLANGUAGE 0x09, 0x01\nSTRINGTABLE\nBEGIN\n${rc_body}END\n")
endif()
if(INC_OUT)
  file(WRITE "${INC_OUT}" "// Generated from ${src_name}; edit that file, not this one.\n${inc_body}")
endif()
if(IDS_OUT)
  file(WRITE "${IDS_OUT}" "// Generated from ${src_name}; edit that file, not this one.\n${ids_body}")
endif()
