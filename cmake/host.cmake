# Host build: the portable core with its unit tests, sanitizers and the fuzz target.
option(SHEAF_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(SHEAF_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(SHEAF_WITH_TESTS)
  file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS tests/plan/*.cpp tests/plan/host/*.cpp)
  add_executable(host_tests ${HOST_TEST_SOURCES})
  target_link_libraries(host_tests PRIVATE plan gtest_main)
  gtest_discover_tests(host_tests)
endif()

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND EXISTS ${CMAKE_SOURCE_DIR}/fuzz/CMakeLists.txt)
  add_subdirectory(fuzz)
endif()
