# The release this tree builds: its version is the project's, and its date is
# that of the newest entry of the Debian changelog, which must be that
# version's (a version raised without a word in the changelog stops here).
# Sets ZOL_RELEASE_DATE (YYYY-MM-DD) and ZOL_RELEASE_MONTH ("December 2026",
# as manual pages date themselves), and ZOL_CHANGELOG, the changelog signed
# by the maintainer this build names (cmake/ZolIdentity.cmake).
set(_zol_changelog_source ${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in)
set(ZOL_CHANGELOG ${PROJECT_BINARY_DIR}/debian/changelog)
configure_file(${_zol_changelog_source} ${ZOL_CHANGELOG} @ONLY)
file(STRINGS ${ZOL_CHANGELOG} _zol_changelog)

list(GET _zol_changelog 0 _zol_heading)
if(NOT _zol_heading MATCHES "^zol \\(([^)]+)\\) ")
  message(FATAL_ERROR "${ZOL_CHANGELOG} does not begin with an entry of zol: ${_zol_heading}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The newest entry of ${ZOL_CHANGELOG} is version ${CMAKE_MATCH_1}, "
                      "but this is ${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}")
endif()

set(ZOL_RELEASE_DATE_RFC)
foreach(_zol_line IN LISTS _zol_changelog)
  if(_zol_line MATCHES "^ -- .+>  (.+)$")
    set(ZOL_RELEASE_DATE_RFC "${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()
execute_process(COMMAND date -u -d "${ZOL_RELEASE_DATE_RFC}" +%Y-%m-%d
                OUTPUT_VARIABLE ZOL_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _zol_date_failed ERROR_QUIET)
execute_process(COMMAND env LC_ALL=C date -u -d "${ZOL_RELEASE_DATE_RFC}" "+%B %Y"
                OUTPUT_VARIABLE ZOL_RELEASE_MONTH OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _zol_month_failed ERROR_QUIET)
if(NOT ZOL_RELEASE_DATE_RFC OR _zol_date_failed OR _zol_month_failed)
  message(FATAL_ERROR "The newest entry of ${ZOL_CHANGELOG} has no date that can be read")
endif()
