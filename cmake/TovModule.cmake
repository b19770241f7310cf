# tov_platform_sources(VARIABLE)
# Leaves out of the list in VARIABLE the files written for another operating system: NAME_windows.cpp
# builds for Windows only, NAME_posix.cpp everywhere else.
function(tov_platform_sources variable)
    set(sources ${${variable}})
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
    else()
        list(FILTER sources EXCLUDE REGEX "_windows\\.cpp$")
    endif()
    set(${variable} ${sources} PARENT_SCOPE)
endfunction()

# tov_module(NAME FOLDER [DEPENDENCIES...])
# One static library from every .cpp file of FOLDER (those of this operating system, see
# tov_platform_sources). Headers are included as "platform/text/cp1252.hpp" and so on, relative
# to src/.
function(tov_module name folder)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    tov_platform_sources(sources)
    if(NOT sources)
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
        target_link_libraries(${name} INTERFACE ${ARGN})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
    target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# tov_module_tests(MODULE FOLDER [MORE LIBRARIES...])
# One GoogleTest program per .cpp file of FOLDER, named test_<folder>_<file>, so that one
# group of tests builds and runs on its own.
function(tov_module_tests module folder)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*_test.cpp)
    string(REPLACE "tests/" "" short ${folder})
    string(REPLACE "/" "_" short ${short})
    foreach(source ${sources})
        get_filename_component(stem ${source} NAME_WE)
        string(REGEX REPLACE "_test$" "" stem ${stem})
        set(target test_${short}_${stem})
        add_executable(${target} ${source})
        target_link_libraries(${target} PRIVATE ${module} ${ARGN}
            GTest::gtest GTest::gmock GTest::gtest_main)
        target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
        target_compile_definitions(${target} PRIVATE
            TOV_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
            TOV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
    endforeach()
endfunction()
