# Installation and the Debian package.
#
#   cmake --install <build>            programs into /opt/obdrac/bin, the schema, the demo companies
#                                      and the administrator's scripts into /opt/obdrac/share/obdrac,
#                                      the menu entry and the icon into /usr/share, obdrac-run and
#                                      obdrac-config on the PATH (links in /usr/bin)
#   cpack -G DEB   (in <build>)        obdrac_<version>_amd64.deb with the same content
#
# The README's cron line runs /opt/obdrac/bin/obdrac-run.
include(GNUInstallDirs)

set(OBDRAC_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/obdrac)

foreach(_program obdrac obdrac-run obdrac-config)
  if(TARGET ${_program})
    install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The company schema and the demo companies; the scripts find them beside themselves
# (<share>/obdrac/scripts/dbsetup.sh reads <share>/obdrac/db/schema.sql).
install(FILES db/schema.sql db/demo.sql db/demo2.sql DESTINATION ${OBDRAC_DATA_DESTINATION}/db)
install(PROGRAMS scripts/dbsetup.sh scripts/odbcconf.sh scripts/pg.sh
        DESTINATION ${OBDRAC_DATA_DESTINATION}/scripts)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The desktop menu sees only /usr/share (and /usr/local/share), whatever the prefix.
install(FILES packaging/obdrac.desktop DESTINATION /usr/share/applications)
install(FILES packaging/obdrac.svg DESTINATION /usr/share/icons/hicolor/scalable/apps)
foreach(_program obdrac-run obdrac-config)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}/usr/bin\")
    file(CREATE_LINK \"${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${_program}\"
         \"\$ENV{DESTDIR}/usr/bin/${_program}\" SYMBOLIC)")
endforeach()

# The Debian package.
set(CPACK_PACKAGE_NAME obdrac)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sintrex")
set(CPACK_PACKAGE_CONTACT "Sintrex <podpora@sintrex.si>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Periodično fakturiranje (periodic invoicing)")
set(CPACK_PACKAGE_DESCRIPTION "Periodic templates, the invoice and order runs that write due documents into the company database, and printing through stored reports.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
# Install through DESTDIR, so that the absolute destinations above (/usr/share, /usr/bin) land in
# the package and never on the building machine.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)             # obdrac_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
# Libraries the programs link (libQt6*, libodbc2, libsqlite3-0, ...) come from dpkg-shlibdeps; the
# rest is what they load at run time: the X11 platform plugin, the SVG image plugin, the ODBC
# driver manager's configuration, a font with č, š, ž.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, unixodbc, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc | odbc-postgresql")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql, postgresql-client")
set(CPACK_GENERATOR DEB)
include(CPack)
