# Warnings as an interface: every target of the project links
# chromell_warnings privately, so the flags never leak to other projects'
# code and each target can be checked on its own.
add_library(chromell_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(chromell_warnings INTERFACE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    $<$<BOOL:${CHROMELL_WERROR}>:-Werror>)
endif()
