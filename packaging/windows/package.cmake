# The program folder on Windows, as the installer of `make windows-package` puts it under
# Program Files: the programs and the page module side by side (the tool loads the module
# from beside itself), with what they load at run time, as Qt's windeployqt would lay it out:
# Qt's DLLs, the MinGW-w64 runtime's DLLs, and Qt's plugins in folders of their own beside
# them (Qt looks for plugins beside the program): the Windows platform (the windows), the
# offscreen platform (the page module draws its pages there) and the Windows style. Printing on
# Windows is inside Qt's print support DLL itself.
#
# The same files are copied into bin/ of the build, so that the programs and the tests run
# there under Wine as they will once installed. The tests also need Qt's test library.
install(TARGETS roomwright roomwright-cli RUNTIME DESTINATION .)
install(TARGETS roomwright-print LIBRARY DESTINATION . RUNTIME DESTINATION .)

set(ROOMWRIGHT_QT_LIBRARIES Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
set(ROOMWRIGHT_QT_PLUGINS
    platforms Qt6::QWindowsIntegrationPlugin
    platforms Qt6::QOffscreenIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin)

# The MinGW-w64 runtime as the compiler links it: C++, GCC's support library, POSIX threads.
set(ROOMWRIGHT_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is (${path})")
    endif()
    list(APPEND ROOMWRIGHT_RUNTIME_DLLS ${path})
endforeach()

set(deploy_commands)
set(test_libraries)
if(ROOMWRIGHT_TESTS)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    set(test_libraries Qt6::Test)
endif()
foreach(library ${ROOMWRIGHT_QT_LIBRARIES})
    install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()
foreach(library ${ROOMWRIGHT_QT_LIBRARIES} ${test_libraries})
    list(APPEND deploy_commands
         COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${library}> ${CMAKE_BINARY_DIR}/bin)
endforeach()
install(FILES ${ROOMWRIGHT_RUNTIME_DLLS} DESTINATION .)
list(APPEND deploy_commands
     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ROOMWRIGHT_RUNTIME_DLLS} ${CMAKE_BINARY_DIR}/bin)
while(ROOMWRIGHT_QT_PLUGINS)
    list(POP_FRONT ROOMWRIGHT_QT_PLUGINS folder plugin)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
    list(APPEND deploy_commands
         COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/${folder}
         COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}>
                 ${CMAKE_BINARY_DIR}/bin/${folder})
endwhile()
add_custom_target(roomwright_windows_deploy ALL ${deploy_commands}
                  COMMENT "Copying Qt's and the runtime's DLLs and Qt's plugins into bin/")
