# Installs the npm packages of SOURCE/package.json, as pinned by its package-lock.json, into
# TARGET/node_modules with `npm ci` (no optional packages, no install scripts: npos's parser needs
# neither). Skipped when TARGET already holds an install of the same lock file.
# Run with -DNPM= -DSOURCE= -DTARGET=.
set(lock ${SOURCE}/package-lock.json)
set(stamp ${TARGET}/node_modules/.installed-package-lock.json)
if(EXISTS ${stamp})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${lock} ${stamp} RESULT_VARIABLE differs)
    if(NOT differs)
        return()
    endif()
endif()
file(MAKE_DIRECTORY ${TARGET})
file(COPY_FILE ${SOURCE}/package.json ${TARGET}/package.json)
file(COPY_FILE ${lock} ${TARGET}/package-lock.json)
execute_process(COMMAND ${NPM} ci --omit=optional --ignore-scripts --no-audit --no-fund
    WORKING_DIRECTORY ${TARGET} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error
    TIMEOUT 600)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "npm ci in ${TARGET} failed (${status}): ${output}${error}")
endif()
file(COPY_FILE ${lock} ${stamp})
