# End-to-end tests in the native build tree (included from the top-level
# CMakeLists.txt, after GoogleTest is found). The Windows programs they run come from
# build/win32 and build/win64 of the same source tree, one lane each.

set(VELTORI_E2E_DIR ${CMAKE_SOURCE_DIR}/e2e)

# Unit tests of the driver's portable parts: the script language, its key
# names and the text rules.
if(TARGET GTest::gtest_main)
  add_executable(e2e_driver_tests
    ${VELTORI_E2E_DIR}/tests/script_test.cpp
    ${VELTORI_E2E_DIR}/tests/text_match_test.cpp
    ${VELTORI_E2E_DIR}/driver/KeyChord.cpp
    ${VELTORI_E2E_DIR}/driver/Script.cpp
    ${VELTORI_E2E_DIR}/driver/TextMatch.cpp)
  target_include_directories(e2e_driver_tests PRIVATE ${VELTORI_E2E_DIR})
  target_link_libraries(e2e_driver_tests PRIVATE GTest::gtest_main)
  gtest_discover_tests(e2e_driver_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS unit)
endif()

# The harness's readers of results (paths, INI, registry output), without Wine.
add_test(NAME e2e_harness_readers COMMAND bash ${VELTORI_E2E_DIR}/tests/harness_readers_test.sh)
set_tests_properties(e2e_harness_readers PROPERTIES LABELS unit TIMEOUT 30)
# Its failure paths: a failed reader or driver step ends the case with its reason.
add_test(NAME e2e_harness_failures COMMAND bash ${VELTORI_E2E_DIR}/tests/harness_failure_test.sh)
set_tests_properties(e2e_harness_failures PROPERTIES LABELS unit TIMEOUT 60)

# The Wine cases: every e2e/cases/*.sh is one test in each of two lanes,
# with the same script: label "wine" runs the x86_64 build (build/win64)
# and label "wine32" the i686 build users get (build/win32), natively or in
# the emulated machine (see e2e/lib/lanes.sh). A line "# ctest-timeout: N"
# in a case sets its time-out (default 90 s); the wine32 lane allows
# VELTORI_E2E_WINE32_TIME_FACTOR times as long, for the emulated machine.
# Each lane has its own state folder and fixture (a prefix template, or the
# emulated machine), so both lanes run in one ctest run.
set(VELTORI_E2E_WINE32_TIME_FACTOR 8 CACHE STRING
  "How many times longer a wine32 case may take than its ctest-timeout")

file(GLOB vlt_e2e_cases CONFIGURE_DEPENDS ${VELTORI_E2E_DIR}/cases/*.sh)
foreach(lane IN ITEMS wine wine32)
  if(lane STREQUAL "wine")
    set(test_prefix e2e_)
    set(factor 1)
    set(fixture_timeout 180)
  else()
    set(test_prefix e2e32_)
    set(factor ${VELTORI_E2E_WINE32_TIME_FACTOR})
    # Building the emulated machine's disk image (first run on a machine,
    # about 1,100 s), its boot and its prefix template (up to the guest's
    # own limit of 2,100 s), each of which reports its own time-out first.
    set(fixture_timeout 3600)
  endif()
  set(lane_env
    VELTORI_SOURCE_DIR=${CMAKE_SOURCE_DIR}
    VELTORI_E2E_LANE=${lane}
    VELTORI_E2E_STATE=${CMAKE_BINARY_DIR}/e2e/${lane})

  add_test(NAME ${test_prefix}prefix_template COMMAND bash ${VELTORI_E2E_DIR}/lib/fixture.sh setup)
  set_tests_properties(${test_prefix}prefix_template PROPERTIES
    FIXTURES_SETUP e2e_prefix_${lane} LABELS ${lane} TIMEOUT ${fixture_timeout} SKIP_RETURN_CODE 77
    ENVIRONMENT "${lane_env}")

  add_test(NAME ${test_prefix}prefix_cleanup COMMAND bash ${VELTORI_E2E_DIR}/lib/fixture.sh cleanup)
  set_tests_properties(${test_prefix}prefix_cleanup PROPERTIES
    FIXTURES_CLEANUP e2e_prefix_${lane} LABELS ${lane} TIMEOUT 120
    ENVIRONMENT "${lane_env}")

  foreach(case_script IN LISTS vlt_e2e_cases)
    get_filename_component(case_name ${case_script} NAME_WE)
    file(STRINGS ${case_script} timeout_line REGEX "^# ctest-timeout: [0-9]+$" LIMIT_COUNT 1)
    set(case_timeout 90)
    if(timeout_line)
      string(REGEX REPLACE "^# ctest-timeout: " "" case_timeout "${timeout_line}")
    endif()
    math(EXPR case_timeout "${case_timeout} * ${factor}")
    add_test(NAME ${test_prefix}${case_name} COMMAND bash ${case_script})
    set_tests_properties(${test_prefix}${case_name} PROPERTIES
      FIXTURES_REQUIRED e2e_prefix_${lane} LABELS ${lane} TIMEOUT ${case_timeout} SKIP_RETURN_CODE 77
      ENVIRONMENT "${lane_env}")
  endforeach()
endforeach()

# The signed program (scripts/check-signing builds it, signed with a
# throw-away certificate, in build/win32-signed) on the German default road
# in the i686 lane: the signature must leave the payload where the program
# finds it, and the uninstaller copy is the signed file.
add_test(NAME e2e32_signed_program COMMAND bash ${VELTORI_E2E_DIR}/cases/install_german_defaults.sh)
math(EXPR signed_timeout "90 * ${VELTORI_E2E_WINE32_TIME_FACTOR}")
set_tests_properties(e2e32_signed_program PROPERTIES
  FIXTURES_REQUIRED e2e_prefix_wine32 LABELS wine32 TIMEOUT ${signed_timeout} SKIP_RETURN_CODE 77
  ENVIRONMENT "VELTORI_SOURCE_DIR=${CMAKE_SOURCE_DIR};VELTORI_E2E_LANE=wine32;VELTORI_E2E_STATE=${CMAKE_BINARY_DIR}/e2e/wine32;VELTORI_E2E_CASE_NAME=signed_program;VELTORI_SETUP_EXE=${CMAKE_SOURCE_DIR}/build/win32-signed/bin/VelToriSetup.exe")
