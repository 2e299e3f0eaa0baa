# Who publishes this build of Zol, in one place. Whoever packages Zol sets
# these when configuring; every file that names the publisher takes them from
# here: the Debian package's Maintainer and Homepage, its changelog and
# copyright, the AppStream metadata, the footer of the studio's HTML report
# and the update check.
#
#   ZOL_MAINTAINER   "Name <address>", the package's maintainer
#   ZOL_HOMEPAGE     Zol's home page (https://…); empty: nothing links to one
#   ZOL_UPDATE_HOST  the bare domain that publishes the update manifest at
#                    https://<host>/apps/zol/update/latest.json; empty: the
#                    package manager brings new versions, and Zol asks nobody
#
# The maintainer defaults to the packager, found as Debian's own tools find
# one: DEBFULLNAME and DEBEMAIL (or NAME and EMAIL), else the user at this
# computer's name.

set(_zol_packager_name "$ENV{DEBFULLNAME}")
if(NOT _zol_packager_name)
  set(_zol_packager_name "$ENV{NAME}")
endif()
set(_zol_packager_address "$ENV{DEBEMAIL}")
if(NOT _zol_packager_address)
  set(_zol_packager_address "$ENV{EMAIL}")
endif()
if(NOT _zol_packager_address)
  cmake_host_system_information(RESULT _zol_hostname QUERY HOSTNAME)
  set(_zol_user "$ENV{USER}")
  if(NOT _zol_user)
    set(_zol_user "root")
  endif()
  set(_zol_packager_address "${_zol_user}@${_zol_hostname}")
endif()
if(NOT _zol_packager_name)
  set(_zol_packager_name "Zol packager")
endif()

set(ZOL_MAINTAINER "${_zol_packager_name} <${_zol_packager_address}>" CACHE STRING
  "Maintainer of the package, as \"Name <address>\"")
set(ZOL_HOMEPAGE "" CACHE STRING "Zol's home page (https://...); empty for none")
set(ZOL_UPDATE_HOST "" CACHE STRING
  "Bare domain of the update host (no scheme, no path, no www.); empty: no update check")

if(NOT ZOL_MAINTAINER MATCHES "^[^<>]+ <[^<> ]+@[^<> ]+>$")
  message(FATAL_ERROR "ZOL_MAINTAINER must read \"Name <address>\", not \"${ZOL_MAINTAINER}\"")
endif()
if(ZOL_HOMEPAGE AND NOT ZOL_HOMEPAGE MATCHES "^https://[^ ]+$")
  message(FATAL_ERROR "ZOL_HOMEPAGE must be an https:// address, not \"${ZOL_HOMEPAGE}\"")
endif()
string(TOLOWER "${ZOL_UPDATE_HOST}" ZOL_UPDATE_HOST_NAME)
if(ZOL_UPDATE_HOST_NAME AND (NOT ZOL_UPDATE_HOST_NAME MATCHES "^[a-z0-9]([a-z0-9.-]*[a-z0-9])?$"
                             OR ZOL_UPDATE_HOST_NAME MATCHES "^www\\."))
  message(FATAL_ERROR "ZOL_UPDATE_HOST must be a bare domain such as zol.studio.nl, not \"${ZOL_UPDATE_HOST}\"")
endif()
