# conf_library(<target> [DEPS <targets>...]): one static library from the .cpp files of the
# calling folder (not recursive), public include path the repository root.
function(conf_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${srcs})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# conf_test(<name> SOURCES_DIR <dir> DEPS <targets>...): a GoogleTest executable from the .cpp
# files of <dir>; each test runs headless on Qt's offscreen platform.
function(conf_test name)
  cmake_parse_arguments(ARG "" "SOURCES_DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${ARG_SOURCES_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    CONF_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
    CONF_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # A parameterised test is named by its suite's name generator alone: the printed parameter
  # would add byte dumps and addresses that change from run to run.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
