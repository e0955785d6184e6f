# Installs the programs and the page module side by side in lib/roomwright (the command-line
# tool loads the module from beside itself), puts roomwright and roomwright-cli on the path
# as links to them, and adds the desktop entry and the icon, the manual pages, the copyright
# file and the changelog. `make package` turns that into a Debian package that lintian passes.
if(WIN32)
    # On Windows: the program folder of the installer (`make windows-package`).
    include(${CMAKE_CURRENT_LIST_DIR}/windows/package.cmake)
    return()
endif()
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

# The manual pages (written from the programs' --help) and the Debian changelog, compressed
# as Debian wants them: gzip -9, without the file's name and time.
set(ROOMWRIGHT_DOC_DIR ${CMAKE_BINARY_DIR}/packaging)
set(compressed)
foreach(page roomwright roomwright-cli)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${page}.1 ${ROOMWRIGHT_DOC_DIR}/${page}.1 @ONLY)
    list(APPEND compressed ${page}.1)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${ROOMWRIGHT_DOC_DIR}/changelog.Debian
               COPYONLY)
list(APPEND compressed changelog.Debian)
foreach(file ${compressed})
    add_custom_command(OUTPUT ${ROOMWRIGHT_DOC_DIR}/${file}.gz
        COMMAND gzip -9 -n -f -k ${file}
        DEPENDS ${ROOMWRIGHT_DOC_DIR}/${file}
        WORKING_DIRECTORY ${ROOMWRIGHT_DOC_DIR})
endforeach()
list(TRANSFORM compressed APPEND .gz OUTPUT_VARIABLE compressed_files)
list(TRANSFORM compressed_files PREPEND ${ROOMWRIGHT_DOC_DIR}/)
add_custom_target(roomwright_docs ALL DEPENDS ${compressed_files})
install(FILES ${ROOMWRIGHT_DOC_DIR}/roomwright.1.gz ${ROOMWRIGHT_DOC_DIR}/roomwright-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ROOMWRIGHT_DOC_DIR}/changelog.Debian.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/roomwright)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME roomwright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME roomwright)
set(CPACK_PACKAGE_VENDOR "Roomwright")
# The project's address, as the README names it (and debian/copyright and debian/changelog).
set(CPACK_PACKAGE_CONTACT "Roomwright developers <roomwright@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "front-desk program of a small motel")
# Debian shows the description as it is written: lines under 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Keeps the rooms and their states, checks guests in and out, keeps every\n"
    "guest's folio, takes reservations, runs the night audit and prints folios\n"
    "and reports. Comes with roomwright-cli, which works on the same data\n"
    "without a window.")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
# The Qt libraries and the platform plugins the windows need to open on a desktop.
string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), "
    "libqt6printsupport6 (>= 6.4), qt6-qpa-plugins, libstdc++6 (>= 12), libc6 (>= 2.34)")
include(CPack)
