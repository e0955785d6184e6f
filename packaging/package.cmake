# Installs the programs and the page module side by side in lib/roomwright (the command-line
# tool loads the module from beside itself), puts roomwright and roomwright-cli on the path
# as links to them, and adds the desktop entry and the icon. `make package` turns that into
# a Debian package.
include(GNUInstallDirs)

set(ROOMWRIGHT_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/roomwright)
install(TARGETS roomwright roomwright-cli RUNTIME DESTINATION ${ROOMWRIGHT_PROGRAM_DIR})
install(TARGETS roomwright-print LIBRARY DESTINATION ${ROOMWRIGHT_PROGRAM_DIR})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/links)
foreach(program roomwright roomwright-cli)
    file(RELATIVE_PATH target /${CMAKE_INSTALL_BINDIR} /${ROOMWRIGHT_PROGRAM_DIR}/${program})
    file(CREATE_LINK ${target} ${CMAKE_BINARY_DIR}/links/${program} SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/links/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/roomwright.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/roomwright.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME roomwright)
set(CPACK_PACKAGE_VENDOR "Roomwright")
set(CPACK_PACKAGE_CONTACT "Roomwright <roomwright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Front-desk program of a small motel")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Keeps the rooms and their states, checks guests in and out, keeps every guest's folio, "
    "takes reservations, runs the night audit and prints folios and reports. Comes with "
    "roomwright-cli, which works on the same data without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
# The Qt libraries and the platform plugins the windows need to open on a desktop.
string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), "
    "libqt6printsupport6 (>= 6.4), libqt6svg6 (>= 6.4), qt6-qpa-plugins, libstdc++6 (>= 12), "
    "libc6 (>= 2.34)")
include(CPack)
