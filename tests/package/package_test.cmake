# Builds the Debian package from this build, has lintian check it (any error or warning
# fails), unpacks it into a scratch root as dpkg would install it, checks what it holds and
# runs the installed programs: their --version, the tool's --help (each of whose options its
# manual page describes), and a PDF, which the tool can only write when the page module sits
# beside it.
#   cmake -DBUILD_DIR=... -DCPACK=... -DLINTIAN=... -DVERSION=... -DSCRATCH=... -P package_test.cmake
if(NOT LINTIAN)
    message(FATAL_ERROR "lintian is missing: the package test runs it (make deps installs it)")
endif()
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
        "./usr/share/icons/hicolor/scalable/apps/roomwright.svg"
        "./usr/share/man/man1/roomwright.1.gz"
        "./usr/share/man/man1/roomwright-cli.1.gz"
        "./usr/share/doc/roomwright/copyright"
        "./usr/share/doc/roomwright/changelog.Debian.gz")
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

# Debian's own checks: errors and warnings fail (informational notes do not).
run(${LINTIAN} --fail-on error,warning --no-tag-display-limit ${debs})
if(out MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian:\n${out}")
endif()

set(root ${SCRATCH}/root)
run(dpkg-deb -x ${debs} ${root})
run(${root}/usr/bin/roomwright-cli --help)
string(FIND "${out}" "Usage: roomwright-cli" at)
if(NOT at EQUAL 0)
    message(FATAL_ERROR "the installed tool's --help said:\n${out}")
endif()
string(REGEX MATCHALL "--[a-z-]+" options "${out}")
list(REMOVE_DUPLICATES options)
execute_process(COMMAND gzip -dc ${root}/usr/share/man/man1/roomwright-cli.1.gz
                OUTPUT_VARIABLE page RESULT_VARIABLE code)
string(REPLACE "\\-" "-" page "${page}")
foreach(option ${options})
    string(FIND "${page}" "${option}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the manual page roomwright-cli(1) lacks ${option} of --help")
    endif()
endforeach()
run(${root}/usr/bin/roomwright-cli --version)
if(NOT out STREQUAL "roomwright-cli ${VERSION}\n")
    message(FATAL_ERROR "the installed tool's --version said: ${out}")
endif()
set(ENV{QT_QPA_PLATFORM} offscreen)
run(${root}/usr/bin/roomwright --version)
if(NOT out STREQUAL "Roomwright ${VERSION}\n")
    message(FATAL_ERROR "the installed program's --version said: ${out}")
endif()
run(${root}/usr/bin/roomwright-cli --data-dir ${SCRATCH}/Motel init)
run(${root}/usr/bin/roomwright-cli --data-dir ${SCRATCH}/Motel print housekeeping
    --pdf ${SCRATCH}/housekeeping.pdf)
file(READ ${SCRATCH}/housekeeping.pdf head LIMIT 16)
string(SUBSTRING "${head}" 0 5 head)
if(NOT head STREQUAL "%PDF-")
    message(FATAL_ERROR "the installed tool wrote no PDF")
endif()
