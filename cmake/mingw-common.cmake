# Shared part of the mingw-w64 toolchain files; VELD_MINGW_TRIPLE and the processor are set by the caller.
# The posix-thread compilers are used because GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VELD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELD_MINGW_TRIPLE}-windres)

if(NOT VELD_DEPS_PREFIX AND DEFINED ENV{VELD_DEPS_PREFIX})
  set(VELD_DEPS_PREFIX "$ENV{VELD_DEPS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${VELD_MINGW_TRIPLE} ${VELD_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: no libgcc/libstdc++/winpthread DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
