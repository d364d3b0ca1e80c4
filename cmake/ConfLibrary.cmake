# Precompiled headers (CONF_PCH): the platform's own sources get the standard library and Qt
# (platform/PrecompiledQt.h); the layers above get the standard library and the class library
# headers (platform/PrecompiledApi.h); the tests add GoogleTest and the test support
# (platform/testing/PrecompiledTests.h). Each kind is compiled once per build, in a host target
# whose flags match its users', and reused from there.

# conf_pch_host(<host> <kind: OBJECT or EXECUTABLE> <header> <link targets>...): the host target
# that compiles <header>, made on first use.
function(conf_pch_host host kind header)
  if(TARGET ${host})
    return()
  endif()
  set(src ${CMAKE_BINARY_DIR}/${host}.cpp)
  if(NOT EXISTS ${src})
    file(WRITE ${src} "// Compiles the precompiled header only.\n")
  endif()
  if(kind STREQUAL "EXECUTABLE")
    add_executable(${host} EXCLUDE_FROM_ALL ${src})
    target_link_libraries(${host} PRIVATE ${ARGN})
  else()
    add_library(${host} OBJECT EXCLUDE_FROM_ALL ${src})
    target_link_libraries(${host} PUBLIC ${ARGN})
  endif()
  target_include_directories(${host} PRIVATE ${PROJECT_SOURCE_DIR})
  target_precompile_headers(${host} PRIVATE ${PROJECT_SOURCE_DIR}/${header})
endfunction()

# conf_unity(<target>): compiles the target's sources in batches of CONF_UNITY_BATCH. Most of a
# file's compile time is the shared headers and template instantiations, which a batch pays once.
# A batch includes each source by its absolute path, so __FILE__ still names the file itself.
# The sources a fuzz target compiles itself are batched only among themselves
# (fuzz/FuzzedSources.cmake). A generated source, or one marked SKIP_UNITY_BUILD_INCLUSION,
# compiles alone.
function(conf_unity target)
  if(NOT CONF_UNITY_BATCH GREATER 0)
    return()
  endif()
  set(fuzzed ${CONF_FUZZED_READERS} ${CONF_FUZZED_HTML})
  list(TRANSFORM fuzzed PREPEND ${PROJECT_SOURCE_DIR}/)
  get_target_property(srcs ${target} SOURCES)
  set(plain 0)
  set(inFuzzed 0)
  foreach(src ${srcs})
    if(NOT src MATCHES "\\.cpp$")
      continue()
    endif()
    get_filename_component(abs ${src} ABSOLUTE)
    if(abs IN_LIST fuzzed)
      math(EXPR n "${inFuzzed} / ${CONF_UNITY_BATCH}")
      set(group fuzzed${n})
      math(EXPR inFuzzed "${inFuzzed} + 1")
    else()
      math(EXPR n "${plain} / ${CONF_UNITY_BATCH}")
      set(group batch${n})
      math(EXPR plain "${plain} + 1")
    endif()
    set_source_files_properties(${src} PROPERTIES UNITY_GROUP ${group})
  endforeach()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  # A file's own types live in an anonymous namespace; inside a batch GCC takes them for a
  # header's and warns on every class built on them.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
endfunction()

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
  conf_unity(${target})
  if(CONF_PCH)
    if(target STREQUAL "platform")
      target_precompile_headers(platform PRIVATE ${PROJECT_SOURCE_DIR}/platform/PrecompiledQt.h)
    else()
      conf_pch_host(conf_pch_api OBJECT platform/PrecompiledApi.h platform)
      target_precompile_headers(${target} REUSE_FROM conf_pch_api)
    endif()
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
  set(defs CONF_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures" CONF_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_compile_definitions(${name} PRIVATE ${defs})
  target_compile_options(${name} PRIVATE ${CONF_TEST_FLAGS})
  conf_unity(${name})
  if(CONF_PCH)
    conf_pch_host(conf_pch_test EXECUTABLE platform/testing/PrecompiledTests.h
      platform_testing GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(conf_pch_test PRIVATE ${defs})
    target_compile_options(conf_pch_test PRIVATE ${CONF_TEST_FLAGS})
    target_precompile_headers(${name} REUSE_FROM conf_pch_test)
  endif()
  # conf_tests builds every test executable and nothing else.
  if(NOT TARGET conf_tests)
    add_custom_target(conf_tests)
  endif()
  add_dependencies(conf_tests ${name})
  # A parameterised test is named by its suite's name generator alone: the printed parameter
  # would add byte dumps and addresses that change from run to run. Listing the tests starts
  # the executable, which on a loaded machine (or under the sanitizers) takes well over the
  # default 5 s.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
