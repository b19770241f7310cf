# Runs COMMAND with ARGUMENTS (one string, split like a shell command line) and requires exit status 1 and a standard error
# matching the regular expression ERROR. Run with -DCOMMAND= -DARGUMENTS= -DERROR=.
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
execute_process(COMMAND ${COMMAND} ${arguments} RESULT_VARIABLE status ERROR_VARIABLE error
    OUTPUT_VARIABLE output)
if(NOT status EQUAL 1)
    message(FATAL_ERROR "expected exit status 1, got ${status}\nstdout: ${output}\nstderr: ${error}")
endif()
if(NOT error MATCHES "${ERROR}")
    message(FATAL_ERROR "standard error does not match '${ERROR}': ${error}")
endif()
