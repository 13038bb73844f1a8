# Helpers shared by every folder's CMakeLists.

# ostrelda_test(NAME LABEL SOURCES... [LIBS lib...])
# A GoogleTest executable registered with CTest under one label:
# unit, gui, browser, oracle or bench. gui tests run offscreen; browser tests
# are wrapped in xvfb-run by their own CMakeLists.
function(ostrelda_test name label)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # Window tests need a QApplication before the first test runs.
  if(label STREQUAL "gui" OR label STREQUAL "browser")
    set(test_main ostrelda_gui_test_main)
  else()
    set(test_main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock ${test_main})
  target_compile_definitions(${name} PRIVATE
    OSTRELDA_CORPUS_DIR="${OSTRELDA_CORPUS_DIR}"
    OSTRELDA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    OSTRELDA_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen" ${T_ENVIRONMENT})
  set_tests_properties(${name} PROPERTIES LABELS ${label} ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()
