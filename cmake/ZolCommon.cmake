# Compile settings shared by every target of the project. Link zol_common
# (PRIVATE) instead of repeating flags per target.
option(ZOL_WERROR "Treat warnings as errors" ON)

add_library(zol_common INTERFACE)

target_compile_options(zol_common INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
  $<$<BOOL:${ZOL_WERROR}>:-Werror>
  # GCC 12 reports false "maybe uninitialized" copies of std::variant when it
  # optimises; keep the warning, but do not let it stop an optimised build.
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<NOT:$<CONFIG:Debug>>>:-Wno-error=maybe-uninitialized>
)

target_compile_definitions(zol_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_CAST_FROM_BYTEARRAY
  QT_USE_QSTRINGBUILDER
  QT_NO_KEYWORDS
  QT_DISABLE_DEPRECATED_BEFORE=0x060400
  ZOL_VERSION="${PROJECT_VERSION}"
)


# Optimised builds are built for size. Zol's processes are short commands and
# a tray app that spends its day at rest: what they pay for is loading and
# keeping code (every page of it that a run touches), not running it. Link
# zol_compact, and name the sources with long loops in
# zol_optimise_for_speed(), which keep the compiler's default for speed.
add_library(zol_compact INTERFACE)
target_compile_options(zol_compact INTERFACE
  $<$<NOT:$<CONFIG:Debug>>:-Os -ffunction-sections -fdata-sections>)
# Code nothing calls is left out of the programs: the kernel reads a
# program's pages in runs around every page a run touches, so the tray app
# keeps resident most of what is linked in.
target_link_options(zol_compact INTERFACE $<$<NOT:$<CONFIG:Debug>>:-Wl,--gc-sections>)

function(zol_optimise_for_speed)
  set_source_files_properties(${ARGN} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    PROPERTIES COMPILE_OPTIONS $<$<NOT:$<CONFIG:Debug>>:-O3>)
endfunction()

# SQLite is linked into the programs where the system has its static library
# (libsqlite3-dev does): loading the shared one, with its relocations, was a
# tenth of a short command's time. The same release of the same package
# either way; a rebuild takes up its updates.
add_library(zol_sqlite INTERFACE)
find_library(ZOL_SQLITE_STATIC NAMES libsqlite3.a)
if(ZOL_SQLITE_STATIC)
  target_include_directories(zol_sqlite INTERFACE ${SQLite3_INCLUDE_DIRS})
  target_link_libraries(zol_sqlite INTERFACE ${ZOL_SQLITE_STATIC} m ${CMAKE_DL_LIBS})
else()
  target_link_libraries(zol_sqlite INTERFACE SQLite::SQLite3)
endif()
