# What both cross builds with Debian's MinGW-w64 toolchains share; the toolchain file
# names the target in ORVENDAL_MINGW_TARGET (the compilers' prefix) before including it.
# The -posix compilers are needed because GoogleTest uses std::mutex, which the
# -win32 thread model lacks; the product links the runtimes statically either way.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ORVENDAL_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVENDAL_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVENDAL_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVENDAL_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
