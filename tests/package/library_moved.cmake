# The library copied into a folder of its own works as a host finds it there: a lookup answers
# from a demo store built in a fresh cache folder, and a document prints with the built-in
# printer table. The copy must not hold the path of the sources' data folder, so it reads
# nothing of the checkout wherever it runs.
# Run with -DTOVPRINT= -DLIBRARY= -DWORK= -DREQUEST= -DSOURCE_DATA=.
cmake_minimum_required(VERSION 3.20)
set(copy ${WORK}/lib/libPkg_Tov00000.so)
set(cache ${WORK}/cache)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/lib ${cache})
file(COPY_FILE ${LIBRARY} ${copy})

# The copy's bytes, searched as hexadecimal text at whole-byte offsets.
function(require_absent text)
    file(READ ${copy} library_hex HEX)
    string(HEX "${text}" text_hex)
    set(rest "${library_hex}")
    while(TRUE)
        string(FIND "${rest}" "${text_hex}" at)
        if(at EQUAL -1)
            return()
        endif()
        math(EXPR odd "${at} % 2")
        if(NOT odd)
            message(FATAL_ERROR "${copy} names '${text}'")
        endif()
        math(EXPR next "${at} + 1")
        string(SUBSTRING "${rest}" ${next} -1 rest)
    endwhile()
endfunction()
require_absent("${SOURCE_DATA}")

# Nothing of the caller's environment chooses a store, a printer table or another library.
set(ENV{XDG_CACHE_HOME} ${cache})
set(ENV{HOME} ${WORK})
unset(ENV{TOV_CONNECTION})
unset(ENV{TOV_PRINTERS})
unset(ENV{TOV_LIBRARY})

function(run_tovprint expected)
    execute_process(COMMAND ${TOVPRINT} ${ARGN} --library ${copy} WORKING_DIRECTORY ${WORK}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
    if(NOT status EQUAL 0 OR NOT output MATCHES "${expected}")
        string(JOIN " " command ${ARGN})
        message(FATAL_ERROR "tovprint ${command}: status ${status}, expected '${expected}'\n"
            "stdout: ${output}\nstderr: ${error}")
    endif()
endfunction()

run_tovprint("GetCaixa answer: 2 fields, 1 rows.*OP01 +MARIA APARECIDA" lookup GetCaixa 001)
if(NOT EXISTS ${cache}/tov00000/demo_store.db)
    message(FATAL_ERROR "the demo store was not built in ${cache}/tov00000")
endif()
# Printer kind 1 ends its lines with a bare line feed in the built-in table (the default layout
# would end them with CR LF).
run_tovprint("ARV-3003    Tecido Linho Cru               2,5MT<LF>"
    print cupom_troca --request ${REQUEST})
