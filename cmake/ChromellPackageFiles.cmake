# Read by cpack for each generator of the Windows build (CPACK_PROJECT_CONFIG_FILE):
# chromell-VERSION-win64-setup.exe installs the files themselves, the ZIP
# holds them in a folder of its own name.
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME -setup)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
