# The program and the end-to-end rig, 32-bit Windows.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
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

# End-to-end driver: runs under Wine beside vexal.exe.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(vexal_e2e ${E2E_SOURCES})
target_include_directories(vexal_e2e PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(vexal_e2e PRIVATE vexal_core psapi user32 gdi32 advapi32 shell32)
target_link_options(vexal_e2e PRIVATE ${VEXAL_LINK_OPTIONS})

# Small programs the driver starts: one executable per file.
file(GLOB E2E_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/programs/*.cpp)
foreach(src ${E2E_PROGRAMS})
  get_filename_component(name ${src} NAME_WE)
  get_filename_component(dir ${src} DIRECTORY)
  # A program with a resource script of its own gets it (the floor takes
  # VEXAL's manifest, so both load the same common controls).
  set(rc)
  if(EXISTS ${dir}/${name}.rc)
    set(rc ${dir}/${name}.rc)
  endif()
  add_executable(${name} WIN32 ${src} ${rc})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE comctl32 user32 gdi32)
  target_link_options(${name} PRIVATE ${VEXAL_LINK_OPTIONS})
endforeach()

# Stand-in libraries a case installs for the program to find: one DLL per file.
file(GLOB E2E_LIBRARIES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/libraries/*.cpp)
foreach(src ${E2E_LIBRARIES})
  get_filename_component(name ${src} NAME_WE)
  add_library(${name} SHARED ${src})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_options(${name} PRIVATE ${VEXAL_LINK_OPTIONS})
endforeach()

# Benchmarks: run under Wine beside vexal.exe and the floor program.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
add_executable(vexal_bench ${BENCH_SOURCES} ${CMAKE_SOURCE_DIR}/tests/e2e/Rig.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/ControlBarDriver.cpp
               ${CMAKE_SOURCE_DIR}/tests/e2e/ProcStats.cpp)
target_include_directories(vexal_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(vexal_bench PRIVATE vexal_core user32 gdi32)
target_link_options(vexal_bench PRIVATE ${VEXAL_LINK_OPTIONS})

# The test build: vexal.exe with a count window that the reliability cases
# ask for the process's handles and objects. Never shipped.
add_executable(vexal_test WIN32 ${CMAKE_SOURCE_DIR}/res/vexal.rc ${CMAKE_SOURCE_DIR}/tests/e2e/hook/TestHook.cpp)
target_include_directories(vexal_test PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(vexal_test PRIVATE vexal_win)
target_link_options(vexal_test PRIVATE ${VEXAL_LINK_OPTIONS})
