# The release date is that of the changelog's entry for this version, which must exist, so
# the version cannot move without a word in the changelog.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md releases REGEX "^## ")
string(REPLACE "." "\\." version_re "${PROJECT_VERSION}")
unset(KORVANTA_RELEASE_DATE)
foreach(line IN LISTS releases)
  if(line MATCHES "^## ${version_re} - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
    set(KORVANTA_RELEASE_DATE ${CMAKE_MATCH_1})
  endif()
endforeach()
if(NOT KORVANTA_RELEASE_DATE)
  message(FATAL_ERROR "CHANGELOG.md has no line \"## ${PROJECT_VERSION} - YYYY-MM-DD\"")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
