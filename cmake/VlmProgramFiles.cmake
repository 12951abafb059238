# vlm_program_files(<target> TOOL <tool> [STAMP] ARGS <args...> [OUTPUTS <files...>]
#                   DEPENDS <files...> COMMENT <text>)
# Runs a build-time tool that writes files into the program folder, as part of ALL. The
# required-files list names those files, so whatever reads the program folder at run time
# (the program, every test, the benchmarks) gets them written first through
# vlm_uses_program_folder. STAMP: the tool writes files CMake cannot list; a stamp file marks
# when it last ran.
function(vlm_program_files target)
  cmake_parse_arguments(ARG "STAMP" "TOOL;COMMENT" "ARGS;OUTPUTS;DEPENDS" ${ARGN})
  # A build tool, not part of the program folder.
  set_target_properties(${ARG_TOOL} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set(outputs ${ARG_OUTPUTS})
  set(touch "")
  if(ARG_STAMP)
    set(outputs ${CMAKE_CURRENT_BINARY_DIR}/${target}.stamp)
    set(touch COMMAND ${CMAKE_COMMAND} -E touch ${outputs})
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${ARG_TOOL} ${ARG_ARGS}
    ${touch}
    DEPENDS ${ARG_TOOL} ${ARG_DEPENDS}
    COMMENT "${ARG_COMMENT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${outputs})
  set_property(GLOBAL APPEND PROPERTY VLM_PROGRAM_FILE_TARGETS ${target})
endfunction()

# vlm_uses_program_folder(<target>): <target> reads the program folder's generated files at
# run time, so they are written before it is built. The tools that write them come first in
# the build's folder order.
function(vlm_uses_program_folder target)
  get_property(generated GLOBAL PROPERTY VLM_PROGRAM_FILE_TARGETS)
  add_dependencies(${target} ${generated})
endfunction()
