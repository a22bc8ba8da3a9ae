# Cross build for 64-bit Windows with MinGW-w64. The -posix compilers are
# named on purpose: the default ones use the win32 thread model, which has
# no std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILL_MINGW_PREFIX}-windres)

# Look for libraries and headers in the MinGW tree only, so nothing of the
# build machine's /usr/include leaks into Windows objects.
set(CMAKE_FIND_ROOT_PATH /usr/${QUILL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
