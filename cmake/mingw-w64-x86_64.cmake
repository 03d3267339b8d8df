# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (packages g++-mingw-w64-x86-64-win32
# and binutils-mingw-w64-x86-64):
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The compilers of the win32 thread model need no winpthread at run time, and everything is linked
# statically, so the programs run on a bare Windows with no DLL of ours or of the compiler's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCHNACKOMAT_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCHNACKOMAT_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${SCHNACKOMAT_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${SCHNACKOMAT_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCHNACKOMAT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Without the link time in the header, the same sources give the same programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
# A release is shipped without its symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT -s)

# CTest runs the cross-compiled tests with wine when it is there.
find_program(SCHNACKOMAT_WINE NAMES wine wine64)
if(SCHNACKOMAT_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${SCHNACKOMAT_WINE})
endif()
