# The print console in the system's headless Chromium (Debian's chromium, which scripts/setup
# installs), driven by puppeteer-core from the npm registry, pinned by package-lock.json and put
# into the build by the fixture tovprintd_console_install. No browser is ever downloaded.
# Included by tests/tools/tovprintd/CMakeLists.txt, which defines `work` and finds Python.
find_program(TOV_NODE node)
find_program(TOV_NPM npm)
find_program(TOV_CHROMIUM chromium)
if(NOT (TOV_NODE AND TOV_NPM AND TOV_CHROMIUM))
    message(STATUS "tovprintd's console test needs node, npm and chromium: skipped")
    return()
endif()
set(console ${PROJECT_SOURCE_DIR}/tests/tools/tovprintd/console)
set(console_modules ${CMAKE_CURRENT_BINARY_DIR}/console_modules)
add_test(NAME tovprintd_console_install COMMAND ${CMAKE_COMMAND} -DNPM=${TOV_NPM}
    -DSOURCE=${console} -DTARGET=${console_modules}
    -P ${PROJECT_SOURCE_DIR}/tests/tools/tovprint/printer/install_npos.cmake)
set_tests_properties(tovprintd_console_install PROPERTIES FIXTURES_SETUP tovprintd_console
    ENVIRONMENT "PUPPETEER_SKIP_DOWNLOAD=1")
add_test(NAME tovprintd_console COMMAND ${Python3_EXECUTABLE} ${console}/console_test.py
    --tovprintd $<TARGET_FILE:tovprintd> --library $<TARGET_FILE:Pkg_Tov00000>
    --demo ${PROJECT_SOURCE_DIR}/data/demo --work ${work}/console --node ${TOV_NODE}
    --modules ${console_modules} --chromium ${TOV_CHROMIUM}
    --screenshot ${work}/console/console.png)
set_tests_properties(tovprintd_console PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED tovprintd_console
    ENVIRONMENT "XDG_CACHE_HOME=${work}/cache;TOV_CONNECTION=;PUPPETEER_SKIP_DOWNLOAD=1")
