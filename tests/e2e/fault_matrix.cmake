# The fault matrix: one CTest test running every row of fault_matrix.sh on
# the base prefix that the e2e fixture makes (scenarios.cmake, included
# first, sets E2E_DIR and E2E_ENV). A full run takes about 3.5 minutes on
# two cores; the timeout leaves room for a busy machine.
add_test(NAME e2e_fault_matrix COMMAND ${E2E_DIR}/fault_matrix.sh)
set_tests_properties(e2e_fault_matrix PROPERTIES FIXTURES_REQUIRED e2e ENVIRONMENT "${E2E_ENV}"
                     TIMEOUT 600 RUN_SERIAL TRUE)
