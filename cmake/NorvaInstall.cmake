# What an installation carries besides the programs (their rules live beside their targets):
# the examples, the desktop entry, icon, file types and bus service, and the Debian package
# that CPack makes from the same rules (scripts/package.sh).

install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(NORVA_DESKTOP_SOURCE ${CMAKE_SOURCE_DIR}/desktop)
install(FILES ${NORVA_DESKTOP_SOURCE}/norva-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME norva.xml)
install(FILES ${NORVA_DESKTOP_SOURCE}/icons/norva.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${NORVA_DESKTOP_SOURCE}/icons/${size}x${size}/norva.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The desktop entry and the bus service name the installed program by its full path, which is
# known only at install time (cmake --install --prefix P), so they are written then.
install(CODE "
set(NORVA_DESKTOP_SOURCE \"${NORVA_DESKTOP_SOURCE}\")
set(NORVA_DESKTOP_STAGE \"${CMAKE_BINARY_DIR}/desktop\")
set(NORVA_INSTALL_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
set(NORVA_INSTALL_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallDesktopFiles.cmake)

# The Debian package. dpkg-shlibdeps finds the runtime libraries; the platform plugins are
# named because Qt loads them at run time, and the ODBC drivers are what the results
# databases need but a matrix alone does not.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvane Norva team <norva@orvane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Matrix Analysis Program for LP models")
set(CPACK_PACKAGE_DESCRIPTION
    "Norva opens the coefficient matrix of a linear programming model (MPS or ORB files)\n\
and shows it one row or one column at a time, with the solution from a results\n\
database or a KNLP solution file attached. It finds badly scaled coefficients and\n\
collects them in a submatrix grid. norva-inspect does the same without a window.")
# Installed with DESTDIR, so that the install-time paths written into the desktop files are
# the final ones under /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "odbc-mdbtools, libsqliteodbc, tdsodbc, odbc-postgresql, unixodbc, xdg-utils")
include(CPack)
