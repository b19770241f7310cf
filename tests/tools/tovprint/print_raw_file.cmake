# Prints a request with --out and requires the file to hold exactly the expected bytes and the
# terminal to note the hand-off and the result true.
# Run with -DTOVPRINT= -DDOCUMENT= -DREQUEST= -DEXPECTED= -DWORK=.
get_filename_component(name ${EXPECTED} NAME_WE)
set(out ${WORK}/${name}.raw)
file(REMOVE ${out})
execute_process(COMMAND ${TOVPRINT} print ${DOCUMENT} --request ${REQUEST} --out ${out}
    --now "2026-12-08 14:30" RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "print failed (${status}): ${output}${error}")
endif()
if(NOT output MATCHES "ImprimePadrao: [0-9]+ bytes to .*=== result: true\n")
    message(FATAL_ERROR "no hand-off or no result true on the terminal: ${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${out} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${out} differs from ${EXPECTED}")
endif()
