# Build for the browser: WebAssembly with Debian's clang-14, wasi-libc and
# libc++-14-dev-wasm32, linked by wasm-ld (lld-14):
#   cmake --preset web   (or -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake)
# C++ exceptions use WebAssembly's exception handling, which the browsers run
# natively; the runtime support that Debian's libc++abi leaves out lives in
# web/module/exceptions.cpp.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CHROMELL_WASM ON)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)

# The features every current browser has: bulk memory (memcpy in one
# instruction), sign extension, saturating float-to-int, and exceptions.
# wasi-libc's errno is thread-local, which wasm32 code can only reach in the
# local-exec model (one module, one thread).
set(_chromell_wasm_flags
  "-fwasm-exceptions -mbulk-memory -msign-ext -mnontrapping-fptoint -ftls-model=local-exec")
set(CMAKE_C_FLAGS_INIT "${_chromell_wasm_flags}")
set(CMAKE_CXX_FLAGS_INIT "${_chromell_wasm_flags}")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_FIND_ROOT_PATH /usr/lib/wasm32-wasi)
