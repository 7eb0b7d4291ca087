# Run at install time: writes the desktop entry and the bus service for the program installed
# under CMAKE_INSTALL_PREFIX and installs them (DESTDIR honoured by file(INSTALL)).

function(norva_install_path variable folder)
    if(IS_ABSOLUTE "${folder}")
        set(${variable} "${folder}" PARENT_SCOPE)
    else()
        set(${variable} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
    endif()
endfunction()

norva_install_path(bindir "${NORVA_INSTALL_BINDIR}")
norva_install_path(datadir "${NORVA_INSTALL_DATADIR}")
# Quoted, as --register writes it: both readers split Exec like a shell.
set(NORVA_EXEC "\"${bindir}/norva\"")
configure_file("${NORVA_DESKTOP_SOURCE}/norva.desktop.in" "${NORVA_DESKTOP_STAGE}/norva.desktop"
    @ONLY)
configure_file("${NORVA_DESKTOP_SOURCE}/Norva.Document.service.in"
    "${NORVA_DESKTOP_STAGE}/Norva.Document.service" @ONLY)
file(INSTALL "${NORVA_DESKTOP_STAGE}/norva.desktop" DESTINATION "${datadir}/applications")
file(INSTALL "${NORVA_DESKTOP_STAGE}/Norva.Document.service"
    DESTINATION "${datadir}/dbus-1/services")
