# Cross build for 32-bit Windows with mingw-w64 (posix thread model, so
# std::thread and std::mutex work); tests run under Wine through ctest.
# cmake/mingw-x86_64.cmake sets CORVEX_MINGW first for the 64-bit build.
if(NOT CORVEX_MINGW)
  set(CORVEX_MINGW i686-w64-mingw32)
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${CORVEX_MINGW})
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${CORVEX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVEX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVEX_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CORVEX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
