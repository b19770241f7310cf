# 32-bit Windows with mingw-w64 (Debian: g++-mingw-w64-i686-posix):
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
#
# Floating-point arithmetic in SSE2, as on 64-bit Windows: results then do not hang on the x87
# precision that the host program set (a Pascal run-time sets 64-bit extended precision), and
# both word sizes print the same amounts. Every processor that runs Windows 8 or later has SSE2.
set(TOV_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
