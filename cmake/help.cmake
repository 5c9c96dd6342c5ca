# The manual, docs/manual.but, compiled by Halibut into build/<preset>/help:
#   QUANTORA.HLP, QUANTORA.CNT  the help file the program opens, with every HC_ id of
#                               resources/convert.h mapped to its topic by help_map
#   QUANTORA.CHM                the same manual for HTML Help, where there is no WinHelp viewer
#   html/                       the same manual as web pages (html/index.html)
# with copies of QUANTORA.CHM and html/ (as manual/) beside the programs in build/<preset>,
# where the program finds them as it does where setup installed it;
# and, without Halibut too, generated/help/manual_pages.h: the page of the HTML forms that
# each help id opens, read from the manual by help_map.
# Included after the test targets exist, so that the core tests can read the help file.

set(QUANTORA_HELP_DIR ${CMAKE_BINARY_DIR}/help)
set(help_source ${CMAKE_CURRENT_SOURCE_DIR}/docs/manual.but)
set(help_header ${CMAKE_CURRENT_SOURCE_DIR}/resources/convert.h)
set(help_compiled ${QUANTORA_HELP_DIR}/compiled/QUANTORA.HLP)
set(help_file ${QUANTORA_HELP_DIR}/QUANTORA.HLP)
file(MAKE_DIRECTORY ${QUANTORA_HELP_DIR}/compiled)
set(help_map_sources ${CMAKE_CURRENT_SOURCE_DIR}/help/help_file.cpp
                     ${CMAKE_CURRENT_SOURCE_DIR}/help/help_pages.cpp
                     ${CMAKE_CURRENT_SOURCE_DIR}/help/tool/help_map.cpp)

# help_map runs on the build machine; a cross build compiles it with the host's compiler.
if(CMAKE_CROSSCOMPILING)
  find_program(QUANTORA_HOST_CXX NAMES g++ c++ clang++ REQUIRED)
  set(help_map ${CMAKE_BINARY_DIR}/host/help_map)
  add_custom_command(
    OUTPUT ${help_map}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${QUANTORA_HOST_CXX} -std=c++17 -O1 -Wall -Wextra -Wshadow -Wpedantic -Werror
            -I${CMAKE_CURRENT_SOURCE_DIR} ${help_map_sources} -o ${help_map}
    DEPENDS ${help_map_sources} ${CMAKE_CURRENT_SOURCE_DIR}/help/help_file.h
            ${CMAKE_CURRENT_SOURCE_DIR}/help/help_pages.h
    COMMENT "Building help_map for the build machine"
    VERBATIM)
else()
  add_executable(help_map ${CMAKE_CURRENT_SOURCE_DIR}/help/tool/help_map.cpp)
  target_link_libraries(help_map PRIVATE quantora_core)
  set(help_map help_map)
endif()

# The section "helphelp" is the help on help of the HTML forms.
set(manual_pages ${CMAKE_BINARY_DIR}/generated/help/manual_pages.h)
add_custom_command(
  OUTPUT ${manual_pages}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated/help
  COMMAND ${help_map} --pages ${help_source} ${help_header} ${manual_pages} helphelp
  DEPENDS ${help_map} ${help_source} ${help_header}
  COMMENT "Finding the manual's page of every help id"
  VERBATIM)
add_custom_target(manual_pages DEPENDS ${manual_pages})
foreach(t quantora_shell core_tests)
  if(TARGET ${t})
    add_dependencies(${t} manual_pages)
  endif()
endforeach()

find_program(QUANTORA_HALIBUT halibut)
if(NOT QUANTORA_HALIBUT)
  message(WARNING "halibut not found: QUANTORA.HLP, QUANTORA.CHM and the HTML manual are not built")
  return()
endif()

add_custom_command(
  OUTPUT ${help_compiled}
  COMMAND ${QUANTORA_HALIBUT} --winhelp=QUANTORA.HLP ${help_source}
  WORKING_DIRECTORY ${QUANTORA_HELP_DIR}/compiled
  DEPENDS ${help_source}
  COMMENT "Compiling the manual into a help file"
  VERBATIM)

add_custom_command(
  OUTPUT ${help_file} ${QUANTORA_HELP_DIR}/QUANTORA.CNT
  COMMAND ${help_map} ${help_compiled} ${help_header} ${help_file}
  COMMAND ${CMAKE_COMMAND} -E copy ${QUANTORA_HELP_DIR}/compiled/QUANTORA.cnt
          ${QUANTORA_HELP_DIR}/QUANTORA.CNT
  DEPENDS ${help_map} ${help_compiled} ${help_header}
  COMMENT "Mapping the help ids of convert.h to their topics"
  VERBATIM)

add_custom_command(
  OUTPUT ${QUANTORA_HELP_DIR}/QUANTORA.CHM
  COMMAND ${QUANTORA_HALIBUT} --chm=${QUANTORA_HELP_DIR}/QUANTORA.CHM ${help_source}
  COMMAND ${CMAKE_COMMAND} -E copy ${QUANTORA_HELP_DIR}/QUANTORA.CHM ${CMAKE_BINARY_DIR}
  WORKING_DIRECTORY ${QUANTORA_HELP_DIR}/compiled
  DEPENDS ${help_source}
  COMMENT "Compiling the manual for HTML Help"
  VERBATIM)

# The HTML folder is made afresh, so that no page of an earlier build stays behind.
add_custom_command(
  OUTPUT ${QUANTORA_HELP_DIR}/html/index.html
  COMMAND ${CMAKE_COMMAND} -E remove_directory ${QUANTORA_HELP_DIR}/html
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUANTORA_HELP_DIR}/html
  COMMAND ${CMAKE_COMMAND} -E chdir ${QUANTORA_HELP_DIR}/html ${QUANTORA_HALIBUT} --html ${help_source}
  COMMAND ${CMAKE_COMMAND} -E remove_directory ${CMAKE_BINARY_DIR}/manual
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${QUANTORA_HELP_DIR}/html ${CMAKE_BINARY_DIR}/manual
  WORKING_DIRECTORY ${QUANTORA_HELP_DIR}
  DEPENDS ${help_source}
  COMMENT "Compiling the manual into web pages"
  VERBATIM)

add_custom_target(manual ALL DEPENDS ${help_file} ${QUANTORA_HELP_DIR}/QUANTORA.CHM
                                     ${QUANTORA_HELP_DIR}/html/index.html)

if(TARGET core_tests)
  add_dependencies(core_tests manual)
  target_compile_definitions(core_tests PRIVATE QUANTORA_HELP_FILE="${help_file}"
                                                QUANTORA_COMPILED_HELP_FILE="${help_compiled}"
                                                QUANTORA_HELP_DIR="${QUANTORA_HELP_DIR}")
endif()

# The window tests open the help beside them.
if(TARGET window_tests)
  add_dependencies(window_tests manual)
endif()

# The help file in the viewer under Wine, run in the help folder like the installed program.
if(WIN32 AND QUANTORA_TESTS AND TARGET gtest_main)
  add_executable(help_viewer_tests ${CMAKE_CURRENT_SOURCE_DIR}/help/viewer/help_viewer_win_test.cpp)
  target_link_libraries(help_viewer_tests PRIVATE quantora_core user32 gtest gtest_main)
  target_link_options(help_viewer_tests PRIVATE ${win_flags})
  target_compile_definitions(help_viewer_tests PRIVATE
                             QUANTORA_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  add_dependencies(help_viewer_tests manual)
  gtest_discover_tests(help_viewer_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       WORKING_DIRECTORY ${QUANTORA_HELP_DIR}
                       PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
endif()
