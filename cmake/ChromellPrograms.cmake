# Every program the project ships is built into one folder of the build tree,
# bin/, whatever folder its sources are in, so scripts and the README can name
# one place that does not move with the sources:
#   chromell_program(<target>)
set(CHROMELL_PROGRAM_DIR ${PROJECT_BINARY_DIR}/bin)
function(chromell_program target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CHROMELL_PROGRAM_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${CHROMELL_PROGRAM_DIR})
endfunction()
