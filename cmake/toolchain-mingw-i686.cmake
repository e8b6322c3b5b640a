# Cross build for 32-bit Windows with Debian's MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(_triple i686-w64-mingw32)
find_program(_mingw_cxx ${_triple}-g++-posix)
find_program(_mingw_cc ${_triple}-gcc-posix)
find_program(_mingw_rc ${_triple}-windres)
if(NOT _mingw_cxx OR NOT _mingw_cc OR NOT _mingw_rc)
  message(FATAL_ERROR
    "The i686 MinGW-w64 cross compiler was not found (${_triple}-g++-posix, "
    "${_triple}-gcc-posix, ${_triple}-windres). Run scripts/setup.sh first.")
endif()
set(CMAKE_C_COMPILER ${_mingw_cc})
set(CMAKE_CXX_COMPILER ${_mingw_cxx})
set(CMAKE_RC_COMPILER ${_mingw_rc})

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test executables run under Wine through this wrapper (generated into the build tree).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
