# Builds the Debian package from this build, unpacks it into a scratch root as dpkg would
# install it, checks what it holds and runs the installed tool: its --help, and a PDF, which
# it can only write when the page module sits beside it.
#   cmake -DBUILD_DIR=... -DSCRATCH=... -P package_test.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${code}):\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH})
file(GLOB debs ${SCRATCH}/roomwright_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${SCRATCH}, found: ${debs}")
endif()

run(dpkg-deb --contents ${debs})
foreach(expected
        "./usr/bin/roomwright -> ../lib/roomwright/roomwright"
        "./usr/bin/roomwright-cli -> ../lib/roomwright/roomwright-cli"
        "./usr/lib/roomwright/roomwright-print.so"
        "./usr/share/applications/roomwright.desktop"
        "./usr/share/icons/hicolor/scalable/apps/roomwright.svg")
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks ${expected}:\n${out}")
    endif()
endforeach()
run(dpkg-deb --field ${debs} Package Depends)
string(FIND "${out}" "libqt6widgets6" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the package does not depend on Qt's widgets:\n${out}")
endif()

set(root ${SCRATCH}/root)
run(dpkg-deb -x ${debs} ${root})
run(${root}/usr/bin/roomwright-cli --help)
string(FIND "${out}" "Usage: roomwright-cli" at)
if(NOT at EQUAL 0)
    message(FATAL_ERROR "the installed tool's --help said:\n${out}")
endif()
run(${root}/usr/bin/roomwright-cli --data-dir ${SCRATCH}/Motel init)
run(${root}/usr/bin/roomwright-cli --data-dir ${SCRATCH}/Motel print housekeeping
    --pdf ${SCRATCH}/housekeeping.pdf)
file(READ ${SCRATCH}/housekeeping.pdf head LIMIT 16)
string(SUBSTRING "${head}" 0 5 head)
if(NOT head STREQUAL "%PDF-")
    message(FATAL_ERROR "the installed tool wrote no PDF")
endif()
