# Fails when PROGRAM needs a Qt library at start, directly or through another library:
# the command-line tool reaches Qt only through the page module it loads on demand.
# With LDD (Linux) every library it loads is listed; with OBJDUMP (Windows) the DLLs it imports.
if(OBJDUMP)
    execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} RESULT_VARIABLE status
                    OUTPUT_VARIABLE libraries ERROR_VARIABLE errors)
    if(NOT status EQUAL 0 OR NOT libraries MATCHES "DLL Name: KERNEL32\\.dll")
        message(FATAL_ERROR "objdump could not list the DLLs of ${PROGRAM}: ${errors}")
    endif()
    if(libraries MATCHES "DLL Name: Qt6")
        message(FATAL_ERROR "${PROGRAM} loads Qt at start:\n${libraries}")
    endif()
    return()
endif()
execute_process(COMMAND ${LDD} ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE libraries
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT libraries MATCHES "libc\\.so")
    message(FATAL_ERROR "ldd could not list the libraries of ${PROGRAM}: ${errors}")
endif()
if(libraries MATCHES "libQt6")
    message(FATAL_ERROR "${PROGRAM} loads Qt at start:\n${libraries}")
endif()
