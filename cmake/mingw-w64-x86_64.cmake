# 64-bit Windows programs with MinGW-w64: cross-compiled on Debian
# (g++-mingw-w64-x86-64-posix, tested under Wine) or built natively in an
# MSYS2 MINGW64 shell. Both link libstdc++, libgcc and winpthread statically,
# so the programs need no DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

if(CMAKE_HOST_WIN32)
  # MSYS2: the toolchain and the libraries (pacman's mingw-w64-x86_64-*
  # packages) are found on PATH and in the MINGW64 prefix.
  set(CMAKE_C_COMPILER gcc)
  set(CMAKE_CXX_COMPILER g++)
  set(CMAKE_RC_COMPILER windres)
else()
  set(_triplet x86_64-w64-mingw32)
  # The posix thread model: std::thread and std::mutex need it.
  set(CMAKE_C_COMPILER ${_triplet}-gcc-posix)
  set(CMAKE_CXX_COMPILER ${_triplet}-g++-posix)
  set(CMAKE_RC_COMPILER ${_triplet}-windres)

  # The libraries built for MinGW by tools/windows/build-deps.sh, and the
  # MinGW-w64 runtime; never the host's own headers and libraries.
  get_filename_component(_source_dir "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
  set(WEXMORA_WINDOWS_DEPS "${_source_dir}/build/windows-deps/prefix" CACHE PATH
      "Where tools/windows/build-deps.sh installed the MinGW-w64 libraries")
  set(CMAKE_FIND_ROOT_PATH "${WEXMORA_WINDOWS_DEPS}" /usr/${_triplet})
  set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
  set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
  set(ENV{PKG_CONFIG_LIBDIR} "${WEXMORA_WINDOWS_DEPS}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")

  # Test programs and build-time generators run under Wine.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${_source_dir}/tools/windows/wine-run")
endif()

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
