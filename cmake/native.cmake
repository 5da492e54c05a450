# The native (Linux) build: the pure core, its tests, and one libFuzzer target
# per parser. Everything is compiled with AddressSanitizer and
# UndefinedBehaviorSanitizer, so the tests run under them too.
set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -Wno-unused-parameter ${sanitizers})
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Coverage for libFuzzer in all native code, so the fuzzers see inside the core.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
add_link_options(${sanitizers})
if(VERDALUX_WERROR)
  add_compile_options(-Werror)
endif()
include_directories(${CMAKE_SOURCE_DIR})

add_subdirectory(core)

if(VERDALUX_TESTS)
  enable_testing()
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w)
  endforeach()
  add_subdirectory(tests/core)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_subdirectory(fuzz)
  endif()
endif()
