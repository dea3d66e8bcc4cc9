# The Debian package: `cpack -G DEB` in a build folder configured with
# -DCMAKE_INSTALL_PREFIX=/usr (tools/package.sh makes one). Its dependencies come from
# dpkg-shlibdeps, so they name exactly the libraries the programs link.
set(CPACK_PACKAGE_NAME korvanta)
set(CPACK_PACKAGE_VENDOR "The Korvanta developers")
set(CPACK_PACKAGE_CONTACT "The Korvanta developers <${KORVANTA_CONTACT}>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KORVANTA_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "explorer of escape-time and Newton fractals")
# Lines of at most 80 characters, as the package's description shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Korvanta draws the Mandelbrot and Julia sets, their cubic forms, the Lambda"
  "and sine sets and two Newton-Raphson fractals in seven colorings. Every"
  "picture opens in a window of its own and grows while you keep working."
  "Pictures are saved as documents that reopen and resume rendering, or"
  "exported as PNG, BMP, TGA or Windows metafile. korvanta-render renders the"
  "same pictures without a display, on every core.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What Debian asks of a package besides its files: the copyright in its own format and a
# Debian changelog. Builds for /usr carry them.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(KORVANTA_DEB_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
  execute_process(COMMAND date -u -R -d "${KORVANTA_RELEASE_DATE} 12:00"
                  OUTPUT_VARIABLE KORVANTA_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  set(debian ${PROJECT_BINARY_DIR}/debian)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${debian}/changelog.Debian @ONLY)
  add_custom_command(OUTPUT ${debian}/changelog.Debian.gz
                     COMMAND gzip -9nkf ${debian}/changelog.Debian
                     DEPENDS ${debian}/changelog.Debian VERBATIM)
  add_custom_target(korvanta_debian ALL DEPENDS ${debian}/changelog.Debian.gz)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${debian}/copyright @ONLY)
  install(FILES ${debian}/copyright ${debian}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# A package for /usr must come from a build for /usr: the manual pages name its folders.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackChecks.cmake)
include(CPack)
