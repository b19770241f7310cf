# Draws the table bill with --preview and compares its first picture with the stored one
# (png_match: same size, the same ink within a tolerance). With -DMISMATCH=ON the pictures must
# differ instead: the comparison is not so loose that it lets another drawing pass.
# Run with -DTOVPRINT= -DPNG_MATCH= -DREQUEST= -DPROFILE= -DEXPECTED= -DSIZE= -DWORK= [-DMISMATCH=ON].
get_filename_component(name ${EXPECTED} NAME_WE)
set(picture ${WORK}/${name}_${PROFILE}.png)
file(REMOVE ${picture})
execute_process(COMMAND ${TOVPRINT} print conferencia --request ${REQUEST} --now "2026-12-08 14:30"
    --profile ${PROFILE} --preview ${picture} RESULT_VARIABLE status OUTPUT_VARIABLE output
    ERROR_VARIABLE error)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "print failed (${status}): ${output}${error}")
endif()
if(NOT output MATCHES "preview: [^\n]*${name}_${PROFILE}.png \\(48 columns")
    message(FATAL_ERROR "the picture is not reported: ${output}")
endif()
execute_process(COMMAND ${PNG_MATCH} ${picture} ${EXPECTED} ${SIZE} RESULT_VARIABLE differs
    OUTPUT_VARIABLE comparison ERROR_VARIABLE comparison)
message(STATUS "${comparison}")
if(MISMATCH AND NOT differs EQUAL 1)
    message(FATAL_ERROR "the bill drawn with profile ${PROFILE} passes for ${EXPECTED}")
elseif(NOT MISMATCH AND differs)
    message(FATAL_ERROR "${picture} does not match ${EXPECTED}")
endif()
