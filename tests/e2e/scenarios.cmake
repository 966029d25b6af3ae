# End-to-end scenarios of the real setup.exe under Wine, one CTest test each,
# sharing a base prefix made once per run. They need a display (test.sh
# provides a virtual one).
set(E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)
set(E2E_ENV "E2E_WORK=${CMAKE_BINARY_DIR}/e2e" "SETUP_WIN32_DIR=${SETUP_WIN32_DIR}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E2E_DIR}/scenarios.sh)

add_test(NAME e2e_base_prefix COMMAND ${E2E_DIR}/run_scenario.sh base)
set_tests_properties(e2e_base_prefix PROPERTIES FIXTURES_SETUP e2e ENVIRONMENT "${E2E_ENV}"
                     TIMEOUT 300 RUN_SERIAL TRUE)

file(STRINGS ${E2E_DIR}/scenarios.sh E2E_LINES REGEX "^scenario_[a-z0-9_]+\\(\\)")
foreach(line ${E2E_LINES})
    string(REGEX REPLACE "^scenario_([a-z0-9_]+)\\(\\).*" "\\1" name "${line}")
    add_test(NAME e2e_${name} COMMAND ${E2E_DIR}/run_scenario.sh ${name})
    set_tests_properties(e2e_${name} PROPERTIES FIXTURES_REQUIRED e2e ENVIRONMENT "${E2E_ENV}"
                         TIMEOUT 120 RUN_SERIAL TRUE)
endforeach()
