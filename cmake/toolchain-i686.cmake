# The shipped 32-bit DLL and its one test program (run by the 64-bit build's
# test_i686 entry, under user-mode emulation where the kernel runs no 32-bit
# programs).
set(KR_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
# SSE2 arithmetic instead of the x87 unit: floats and doubles are rounded
# exactly as in the x86_64 build the tests run on, so that the shipped DLL
# computes the very numbers the tests check (x87 keeps excess precision
# between stores).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
