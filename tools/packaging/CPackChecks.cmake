# Read by cpack: refuses a Debian package whose files would not be where they say they are.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "A Debian package installs into /usr: configure with "
                      "-DCMAKE_INSTALL_PREFIX=/usr (tools/package.sh does), not "
                      "${CPACK_PACKAGING_INSTALL_PREFIX}")
endif()
