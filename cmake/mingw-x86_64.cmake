# The same sources as 64-bit Windows programs: only for running the tests under a Wine that
# cannot start 32-bit code (a kernel without 32-bit emulation). The release stays 32-bit.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELD_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
