# Windows through Debian's MinGW-w64, win32-threads variant: it links no
# threads library, whose static copy would import functions Windows XP lacks
# (nothing here uses std::thread). VEXAL_TARGET picks the width: i686 for the
# shipped 32-bit program, x86_64 for the stand-in where no 32-bit program runs.
set(VEXAL_TARGET i686 CACHE STRING "i686 or x86_64")
set_property(CACHE VEXAL_TARGET PROPERTY STRINGS i686 x86_64)
if(NOT VEXAL_TARGET MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "VEXAL_TARGET is i686 or x86_64, not ${VEXAL_TARGET}")
endif()
# The compiler checks configure projects of their own with this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEXAL_TARGET)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VEXAL_TARGET})
set(CMAKE_C_COMPILER ${VEXAL_TARGET}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${VEXAL_TARGET}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${VEXAL_TARGET}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEXAL_TARGET}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
