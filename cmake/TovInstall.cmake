# cmake --install: the shared library, its two headers, a CMake package configuration
# (find_package(Pkg_Tov00000) gives the imported target Pkg_Tov00000::Pkg_Tov00000) and a
# pkg-config file (pkg-config --cflags --libs Pkg_Tov00000). Both configurations find the
# package relative to where they are installed, so an installed tree can be moved.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TOV_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Pkg_Tov00000 CACHE STRING
    "Where the CMake package configuration is installed, relative to the prefix")

# The name a consumer in this build tree uses, the same as the installed one.
add_library(Pkg_Tov00000::Pkg_Tov00000 ALIAS Pkg_Tov00000)
target_include_directories(Pkg_Tov00000 INTERFACE
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
set_target_properties(Pkg_Tov00000 PROPERTIES EXPORT_NAME Pkg_Tov00000)

install(TARGETS Pkg_Tov00000 EXPORT Pkg_Tov00000Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/tov00000/tov00000.h
    ${PROJECT_SOURCE_DIR}/include/tov00000/tov00000.hpp
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tov00000)
install(EXPORT Pkg_Tov00000Targets NAMESPACE Pkg_Tov00000:: DESTINATION ${TOV_INSTALL_CMAKEDIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/Pkg_Tov00000Config.cmake.in
    ${PROJECT_BINARY_DIR}/Pkg_Tov00000Config.cmake INSTALL_DESTINATION ${TOV_INSTALL_CMAKEDIR})
# From 1.0 on, a minor version only adds to the interface: find_package(Pkg_Tov00000 1.0) takes
# any 1.x at least 1.0, never a 2.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/Pkg_Tov00000ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/Pkg_Tov00000Config.cmake
    ${PROJECT_BINARY_DIR}/Pkg_Tov00000ConfigVersion.cmake DESTINATION ${TOV_INSTALL_CMAKEDIR})

# The pkg-config file names its prefix relative to its own folder.
file(RELATIVE_PATH tov_pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" tov_pc_to_prefix "${tov_pc_to_prefix}")
foreach(dir LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
        set(tov_pc_${dir} "${CMAKE_INSTALL_${dir}}")
    else()
        set(tov_pc_${dir} "\${prefix}/${CMAKE_INSTALL_${dir}}")
    endif()
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/cmake/Pkg_Tov00000.pc.in ${PROJECT_BINARY_DIR}/Pkg_Tov00000.pc
    @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/Pkg_Tov00000.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
