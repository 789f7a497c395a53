# Put a program or library into the program folder (build/suite/SUBDIR).
function(vesk_suite_target target)
  cmake_parse_arguments(ARG "" "SUBDIR" "" ${ARGN})
  set(dir ${VESK_SUITE_DIR})
  if(ARG_SUBDIR)
    set(dir ${VESK_SUITE_DIR}/${ARG_SUBDIR})
  endif()
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${dir}
    LIBRARY_OUTPUT_DIRECTORY ${dir})
endfunction()

# vesk_test(NAME SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest executable; its cases are registered with ctest one by one,
# each with the offscreen Qt platform and the ENV entries given ("NAME=value").
# Each test program runs in a private runtime folder and config home of its
# own (tests/PrivateSessionMain.cpp); tests that need one per case make theirs.
function(vesk_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest vesk_test_main GTest::gmock Threads::Threads)
  target_compile_definitions(${name} PRIVATE VESK_SUITE_DIR="${VESK_SUITE_DIR}" VESK_BINARY_DIR="${CMAKE_BINARY_DIR}" VESK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  # Property values are lists themselves: their ';' must survive being passed on.
  set(environment QT_QPA_PLATFORM=offscreen ${ARG_ENV})
  string(REPLACE ";" "\\;" environment "${environment}")
  set(properties TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${environment}")
  if(ARG_LABELS)
    string(REPLACE ";" "\\;" labels "${ARG_LABELS}")
    list(APPEND properties LABELS "${labels}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()
