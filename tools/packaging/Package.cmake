# The Debian package: `cpack -G DEB` in a build folder configured with
# -DCMAKE_INSTALL_PREFIX=/usr (tools/package.sh makes one). Its dependencies come from
# dpkg-shlibdeps, so they name exactly the libraries the programs link.
set(CPACK_PACKAGE_NAME korvanta)
set(CPACK_PACKAGE_VENDOR "The Korvanta developers")
set(CPACK_PACKAGE_CONTACT "The Korvanta developers <korvanta@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KORVANTA_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "explorer of escape-time and Newton fractals")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvanta draws the Mandelbrot and Julia sets, their cubic forms, the Lambda and sine sets and two Newton-Raphson fractals in seven colorings. Every picture opens in a window of its own and grows while you keep working. Pictures are saved as documents that reopen and resume rendering, or exported as PNG, BMP, TGA or Windows metafile. korvanta-render renders the same pictures without a display, on every core.")
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

# A package for /usr must come from a build for /usr: the manual pages name its folders.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackChecks.cmake)
include(CPack)
