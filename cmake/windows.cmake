# The Windows builds: the program, and the tests that run under Wine through the emulator script.

set(win_flags -static -static-libgcc -static-libstdc++)
target_compile_definitions(quantora_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

set(resource_script)
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/resources/quantora.rc)
  set(resource_script ${CMAKE_CURRENT_SOURCE_DIR}/resources/quantora.rc)
  set_source_files_properties(${resource_script} PROPERTIES OBJECT_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/quantora.manifest)
endif()

if(win_sources)
  # Everything of the shell but the entry point, so that the window tests can link it.
  set(shell_sources ${win_sources})
  list(FILTER shell_sources EXCLUDE REGEX "winmain_win\\.cpp$")
  add_library(quantora_shell STATIC ${shell_sources})
  target_link_libraries(quantora_shell PUBLIC quantora_core user32 gdi32 kernel32)

  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/app/winmain_win.cpp)
    add_executable(quantora WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/app/winmain_win.cpp ${resource_script})
    target_link_libraries(quantora PRIVATE quantora_shell)
    # Terminal Server aware: on a Remote Desktop host the program finds QUANTORA.INI in the
    # Windows directory, as everywhere, not in a per-user copy of that folder.
    target_link_options(quantora PRIVATE ${win_flags} -Wl,--tsaware)
  endif()
endif()

# The start-up benchmark and the minimal window it measures the program against
# (scripts/bench-startup runs them under Wine).
add_executable(startup_bench ${CMAKE_CURRENT_SOURCE_DIR}/bench/startup_bench_win.c)
add_executable(startup_baseline WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/bench/startup_baseline_win.c)
foreach(t startup_bench startup_baseline)
  target_link_options(${t} PRIVATE ${win_flags})
endforeach()

if(QUANTORA_TESTS)
  enable_testing()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_SOURCE_DIR}/scripts/wine-run;${QUANTORA_WINE_ARCH})

  # GoogleTest from Debian's source package, built with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w)
  endforeach()

  add_executable(core_tests ${core_tests})
  target_link_libraries(core_tests PRIVATE quantora_test_support gtest gtest_main)
  target_link_options(core_tests PRIVATE ${win_flags})
  target_compile_definitions(core_tests PRIVATE QUANTORA_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  # Every test is its own CTest test, so that a failure names it and `ctest -R` picks one.
  # The list is asked of the program when CTest runs (under Wine), never at build time: a
  # machine that cannot run a build still builds it.
  include(GoogleTest)
  gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 120)

  if(win_tests AND TARGET quantora_shell)
    add_executable(window_tests ${win_tests} ${resource_script})
    target_link_libraries(window_tests PRIVATE quantora_shell quantora_test_support gtest gtest_main)
    target_link_options(window_tests PRIVATE ${win_flags})
    target_compile_definitions(window_tests PRIVATE QUANTORA_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
    # Window tests share one Wine desktop (focus, activation): one at a time.
    gtest_discover_tests(window_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
    # The main window at other display scales, in a prefix whose DPI each test sets first.
    foreach(dpi 120 144 192)
      add_test(NAME MainWindowDpi.At${dpi}
               COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/wine-dpi-run ${QUANTORA_WINE_ARCH}
                       ${dpi} $<TARGET_FILE:window_tests> --gtest_filter=MainWindowDpi.*)
      set_tests_properties(MainWindowDpi.At${dpi} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
    endforeach()
  endif()
endif()

# The manual: QUANTORA.HLP and the HTML pages, and the test of the help file under Wine.
include(cmake/help.cmake)
