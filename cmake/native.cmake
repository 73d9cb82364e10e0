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

add_subdirectory(tests)
