# One version for every program: a generated header, chromell/version.h.
set(_chromell_version_dir ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${_chromell_version_dir}/chromell/version.h @ONLY)
add_library(chromell_version INTERFACE)
target_include_directories(chromell_version INTERFACE ${_chromell_version_dir})
