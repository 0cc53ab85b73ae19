# End-to-end tests in the native build tree (included from the top-level
# CMakeLists.txt, after GoogleTest is found). The Windows programs they run come from
# build/win32 or build/win64 of the same source tree; the harness picks the
# one this machine can run, at run time.

set(VELTORI_E2E_DIR ${CMAKE_SOURCE_DIR}/e2e)

# Unit tests of the driver's portable parts: the script language and the
# text rules.
if(TARGET GTest::gtest_main)
  add_executable(e2e_driver_tests
    ${VELTORI_E2E_DIR}/tests/script_test.cpp
    ${VELTORI_E2E_DIR}/tests/text_match_test.cpp
    ${VELTORI_E2E_DIR}/driver/Script.cpp
    ${VELTORI_E2E_DIR}/driver/TextMatch.cpp)
  target_include_directories(e2e_driver_tests PRIVATE ${VELTORI_E2E_DIR})
  target_link_libraries(e2e_driver_tests PRIVATE GTest::gtest_main)
  gtest_discover_tests(e2e_driver_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS unit)
endif()

# The harness's readers of results (paths, INI, registry output), without Wine.
add_test(NAME e2e_harness_readers COMMAND bash ${VELTORI_E2E_DIR}/tests/harness_readers_test.sh)
set_tests_properties(e2e_harness_readers PROPERTIES LABELS unit TIMEOUT 30)

# The Wine cases: every e2e/cases/*.sh is one test, labelled "wine". A line
# "# ctest-timeout: N" in a case sets its time-out (default 90 s). They
# share a prefix template, made once per run by the fixture.
set(VELTORI_E2E_ENV
  VELTORI_SOURCE_DIR=${CMAKE_SOURCE_DIR}
  VELTORI_E2E_STATE=${CMAKE_BINARY_DIR}/e2e)

add_test(NAME e2e_prefix_template COMMAND bash ${VELTORI_E2E_DIR}/lib/fixture.sh setup)
set_tests_properties(e2e_prefix_template PROPERTIES
  FIXTURES_SETUP e2e_prefix LABELS wine TIMEOUT 180 SKIP_RETURN_CODE 77
  ENVIRONMENT "${VELTORI_E2E_ENV}")

add_test(NAME e2e_prefix_cleanup COMMAND bash ${VELTORI_E2E_DIR}/lib/fixture.sh cleanup)
set_tests_properties(e2e_prefix_cleanup PROPERTIES
  FIXTURES_CLEANUP e2e_prefix LABELS wine TIMEOUT 60
  ENVIRONMENT "${VELTORI_E2E_ENV}")

file(GLOB vlt_e2e_cases CONFIGURE_DEPENDS ${VELTORI_E2E_DIR}/cases/*.sh)
foreach(case_script IN LISTS vlt_e2e_cases)
  get_filename_component(case_name ${case_script} NAME_WE)
  file(STRINGS ${case_script} timeout_line REGEX "^# ctest-timeout: [0-9]+$" LIMIT_COUNT 1)
  set(case_timeout 90)
  if(timeout_line)
    string(REGEX REPLACE "^# ctest-timeout: " "" case_timeout "${timeout_line}")
  endif()
  add_test(NAME e2e_${case_name} COMMAND bash ${case_script})
  set_tests_properties(e2e_${case_name} PROPERTIES
    FIXTURES_REQUIRED e2e_prefix LABELS wine TIMEOUT ${case_timeout} SKIP_RETURN_CODE 77
    ENVIRONMENT "${VELTORI_E2E_ENV}")
endforeach()
