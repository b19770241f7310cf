# Prints the demo request with --out and requires the file to hold exactly the expected bytes.
# Run with -DTOVPRINT= -DREQUEST= -DEXPECTED= -DWORK=.
set(out ${WORK}/vendedor_plain.raw)
file(REMOVE ${out})
execute_process(COMMAND ${TOVPRINT} print vendedor --request ${REQUEST} --out ${out}
    --now "2026-12-08 14:30" RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "print failed (${status}): ${output}${error}")
endif()
if(NOT output MATCHES "ImprimePadrao: [0-9]+ bytes to ")
    message(FATAL_ERROR "no hand-off noted on the terminal: ${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${out} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${out} differs from ${EXPECTED}")
endif()
