# Helpers for the install rules.

# Zol's modules live in a folder of their own under the architecture's library
# folder (/usr/lib/x86_64-linux-gnu/zol), as Debian keeps private libraries,
# whatever the prefix: a package made from any build is laid out alike, and
# none has them where ldconfig would look.
if(CMAKE_LIBRARY_ARCHITECTURE AND (NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR} OR
                                   "$CACHE{CMAKE_INSTALL_LIBDIR}" STREQUAL "lib"))
  set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}" CACHE PATH
      "Object code libraries (LIBDIR)" FORCE)
endif()
include(GNUInstallDirs)
find_program(ZOL_GZIP gzip REQUIRED)

# zol_install_manual(PAGE SECTION): installs the manual page made from
# PAGE.in (relative to the current source folder), its @PROJECT_VERSION@ and
# @ZOL_RELEASE_MONTH@ filled in, compressed into man/manSECTION. gzip -9n: the
# smallest file, with no name or time inside, so the same page always makes
# the same bytes; man reads it as it is.
function(zol_install_manual page section)
  get_filename_component(name ${page} NAME)
  set(filled ${CMAKE_CURRENT_BINARY_DIR}/${name})
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/${page}.in ${filled} @ONLY)
  set(compressed ${filled}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND sh -c "'${ZOL_GZIP}' -9n -c '${filled}' > '${compressed}'"
    DEPENDS ${filled}
    COMMENT "Compressing the manual page ${name}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "zol_manual_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
