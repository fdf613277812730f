# Cross build of 32-bit Windows programs with mingw-w64.
# The posix-thread compilers are used because GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

if(NOT VELD_DEPS_PREFIX AND DEFINED ENV{VELD_DEPS_PREFIX})
  set(VELD_DEPS_PREFIX "$ENV{VELD_DEPS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${VELD_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: no libgcc/libstdc++/winpthread DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
