if(CMAKE_CROSSCOMPILING)
  include(GoogleTestFromSource)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# vanemark_add_test(NAME SOURCES ... LIBS ... [GUI])
# GUI tests get a main that creates a QApplication and run offscreen.
function(vanemark_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  vanemark_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  # Built up rather than written out: an empty ENVIRONMENT value drops out of
  # the call, and ENVIRONMENT then takes the word TIMEOUT for its value.
  set(properties TIMEOUT 180)
  if(ARG_GUI)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/GuiTestMain.cpp)
    target_link_libraries(${name} PRIVATE Qt6::Widgets Qt6::Test)
    list(APPEND properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE VANEMARK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${properties})
endfunction()
