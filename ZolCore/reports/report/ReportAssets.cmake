# The HTML report's style sheet and script are kept as ordinary files beside
# this one and compiled into ZolCore as byte arrays in a generated header
# (ReportAssets.h, namespace zol::ReportAssets: `css`, `js`), so a static
# ZolCore carries them into every program without a resource to initialise.
#
# Included from ZolCore/CMakeLists.txt after add_library(ZolCore ...).
set(_zol_report_dir ${CMAKE_CURRENT_SOURCE_DIR}/reports/report)
set(_zol_report_out ${CMAKE_CURRENT_BINARY_DIR}/report-assets/ReportAssets.h)

add_custom_command(
  OUTPUT ${_zol_report_out}
  COMMAND ${CMAKE_COMMAND}
    -DOUTPUT=${_zol_report_out}
    -DCSS=${_zol_report_dir}/report.css
    -DJS=${_zol_report_dir}/report.js
    -P ${_zol_report_dir}/EmbedAssets.cmake
  DEPENDS
    ${_zol_report_dir}/report.css
    ${_zol_report_dir}/report.js
    ${_zol_report_dir}/EmbedAssets.cmake
  COMMENT "Embedding the HTML report's style sheet and script"
  VERBATIM)

target_sources(ZolCore PRIVATE ${_zol_report_out})
target_include_directories(ZolCore PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/report-assets)

# The footer links to Zol's home page, when the build names one
# (cmake/ZolIdentity.cmake).
if(NOT DEFINED ZOL_HOMEPAGE)
  message(FATAL_ERROR "ReportAssets.cmake needs ZOL_HOMEPAGE; include it after that is set")
endif()
set_property(SOURCE reports/HTMLReport.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS "ZOL_HOMEPAGE=\"${ZOL_HOMEPAGE}\"")
