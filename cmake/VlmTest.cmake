# vlm_add_test(<name> SOURCES <files...> LIBS <targets...> [RESOURCE_LOCK <name>])
# One GoogleTest executable; every test case is registered with CTest separately.
# RESOURCE_LOCK: CTest runs no two tests holding the same lock at once.
# Qt runs headless in a UTF-8 locale, and the program folder of the build is passed to the
# tests.

# Every variable the tests run with.
set(VLM_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")

function(vlm_add_test name)
  cmake_parse_arguments(ARG "" "RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VLM_PROGRAM_DIR="${VLM_PROGRAM_DIR}"
    VLM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  vlm_uses_program_folder(${name})
  set(properties)
  if(ARG_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE POST_BUILD
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
  # gtest_discover_tests splits every list among its PROPERTIES into separate words, so an
  # ENVIRONMENT given there keeps only its first variable. The environment is set after
  # discovery instead, on the tests it lists in <name>_TESTS, as one bracketed value.
  set(environment_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${environment_script}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${VLM_TEST_ENVIRONMENT}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_script})
endfunction()
