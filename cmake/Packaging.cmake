# `make package` (the `package` target of the build folder): a Debian binary package,
# vandrel_<version>_<arch>.deb, holding what `cmake --install` installs below /usr.
#
# The package takes the install rules' components:
#   program            the program, desktop entry, icons, AppStream file, document type
#   debian             only here: the gzipped manual page, changelog and DEP-5 copyright
# and leaves out those that suit a plain `cmake --install` only:
#   manual             the uncompressed manual page (Debian's is gzipped)
#   licence            LICENSE, whose text the copyright file carries word for word
#                      (Debian keeps licences there only: lintian's extra-license-file)
#   desktop_databases  the refresh of the MIME and desktop databases: CPack stages with a
#                      prefix of its own, not DESTDIR, so that code would write caches
#                      into the package; dpkg triggers of shared-mime-info,
#                      desktop-file-utils and hicolor-icon-theme refresh them instead,
#                      so the package needs no maintainer scripts.
if(NOT (UNIX AND NOT APPLE))
  return()
endif()

set(VANDREL_DEB_MAINTAINER "Vandrel developers <developers@vandrel.org>")
set(VANDREL_DEB_DIR ${PROJECT_BINARY_DIR}/debian)
set(VANDREL_DEB_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vandrel)

# The copyright file in the machine-readable format, its licence text taken from LICENSE
# (the MIT licence is "Expat" in that format's names) so the two cannot drift apart.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE VANDREL_LICENSE)
if(NOT VANDREL_LICENSE MATCHES "Copyright \\(c\\) ([^\n]+)\n+(Permission is hereby granted.*)$")
  message(FATAL_ERROR "LICENSE has no copyright line followed by the MIT licence text.")
endif()
set(VANDREL_COPYRIGHT_HOLDER "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" VANDREL_LICENSE_TEXT)
string(REPLACE "\n\n" "\n.\n" VANDREL_LICENSE_TEXT "${VANDREL_LICENSE_TEXT}")
string(REPLACE "\n" "\n " VANDREL_LICENSE_TEXT " ${VANDREL_LICENSE_TEXT}")
# LICENSE names no year; the copyright notice spans the years of the releases in the
# changelog, oldest to newest.
file(STRINGS ${PROJECT_SOURCE_DIR}/cmake/debian/changelog VANDREL_RELEASE_YEARS
     REGEX "^ -- .*  [A-Z][a-z][a-z], [0-9]+ [A-Z][a-z][a-z] [0-9][0-9][0-9][0-9] ")
list(TRANSFORM VANDREL_RELEASE_YEARS REPLACE "^.* ([0-9][0-9][0-9][0-9]) .*$" "\\1")
list(SORT VANDREL_RELEASE_YEARS)
list(GET VANDREL_RELEASE_YEARS 0 VANDREL_FIRST_YEAR)
list(GET VANDREL_RELEASE_YEARS -1 VANDREL_LAST_YEAR)
if(VANDREL_FIRST_YEAR STREQUAL VANDREL_LAST_YEAR)
  set(VANDREL_COPYRIGHT_YEARS ${VANDREL_FIRST_YEAR})
else()
  set(VANDREL_COPYRIGHT_YEARS ${VANDREL_FIRST_YEAR}-${VANDREL_LAST_YEAR})
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/copyright.in ${VANDREL_DEB_DIR}/copyright @ONLY)

# Debian keeps manual pages and changelogs compressed with gzip -9, without the file's
# name and time stamp (-n). Both inputs are configured files: a change of either runs
# this again.
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog ${VANDREL_DEB_DIR}/changelog COPYONLY)
foreach(file IN ITEMS ${VANDREL_DEB_DIR}/changelog ${PROJECT_BINARY_DIR}/src/vandrel.1)
  get_filename_component(name ${file} NAME)
  execute_process(COMMAND gzip -9 -n -c ${file} OUTPUT_FILE ${VANDREL_DEB_DIR}/${name}.gz
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${file}: ${status}")
  endif()
endforeach()

# The version has no Debian revision: the package is built from Vandrel's own tree, what
# Debian calls a native package, whose changelog is changelog.gz (lintian names
# changelog.Debian.gz wrong for it).
install(FILES ${VANDREL_DEB_DIR}/vandrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${VANDREL_DEB_DIR}/changelog.gz ${VANDREL_DEB_DIR}/copyright
        DESTINATION ${VANDREL_DEB_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandrel)
set(CPACK_PACKAGE_VENDOR "Vandrel developers")
set(CPACK_PACKAGE_CONTACT "${VANDREL_DEB_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL program debian)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME vandrel)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANDREL_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VANDREL_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# lintian finds no error or warning; it notes (I:)
#   binary-has-unneeded-section .comment: CPack strips with a plain `strip`, which keeps
#     the compiler's version note;
#   hardening-no-bindnow, hardening-no-fortify-functions: the build takes the compiler's
#     defaults (PIE, RELRO), not all of dpkg-buildflags' hardening.
# The first line is the synopsis; CPack indents the rest by one space and turns each
# empty line into " .", as Debian's control files want.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"reshape a table of values over a position axis
Vandrel keeps three tables side by side: the input, a value at evenly
spaced positions; the editor, offsets at coarser positions; and the
read-only output, the input plus the editor offset interpolated (or
extrapolated) in a straight line at every input position, optionally
shifted so that the output at position 0 is zero. Every edit recomputes
the output at once.

Values come in by typing, by pasting from a spreadsheet or from CSV and
TSV files; the output goes to the clipboard, to CSV and TSV files and into
a graph window with zoom, pan and a coordinate readout, which exports to
PNG, SVG and PDF. Work is kept in documents with undo and crash recovery,
and the command line exports tables and graphs without a display.")

# The program carries its own translations; Qt's, for the standard dialogs and buttons in
# the user's language, come from the Qt it was built with.
if(VANDREL_QT_MAJOR STREQUAL "6")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
else()
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qttranslations5-l10n")
endif()

include(CPack)
