# The shipped 32-bit DLL: built and link-checked only, since 32-bit programs
# do not run natively here.
set(KR_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
