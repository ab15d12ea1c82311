# The same sources built for 64-bit Windows. The programs are 32-bit; this
# build is what the tests run under 64-bit Wine on a machine whose kernel
# runs no 32-bit program (scripts/lib.sh, corvex_windows).
set(CORVEX_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
