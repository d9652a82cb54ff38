# What `cmake --install` puts where (GNUInstallDirs layout), and the man pages
# that the build makes from doc/*.scd with scdoc.

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME chromell)
set(CHROMELL_MAN_PAGES "")
set(_chromell_app_id org.chromell.Chromell)
set(_chromell_docdir ${CMAKE_INSTALL_DATADIR}/doc/chromell)

if(WIN32)
  # The Windows installer and ZIP: the programs (statically linked, so they
  # run from any folder) with the README, licence and changes, side by side.
  foreach(_program chromell chromell-fade chromell-send)
    if(TARGET ${_program})
      install(TARGETS ${_program} RUNTIME DESTINATION .)
    endif()
  endforeach()
  install(FILES README.md CHANGELOG.md DESTINATION .)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  return()
endif()

# Programs and chromell-fade's preview module
if(TARGET chromell)
  install(TARGETS chromell RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS chromell-fade RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET chromell-fade-preview)
  install(TARGETS chromell-fade-preview LIBRARY DESTINATION ${CHROMELL_INSTALL_MODULEDIR})
endif()

# Desktop integration: entry, AppStream metadata and icons, all under the
# application id.
if(TARGET chromell)
  install(FILES packaging/${_chromell_app_id}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The home page and the screenshot on it, when the build names one.
  set(CHROMELL_METAINFO_HOMEPAGE "")
  if(CHROMELL_HOMEPAGE_URL)
    set(_chromell_home "${CHROMELL_HOMEPAGE_URL}")
    if(NOT _chromell_home MATCHES "/$")
      string(APPEND _chromell_home "/")
    endif()
    string(CONCAT CHROMELL_METAINFO_HOMEPAGE
      "  <url type=\"homepage\">${CHROMELL_HOMEPAGE_URL}</url>\n"
      "  <screenshots>\n"
      "    <screenshot type=\"default\">\n"
      "      <caption>The main window with a faded line and its preview</caption>\n"
      "      <image>${_chromell_home}screenshots/main.png</image>\n"
      "    </screenshot>\n"
      "  </screenshots>")
  endif()
  configure_file(packaging/${_chromell_app_id}.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/packaging/${_chromell_app_id}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${_chromell_app_id}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(_size 16 22 24 32 48 64 128 256)
    if(EXISTS ${PROJECT_SOURCE_DIR}/app/art/icons/${_size}.png)
      install(FILES app/art/icons/${_size}.png
              DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
              RENAME ${_chromell_app_id}.png)
    endif()
  endforeach()
endif()

# Shell completion for chromell-fade
set(_chromell_completions
  "chromell-fade.bash|${CMAKE_INSTALL_DATADIR}/bash-completion/completions|chromell-fade"
  "_chromell-fade|${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions|_chromell-fade"
  "chromell-fade.fish|${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d|chromell-fade.fish")
foreach(_entry IN LISTS _chromell_completions)
  string(REPLACE "|" ";" _entry "${_entry}")
  list(GET _entry 0 _file)
  list(GET _entry 1 _destination)
  list(GET _entry 2 _name)
  if(EXISTS ${PROJECT_SOURCE_DIR}/completion/${_file})
    install(FILES completion/${_file} DESTINATION ${_destination} RENAME ${_name})
  endif()
endforeach()

# Man pages: doc/NAME.SECTION.scd becomes NAME.SECTION in the build tree.
find_program(CHROMELL_SCDOC scdoc)
add_feature_info("Man pages" CHROMELL_SCDOC "chromell(1) and chromell-fade(1) (needs scdoc)")
if(CHROMELL_SCDOC)
  file(GLOB _chromell_man_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/doc/*.scd)
  set(_chromell_man_pages "")
  foreach(_source IN LISTS _chromell_man_sources)
    get_filename_component(_page ${_source} NAME_WLE)
    string(REGEX MATCH "[0-9]$" _section ${_page})
    set(_output ${PROJECT_BINARY_DIR}/doc/${_page})
    add_custom_command(OUTPUT ${_output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
      COMMAND sh -c "\"$0\" < \"$1\" > \"$2\"" ${CHROMELL_SCDOC} ${_source} ${_output}
      DEPENDS ${_source}
      COMMENT "Writing the man page ${_page}"
      VERBATIM)
    list(APPEND CHROMELL_MAN_PAGES ${_output})
    install(FILES ${_output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${_section} COMPONENT plain)
  endforeach()
  add_custom_target(chromell_man_pages ALL DEPENDS ${CHROMELL_MAN_PAGES})
endif()

# Documentation. The Debian package takes the component "debian" in place of
# "plain": the licence as copyright, the changes and man pages compressed
# (cmake/ChromellPackaging.cmake).
install(FILES README.md DESTINATION ${_chromell_docdir})
install(FILES LICENSE CHANGELOG.md DESTINATION ${_chromell_docdir} COMPONENT plain)
