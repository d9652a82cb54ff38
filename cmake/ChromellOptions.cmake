# Build switches shared by every target of the project.

option(CHROMELL_WERROR "Treat compiler warnings as errors" OFF)
option(CHROMELL_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# GoogleTest and Google Benchmark exist for the build machine only, so a cross
# build leaves tests and benchmarks out; elsewhere each is built when it is
# found. Asking for the tests (-DCHROMELL_BUILD_TESTS=ON, as the ci and asan
# presets do) makes a missing GoogleTest an error.
set(_chromell_tests_default OFF)
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest QUIET)
  if(GTest_FOUND)
    set(_chromell_tests_default ON)
  endif()
endif()
option(CHROMELL_BUILD_TESTS "Build the test suite (needs GoogleTest)" ${_chromell_tests_default})

find_package(benchmark QUIET)
set(_chromell_bench_default OFF)
if(benchmark_FOUND AND NOT CMAKE_CROSSCOMPILING)
  set(_chromell_bench_default ON)
endif()
option(CHROMELL_BUILD_BENCH "Build the benchmarks (needs Google Benchmark)" ${_chromell_bench_default})

# The end-to-end test of the messenger bridge builds the Windows programs with
# MinGW-w64 and runs them under Wine.
find_program(CHROMELL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
set(_chromell_e2e_default OFF)
if(CHROMELL_MINGW_CXX AND NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
  set(_chromell_e2e_default ON)
endif()
option(CHROMELL_WINDOWS_E2E "Cross-build the Windows programs and test them under Wine"
       ${_chromell_e2e_default})
add_feature_info("Windows build and its Wine test" CHROMELL_WINDOWS_E2E
  "chromell-send.exe cross-built with MinGW-w64 (x86_64-w64-mingw32-g++-posix) and run under Wine")
# The page's WebAssembly module, cross-built with clang-14 for wasm32-wasi
# (wasi-libc, libc++-14-dev-wasm32, lld-14) beside the tests that run it in
# Chromium.
find_program(CHROMELL_WASM_CXX clang++-14)
set(_chromell_web_default OFF)
if(CHROMELL_WASM_CXX AND EXISTS /usr/lib/wasm32-wasi/libc++.a AND EXISTS /usr/lib/wasm32-wasi/libc.a
   AND NOT CMAKE_CROSSCOMPILING)
  set(_chromell_web_default ON)
endif()
option(CHROMELL_WEB "Cross-build the page's WebAssembly module and test the page in Chromium"
       ${_chromell_web_default})
add_feature_info("The page and its Chromium tests" CHROMELL_WEB
  "the WebAssembly build of web/ (clang-14, wasi-libc, libc++-14-dev-wasm32, lld-14)")
add_feature_info("Tests" CHROMELL_BUILD_TESTS
  "the GoogleTest and Qt Test suites (left out without libgtest-dev)")
add_feature_info("Benchmarks" CHROMELL_BUILD_BENCH
  "Google Benchmark programs (left out without libbenchmark-dev)")

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

include(ChromellWarnings)

# The preview module that chromell-fade loads links the libraries below it,
# so all of them are built position-independent. (WebAssembly links one
# module with no loader behind it: there is nothing to gain.)
if(NOT CHROMELL_WASM)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

# Windows programs carry their C++ runtime with them, so they run on their own.
if(MINGW)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(CHROMELL_SANITIZE)
  set(_chromell_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_chromell_san})
  add_link_options(${_chromell_san})
endif()

option(CHROMELL_FUZZ "Build the libFuzzer harnesses (clang only)" OFF)
if(CHROMELL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "CHROMELL_FUZZ needs clang: configure with CXX=clang++-14")
  endif()
  # Coverage for libFuzzer in every library the harnesses link. The programs
  # and tests of the same tree link the coverage hooks without libFuzzer's
  # main, so one tree builds both.
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
endif()

option(CHROMELL_BUILD_TOOLS "Build the build-time tools (the artwork generator)" OFF)
# The stand-in messenger is a Windows test program; the Windows sub-build of
# the end-to-end test turns this on.
option(CHROMELL_BUILD_STAND_IN "Build the stand-in messenger (Windows, tests only)" OFF)
# The tests of the Windows-only code (the GDI surface), built with MinGW-w64
# and run under Wine; the Windows sub-build of the host's tests turns this on.
option(CHROMELL_BUILD_WINDOWS_TESTS "Build the Windows-side test programs (Windows, tests only)" OFF)
