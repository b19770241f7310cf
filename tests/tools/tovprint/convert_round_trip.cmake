# Converts INPUT to the other packet form and back with `tovprint packet convert`, then requires
# the result to be byte for byte the input. Run with -DTOVPRINT= -DINPUT= -DWORK=.
get_filename_component(name ${INPUT} NAME_WE)
get_filename_component(extension ${INPUT} LAST_EXT)
if(extension STREQUAL ".xml")
    set(middle ${WORK}/${name}_round_trip.cds)
else()
    set(middle ${WORK}/${name}_round_trip.xml)
endif()
set(back ${WORK}/${name}_round_trip_back${extension})

foreach(step "${INPUT};${middle}" "${middle};${back}")
    list(GET step 0 from)
    list(GET step 1 to)
    execute_process(COMMAND ${TOVPRINT} packet convert ${from} ${to} RESULT_VARIABLE status
        ERROR_VARIABLE error)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "converting ${from} to ${to} failed (${status}): ${error}")
    endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${INPUT} ${back} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${back} differs from ${INPUT}")
endif()
