# Windows build: the whole program and its tests (run under Wine by ctest when cross-compiling).
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Sources are UTF-8; the program's strings are Shift-JIS bytes, as the ANSI APIs want them.
if(MSVC)
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:/source-charset:utf-8;/execution-charset:.932>")
else()
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8;-fexec-charset=CP932>")
  add_link_options(-static)
endif()

# The version header that the resource scripts (also those of the tests and benchmarks)
# and the runner's --version include.
configure_file(res/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)

file(GLOB FRAMEWORK_SOURCES CONFIGURE_DEPENDS framework/*.cpp)
add_library(framework STATIC ${FRAMEWORK_SOURCES})
target_include_directories(framework PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(framework PUBLIC shlwapi comctl32 comdlg32 shell32 ole32 oleaut32 gdi32 user32)

file(GLOB COPY_SOURCES CONFIGURE_DEPENDS copy/*.cpp)
add_library(copy STATIC ${COPY_SOURCES})
target_link_libraries(copy PUBLIC plan)

# Services without windows that both front ends use. The settings file reads through the
# application object's profile, so it is built apart, over the framework.
file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS platform/*.cpp)
list(FILTER PLATFORM_SOURCES EXCLUDE REGEX "platform/Settings\\.cpp$")
add_library(platform STATIC ${PLATFORM_SOURCES})
target_link_libraries(platform PUBLIC copy plan oleaut32)
add_library(platform_settings STATIC platform/Settings.cpp)
target_link_libraries(platform_settings PUBLIC framework)

file(GLOB UI_SOURCES CONFIGURE_DEPENDS ui/*.cpp)
add_library(sheafkeeper_ui STATIC ${UI_SOURCES})
target_link_libraries(sheafkeeper_ui PUBLIC framework copy platform platform_settings plan)

# The composition root of the window program: the application object and WinMain.
add_library(sheafkeeper_app STATIC app/SheafkeeperApp.cpp app/InstanceName.cpp)
target_link_libraries(sheafkeeper_app PUBLIC sheafkeeper_ui)
set(SHEAF_RESOURCES ${CMAKE_SOURCE_DIR}/res/Sheafkeeper.rc)
add_executable(Sheafkeeper WIN32 app/WinMain.cpp ${SHEAF_RESOURCES})
target_link_libraries(Sheafkeeper PRIVATE sheafkeeper_app)

# The console runner of a plan file: the window's plan reader and copy run without a window.
file(GLOB RUNNER_SOURCES CONFIGURE_DEPENDS runner/*.cpp)
list(FILTER RUNNER_SOURCES EXCLUDE REGEX "runner/RunnerMain\\.cpp$")
add_library(runner STATIC ${RUNNER_SOURCES})
target_link_libraries(runner PUBLIC copy platform plan)
add_executable(SheafkeeperRun runner/RunnerMain.cpp res/SheafkeeperRun.rc)
target_link_libraries(SheafkeeperRun PRIVATE runner)

if(SHEAF_WITH_TESTS)
  # One test program per folder; each links the resources so that dialogs can be created.
  # Tests that show windows take the keyboard focus and the foreground, which there is one
  # of per desktop: they hold the lock given ("desktop") and so run one at a time.
  function(sheaf_win_tests name lock)
    file(GLOB sources CONFIGURE_DEPENDS ${ARGN})
    add_executable(${name} ${sources} tests/WinTestMain.cpp ${SHEAF_RESOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE sheafkeeper_app gtest)
    set(properties TIMEOUT 120)
    if(lock)
      list(APPEND properties RESOURCE_LOCK ${lock})
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endfunction()
  sheaf_win_tests(win_plan_tests "" tests/plan/*.cpp)
  sheaf_win_tests(win_platform_tests "" tests/platform/*.cpp)
  sheaf_win_tests(win_framework_tests desktop tests/framework/*.cpp)
  sheaf_win_tests(win_copy_tests "" tests/copy/*.cpp)
  sheaf_win_tests(win_app_tests desktop tests/app/*.cpp)
  sheaf_win_tests(win_ui_tests desktop tests/ui/*.cpp)
  sheaf_win_tests(win_runner_tests desktop tests/runner/*.cpp)
  target_link_libraries(win_runner_tests PRIVATE runner)
  # The safe-copy tests once more as an unprivileged user, whom the read-only attribute
  # binds, with a small tmpfs as the full disk (made and mounted by the script, as root).
  add_test(NAME copy_tests_as_nobody
           COMMAND ${CMAKE_SOURCE_DIR}/tests/copy/run-as-nobody $<TARGET_FILE:win_copy_tests>)
  set_tests_properties(copy_tests_as_nobody PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
                       FAIL_REGULAR_EXPRESSION "not run here|FAILED")
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
