# vlm_add_test(<name> SOURCES <files...> LIBS <targets...> [RESOURCE_LOCK <name>])
# One GoogleTest executable; every test case is registered with CTest separately.
# RESOURCE_LOCK: CTest runs no two tests holding the same lock at once.
# Qt runs headless, and the program folder of the build is passed to the tests.
function(vlm_add_test name)
  cmake_parse_arguments(ARG "" "RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VLM_PROGRAM_DIR="${VLM_PROGRAM_DIR}"
    VLM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(properties)
  if(ARG_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE POST_BUILD
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
