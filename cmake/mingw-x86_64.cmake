# Cross build for 64-bit Windows with the MinGW-w64 x86-64 compiler (posix
# threads variant). The same sources as the 32-bit deliverables: the flavour
# that builds and tests on machines that run no 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Debian's launcher `wine` prefers the 32-bit loader whenever it is installed,
# and that loader cannot start where no 32-bit program runs: the 64-bit
# loader is named itself (tools/wine-env.sh sets up its win64 prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
