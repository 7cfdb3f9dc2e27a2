# Host build: the portable core with its unit tests and the fuzz target (the sanitizer
# flags are set in the top CMakeLists.txt, before the core's target).

if(SHEAF_WITH_TESTS)
  file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS tests/plan/*.cpp tests/plan/host/*.cpp)
  add_executable(host_tests ${HOST_TEST_SOURCES})
  target_link_libraries(host_tests PRIVATE plan gtest_main)
  gtest_discover_tests(host_tests)
endif()

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND EXISTS ${CMAKE_SOURCE_DIR}/fuzz/CMakeLists.txt)
  add_subdirectory(fuzz)
endif()
