# Packages with CPack: a Debian package on Linux (cpack -G DEB); in the
# MinGW-w64 build an installer (cpack -G NSIS) and a ZIP (cpack -G ZIP) of the
# Windows programs.

set(CPACK_PACKAGE_NAME chromell)
set(CPACK_PACKAGE_VENDOR "${CHROMELL_VENDOR}")
set(CPACK_PACKAGE_CONTACT "The Chromell developers <maintainers@chromell.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${CHROMELL_HOMEPAGE_URL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "per-character colour gradients for chat markup")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

if(WIN32)
  set(CPACK_GENERATOR NSIS ZIP)
  # The values reach the NSIS script as written here.
  set(CPACK_VERBATIM_VARIABLES ON)
  # chromell-VERSION-win64.zip; the installer adds -setup and leaves out the
  # ZIP's top folder (cmake/ChromellPackageFiles.cmake, read by cpack).
  set(CPACK_PACKAGE_FILE_NAME chromell-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/ChromellPackageFiles.cmake)

  # The installer: our own NSIS template (cmake/NSIS.template.in), 64-bit,
  # per user by default, per machine with /AllUsers.
  set(CPACK_NSIS_PACKAGE_NAME Chromell)
  set(CPACK_NSIS_DISPLAY_NAME Chromell)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Chromell)
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Chromell)
  set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
  set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
  set(CPACK_NSIS_URL_INFO_ABOUT ${CPACK_PACKAGE_HOMEPAGE_URL})
  set(CPACK_CHROMELL_COPYRIGHT "${CHROMELL_COPYRIGHT}")
  if(TARGET chromell)
    set(CPACK_NSIS_INSTALLED_ICON_NAME chromell.exe)
    # The installer and uninstaller show chromell.exe's icon (app/win32).
    set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/win32/chromell.ico)
    set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
    set(CPACK_NSIS_MUI_FINISHPAGE_RUN chromell.exe)
    set(CPACK_NSIS_CREATE_ICONS_EXTRA "  CreateShortCut \"$SMPROGRAMS\\Chromell.lnk\" \"$INSTDIR\\chromell.exe\"")
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete \"$SMPROGRAMS\\Chromell.lnk\"")
  else()
    set(CPACK_NSIS_INSTALLED_ICON_NAME Uninstall.exe)
  endif()
  include(CPack)
  return()
endif()

# --- Debian package -------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The preview draws "Arial", which fontconfig maps to Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# The window runs natively on a Wayland compositor through Qt's Wayland
# platform; without it Qt takes X11 (XWayland) where there is one.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
# The first line, the synopsis, is CPACK_PACKAGE_DESCRIPTION_SUMMARY.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Chromell turns a line of text into chat markup in which every character
carries its own font colour, fading through three colours picked with red,
green and blue bars. The window shows the markup to copy into the messenger
and a preview of how it will look.
.
This package holds the window, chromell, and the command-line fader,
chromell-fade, which can also draw the preview into a PNG file.")
# One package of everything but the plain form of the documentation.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL chromell debian)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS OFF)

# What Debian wants in place of the "plain" component: the licence as a
# machine-readable copyright file, the changes as a Debian changelog, both
# and the man pages compressed without timestamps.
set(_chromell_deb_dir ${PROJECT_BINARY_DIR}/packaging/debian)
set(_chromell_deb_docdir ${CMAKE_INSTALL_DATADIR}/doc/chromell)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md)

file(READ ${PROJECT_SOURCE_DIR}/LICENSE _chromell_license)
string(REGEX REPLACE "\n+$" "" _chromell_license "${_chromell_license}")
string(REGEX REPLACE "\n\n" "\n.\n" _chromell_license "${_chromell_license}")
string(REGEX REPLACE "\n" "\n " _chromell_license "${_chromell_license}")
set(_chromell_source "")
if(CHROMELL_HOMEPAGE_URL)
  set(_chromell_source "Source: ${CHROMELL_HOMEPAGE_URL}\n")
endif()
file(WRITE ${_chromell_deb_dir}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Chromell
${_chromell_source}
Files: *
Copyright: 2026 The Chromell developers
License: Expat
 ${_chromell_license}
")

# CHANGELOG.md's "## VERSION — YYYY-MM-DD" sections become changelog entries.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md _chromell_changes ENCODING UTF-8)
set(_chromell_changelog "")
set(_chromell_entry "")
macro(_chromell_close_entry)
  if(_chromell_entry)
    string(APPEND _chromell_changelog "${_chromell_entry}\n -- ${CPACK_PACKAGE_CONTACT}  ${_chromell_date}\n\n")
  endif()
endmacro()
foreach(_line IN LISTS _chromell_changes)
  if(_line MATCHES "^## ([^ ]+) .* ([0-9]+-[0-9]+-[0-9]+)")
    _chromell_close_entry()
    execute_process(COMMAND date -R -u -d "${CMAKE_MATCH_2} 12:00"
                    OUTPUT_VARIABLE _chromell_date OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(_chromell_entry "chromell (${CMAKE_MATCH_1}) unstable; urgency=medium\n\n")
  elseif(_chromell_entry AND _line MATCHES "^- (.*)")
    string(APPEND _chromell_entry "  * ${CMAKE_MATCH_1}\n")
  elseif(_chromell_entry AND _line MATCHES "^  +(.*)")
    string(APPEND _chromell_entry "    ${CMAKE_MATCH_1}\n")
  elseif(_chromell_entry AND _line MATCHES "[^ ]")
    string(APPEND _chromell_entry "  * ${_line}\n")
  endif()
endforeach()
_chromell_close_entry()
file(WRITE ${_chromell_deb_dir}/changelog "${_chromell_changelog}")

set(_chromell_gzipped ${_chromell_deb_dir}/changelog.gz)
add_custom_command(OUTPUT ${_chromell_deb_dir}/changelog.gz
  COMMAND gzip -9nf ${_chromell_deb_dir}/changelog -c > ${_chromell_deb_dir}/changelog.gz
  DEPENDS ${_chromell_deb_dir}/changelog)
install(FILES ${_chromell_deb_dir}/copyright ${_chromell_deb_dir}/changelog.gz
        DESTINATION ${_chromell_deb_docdir} COMPONENT debian EXCLUDE_FROM_ALL)
foreach(_page IN LISTS CHROMELL_MAN_PAGES)
  get_filename_component(_name ${_page} NAME)
  string(REGEX MATCH "[0-9]$" _section ${_name})
  add_custom_command(OUTPUT ${_chromell_deb_dir}/${_name}.gz
    COMMAND gzip -9nf ${_page} -c > ${_chromell_deb_dir}/${_name}.gz
    DEPENDS ${_page})
  list(APPEND _chromell_gzipped ${_chromell_deb_dir}/${_name}.gz)
  install(FILES ${_chromell_deb_dir}/${_name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${_section}
          COMPONENT debian EXCLUDE_FROM_ALL)
endforeach()
add_custom_target(chromell_debian_files ALL DEPENDS ${_chromell_gzipped})

include(CPack)
