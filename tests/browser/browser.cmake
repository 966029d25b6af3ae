# The download page opened in headless Chromium; builds on the end-to-end
# scenarios' base prefix and environment (tests/e2e/scenarios.cmake).
add_test(NAME browser_follows_page_refresh COMMAND ${CMAKE_SOURCE_DIR}/tests/browser/browser_test.sh)
set_tests_properties(browser_follows_page_refresh PROPERTIES FIXTURES_REQUIRED e2e
                     ENVIRONMENT "${E2E_ENV}" RUN_SERIAL TRUE TIMEOUT 180)
