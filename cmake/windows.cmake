# The program, built for Windows; its tests are defined in tests/.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
# The manifest names the processor it is for: the 64-bit build gets a copy
# that names its own (the resource scripts pick it for _WIN64).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  file(READ ${CMAKE_SOURCE_DIR}/res/vexal.manifest manifest)
  string(REPLACE "processorArchitecture=\"x86\"" "processorArchitecture=\"amd64\"" manifest64 "${manifest}")
  if(manifest64 STREQUAL manifest)
    message(FATAL_ERROR "res/vexal.manifest names no x86 processor to replace")
  endif()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/vexal-amd64.manifest CONTENT "${manifest64}" @ONLY)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I ${CMAKE_BINARY_DIR}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/vexal.manifest)
# One optimisation level, for size: the release type's own -O3 is dropped.
set(CMAKE_C_FLAGS_RELEASE "-DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG")
add_compile_options(-Wall -Wextra -Os -ffunction-sections -fdata-sections)
add_compile_definitions(WIN32_LEAN_AND_MEAN WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 UNICODE _UNICODE)
# Everything static, so vexal.exe needs no DLL that Windows does not ship.
set(VEXAL_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s)

vexal_add_libraries()
# Only what start-up needs is imported; the shell, common dialogs, sound and
# COM are loaded on first use (base/SystemLibrary_win).
target_link_libraries(vexal_win PUBLIC vexal_core comctl32 advapi32 gdi32 user32 kernel32)

add_executable(vexal WIN32 ${CMAKE_SOURCE_DIR}/res/vexal.rc)
target_link_libraries(vexal PRIVATE vexal_win)
target_link_options(vexal PRIVATE ${VEXAL_LINK_OPTIONS})
set_target_properties(vexal PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_subdirectory(tests)
