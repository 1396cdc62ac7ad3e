# Cross-builds for 64-bit Windows with Debian's mingw-w64, in its POSIX-threads
# variant (std::thread needs it). Programs built run under wine for the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORDELIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORDELIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORDELIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORDELIX_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORDELIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
