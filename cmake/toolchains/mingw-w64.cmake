# What both mingw-w64 toolchain files share: Windows as the target system, the -posix compilers
# (std::thread and std::mutex on winpthreads), the programs found on the build machine and
# libraries and headers only in the target's own folders. TOV_MINGW_TRIPLET names the compilers before this file is included.
#
# The binaries carry libgcc, libstdc++ and winpthreads inside them (-static), so the library
# needs nothing beside it but the system's DLLs (kernel32, msvcrt, odbc32, ...).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 10)

set(CMAKE_C_COMPILER ${TOV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TOV_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${TOV_MINGW_TRIPLET}-ar CACHE FILEPATH "archiver")
set(CMAKE_RANLIB ${TOV_MINGW_TRIPLET}-ranlib CACHE FILEPATH "ranlib")
set(CMAKE_OBJDUMP ${TOV_MINGW_TRIPLET}-objdump CACHE FILEPATH "objdump")

# The prefixes of CMAKE_PREFIX_PATH hold libraries built for the target (scripts/windows-third-party
# makes pugixml and SQLite so): they are searched like the target's own folder.
set(CMAKE_FIND_ROOT_PATH /usr/${TOV_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# CMake closes a link line with -Bdynamic after the libraries it names, which would let the
# compiler's own libraries (libstdc++, winpthreads) come in as DLLs: the line stays static.
set(CMAKE_LINK_SEARCH_START_STATIC ON)
set(CMAKE_LINK_SEARCH_END_STATIC ON)

# Wine runs what the tests build; try_run and friends go through it too.
find_program(TOV_WINE wine)
if(TOV_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TOV_WINE})
endif()
