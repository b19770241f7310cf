# Runs tovprint ARGUMENTS (one string, split like a shell command line) followed by HUGE arguments
# of 120,000 characters each, under address-space limits (ulimit -v) from FROM to TO KiB in steps
# of STEP. At every limit tovprint succeeds or fails with exit status 1 and one line "tovprint:
# ...", never aborts; at some it runs out of memory and says so. Limits too low for the loader to
# map the program's libraries are passed over. Run with -DTOVPRINT= -DARGUMENTS= -DHUGE= -DFROM=
# -DTO= -DSTEP=.
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
string(REPEAT "x" 120000 huge_argument)
foreach(i RANGE 1 ${HUGE})
    list(APPEND arguments ${huge_argument})
endforeach()
set(out_of_memory 0)
foreach(limit RANGE ${FROM} ${TO} ${STEP})
    execute_process(COMMAND sh -c "ulimit -v ${limit} && exec \"$0\" \"$@\"" ${TOVPRINT} ${arguments}
        RESULT_VARIABLE status ERROR_VARIABLE error OUTPUT_QUIET)
    if(status EQUAL 127 AND error MATCHES "error while loading shared libraries")
        continue()
    endif()
    if(NOT (status EQUAL 0 OR status EQUAL 1))
        message(FATAL_ERROR "under ulimit -v ${limit}: exit status ${status}\n${error}")
    endif()
    if(status EQUAL 1 AND NOT error MATCHES "^tovprint: [^\n]*\n$")
        message(FATAL_ERROR "under ulimit -v ${limit}: standard error is not one line: ${error}")
    endif()
    if(error STREQUAL "tovprint: out of memory\n")
        math(EXPR out_of_memory "${out_of_memory} + 1")
    endif()
endforeach()
if(out_of_memory EQUAL 0)
    message(FATAL_ERROR "no limit from ${FROM} to ${TO} KiB ran tovprint out of memory")
endif()
message(STATUS "${out_of_memory} limits ran tovprint out of memory, each said so")
