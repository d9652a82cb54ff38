# Build switches shared by every target of the project.

option(CHROMELL_WERROR "Treat compiler warnings as errors" OFF)
option(CHROMELL_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(CHROMELL_BUILD_TESTS "Build the test suite" ON)

find_package(benchmark QUIET)
set(_chromell_bench_default OFF)
if(benchmark_FOUND AND NOT CMAKE_CROSSCOMPILING)
  set(_chromell_bench_default ON)
endif()
option(CHROMELL_BUILD_BENCH "Build the benchmarks (needs Google Benchmark)" ${_chromell_bench_default})

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
  if(CHROMELL_WERROR)
    add_compile_options(-Werror)
  endif()
endif()

if(CHROMELL_SANITIZE)
  set(_chromell_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_chromell_san})
  add_link_options(${_chromell_san})
endif()

option(CHROMELL_FUZZ "Build the libFuzzer harnesses (clang only)" OFF)
if(CHROMELL_FUZZ)
  # Coverage for libFuzzer in every library the harnesses link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
