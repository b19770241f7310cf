# cmake -P: installs the build tree's package into WORK, moves the installed tree elsewhere, and
# builds and runs the consumer against it twice: through find_package and its imported target,
# and with the flags pkg-config gives. Warnings are errors in both, so the installed headers must
# compile cleanly in a host's own build.
#
#   -DBUILD=<build tree> -DWORK=<folder> -DCONSUMER=<tests/install/consumer> -DPACKET=<packet>
#   -DLIBDIR=<CMAKE_INSTALL_LIBDIR> -DC_COMPILER=<cc> -DCXX_COMPILER=<c++> -DPKG_CONFIG=<pkg-config>
#   -DGENERATOR=<CMake generator>

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command}\nfailed (${status}):\n${out}${err}")
    endif()
    set(run_output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/installed)
file(RENAME ${WORK}/installed ${WORK}/moved)
set(prefix ${WORK}/moved)
file(STRINGS ${prefix}/include/tov00000/tov00000.h version_line
    REGEX "^#define TOV_VERSION_STRING \"[0-9.]+\"$")
string(REGEX REPLACE ".*\"([0-9.]+)\"" "\\1" version "${version_line}")
string(REGEX REPLACE "\\..*" "" major "${version}")
foreach(file ${LIBDIR}/libPkg_Tov00000.so ${LIBDIR}/libPkg_Tov00000.so.${major}
        ${LIBDIR}/libPkg_Tov00000.so.${version}
        include/tov00000/tov00000.h include/tov00000/tov00000.hpp
        ${LIBDIR}/cmake/Pkg_Tov00000/Pkg_Tov00000Config.cmake
        ${LIBDIR}/cmake/Pkg_Tov00000/Pkg_Tov00000ConfigVersion.cmake
        ${LIBDIR}/pkgconfig/Pkg_Tov00000.pc)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "cmake --install did not install ${file}")
    endif()
endforeach()

# With CMake.
set(warnings "-Wall -Wextra -Werror -pedantic")
run(${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/cmake-build -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_C_FLAGS=${warnings} -DCMAKE_CXX_FLAGS=${warnings})
run(${CMAKE_COMMAND} --build ${WORK}/cmake-build)
run(${WORK}/cmake-build/consumer_c ${PACKET})
run(${WORK}/cmake-build/consumer_cpp ${PACKET})

# With pkg-config, which must name the moved tree.
set(ENV{PKG_CONFIG_LIBDIR} ${prefix}/${LIBDIR}/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
run(${PKG_CONFIG} --modversion Pkg_Tov00000)
string(STRIP "${run_output}" pc_version)
if(NOT pc_version STREQUAL version)
    message(FATAL_ERROR "pkg-config gives version ${pc_version}, the header ${version}")
endif()
run(${PKG_CONFIG} --cflags --libs Pkg_Tov00000)
string(STRIP "${run_output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
foreach(expected "-I;${prefix}/include" "-L;${prefix}/${LIBDIR}")
    list(GET expected 0 option)
    list(GET expected 1 folder)
    set(named FALSE)
    foreach(flag ${flags})
        if(flag MATCHES "^${option}(.*)$")
            get_filename_component(given "${CMAKE_MATCH_1}" REALPATH)
            if(given STREQUAL folder)
                set(named TRUE)
            endif()
        endif()
    endforeach()
    if(NOT named)
        message(FATAL_ERROR "pkg-config does not give ${option}${folder}: ${flags}")
    endif()
endforeach()
separate_arguments(warnings UNIX_COMMAND "${warnings}")
file(MAKE_DIRECTORY ${WORK}/pkg-config-build)
run(${C_COMPILER} -std=c99 ${warnings} ${CONSUMER}/consumer.c ${flags}
    -o ${WORK}/pkg-config-build/consumer_c)
run(${CXX_COMPILER} -std=c++17 ${warnings} ${CONSUMER}/consumer.cpp ${flags}
    -o ${WORK}/pkg-config-build/consumer_cpp)
set(ENV{LD_LIBRARY_PATH} ${prefix}/${LIBDIR})
run(${WORK}/pkg-config-build/consumer_c ${PACKET})
run(${WORK}/pkg-config-build/consumer_cpp ${PACKET})
message(STATUS "the consumer builds and runs against the installed package with CMake and "
    "with pkg-config")
