# zv_add_library(NAME DIR [SHARED] [LIBS ...]): a library of every .cpp in DIR, static unless SHARED.
# Globbing keeps parallel work from colliding on source lists. The platform libraries the view module
# uses are shared, so that the program and the modules it loads share one copy of every registry.
function(zv_add_library name dir)
  cmake_parse_arguments(ARG "SHARED" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${ZV_ROOT})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  if(ARG_SHARED)
    add_library(${name} SHARED ${sources})
    # Calls inside the library bind directly, as they would in a static one.
    target_compile_options(${name} PRIVATE -fno-semantic-interposition)
  else()
    add_library(${name} STATIC ${sources})
  endif()
  target_include_directories(${name} PUBLIC ${ZV_ROOT})
  target_compile_definitions(${name} PUBLIC ZV_RESOURCES_DIR="${ZV_RESOURCES_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# zv_add_test(NAME DIR [LIBS ...] [ENVIRONMENT ...]): one GoogleTest executable of every .cpp in DIR.
function(zv_add_test name dir)
  cmake_parse_arguments(ARG "" "" "LIBS;ENVIRONMENT" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock_main GTest::gmock GTest::gtest)
  # GoogleTest's headers are much of every test file's parse: worth one precompiled header where the
  # executable has several files.
  list(LENGTH sources nb_sources)
  if(nb_sources GREATER 3)
    target_precompile_headers(${name} PRIVATE <gtest/gtest.h> <string> <vector> <functional> <memory>)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
