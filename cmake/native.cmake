# The native test build: the portable core under GoogleTest with sanitizers.
find_package(GTest REQUIRED)
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(-Wall -Wextra -g ${SANITIZE})
add_link_options(${SANITIZE})

vexal_add_libraries()
if(VEXAL_FUZZ)
  # The fuzzer sees the coverage of the code under test, not just its own.
  target_compile_options(vexal_core PRIVATE -fsanitize=fuzzer-no-link)
endif()

file(GLOB UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE vexal_core GTest::gtest GTest::gtest_main)

# Each fuzz target is also built with a plain main that replays its corpus,
# so the corpus runs with every test run even without a fuzzing compiler.
file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(src ${FUZZ_TARGETS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name}_replay ${src} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE vexal_core)
  if(VEXAL_FUZZ)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE vexal_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endif()
endforeach()
