# The same program as a 64-bit executable, for Wine on machines that cannot run 32-bit code.
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
