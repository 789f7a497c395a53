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
  if(VESK_PRECOMPILED_HEADERS)
    # Code as position-independent as the donors' whether or not Qt asks for it.
    target_compile_options(${name} PRIVATE -fPIC)
    if(ARG_LIBS MATCHES "Qt6::Widgets|vesk_skin|vesk_option_gui|vesk_updater_gui")
      target_precompile_headers(${name} REUSE_FROM vesk_gui_test_precompiled)
    else()
      target_precompile_headers(${name} REUSE_FROM vesk_test_precompiled)
    endif()
  endif()
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

# Parsing Qt's widget headers is half the compile time of a widget file, and
# GoogleTest's half that of a test file: they are precompiled, once per
# library of many widget files, and once for all tests (one header for those
# with widgets, one for the others: a precompiled header is only used with
# the flags and Qt macros it was made with).
set(VESK_QT_PRECOMPILED <QApplication> <QDialog> <QImage> <QMouseEvent> <QPainter> <QString>
                        <QTimer> <QWidget>)
set(VESK_TEST_PRECOMPILED <gtest/gtest.h> <gmock/gmock.h>)

function(vesk_precompile_qt target)
  if(VESK_PRECOMPILED_HEADERS)
    target_precompile_headers(${target} PRIVATE ${VESK_QT_PRECOMPILED})
  endif()
endfunction()

# The donors whose precompiled headers every test reuses (tests/CMakeLists.txt).
function(vesk_test_precompiled_donors)
  if(NOT VESK_PRECOMPILED_HEADERS)
    return()
  endif()
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/precompiled.cpp "// only its precompiled header is used\n")
  add_library(vesk_test_precompiled OBJECT ${CMAKE_CURRENT_BINARY_DIR}/precompiled.cpp)
  target_link_libraries(vesk_test_precompiled PRIVATE GTest::gtest GTest::gmock)
  target_precompile_headers(vesk_test_precompiled PRIVATE ${VESK_TEST_PRECOMPILED})
  if(VESK_GUI)
    add_library(vesk_gui_test_precompiled OBJECT ${CMAKE_CURRENT_BINARY_DIR}/precompiled.cpp)
    target_link_libraries(vesk_gui_test_precompiled PRIVATE GTest::gtest GTest::gmock Qt6::Widgets)
    target_precompile_headers(vesk_gui_test_precompiled PRIVATE ${VESK_TEST_PRECOMPILED}
                                                                ${VESK_QT_PRECOMPILED})
  endif()
endfunction()
