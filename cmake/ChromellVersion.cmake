# The project's home page, for the About window, the artwork, the AppStream
# data and the packages. Empty (the default, as the project has no web site of
# its own yet): they name no address, and the About window invites the reader
# to the project's home in words.
set(CHROMELL_HOMEPAGE_URL "" CACHE STRING "The project's home page, https://...; empty: none is named")
if(NOT CHROMELL_HOMEPAGE_URL STREQUAL "" AND NOT CHROMELL_HOMEPAGE_URL MATCHES "^https?://[^] \"\\<>&[]+$")
  message(FATAL_ERROR "CHROMELL_HOMEPAGE_URL is not an http(s) address without blanks, "
                      "quotes, backslashes, <, > or &: '${CHROMELL_HOMEPAGE_URL}'")
endif()
# The address as a reader types it: no scheme, no closing slash.
string(REGEX REPLACE "^https?://" "" CHROMELL_HOMEPAGE_SHOWN "${CHROMELL_HOMEPAGE_URL}")
string(REGEX REPLACE "/$" "" CHROMELL_HOMEPAGE_SHOWN "${CHROMELL_HOMEPAGE_SHOWN}")

# One version for every program: a generated header, chromell/version.h, which
# also holds the home page.
set(_chromell_version_dir ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${_chromell_version_dir}/chromell/version.h @ONLY)
add_library(chromell_version INTERFACE)
target_include_directories(chromell_version INTERFACE ${_chromell_version_dir})

# Who makes Chromell, as programs and packages name them.
set(CHROMELL_VENDOR "The Chromell developers")

# Windows programs carry the same version in a VERSIONINFO resource, with the
# copyright line of the LICENSE:
#   chromell_add_windows_version(<target> "<file description>" [UTF8_CODE_PAGE])
# UTF8_CODE_PAGE adds a manifest that makes UTF-8 the program's ANSI code
# page, for programs whose narrow main() must get their arguments as UTF-8.
# Elsewhere it does nothing.
if(WIN32)
  enable_language(RC)
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE CHROMELL_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
endif()
function(chromell_add_windows_version target description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "UTF8_CODE_PAGE" "" "" ${ARGN})
  set(CHROMELL_RC_NAME ${target})
  set(CHROMELL_RC_DESCRIPTION "${description}")
  set(_patch ${PROJECT_VERSION_PATCH})
  if(_patch STREQUAL "")
    set(_patch 0)
  endif()
  set(CHROMELL_RC_VERSION ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${_patch},0)
  set(CHROMELL_RC_MANIFEST "")
  if(ARG_UTF8_CODE_PAGE)
    set(CHROMELL_RC_MANIFEST "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${PROJECT_SOURCE_DIR}/cmake/utf8.manifest\"")
  endif()
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${_rc} @ONLY)
  target_sources(${target} PRIVATE ${_rc})
  set_property(SOURCE ${_rc} APPEND PROPERTY OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/utf8.manifest)
endfunction()
