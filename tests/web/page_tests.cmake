# The browser edition's page: its helpers under node, and the page in
# headless Chromium, once with the core's test double and once as
# scripts/build-web.sh builds it into dist/ordelix.html (skipped until then).
find_program(ORDELIX_NODE node)
find_program(ORDELIX_CHROMIUM chromium)
find_program(ORDELIX_CHROMEDRIVER chromedriver)
set(web_tests ${CMAKE_CURRENT_LIST_DIR})

if(ORDELIX_NODE)
  add_test(NAME web.helpers
    COMMAND ${ORDELIX_NODE} --test ${web_tests}/format_test.js ${web_tests}/picking_test.js
            ${web_tests}/column_extremes_test.js)
endif()

if(ORDELIX_CHROMIUM AND ORDELIX_CHROMEDRIVER)
  add_test(NAME web.page_test_double
    COMMAND ${ORDELIX_TEST_PYTHON} ${web_tests}/check_page.py
            ${CMAKE_BINARY_DIR}/web-test/ordelix-test-double.html
            $<TARGET_FILE:ordelix-convert> ${PROJECT_SOURCE_DIR}/examples --test-double)
  add_test(NAME web.page
    COMMAND ${ORDELIX_TEST_PYTHON} ${web_tests}/check_page.py
            ${PROJECT_SOURCE_DIR}/dist/ordelix.html
            $<TARGET_FILE:ordelix-convert> ${PROJECT_SOURCE_DIR}/examples)
  set_tests_properties(web.page_test_double web.page PROPERTIES
    ENVIRONMENT "TZ=UTC;PYTHONDONTWRITEBYTECODE=1;ORDELIX_CHROMIUM=${ORDELIX_CHROMIUM};ORDELIX_CHROMEDRIVER=${ORDELIX_CHROMEDRIVER}"
    TIMEOUT 600 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
endif()
