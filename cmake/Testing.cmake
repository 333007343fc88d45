# GoogleTest from the system's sources, built with the target's own compiler.
set(PACK_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${PACK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# How a Windows test program names a build file: Wine maps the Linux root to drive Z:.
if(CMAKE_HOST_WIN32)
  set(PACK_TEST_DRIVE "")
else()
  set(PACK_TEST_DRIVE "Z:")
endif()

# Every test's timeout is multiplied by this: an emulated machine runs each test many times slower
# (script/guest32 sets it with PACK_TEST_PATIENCE_SCALE, which stretches the tests' own waits).
set(PACK_TEST_TIMEOUT_SCALE 1 CACHE STRING "Multiplier of every test's timeout")

# pack_add_test(name SOURCES ... LIBS ... [LABELS ...] [RUN_SERIAL] [ENVIRONMENT ...]
#               [RESOURCE_LOCK ...] [TIMEOUT seconds] [PREFIX text])
# PREFIX goes before each host test's name, for a suite built twice from one source.
# RESOURCE_LOCK names shared state (a registry key, a mutex name) that suites must not use at once.
# Host tests are listed one test case per ctest line; a Windows test executable is one ctest line,
# since each Wine start costs more than a whole suite.
function(pack_add_test name)
  cmake_parse_arguments(T "RUN_SERIAL" "TIMEOUT;PREFIX" "SOURCES;LIBS;LABELS;ENVIRONMENT;RESOURCE_LOCK" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(MINGW)
    # Sections page-aligned in the file, as the pack's programs are, so that Wine maps them rather
    # than reading them in: read in from the 32-bit guest's shared folder, the code past its first
    # part came out as zeros, and every suite crashed in main.
    target_link_options(${name} PRIVATE -Wl,--file-alignment,0x1000)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  math(EXPR T_TIMEOUT "${T_TIMEOUT} * ${PACK_TEST_TIMEOUT_SCALE}")
  # One property list for both kinds of test; list values keep their items together.
  set(props TIMEOUT ${T_TIMEOUT})
  foreach(property LABELS ENVIRONMENT RESOURCE_LOCK)
    if(T_${property})
      string(REPLACE ";" "\\;" value "${T_${property}}")
      list(APPEND props ${property} "${value}")
    endif()
  endforeach()
  if(T_RUN_SERIAL)
    list(APPEND props RUN_SERIAL ON)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ${props})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 30
                         TEST_PREFIX "${T_PREFIX}" PROPERTIES ${props})
  endif()
endfunction()
