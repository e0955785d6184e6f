# Fails when PROGRAM needs a Qt library at start, directly or through another library:
# the command-line tool reaches Qt only through the page module it loads on demand.
# With LDD (Linux) every library it loads is listed; with OBJDUMP (Windows) the DLLs it imports.
if(OBJDUMP)
    set(list_libraries ${OBJDUMP} -p)
    set(system_library "DLL Name: KERNEL32\\.dll")
    set(qt_library "DLL Name: Qt6")
else()
    set(list_libraries ${LDD})
    set(system_library "libc\\.so")
    set(qt_library "libQt6")
endif()
execute_process(COMMAND ${list_libraries} ${PROGRAM} RESULT_VARIABLE status
                OUTPUT_VARIABLE libraries ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT libraries MATCHES "${system_library}")
    message(FATAL_ERROR "${list_libraries} could not list the libraries of ${PROGRAM}: ${errors}")
endif()
if(libraries MATCHES "${qt_library}")
    message(FATAL_ERROR "${PROGRAM} loads Qt at start:\n${libraries}")
endif()
