# Cross build for 32-bit x86 Windows with Debian's MinGW-w64 toolchain.
set(ORVENDAL_MINGW_TARGET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-cross.cmake)

# Windows programs built here run under Wine, in the build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run")
