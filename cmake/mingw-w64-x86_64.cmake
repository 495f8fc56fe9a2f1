# Cross-building for 64-bit Windows with Debian's mingw-w64 (the POSIX thread model, which
# std::thread and std::mutex need). Used for the game and for the libraries it is linked with.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZORVANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZORVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZORVANE_MINGW}-windres)
set(CMAKE_AR ${ZORVANE_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${ZORVANE_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")
# The libraries it is linked with are looked for in the prefixes given, then in mingw-w64's own.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZORVANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
