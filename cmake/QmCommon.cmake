# Compiler settings shared by every target of ours (third-party code opts out).
set(QM_WARNINGS -Wall -Wextra)

# The sanitizer build (native only; scripts/build.sh --sanitize makes it in build/asan
# with clang): everything, SQLite included, runs under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the first report ends the program with a failure, so
# a unit test that touches a fault fails. With clang, our own code also carries the
# coverage counters that libFuzzer steers by, and the fuzz targets are built
# (qm_fuzz_target, QmTesting.cmake).
option(QM_SANITIZE "Native build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
set(QM_FUZZ OFF)
if(QM_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(QM_FUZZ ON)
  endif()
endif()

if(WIN32)
  set(QM_WIN_DEFS UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600 _WIN32_IE=0x0700)
endif()

# qm_target_defaults(<target>): warnings, include root, Windows macros.
function(qm_target_defaults tgt)
  target_compile_options(${tgt} PRIVATE ${QM_WARNINGS})
  target_include_directories(${tgt} PUBLIC ${PROJECT_SOURCE_DIR})
  if(QM_FUZZ)
    target_compile_options(${tgt} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(WIN32)
    target_compile_definitions(${tgt} PUBLIC ${QM_WIN_DEFS})
    # MinGW i686 (DWARF-2 unwinding) loses the unwind data of functions split into hot
    # and cold parts: an exception thrown from a cold part ends in std::terminate.
    target_compile_options(${tgt} PRIVATE -fno-reorder-blocks-and-partition)
  endif()
endfunction()

# qm_library(<name> SOURCES ... [WIN_SOURCES ...] [LIBS ...])
# A static library of portable sources; WIN_SOURCES are added only in the Windows build.
function(qm_library name)
  cmake_parse_arguments(A "" "" "SOURCES;WIN_SOURCES;LIBS;WIN_LIBS" ${ARGN})
  set(src ${A_SOURCES})
  if(WIN32)
    list(APPEND src ${A_WIN_SOURCES})
  endif()
  add_library(${name} STATIC ${src})
  qm_target_defaults(${name})
  if(QM_SANITIZE)
    # The sanitizer build is a Debug build, so that SQLite and the tests compile in
    # seconds rather than minutes; the product code is optimised a little, for the
    # fuzzers' speed.
    target_compile_options(${name} PRIVATE -O1)
  endif()
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  if(WIN32 AND A_WIN_LIBS)
    target_link_libraries(${name} PUBLIC ${A_WIN_LIBS})
  endif()
endfunction()

# qm_add_subfolders([folder ...]): adds the named subfolders of the current folder, or
# every subfolder when none is named, skipping those without a CMakeLists.txt. Areas
# drop in a folder of their own without editing a shared list.
function(qm_add_subfolders)
  set(children ${ARGN})
  if(NOT children)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
  endif()
  foreach(child ${children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
