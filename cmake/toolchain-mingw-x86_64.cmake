# Cross build for x86-64 Windows with Debian's MinGW-w64 toolchain: the launcher, the
# bench and its baseline, for measuring where no 32-bit x86 code runs natively, and to
# keep the code 64-bit clean. The product is the 32-bit build.
set(ORVENDAL_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-cross.cmake)
