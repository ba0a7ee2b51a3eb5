# Test registration for both configurations.
#
# qm_unit_test(<name> SOURCES ... LIBS ...)
#   Native GoogleTest program; each test case becomes one CTest test ("unit.*").
# qm_win_test(<name> SOURCES ... LIBS ... [DISPLAY] [TIMEOUT s])
#   Win32 GoogleTest program, built by the Windows configuration; the native
#   configuration registers it as "wine.<name>", run under Wine in a throwaway prefix.
# qm_e2e_test(<name> SOURCES ... LIBS ... [TIMEOUT s])
#   Like qm_win_test, labelled "e2e" and always given an X display (Xvfb): these
#   programs start the real executables and drive them from outside.
# qm_fuzz_target(<name> SOURCES ... LIBS ...)
#   A fuzz target (sources define LLVMFuzzerTestOneInput). In the sanitizer build with
#   clang it is a libFuzzer program, run by CTest as "fuzz.<name>" for QM_FUZZ_SECONDS
#   from its seeds (tests/fuzz/corpus/<name>, dictionary tests/fuzz/<name>.dict when
#   there); scripts/fuzz.sh runs it longer. In the ordinary native build it is linked
#   with a driver that feeds it every seed once ("unit.fuzz_replay.<name>"), so the
#   target always compiles and every input that once failed stays fixed.
enable_testing()

set(QM_WIN_BUILD_DIR "" CACHE PATH "Windows build tree whose test programs CTest runs under Wine")
set(QM_HOST_TOOLS_DIR "" CACHE PATH "Native build bin folder with host tools (used by the Windows build)")

if(WIN32)
  set(QM_GTEST_SRC /usr/src/googletest/googletest)
  add_library(qm_gtest STATIC ${QM_GTEST_SRC}/src/gtest-all.cc ${QM_GTEST_SRC}/src/gtest_main.cc)
  target_include_directories(qm_gtest SYSTEM PUBLIC ${QM_GTEST_SRC}/include PRIVATE ${QM_GTEST_SRC})
  target_compile_options(qm_gtest PRIVATE -w)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(qm_unit_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  qm_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS unit TIMEOUT 120)
endfunction()

function(_qm_wine_test name label)
  cmake_parse_arguments(A "DISPLAY" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  if(WIN32)
    add_executable(${name} ${A_SOURCES})
    qm_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${A_LIBS} qm_gtest)
    return()
  endif()
  if(NOT QM_WIN_BUILD_DIR)
    return()
  endif()
  set(flags "")
  if(A_DISPLAY OR label STREQUAL "e2e")
    set(flags --display)
  endif()
  add_test(NAME ${label}.${name}
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/wine-test.sh ${flags} ${QM_WIN_BUILD_DIR}/bin/${name}.exe)
  set_tests_properties(${label}.${name} PROPERTIES
    FIXTURES_REQUIRED wineprefix LABELS ${label} TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "QM_WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wineprefix-template")
endfunction()

function(qm_win_test name)
  _qm_wine_test(${name} wine ${ARGN})
endfunction()

function(qm_e2e_test name)
  _qm_wine_test(${name} e2e ${ARGN})
endfunction()

set(QM_FUZZ_SECONDS 4 CACHE STRING "How long CTest runs each fuzz target")

function(qm_fuzz_target name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  set(seeds ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  if(QM_FUZZ)
    add_executable(${name} ${A_SOURCES})
    qm_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_test(NAME fuzz.${name}
      COMMAND bash ${PROJECT_SOURCE_DIR}/tests/fuzz/run_fuzzer.sh $<TARGET_FILE:${name}> ${QM_FUZZ_SECONDS})
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
  else()
    add_executable(${name} ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    qm_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    add_test(NAME unit.fuzz_replay.${name} COMMAND ${name} ${seeds})
    set_tests_properties(unit.fuzz_replay.${name} PROPERTIES LABELS unit TIMEOUT 120)
  endif()
endfunction()
