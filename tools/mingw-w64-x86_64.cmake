# Cross-compiling the Windows program on Debian: MinGW-w64 for 64-bit Windows,
# the win32 thread model (the program has one thread; no winpthread DLL to
# ship), libgcc and libstdc++ linked in, so that the program needs only
# opengl32.dll and the system's own DLLs. Used by tools/build-windows and the
# tests under Wine: cmake -DCMAKE_TOOLCHAIN_FILE=tools/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No link time in the PE header (tools/build-windows's strip writes the
# commit's): two builds of one commit give the same heatball.exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
