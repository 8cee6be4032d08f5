# Programs that run on the build machine, from tools/. A cross build configures them apart with the
# host's compiler and runs them from there; a native build adds them to itself, so that their tests
# run with the project's (under the sanitizers in scripts/test.sh).
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(host_tools_dir ${CMAKE_BINARY_DIR}/host-tools)
  set(SKIMDEX_HELPC ${host_tools_dir}/bin/helpc${CMAKE_HOST_EXECUTABLE_SUFFIX})
  ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools
    BINARY_DIR ${host_tools_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DSKIMDEX_BUILD_TESTS=OFF
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${SKIMDEX_HELPC})
  set(helpc_target host_tools)
else()
  # The tools' tests follow the project's own switch where there is one.
  if(NOT DEFINED SKIMDEX_BUILD_TESTS)
    set(SKIMDEX_BUILD_TESTS ON)
  endif()
  add_subdirectory(tools)
  set(SKIMDEX_HELPC $<TARGET_FILE:helpc>)
  set(helpc_target helpc)
endif()

# The help file and its contents file beside the programs, and the HTML manual in the folder help
# there (src/ui/help_ids.h kHelpFolder). The manual's pages are named after the source's topics, so
# only the pages every manual has are named here: helpc writes the folder's pages anew on each run.
set(help_source ${PROJECT_SOURCE_DIR}/help/Skimdex.help.txt)
set(help_ids ${PROJECT_SOURCE_DIR}/src/ui/help_ids.h)
set(help_files ${CMAKE_BINARY_DIR}/bin/Skimdex.hlp ${CMAKE_BINARY_DIR}/bin/Skimdex.cnt)
set(help_manual ${CMAKE_BINARY_DIR}/bin/help)
add_custom_command(
  OUTPUT ${help_files} ${help_manual}/index.html ${help_manual}/keywords.html ${help_manual}/skimdex.css
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
  COMMAND ${SKIMDEX_HELPC} ${help_ids} ${help_source} ${help_files} ${help_manual}
  DEPENDS ${helpc_target} ${SKIMDEX_HELPC} ${help_source} ${help_ids}
  COMMENT "Compiling the help file Skimdex.hlp and the HTML manual"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${help_files} ${help_manual}/index.html)
install(FILES ${help_files} DESTINATION .)
install(DIRECTORY ${help_manual} DESTINATION .)
