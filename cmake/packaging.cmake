# What the release packages hold: on Windows the executable's resources and
# a zip; elsewhere the files Debian's policy asks for and a Debian package,
# for this machine's architecture or the one cross-built for.
include(GNUInstallDirs)
set(PLASMA_COPYRIGHT "Copyright (c) 2026 The Plasma Fractals developers")

# Where the project lives on the web, as software centres and Debian show it.
# It has no home yet: the default is a placeholder, to be set before publishing.
set(PLASMA_HOMEPAGE "https://placeholder-to-set-before-publishing.invalid/plasma-fractals" CACHE STRING
  "The project's homepage, as the packages and their metadata give it")
# The developer's reverse-DNS id, from the same domain as the AppStream id.
set(PLASMA_DEVELOPER_ID org.plasmafractals)

# The Debian package's maintainer, a name and an address as Debian's policy
# asks: from the variables Debian's own tools read (DEBEMAIL, which may hold
# "Name <address>" itself, and DEBFULLNAME), the project's own name standing
# in for a name not given.
set(plasma_name "The Plasma Fractals developers")
if(NOT "$ENV{DEBFULLNAME}" STREQUAL "")
  set(plasma_name "$ENV{DEBFULLNAME}")
endif()
if("$ENV{DEBEMAIL}" MATCHES "<")
  set(PLASMA_MAINTAINER "$ENV{DEBEMAIL}")
elseif(NOT "$ENV{DEBEMAIL}" STREQUAL "")
  set(PLASMA_MAINTAINER "${plasma_name} <$ENV{DEBEMAIL}>")
else()
  set(PLASMA_MAINTAINER "The Plasma Fractals developers <plasma-fractals@users.noreply.invalid>")
endif()

if(WIN32)
  set_target_properties(plasma-fractals PROPERTIES WIN32_EXECUTABLE ON)  # no console window
  # The icon and the version information Explorer shows, and the manifest.
  set(PLASMA_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0)
  if(NOT "${PROJECT_VERSION_PATCH}" STREQUAL "")
    set(PLASMA_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  endif()
  string(REPLACE "," "." PLASMA_VERSION_DOTS ${PLASMA_VERSION_COMMAS})
  configure_file(packaging/plasma-fractals.manifest plasma-fractals.manifest @ONLY)
  configure_file(packaging/plasma-fractals.rc.in plasma-fractals.rc @ONLY)
  target_sources(plasma-fractals PRIVATE ${PROJECT_BINARY_DIR}/plasma-fractals.rc)
  set_source_files_properties(${PROJECT_BINARY_DIR}/plasma-fractals.rc PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/packaging/plasma-fractals.ico;${PROJECT_BINARY_DIR}/plasma-fractals.manifest;${PROJECT_SOURCE_DIR}/platform/windows/resources.h")

  install(TARGETS plasma-fractals RUNTIME DESTINATION .)
  install(FILES README.md DESTINATION .)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  # freeglut, linked in, comes with its own notice, as its licence asks:
  # where scripts/build-windows keeps it, or wherever another freeglut's is.
  set(PLASMA_FREEGLUT_NOTICE ${FreeGLUT_DIR}/../../../COPYING CACHE FILEPATH "freeglut's licence notice, shipped with the executable")
  if(NOT EXISTS ${PLASMA_FREEGLUT_NOTICE})
    message(FATAL_ERROR "freeglut's notice is not at ${PLASMA_FREEGLUT_NOTICE}: set PLASMA_FREEGLUT_NOTICE to it")
  endif()
  install(FILES ${PLASMA_FREEGLUT_NOTICE} DESTINATION . RENAME freeglut-COPYING.txt)
  set(CPACK_GENERATOR ZIP)
elseif(NOT EMSCRIPTEN)
  # What Debian's policy asks: compressed without names or times (so the
  # bytes depend on nothing but the text), a machine-readable copyright and
  # the changelog. The changelog's latest entry is the release: its version
  # must be this one, and its day dates the manual page and the metadata
  # (SOURCE_DATE_EPOCH's day instead where that is set), in the package and
  # in what cmake --install installs alike.
  file(STRINGS packaging/changelog plasma_latest_entry LIMIT_COUNT 1)
  if(NOT plasma_latest_entry MATCHES "^plasma-fractals \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog's latest entry is not version ${PROJECT_VERSION}: ${plasma_latest_entry}")
  endif()
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})  # for this configure only, as scripts/package sets it
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/lists release-date OUTPUT_VARIABLE release_date
      OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(ENV{SOURCE_DATE_EPOCH} ${release_date})
  endif()
  string(TIMESTAMP PLASMA_RELEASE_DAY "%Y-%m-%d" UTC)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
  configure_file(packaging/changelog changelog @ONLY)
  configure_file(packaging/org.plasmafractals.viewer.metainfo.xml.in org.plasmafractals.viewer.metainfo.xml @ONLY)
  # Only the compilers' names and versions: nothing the program needs.
  add_custom_command(TARGET plasma-fractals POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:plasma-fractals>)
  configure_file(packaging/plasma-fractals.6.in plasma-fractals.6 @ONLY)
  set(plasma_compressed)
  foreach(file plasma-fractals.6 changelog)
    add_custom_command(OUTPUT ${file}.gz
      COMMAND gzip -9n --force --keep ${file}
      DEPENDS ${PROJECT_BINARY_DIR}/${file}
      WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
    list(APPEND plasma_compressed ${PROJECT_BINARY_DIR}/${file}.gz)
  endforeach()
  add_custom_target(plasma_compressed_docs ALL DEPENDS ${plasma_compressed})
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/plasma-fractals)
  install(TARGETS plasma-fractals RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/plasma-fractals.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz packaging/copyright DESTINATION ${doc})
  install(FILES packaging/plasma-fractals.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_BINARY_DIR}/org.plasmafractals.viewer.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES packaging/plasma-fractals.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

  # Depends worked out from the libraries the program links, for the
  # architecture it is built for.
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  if(CMAKE_CROSSCOMPILING)
    execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
      OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
endif()

set(CPACK_PACKAGE_NAME plasma-fractals)
set(CPACK_PACKAGE_CONTACT "${PLASMA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PLASMA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for one random plasma fractal")
set(CPACK_PACKAGE_DESCRIPTION "Fills a height field by recursive midpoint displacement, seeded from the
clock, and shows it through a fixed colour ramp. The keys R, G and B switch
the red, green and blue channels off and on.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PLASMA_HOMEPAGE}")
include(CPack)
