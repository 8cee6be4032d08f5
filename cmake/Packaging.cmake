# The two packages, built by `cmake --build build --target package`: Skimdex-<version>-win64.zip,
# which unpacks to a folder Skimdex, and the installer Skimdex-<version>-setup.exe. Both hold exactly
# what the components' install() rules name, each installed beside the others as in build/bin.

# The readme ships in code page 932 with CR LF; its source stays UTF-8 so that changes read in a diff.
# It is made in build/bin like every other packaged file.
find_program(SKIMDEX_ICONV iconv REQUIRED)
set(readme ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/readme.txt)
add_custom_command(
  OUTPUT ${readme}
  COMMAND ${CMAKE_COMMAND} -DICONV=${SKIMDEX_ICONV} -DSOURCE=${PROJECT_SOURCE_DIR}/packaging/readme.txt
          -DOUTPUT=${readme} -P ${CMAKE_CURRENT_LIST_DIR}/Cp932Text.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/readme.txt ${CMAKE_CURRENT_LIST_DIR}/Cp932Text.cmake
  VERBATIM)
add_custom_target(skimdex_readme ALL DEPENDS ${readme})
install(FILES ${readme} DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Skimdex)
set(CPACK_PACKAGE_VENDOR Larkmoor)
set(CPACK_PACKAGE_VERSION ${SKIMDEX_PRODUCT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Skimdex)
# One uninstall entry across versions, so that a newer setup updates it.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Skimdex)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
# The project's own installer script and the per-generator file names.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/CPackOptions.cmake)
include(CPack)
